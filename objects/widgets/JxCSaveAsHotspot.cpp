#include "objects/widgets/JxCSaveAsHotspot.h"

#include "events/JxProperties.h"
#include "foundation/JxCInStrStream.h"
#include "foundation/JxErrorReport.h"
#include "foundation/JxFileDialogs.h"
#include "foundation/JxFileUtils.h"
#include "foundation/JxStartupSettings.h"
#include "platform/fs/files.h"
#include "platform/fs/paths.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCPageObject.h"

namespace {

// Marks the product busy for as long as it lives.
class BusyMark {
public:
    BusyMark()
    {
        if (JxCBaseProduct* product = GetProduct())
            product->MarkBusy();
    }
    ~BusyMark()
    {
        if (JxCBaseProduct* product = GetProduct())
            product->MarkIdle();
    }
    BusyMark(const BusyMark&) = delete;
    BusyMark& operator=(const BusyMark&) = delete;
};

plat::HWND currentPageWindow()
{
    JxCBaseProduct* product = GetProduct();
    JxCPageObject* page = product ? product->GetCurrentPage() : nullptr;
    return page ? page->GetWindow() : nullptr;
}

std::string hostPathOf(const JxCString& windowsPath)
{
    const plat::HostPath resolved = plat::ResolveHostPath(windowsPath.View());
    return resolved.error == 0 ? resolved.host : std::string();
}

}  // namespace

JxCSaveAsHotspot::JxCSaveAsHotspot() = default;

std::int16_t JxCSaveAsHotspot::Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type)
{
    // The hotspot's record: a save-as hotspot has no rollover fields.
    if (!JxCHotspot::Read(in, container, type))
        return 0;
    for (JxCString* field :
         {&source_, &dialogTitle_, &target_, &spare_, &defaultExtension_, &initialFolder_, &filter_})
        if (!in.ReadCountedString(*field))
            return 0;
    return 1;
}

// --- Properties ----------------------------------------------------------------

JxPropertyKind JxCSaveAsHotspot::GetPropertyInfo(std::int16_t index, std::int32_t* stringId)
{
    if (index == kPropSourceFile || index == kPropDialogTitle) {
        if (stringId)
            *stringId = PropertyNameId(index);
        return JxPropertyKind::String;
    }
    return JxCRollOverHotspot::GetPropertyInfo(index, stringId);
}

std::int16_t JxCSaveAsHotspot::GetStringProperty(std::int16_t index, JxCString* text)
{
    if (index != kPropSourceFile && index != kPropDialogTitle)
        return JxCRollOverHotspot::GetStringProperty(index, text);
    if (!text)
        return kPropertyNoPlace;
    *text = index == kPropSourceFile ? source_ : dialogTitle_;
    return kPropertyOk;
}

std::int16_t JxCSaveAsHotspot::SetStringProperty(std::int16_t index, const JxCString& text)
{
    if (index != kPropSourceFile && index != kPropDialogTitle)
        return JxCRollOverHotspot::SetStringProperty(index, text);
    (index == kPropSourceFile ? source_ : dialogTitle_) = text;
    return kPropertyOk;
}

// --- Saving --------------------------------------------------------------------

bool JxCSaveAsHotspot::askForTarget()
{
    return ShowSaveFileDialog(currentPageWindow(), target_, std::string(dialogTitle_.View()).c_str(),
                              std::string(defaultExtension_.View()).c_str(),
                              std::string(initialFolder_.View()).c_str(), std::string(filter_.View()).c_str());
}

bool JxCSaveAsHotspot::targetIsSource(const JxCString& sourcePath) const
{
    const std::string source = hostPathOf(sourcePath);
    return !source.empty() && source == hostPathOf(target_);
}

JxCSaveAsHotspot::CopyResult JxCSaveAsHotspot::copyTo(plat::HFILE source)
{
    std::uint32_t error = 0;
    plat::HFILE target = OpenFileWithRetry(target_, plat::OF_CREATE | plat::OF_WRITE, &error);
    if (target == plat::HFILE_ERROR)
        return CopyResult::NotCreated;
    SeekFile(source, 0, plat::FILE_BEGIN);
    const bool copied = CopyInBlocks(
        [&](void* buffer, std::uint32_t count) { return ReadFileBlock(source, buffer, count, &error); },
        [&](const void* buffer, std::uint32_t count) { return WriteFileBlock(target, buffer, count, &error); },
        target_);
    // The copy takes the target's name only whole: a source that could not
    // be read or a short write leaves no half copy.
    if (!copied) {
        plat::DiscardFile(target);
        return CopyResult::Failed;
    }
    if (plat::_lclose(target) == plat::HFILE_ERROR) {
        ReportErrorOk(kWriteFailedId, target_);
        return CopyResult::Failed;
    }
    return CopyResult::Copied;
}

std::int16_t JxCSaveAsHotspot::SaveAs()
{
    if (source_.GetLength() == 0 || defaultExtension_.GetLength() == 0) {
        OhNoItsAnError(kTemporaryErrorId, "Invalid Action parameters in JxCFileSaveAsAction::Create");
        return 0;
    }
    // Stored page records carry no folder text of their own, so the source
    // lies in the data folder itself.
    JxCString sourcePath = GetDataPathString();
    sourcePath += "\\";
    sourcePath += source_;
    std::uint32_t error = 0;
    const plat::HFILE source = OpenFileWithRetry(sourcePath, plat::OF_READ | plat::OF_SHARE_DENY_WRITE, &error);
    if (source == plat::HFILE_ERROR)
        return 0;
    target_ = source_;
    bool confirmed = askForTarget();
    CopyResult result = CopyResult::NotCreated;
    {
        BusyMark busy;
        while (confirmed && result == CopyResult::NotCreated) {
            if (!targetIsSource(sourcePath))
                result = copyTo(source);
            if (result == CopyResult::NotCreated)
                confirmed = askForTarget();
        }
    }
    CloseFile(source);
    if (result == CopyResult::Failed)
        ReportErrorOk(kSaveFailedId);
    return result == CopyResult::Copied ? 1 : 0;
}
