#include "runtime/JxPrinting.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "foundation/JxErrorReport.h"
#include "foundation/JxMessageText.h"
#include "foundation/JxResourceLibraries.h"
#include "graphics/JxBitmapLoaders.h"
#include "graphics/JxCMemorySlate.h"
#include "platform/clipboard/clipboard.h"
#include "platform/draw/draw.h"
#include "platform/fs/paths.h"
#include "platform/modules/resources.h"
#include "platform/print/printer.h"
#include "platform/ui/dialog.h"
#include "platform/ui/message_box.h"
#include "platform/window/window.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCPageObject.h"
#include "runtime/JxCPanelObject.h"
#include "runtime/JxPageWindows.h"

using namespace plat;

namespace {


// One print job: its progress box and whether that box cancelled it. The
// abort procedure and the box's procedure reach the job in progress.
struct PrintJob {
    HWND dialog = nullptr;
    bool cancelled = false;
};

struct PrintJobState {
    // The job in progress, or null.
    PrintJob* current = nullptr;
    // Set from the start of a print or copy to its end (its last box
    // included), while the message pumping inside it could start another.
    bool busy = false;
    bool lastCancelled = false;
    bool progress = true;
    std::string secondText;
    // The product's printer settings: its start clears them and its end
    // lets go of the printer they name.
    PRINTDLGA settings;
};

PrintJobState& job()
{
    static PrintJobState state;
    return state;
}

// Marks a print or copy as running for its lifetime; a second one asked
// for meanwhile (a second click while the printer works) is refused.
class OutputScope {
public:
    OutputScope() : refused_(job().busy) { job().busy = true; }
    ~OutputScope()
    {
        if (!refused_)
            job().busy = false;
    }
    OutputScope(const OutputScope&) = delete;
    OutputScope& operator=(const OutputScope&) = delete;
    bool Refused() const { return refused_; }

private:
    bool refused_;
};

std::string libraryString(unsigned id)
{
    return LoadStringFromLibraries(id).value_or("");
}

// The progress text: the library's form with its one number ("%3d%% done").
std::string progressText(int percent)
{
    std::string form = LoadStringFromLibraries(kPrintProgressTextId).value_or("%3d%% done");
    std::string out;
    bool numberDone = false;
    for (std::size_t i = 0; i < form.size(); ++i) {
        if (form[i] != '%' || i + 1 >= form.size()) {
            out += form[i];
            continue;
        }
        std::size_t j = i + 1;
        int width = 0;
        while (j < form.size() && form[j] >= '0' && form[j] <= '9')
            width = std::min(width * 10 + (form[j++] - '0'), 16);
        if (j < form.size() && form[j] == 'd' && !numberDone) {
            std::string number = std::to_string(percent);
            out += std::string(std::size_t(std::max<int>(0, width - int(number.size()))), ' ') + number;
            numberDone = true;
        } else if (j < form.size() && form[j] == '%') {
            out += '%';
        } else {
            out += form.substr(i, j - i + 1);
        }
        i = j;
    }
    return out;
}

LRESULT CALLBACK_ProgressProc(HWND dialog, UINT msg, WPARAM w, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG:
        SetFocus(dialog);
        CentreOverFirstPage(dialog);
        return 1;
    case WM_COMMAND:
        if (job().current)
            job().current->cancelled = true;
        return 1;
    case kPrintProgressMessage:
        SetDlgItemTextA(dialog, kPrintProgressItem, progressText(int(w)).c_str());
        return 1;
    default:
        return 0;
    }
}

// Keeps the program answering while the printer works; false once the
// progress box cancelled the job.
BOOL abortProc(HDC, int)
{
    PrintJob* current = job().current;
    if (!current)
        return 1;
    MSG msg;
    while (!current->cancelled && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(int(msg.wParam));
            break;
        }
        if (!current->dialog || !IsDialogMessageA(current->dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return !current->cancelled;
}

HWND createProgressDialog()
{
    JxCResourceLocator found = FindResourceInLibraries(kPrintDialogName, RT_DIALOG);
    if (!found.GetResource())
        return nullptr;
    return CreateDialogParamA(found.GetModule(), kPrintDialogName, GetFocus(), &CALLBACK_ProgressProc, 0);
}

// a * b / c, rounded to the nearest.
int mulDiv(int a, int b, int c)
{
    const long long p = (long long)a * b;
    return int((p + (p >= 0 ? c / 2 : -c / 2)) / c);
}

// Draws the part of the DIB that falls into the band B of the destination D.
std::uint32_t drawBand(HDC printer, const RECT& d, const RECT& b, const JxDibBlock& dib)
{
    const auto* info = reinterpret_cast<const BITMAPINFO*>(dib.data());
    const std::uint8_t* bits = GetDibBits(dib.data());
    const std::int32_t w = GetDibWidth(dib.data());
    const std::int32_t h = GetDibHeight(dib.data());
    const double sx = double(d.right - d.left) / w;
    const double sy = double(d.bottom - d.top) / h;
    const RECT r{std::max(d.left, b.left), std::max(d.top, b.top), std::min(d.right, b.right),
                 std::min(d.bottom, b.bottom)};
    if (r.right <= r.left || r.bottom <= r.top || sx <= 0 || sy <= 0)
        return 0;
    const int x0 = int((r.left - d.left) / sx + 0.5);
    const int y0 = int((r.top - d.top) / sy + 0.5);
    const int x1 = int(x0 + (r.right - r.left) / sx + 0.5);
    const int y1 = int(y0 + (r.bottom - r.top) / sy + 0.5);
    std::uint32_t status = 0;
    if (x1 - x0 == r.right - r.left && y1 - y0 == r.bottom - r.top) {
        if (!SetDIBitsToDevice(printer, r.left, r.top, DWORD(r.right - r.left), DWORD(r.bottom - r.top), x0, h - y1,
                               0, UINT(h), bits, info, DIB_RGB_COLORS))
            status |= kPrintSetDIBitsFailed;
    } else if (!StretchDIBits(printer, r.left, r.top, r.right - r.left, r.bottom - r.top, x0, h - y1, x1 - x0,
                              y1 - y0, bits, info, DIB_RGB_COLORS, SRCCOPY)) {
        status |= kPrintStretchFailed;
    }
    HWND dialog = job().current ? job().current->dialog : nullptr;
    if (job().progress && dialog && d.bottom > 0)
        SendMessageA(dialog, kPrintProgressMessage, WPARAM(mulDiv(r.bottom, 100, d.bottom)), 0);
    return status;
}

// Runs the document once the printer and the progress box are there.
std::uint32_t runJob(HDC printer, const PrintJob& current, const JxDibBlock& dib, const RECT& place,
                     const char* documentName)
{
    std::uint32_t status = 0;
    if (SetAbortProc(printer, &abortProc) <= 0)
        return kPrintAbortProcFailed;
    DOCINFOA info;
    info.cbSize = 20;
    info.lpszDocName = documentName;
    if (StartDocA(printer, &info) <= 0)
        return kPrintStartDocFailed;
    if (StartPage(printer) <= 0) {
        status |= kPrintStartPageFailed;
    } else {
        status |= drawBand(printer, place, place, dib);
        if (EndPage(printer) <= 0)
            status |= kPrintEndPageFailed;
    }
    if (current.cancelled)
        AbortDoc(printer);
    else if (EndDoc(printer) <= 0)
        status |= kPrintEndDocFailed;
    return status;
}

// Tells the user which files the printed pages went to: the printer is a
// folder of pictures, not paper that comes out of a machine.
void tellWherePrinted(const std::vector<std::string>& files)
{
    std::string where;
    for (const std::string& file : files)
        where += (where.empty() ? "" : "\n") + AnsiFromHostName(file);
    const std::string form = LoadStringFromLibraries(kPrintedToFileId).value_or("The page was printed to %s.");
    const JxCString text = FormatMessageArgs(form.c_str(), JxMessageArg(where.c_str())).ToString();
    JxCBaseProduct* product = GetProduct();
    const char* title = product && product->GetProductData() ? product->GetProductData()->GetTitle() : "";
    MessageBoxA(nullptr, text.GetText() ? text.GetText() : "", title ? title : "",
                MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
}

HWND firstPageWindow()
{
    JxCBaseProduct* product = GetProduct();
    JxCPageObject* first = product ? product->GetFirstPage() : nullptr;
    return first ? first->GetWindow() : nullptr;
}

JxCTemplateDef* templateOf(const JxCPageObject& page)
{
    JxCBaseProduct* product = GetProduct();
    if (!product || !product->GetProductDef() || !page.GetPageDef())
        return nullptr;
    return product->GetProductDef()->FindTemplateDef(page.GetPageDef()->GetTemplateId());
}

JxCPanelDef* findPanelDef(JxCTemplateDef& tmpl, std::int16_t panelId)
{
    for (JxCPanelDef* def = tmpl.GetPanelDefs().GetFirst(); def; def = tmpl.GetPanelDefs().GetNext(def))
        if (def->GetPanelId() == panelId)
            return def;
    return nullptr;
}

// The union of the print panels' rectangles, or the page.
RECT outputRect(JxCPageObject& page, JxCTemplateDef& tmpl, const std::vector<std::int16_t>& printPanels)
{
    if (printPanels.empty()) {
        const JxCSize size = page.GetPageSize();
        return RECT{0, 0, size.cx, size.cy};
    }
    RECT out{};
    bool any = false;
    for (std::int16_t id : printPanels) {
        const JxCPanelDef* def = findPanelDef(tmpl, id);
        if (!def)
            continue;
        const RECT r{def->position.x, def->position.y, def->position.x + def->size.cx, def->position.y + def->size.cy};
        if (r.right <= r.left || r.bottom <= r.top)
            continue;
        out = any ? RECT{std::min(out.left, r.left), std::min(out.top, r.top), std::max(out.right, r.right),
                         std::max(out.bottom, r.bottom)}
                  : r;
        any = true;
    }
    return out;
}

void drawPanel(JxCPanelObject& panel, JxCSlate& slate)
{
    if (!panel.UsesOwnOrigin()) {
        panel.DrawForOutput(slate);
        return;
    }
    const JxCPoint offset = panel.GetScrollOffset();
    slate.OffsetOrigin(offset.x, offset.y);
    panel.DrawForOutput(slate);
    slate.OffsetOrigin(-offset.x, -offset.y);
}

// A copy of the product palette for the clipboard; null without one.
HPALETTE copyProductPalette()
{
    HPALETTE product = GetProductPalette();
    WORD count = 0;
    if (!product || !GetObject(product, sizeof count, &count) || count == 0)
        return nullptr;
    LOGPALETTE copy;
    copy.palNumEntries = std::min<WORD>(count, 256);
    GetPaletteEntries(product, 0, copy.palNumEntries, copy.palPalEntry);
    return CreatePalette(&copy);
}

}  // namespace

PRINTDLGA& GetPrintSettings()
{
    return job().settings;
}

void ClearPrintSettings()
{
    job().settings = PRINTDLGA{};
}

bool IsPrintCancelled()
{
    return job().lastCancelled;
}

bool IsPrintOrCopyRunning()
{
    return job().busy;
}

void SetSecondPrintText(const char* text)
{
    job().secondText = text ? text : "";
}

JxObjectRef RenderPageForOutput(JxCPageObject* page)
{
    JxCTemplateDef* tmpl = page ? templateOf(*page) : nullptr;
    if (!tmpl)
        return {};
    const std::vector<std::int16_t> printPanels = page->GetPrintPanelIds();
    const RECT area = outputRect(*page, *tmpl, printPanels);
    if (area.right <= area.left || area.bottom <= area.top)
        return {};
    JxCMemorySlate slate(area.right - area.left, area.bottom - area.top, area.left, area.top);
    if (!slate.HasBitmap() || !slate.GetHDC())
        return {};
    JxCPanelObjectList* panels = page->GetPanelList();
    if (panels && !printPanels.empty()) {
        for (std::int16_t id : printPanels)
            if (JxCPanelObject* panel = panels->FindById(id))
                panel->DrawForOutput(slate);
    } else if (panels) {
        for (JxCPanelDef* def = tmpl->GetPanelDefs().GetFirst(); def; def = tmpl->GetPanelDefs().GetNext(def))
            if (JxCPanelObject* panel = panels->FindById(def->GetPanelId()))
                drawPanel(*panel, slate);
    }
    JxObjectRef bitmap = slate.GetBitmap();
    slate.ReleaseOwnership();
    return bitmap;
}

JxDibBlock ConvertBitmapToPackedDib(const JxObjectRef& bitmap)
{
    const std::int32_t width = GetBitmapWidth(bitmap);
    const std::int32_t height = GetBitmapHeight(bitmap);
    if (!bitmap.Get() || width <= 0 || height <= 0)
        return {};
    JxCMemorySlate slate(bitmap);
    JxDibBlock dib;
    if (slate.GetHDC())
        dib = GrabDibFromDC(slate.GetHDC(), RECT{0, 0, width, height}, GetProductPalette(), 8, BI_RGB, DIB_RGB_COLORS);
    if (dib.empty())
        ReportErrorOk(kDibCannotLockId);
    return dib;
}

RECT PrintPlacement(HDC printer, const RECT& rect, std::int16_t mode, std::int32_t width, std::int32_t height)
{
    const int horz = GetDeviceCaps(printer, HORZRES);
    const int vert = GetDeviceCaps(printer, VERTRES);
    if (mode == kPrintFullPage)
        return RECT{0, 0, horz, vert};
    if (width <= 0 || height <= 0)
        return RECT{rect.left, rect.top, rect.left, rect.top};
    const int printableWidth = horz - rect.left;
    const int printableHeight = vert - rect.top;
    int w = int(printableWidth * double(width) / 640.0);
    int h = int(w * double(height) / width);
    if (h > printableHeight) {
        h = int(printableHeight * double(height) / 520.0);
        w = int(h * double(width) / height);
    }
    // Pictures taller than 520 pixels would still run off the page.
    if (h > printableHeight) {
        h = printableHeight;
        w = int(h * double(width) / height);
    }
    const int left = std::max(0, (horz - w) / 2);
    return RECT{left, rect.top, left + w, rect.top + h};
}

HDC GetPrinterDC()
{
    PRINTDLGA& pd = GetPrintSettings();
    pd.Flags = PD_RETURNDC;
    if (pd.hDevMode && pd.hDevNames)
        return CreateDCA(pd.hDevNames->driver.c_str(), pd.hDevNames->device.c_str(), pd.hDevNames->output.c_str(),
                         pd.hDevMode.get());
    pd.hDevMode.reset();
    pd.hDevNames.reset();
    pd.Flags |= PD_RETURNDEFAULT;
    return PrintDlgA(&pd) ? pd.hDC : nullptr;
}

std::uint32_t PrintDib(const JxDibBlock& dib, const RECT& rect, std::int16_t mode, std::int16_t,
                       const char* documentName)
{
    if (!CheckPackedDib(dib))
        return kPrintStretchFailed;
    HDC printer = GetPrinterDC();
    if (!printer) {
        ReportErrorOk(kNoPrinterId);
        return kPrintNoPrinter;
    }
    // The platform's stretching drops rows and columns without blending
    // them, as the colour-on-colour stretch mode does.
    const RECT place = PrintPlacement(printer, rect, mode, GetDibWidth(dib.data()), GetDibHeight(dib.data()));
    PrintJob current;
    PrintJob* outer = std::exchange(job().current, &current);
    current.dialog = createProgressDialog();
    const std::uint32_t status = runJob(printer, current, dib, place, documentName ? documentName : "");
    if (current.dialog)
        DestroyWindow(current.dialog);
    job().current = outer;
    job().lastCancelled = current.cancelled;
    const std::vector<std::string> files = status == 0 && !current.cancelled ? PrintedFiles(printer)
                                                                           : std::vector<std::string>();
    DeleteDC(printer);
    if (!files.empty())
        tellWherePrinted(files);
    return status;
}

std::int16_t PrintPageBitmap(const JxObjectRef& bitmap, std::int16_t, const char* text, std::int16_t stampFlag,
                             std::int16_t fullPage)
{
    OutputScope scope;
    if (scope.Refused())
        return 0;
    const bool own = !text || !*text;
    const std::string first = own ? libraryString(kStampFirstTextId) : text;
    const std::string second = own ? libraryString(kStampSecondTextId) : job().secondText;
    if (!bitmap.Get())
        return 0;
    JxObjectRef stamped;
    if (stampFlag) {
        stamped = StampTextOnBitmap(bitmap, first.c_str(), second.c_str());
        if (!stamped.Get())
            return 0;
    }
    const JxObjectRef& picture = stampFlag ? stamped : bitmap;
    JxDibBlock dib = ConvertBitmapToPackedDib(picture);
    const std::int32_t width = GetBitmapWidth(picture);
    const std::int32_t height = GetBitmapHeight(picture);
    if (stamped.Get())
        DeleteBitmapRecord(stamped);
    if (dib.empty() || width <= 0 || height <= 0)
        return 0;
    JxCBaseProduct* product = GetProduct();
    const char* title = product && product->GetProductData() ? product->GetProductData()->GetTitle() : "";
    const std::uint32_t status =
        PrintDib(dib, RECT{0, 0, width, height}, fullPage ? kPrintFullPage : kPrintPageWidth, 0, title);
    return status == 0 && !job().lastCancelled ? 1 : 0;
}

std::int16_t PrintPage(JxCPageObject* page, const char* text)
{
    if (IsPrintOrCopyRunning())
        return 0;
    JxObjectRef bitmap = RenderPageForOutput(page);
    if (!bitmap.Get())
        return 0;
    const std::int16_t printed = PrintPageBitmap(bitmap, 1, text, 1, 0);
    DeleteBitmapRecord(bitmap);
    return printed;
}

std::int16_t PrinterSetupDialog()
{
    PRINTDLGA& pd = GetPrintSettings();
    pd.Flags = PD_PRINTSETUP;
    pd.hwndOwner = firstPageWindow();
    if (PrintDlgA(&pd))
        return 1;
    const DWORD error = CommDlgExtendedError();
    if (error >= 4097 && error <= 4108)
        ReportErrorOk(kPrinterSetupFailedId);
    return 0;
}

std::int16_t CopyPageToClipboard(JxCPageObject* page)
{
    OutputScope scope;
    if (scope.Refused())
        return 0;
    JxObjectRef bitmap = RenderPageForOutput(page);
    if (!bitmap.Get())
        return 0;
    JxObjectRef stamped = StampResourceTextOnBitmap(bitmap);
    DeleteBitmapRecord(bitmap);
    if (!stamped.Get())
        return 0;
    JxDibBlock dib = ConvertBitmapToPackedDib(stamped);
    DeleteBitmapRecord(stamped);
    if (dib.empty())
        return 0;
    HPALETTE palette = copyProductPalette();
    if (!OpenClipboard(firstPageWindow())) {
        if (palette)
            DeleteObject(palette);
        return 0;
    }
    EmptyClipboard();
    SetClipboardDib(std::move(dib));
    if (palette)
        SetClipboardPalette(palette);
    CloseClipboard();
    return 1;
}
