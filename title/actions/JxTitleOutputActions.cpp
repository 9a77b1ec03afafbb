#include "title/actions/JxTitleOutputActions.h"

#include "events/JxCRunTimeObject.h"
#include "foundation/JxCInStrStream.h"
#include "graphics/JxBitmapLoaders.h"
#include "platform/draw/gdiobject.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxKeywordTables.h"
#include "runtime/JxPrinting.h"
#include "title/JxCProductData.h"

namespace {

// The page the options pop-up was opened over, while it is open; else the
// current page.
JxCPageObject* optionsSubject(JxCBaseProduct& product)
{
    const JxCProductData* data = GetTitleData();
    JxCPageObject* stored = data ? data->GetBroughtForwardPage() : nullptr;
    if (stored && product.HasPage(stored))
        return stored;
    return product.GetCurrentPage();
}

}  // namespace

JxCGavoOptionsAction::JxCGavoOptionsAction()
{
    SetType(ActionTypeId(JxActionKeyword::GAVOOPTION));
    SetResourceKind(ResourceTypeId(JxResourceKind::None));
}

JxCGavoOptionsAction& JxCGavoOptionsAction::operator=(const JxCGavoOptionsAction& other)
{
    if (this != &other) {
        code_ = other.code_;
        SetOwner(other.GetOwner());
    }
    return *this;
}

std::int16_t JxCGavoOptionsAction::Read(JxCInStrStream& in, JxCRunTimeObject* owner)
{
    SetOwner(owner);
    std::uint16_t code = 0;
    if (!in.ReadBigEndian16(code))
        return 0;
    code_ = code;
    return 1;
}

std::int16_t JxCGavoOptionsAction::Execute()
{
    JxCBaseProduct* product = GetProduct();
    if (!product)
        return 1;
    switch (code_) {
    case kCopy:
        if (JxCPageObject* page = optionsSubject(*product); page && product->HasPage(page))
            CopyPageToClipboard(page);
        break;
    case kPrint:
        if (JxCPageObject* page = optionsSubject(*product); page && product->HasPage(page))
            PrintPage(page, "");
        break;
    case kPrinterSetup:
        PrinterSetupDialog();
        break;
    default:
        break;
    }
    return 1;
}

JxCGv2PrintFileAction::JxCGv2PrintFileAction()
{
    SetType(ActionTypeId(JxActionKeyword::PRINTFILE));
    SetResourceKind(ResourceTypeId(JxResourceKind::None));
}

std::int16_t JxCGv2PrintFileAction::Read(JxCInStrStream& in, JxCRunTimeObject* owner)
{
    SetOwner(owner);
    return in.ReadCountedString(fileName_) ? 1 : 0;
}

std::int16_t JxCGv2PrintFileAction::Execute()
{
    JxCString path;
    if (JxCRunTimeObject* owner = GetOwner())
        path = owner->GetDataPath();
    path += fileName_;
    const JxObjectRef bitmap = LoadBitmapFile(path.GetText());
    if (!bitmap.Get())
        return 0;
    PrintPageBitmap(bitmap, 0, "", 0, 0);
    plat::DeleteObject(bitmap.Get());
    return 1;
}
