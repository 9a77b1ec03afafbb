#include "testkit/product_data.h"

#include <stdexcept>

#include "foundation/JxCTableString.h"
#include "runtime/JxKeywordTables.h"
#include "testkit/big_endian.h"

namespace testkit {

namespace {

void putCounted(std::vector<std::uint8_t>& out, const std::string& text)
{
    PutBigEndian16(out, std::uint16_t(text.size()));
    out.insert(out.end(), text.begin(), text.end());
}

std::uint16_t pageTypeId(const std::string& keyword)
{
    return KeywordId(&FindPageTypeId, "page type", keyword);
}

std::uint16_t panelTypeId(const std::string& keyword)
{
    return KeywordId(&FindPanelTypeId, "panel type", keyword);
}

void writeHandlers(RecordWriter& w, const std::vector<HandlerRecord>& handlers)
{
    const std::vector<std::uint8_t> bytes = HandlerListBytes(handlers);
    w.bytes.insert(w.bytes.end(), bytes.begin(), bytes.end());
}

}  // namespace

std::vector<std::uint8_t> VersionBytes(const VersionRecord& r)
{
    std::vector<std::uint8_t> out;
    for (const std::string* s : {&r.productCode, &r.softwareVersion, &r.third, &r.fourth, &r.countryCode, &r.line1,
                                 &r.line2})
        putCounted(out, *s);
    return out;
}

void RecordWriter::u16(std::uint16_t v)
{
    PutBigEndian16(bytes, v);
}

void RecordWriter::u32(std::uint32_t v)
{
    PutBigEndian32(bytes, v);
}

void RecordWriter::text(const std::string& text)
{
    u16(text.empty() ? 0 : file_->Intern(text));
}

PanelDefBuilder& PanelDefBuilder::colour(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    rgb[0] = r, rgb[1] = g, rgb[2] = b;
    return *this;
}

PanelDefBuilder& PanelDefBuilder::at(std::int16_t px, std::int16_t py)
{
    x = px, y = py;
    return *this;
}

PanelDefBuilder& PanelDefBuilder::size(std::int16_t w, std::int16_t h)
{
    width = w, height = h;
    return *this;
}

PanelDefBuilder& PanelDefBuilder::stored(std::uint32_t recordIndex)
{
    record = recordIndex;
    return *this;
}

void PanelDefBuilder::Write(RecordWriter& w) const
{
    w.u16(panelTypeId(type));
    w.u16(id);
    w.u16(record ? 1 : 0);
    if (record)
        w.u32(*record);
    for (std::uint8_t c : rgb)
        w.u8(c);
    w.u16(std::uint16_t(width));
    w.u16(std::uint16_t(height));
    w.u16(std::uint16_t(x));
    w.u16(std::uint16_t(y));
}

PanelDefBuilder& TemplateBuilder::panel(std::uint16_t panelId, std::string typeKeyword)
{
    PanelDefBuilder& p = panels.emplace_back();
    p.id = panelId;
    p.type = std::move(typeKeyword);
    return p;
}

TemplateBuilder& TemplateBuilder::size(std::int16_t w, std::int16_t h)
{
    width = w, height = h;
    return *this;
}

TemplateBuilder& TemplateBuilder::anchor(std::uint16_t templateId, std::uint16_t panelId)
{
    anchorIds = {templateId, panelId};
    return *this;
}

TemplateBuilder& TemplateBuilder::offset(std::int16_t x, std::int16_t y)
{
    offsetPoint = {x, y};
    return *this;
}

TemplateBuilder& TemplateBuilder::area(std::int16_t left, std::int16_t top, std::int16_t w, std::int16_t h)
{
    areaRect = std::vector<std::int16_t>{left, top, w, h};
    return *this;
}

TemplateBuilder& TemplateBuilder::frame(std::uint16_t style, std::uint16_t inset)
{
    frameStyle = style, frameInset = inset;
    return *this;
}

TemplateBuilder& TemplateBuilder::reuse()
{
    reuseWord = 1;
    return *this;
}

TemplateBuilder& TemplateBuilder::ownerPanels(std::vector<std::uint16_t> ids)
{
    owners = std::move(ids);
    return *this;
}

TemplateBuilder& TemplateBuilder::printPanels(std::vector<std::uint16_t> ids)
{
    prints = std::move(ids);
    return *this;
}

TemplateBuilder& TemplateBuilder::on(std::string event, std::vector<ActionRecord> actions)
{
    handlers.push_back({std::move(event), std::move(actions)});
    return *this;
}

void TemplateBuilder::Write(RecordWriter& w) const
{
    w.u16(pageTypeId(pageType));
    w.u16(id);
    w.u16(anchorIds ? 1 : 0);
    if (anchorIds) {
        w.u16(anchorIds->first);
        w.u16(anchorIds->second);
    }
    w.u16(placement);
    w.u16(std::uint16_t(width));
    w.u16(std::uint16_t(height));
    w.u16(offsetPoint ? 1 : 0);
    if (offsetPoint) {
        w.u16(std::uint16_t(offsetPoint->first));
        w.u16(std::uint16_t(offsetPoint->second));
    }
    w.u16(frameStyle);
    w.u16(frameInset);
    for (std::uint16_t word : pageWords)
        w.u16(word);
    w.u16(centring);
    w.u16(captionHeight);
    w.u16(reuseWord);
    w.u16(0);  // word D
    w.u16(areaRect ? 1 : 0);
    if (areaRect)
        for (std::int16_t v : *areaRect)
            w.u16(std::uint16_t(v));
    for (const auto* ids : {&owners, &prints}) {
        w.u16(std::uint16_t(ids->size()));
        for (std::uint16_t panelId : *ids)
            w.u16(panelId);
    }
    w.u16(std::uint16_t(panels.size()));
    for (const PanelDefBuilder& p : panels)
        p.Write(w);
    writeHandlers(w, handlers);
}

ProductDefBuilder& ProductDefBuilder::name(std::string text)
{
    nameText = std::move(text);
    return *this;
}

ProductDefBuilder& ProductDefBuilder::size(std::int16_t w, std::int16_t h)
{
    width = w, height = h;
    return *this;
}

ProductDefBuilder& ProductDefBuilder::colour(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    rgb[0] = r, rgb[1] = g, rgb[2] = b;
    return *this;
}

ProductDefBuilder& ProductDefBuilder::transparent(std::uint16_t index)
{
    transparentIndex = index;
    return *this;
}

ProductDefBuilder& ProductDefBuilder::startPages(std::vector<std::uint32_t> numbers)
{
    pages = std::move(numbers);
    return *this;
}

ProductDefBuilder& ProductDefBuilder::on(std::string event, std::vector<ActionRecord> actions)
{
    handlers.push_back({std::move(event), std::move(actions)});
    return *this;
}

void ProductDefBuilder::Write(RecordWriter& w, const std::deque<TemplateBuilder>& templates) const
{
    w.text(nameText);
    w.u16(std::uint16_t(width));
    w.u16(std::uint16_t(height));
    w.text(labelA);
    w.text(labelB);
    for (std::uint8_t c : rgb)
        w.u8(c);
    w.u16(popupClose);
    w.u16(transparentIndex);
    w.u32(std::uint32_t(pages.size()));
    for (std::uint32_t page : pages)
        w.u32(page);
    w.u16(std::uint16_t(templates.size()));
    for (const TemplateBuilder& t : templates)
        t.Write(w);
    writeHandlers(w, handlers);
}

PageBuilder& PageBuilder::name(std::string text)
{
    pageName = std::move(text);
    return *this;
}

PageBuilder& PageBuilder::at(std::int16_t px, std::int16_t py)
{
    x = px, y = py;
    return *this;
}

PageBuilder& PageBuilder::storedPanel(std::string typeKeyword, std::vector<std::uint8_t> record)
{
    panels.emplace_back(std::move(typeKeyword), std::move(record));
    return *this;
}

PageBuilder& PageBuilder::on(std::string event, std::vector<ActionRecord> actions)
{
    handlers.push_back({std::move(event), std::move(actions)});
    return *this;
}

void PageBuilder::Write(RecordWriter& w) const
{
    w.u16(0);  // the page type: replaced by the template's on reading
    w.u16(templateId);
    w.u16(std::uint16_t(x));
    w.u16(std::uint16_t(y));
    w.text(pageName);
    w.u16(0);  // no scope
    w.u16(std::uint16_t(panels.size()));
    for (const auto& [type, record] : panels) {
        w.u16(panelTypeId(type));
        w.bytes.insert(w.bytes.end(), record.begin(), record.end());
    }
    writeHandlers(w, handlers);
    w.u16(navigationTargets ? 1 : 0);
    if (navigationTargets)
        for (std::uint32_t id : *navigationTargets)
            w.u32(id);
    for (const auto* list : {&animations, &sounds}) {
        w.u32(std::uint32_t(list->size()));
        for (const std::string& name : *list) {
            w.u16(std::uint16_t(name.size()));
            w.bytes.insert(w.bytes.end(), name.begin(), name.end());
        }
    }
    w.u16(visitIndex);
}

PageBuilder& PageBuilder::targets(std::array<std::uint32_t, 5> ids)
{
    navigationTargets = ids;
    return *this;
}

PageBuilder& PageBuilder::randomAnimations(std::vector<std::string> names)
{
    animations = std::move(names);
    return *this;
}

PageBuilder& PageBuilder::randomSounds(std::vector<std::string> names)
{
    sounds = std::move(names);
    return *this;
}

PageBuilder& PageBuilder::visit(std::uint16_t index)
{
    visitIndex = index;
    return *this;
}

TemplateBuilder& ProductData::templateDef(std::uint16_t id, std::string pageTypeKeyword)
{
    TemplateBuilder& t = templates_.emplace_back();
    t.id = id;
    t.pageType = std::move(pageTypeKeyword);
    return t;
}

PageBuilder& ProductData::page(std::uint32_t number, std::uint16_t templateId)
{
    PageBuilder& p = pages_.emplace_back();
    p.number = number;
    p.templateId = templateId;
    return p;
}

TemplateBuilder& ProductData::existingTemplate(std::uint16_t id)
{
    for (TemplateBuilder& t : templates_)
        if (t.id == id)
            return t;
    throw std::out_of_range("no template " + std::to_string(id));
}

PageBuilder& ProductData::existingPage(std::uint32_t number)
{
    for (PageBuilder& p : pages_)
        if (p.number == number)
            return p;
    throw std::out_of_range("no page " + std::to_string(number));
}

ProductData& ProductData::titleRecord(std::vector<std::uint8_t> bytes)
{
    titleRecord_ = std::move(bytes);
    return *this;
}

std::uint16_t ProductData::Intern(const std::string& text)
{
    auto [it, added] = interned_.emplace(text, std::uint16_t(strings_.size() + 1));
    if (added)
        strings_.push_back(text);
    return it->second;
}

ProductData& ProductData::claimPageData(std::uint32_t a)
{
    a_ = a;
    return *this;
}

ProductData& ProductData::claimStrings(std::uint32_t s)
{
    s_ = s;
    return *this;
}

ProductData& ProductData::claimDefinitionsEnd(std::uint32_t e)
{
    e_ = e;
    return *this;
}

std::vector<std::uint8_t> ProductData::Bytes()
{
    // Records first: they intern the texts the string table then holds.
    RecordWriter definitions(*this);
    product_.Write(definitions, templates_);
    definitions.bytes.insert(definitions.bytes.end(), titleRecord_.begin(), titleRecord_.end());

    std::uint32_t tableSize = 0;
    for (const PageBuilder& p : pages_)
        tableSize = std::max(tableSize, p.number + 1);
    std::vector<std::uint32_t> offsets(tableSize, 0xFFFFFFFF);
    RecordWriter pageData(*this);
    for (const PageBuilder& p : pages_) {
        offsets[p.number] = std::uint32_t(pageData.bytes.size());
        p.Write(pageData);
    }

    std::vector<std::uint8_t> strings;
    PutBigEndian16(strings, std::uint16_t(strings_.size()));
    for (const std::string& s : strings_)
        putCounted(strings, s);

    std::vector<std::uint8_t> out = VersionBytes(version_);
    const std::uint32_t p = std::uint32_t(out.size()) + 12;
    const std::uint32_t e = p + std::uint32_t(strings.size() + definitions.bytes.size());
    const std::uint32_t a = e + 4 + 4 * tableSize;
    PutBigEndian32(out, a_.value_or(a));
    PutBigEndian32(out, s_.value_or(std::uint32_t(strings.size())));
    PutBigEndian32(out, e_.value_or(e));
    out.insert(out.end(), strings.begin(), strings.end());
    out.insert(out.end(), definitions.bytes.begin(), definitions.bytes.end());
    PutBigEndian32(out, tableSize);
    for (std::uint32_t offset : offsets)
        PutBigEndian32(out, offset);
    out.insert(out.end(), pageData.bytes.begin(), pageData.bytes.end());
    return out;
}

}  // namespace testkit
