#include "platform/print/printer.h"

#include <png.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "platform/draw/brush.h"
#include "platform/draw/dc.h"
#include "platform/draw/paint.h"
#include "platform/draw/surface.h"
#include "platform/fs/atomic_file.h"
#include "platform/fs/user_dirs.h"

namespace plat {

namespace {

struct PrintJob {
    ABORTPROC abort = nullptr;
    bool inDocument = false;
    bool inPage = false;
    std::string document;
    std::vector<std::string> pages;  // encoded PNG files
    std::vector<std::string> written;  // the host files of the last EndDoc
};

int& jobCounter()
{
    static int n = 0;
    return n;
}

std::string& documentsOverride()
{
    static std::string path;
    return path;
}

PrintPageObserver& pageObserver()
{
    static PrintPageObserver observer;
    return observer;
}

PrintJob* jobOf(HDC hdc)
{
    DeviceContext* dc = LiveDC(hdc);
    return dc && dc->printJob ? static_cast<PrintJob*>(dc->printJob.get()) : nullptr;
}

void appendBytes(png_structp png, png_bytep data, png_size_t size)
{
    auto* out = static_cast<std::string*>(png_get_io_ptr(png));
    out->append(reinterpret_cast<const char*>(data), size);
}

void flushNothing(png_structp) {}

// The page as an RGB PNG; empty when the encoder fails.
std::string encodePage(const BitmapObject& page)
{
    std::string out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    std::vector<png_byte> row(std::size_t(page.width) * 3);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, appendBytes, flushNothing);
    png_set_IHDR(png, info, png_uint_32(page.width), png_uint_32(page.height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    const png_uint_32 dotsPerMetre = png_uint_32(kPrinterPixelsPerInch * 10000 / 254);
    png_set_pHYs(png, info, dotsPerMetre, dotsPerMetre, PNG_RESOLUTION_METER);
    png_write_info(png, info);
    for (int y = 0; y < page.height; ++y) {
        const BYTE* src = page.row(y);
        for (int x = 0; x < page.width; ++x) {
            row[std::size_t(x) * 3 + 0] = src[x * 4 + 2];
            row[std::size_t(x) * 3 + 1] = src[x * 4 + 1];
            row[std::size_t(x) * 3 + 2] = src[x * 4 + 0];
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

// A file name of the document's name without what a host file name cannot
// hold.
std::string fileBase(const std::string& document)
{
    std::string base;
    for (char c : document)
        base += (c == '/' || c == '\\' || c == ':' || (unsigned char)c < 32) ? '_' : c;
    return base.empty() ? std::string("Printed page") : base;
}

}  // namespace

std::string DocumentsFolderHost()
{
    if (!documentsOverride().empty())
        return documentsOverride();
    if (const char* xdg = std::getenv("XDG_DOCUMENTS_DIR"); xdg && *xdg)
        return xdg;
    if (std::optional<std::string> named = UserDir("XDG_DOCUMENTS_DIR"))
        return *named;
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : ".") + "/Documents";
}

void SetDocumentsFolderHost(const std::string& hostPath)
{
    documentsOverride() = hostPath;
}

void SetPrintPageObserver(PrintPageObserver observer)
{
    pageObserver() = std::move(observer);
}

HDC CreatePrinterDC(const DEVNAMES& names, const DEVMODEA& mode)
{
    if (names.device != DefaultPrinterNames().device)
        return nullptr;
    const bool landscape = mode.dmOrientation == DMORIENT_LANDSCAPE;
    BITMAPINFO info{};
    info.bmiHeader.biWidth = landscape ? kA4HeightPixels : kA4WidthPixels;
    info.bmiHeader.biHeight = -(landscape ? kA4WidthPixels : kA4HeightPixels);
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP page = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits);
    if (!page)
        return nullptr;
    HDC hdc = CreateCompatibleDC(nullptr);
    SelectObject(hdc, page);
    // The page goes with the DC: deleted once the DC lets go of it.
    DeleteObject(page);
    LiveDC(hdc)->printJob = std::make_shared<PrintJob>();
    return hdc;
}

HDC CreateDCA(const char* driver, const char* device, const char* output, const DEVMODEA* mode)
{
    DEVNAMES names{driver ? driver : "", device ? device : "", output ? output : ""};
    return CreatePrinterDC(names, mode ? *mode : DEVMODEA{});
}

bool IsPrinterDC(HDC hdc)
{
    return jobOf(hdc) != nullptr;
}

int SetAbortProc(HDC hdc, ABORTPROC proc)
{
    PrintJob* job = jobOf(hdc);
    if (!job)
        return SP_ERROR;
    job->abort = proc;
    return 1;
}

int StartDocA(HDC hdc, const DOCINFOA* info)
{
    PrintJob* job = jobOf(hdc);
    if (!job || job->inDocument)
        return SP_ERROR;
    job->inDocument = true;
    job->pages.clear();
    job->written.clear();
    job->document = info && info->lpszDocName ? info->lpszDocName : "";
    return ++jobCounter();
}

int StartPage(HDC hdc)
{
    PrintJob* job = jobOf(hdc);
    if (!job || !job->inDocument || job->inPage)
        return SP_ERROR;
    job->inPage = true;
    DeviceContext* dc = LiveDC(hdc);
    RECT all{0, 0, dc->bitmap->width, dc->bitmap->height};
    FillRect(hdc, &all, HBRUSH(GetStockObject(WHITE_BRUSH)));
    return 1;
}

int EndPage(HDC hdc)
{
    PrintJob* job = jobOf(hdc);
    if (!job || !job->inPage)
        return SP_ERROR;
    job->inPage = false;
    const bool goOn = !job->abort || job->abort(hdc, 0);
    int result = SP_APPABORT;
    if (goOn) {
        std::string png = encodePage(*LiveDC(hdc)->bitmap);
        result = png.empty() ? SP_ERROR : 1;
        if (!png.empty())
            job->pages.push_back(std::move(png));
    }
    if (pageObserver())
        pageObserver()(hdc, int(job->pages.size()));
    return result;
}

int EndDoc(HDC hdc)
{
    PrintJob* job = jobOf(hdc);
    if (!job || !job->inDocument || job->inPage)
        return SP_ERROR;
    job->inDocument = false;
    const std::string folder = DocumentsFolderHost();
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    // A new name for every job: earlier prints of the document stay.
    const std::string base = folder + "/" + fileBase(job->document);
    std::string stem = base;
    for (int n = 2; std::filesystem::exists(stem + " - page 1.png", ignored); ++n)
        stem = base + " (" + std::to_string(n) + ")";
    int result = 1;
    job->written.clear();
    for (std::size_t i = 0; i < job->pages.size() && result > 0; ++i) {
        const std::string file = stem + " - page " + std::to_string(i + 1) + ".png";
        if (WriteFileAtomically(file, job->pages[i]) != 0)
            result = SP_ERROR;
        else
            job->written.push_back(file);
    }
    job->pages.clear();
    return result;
}

std::vector<std::string> PrintedFiles(HDC hdc)
{
    PrintJob* job = jobOf(hdc);
    return job ? job->written : std::vector<std::string>();
}

int AbortDoc(HDC hdc)
{
    PrintJob* job = jobOf(hdc);
    if (!job || !job->inDocument)
        return SP_ERROR;
    *job = PrintJob{};
    return 1;
}

}  // namespace plat
