#include "runtime/JxCProductDef.h"

#include <memory>

#include "foundation/JxCInStrStream.h"
#include "foundation/JxErrorReport.h"
#include "foundation/JxStartupSettings.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxKeywordTables.h"

namespace {

// A u16 held as 32 bits.
bool readWord32(JxCInStrStream& in, std::int32_t& value)
{
    std::uint16_t word = 0;
    if (!in.ReadBigEndian16(word))
        return false;
    value = word;
    return true;
}

bool readWord(JxCInStrStream& in, std::int16_t& value)
{
    return bool(in.ReadBigEndian16(value));
}

// A count of u16 panel ids, then the ids. The count is bounded by the bytes
// left, so a damaged count cannot ask for more than the record holds.
bool readPanelIds(JxCInStrStream& in, JxCPanelIdList& ids)
{
    std::int32_t count = 0;
    if (!readWord32(in, count) || std::uint32_t(count) > in.Remaining() / 2)
        return false;
    ids.reserve(std::size_t(count));
    for (std::int32_t i = 0; i < count; ++i) {
        std::int32_t id = 0;
        if (!readWord32(in, id))
            return false;
        ids.push_back(id);
    }
    return true;
}

// A u16 count, then that many records appended to the owning list; the
// first that fails ends the reading (it is not appended; those before stay).
template <class T>
bool readRecords(JxCInStrStream& in, JxCTypedList<T>& list)
{
    std::int32_t count = 0;
    if (!readWord32(in, count))
        return false;
    for (std::int32_t i = 0; i < count; ++i) {
        auto record = std::make_unique<T>();
        if (!record->Read(in))
            return false;
        list.Add(record.release());
    }
    return true;
}

}  // namespace

std::int16_t JxCPanelDef::Read(JxCInStrStream& in)
{
    std::int32_t id = 0;
    if (!in.ReadPanelTypeId(panelType_) || !readWord32(in, id) || !readWord(in, present_))
        return 0;
    panelId_ = std::int16_t(id);
    if (present_ && !in.ReadBigEndian32(recordIndex_))
        return 0;
    return in.ReadRGB(colour).ReadBigEndian16Pair(size).ReadBigEndianPoint(position) ? 1 : 0;
}

bool JxCPanelDef::operator==(const JxCPanelDef& other) const
{
    return panelType_ == other.panelType_ && recordIndex_ == other.recordIndex_ && panelId_ == other.panelId_ &&
           colour == other.colour && position == other.position && size.cx == other.size.cx &&
           size.cy == other.size.cy;
}

std::int16_t JxCTemplateDef::Read(JxCInStrStream& in)
{
    std::int32_t id = 0;
    if (!in.ReadPageTypeId(pageType_) || !readWord32(in, id) || !readWord(in, anchorPresent_))
        return 0;
    templateId_ = std::int16_t(id);
    if (anchorPresent_ && !(readWord32(in, anchorTemplateId_) && readWord32(in, anchorPanelId_)))
        return 0;
    if (!readWord(in, placement_) || !in.ReadBigEndian16Pair(size_) || !readWord(in, offsetPresent_))
        return 0;
    if (offsetPresent_ && !in.ReadBigEndianPoint(offset_))
        return 0;
    if (!readWord(in, frameStyle_) || !readWord32(in, frameInset_))
        return 0;
    for (std::int16_t* word : {&modal_, &link_, &keepOpen_, &openMode_, &parameter1_, &parameter2_})
        if (!readWord(in, *word))
            return 0;
    if (!readWord(in, centring_) || !readWord32(in, captionHeight_) || !readWord(in, reuse_) ||
        !readWord(in, wordD_) || !readWord(in, areaPresent_))
        return 0;
    if (areaPresent_ && !in.ReadBigEndianRect(area_))
        return 0;
    if (!readPanelIds(in, ownerPanels_) || !readPanelIds(in, printPanels_))
        return 0;

    return readRecords(in, panels_) ? handlers_.Read(in, nullptr) : 0;
}

JxCPanelDef* JxCTemplateDef::FindPanelDef(std::int16_t panelId)
{
    for (JxCPanelDef* def = panels_.GetFirst(); def; def = panels_.GetNext(def))
        if (def->GetPanelId() == panelId)
            return def;
    return nullptr;
}

std::int16_t JxCProductDef::Load(JxCInStrStream& in)
{
    dataPath_ = GetDataPathString();
    storeName_ = GetMungeStoreName();
    if (!ReadTableString(in, name_) || !in.ReadBigEndian16Pair(size_) || !ReadTableString(in, labelA_) ||
        !ReadTableString(in, labelB_) || !in.ReadRGB(colour_) || !readWord(in, popupClose_))
        return 0;
    // No application scope is registered: the record holds no scope data.
    if (!readWord32(in, transparentIndex_))
        return 0;
    std::uint32_t count = 0;
    if (!in.ReadBigEndian32(count) || count > in.Remaining() / 4)
        return 0;
    startPages_.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        std::int32_t page = 0;
        if (!in.ReadBigEndian32(page))
            return 0;
        startPages_.push_back(page);
    }

    return readRecords(in, templates_) ? GetEventHandlers().Read(in, this) : 0;
}

JxCTemplateDef* JxCProductDef::FindTemplateDef(std::int16_t templateId)
{
    for (JxCTemplateDef* def = templates_.GetFirst(); def; def = templates_.GetNext(def))
        if (def->GetTemplateId() == templateId)
            return def;
    OhNoItsAnError(kNoTemplateId, templateId);
    return nullptr;
}

JxCPageTypeId JxCProductDef::GetTemplatePageType(std::int16_t templateId)
{
    if (JxCTemplateDef* def = FindTemplateDef(templateId))
        return def->GetPageType();
    return PageTypeId(JxPageKeyword::NULL_PAGE);
}

JxCPanelDef* JxCProductDef::FindPanelDef(std::int16_t templateId, std::int16_t panelId, std::int16_t report)
{
    JxCTemplateDef* templateDef = FindTemplateDef(templateId);
    if (!templateDef)
        return nullptr;
    JxCPanelDef* def = templateDef->FindPanelDef(panelId);
    if (!def && report)
        OhNoItsAnError(kNoPanelDefId, panelId, templateId);
    return def;
}

JxCEventHandlerList* JxCProductDef::GetTemplateHandlers(std::int16_t templateId)
{
    // Asked on every event: a page without a template has no handlers
    // there, which is no error to report.
    for (JxCTemplateDef* def = templates_.GetFirst(); def; def = templates_.GetNext(def))
        if (def->GetTemplateId() == templateId)
            return &def->GetEventHandlers();
    return nullptr;
}

std::int32_t JxCProductDef::GetStartPage()
{
    if (startIndex_ >= 1 && std::size_t(startIndex_) <= startPages_.size())
        return startPages_[std::size_t(startIndex_ - 1)];
    startIndex_ = 1;
    // An empty list is the caller's error (the start checks it), not a read
    // past the end.
    return startPages_.empty() ? 0 : startPages_.front();
}
