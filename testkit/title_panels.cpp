#include "testkit/title_panels.h"

#include "testkit/big_endian.h"

namespace testkit {

namespace {

void putS16(std::vector<std::uint8_t>& out, std::int16_t v)
{
    PutBigEndian16(out, std::uint16_t(v));
}

ActionRecord asKeyword(ActionRecord record, std::string keyword)
{
    record.keyword = std::move(keyword);
    return record;
}

}  // namespace

std::vector<std::uint8_t> NavPanelBytes(const PanelRecord& panel, const NavBarIds& ids)
{
    std::vector<std::uint8_t> out = panel.Bytes();
    putS16(out, ids.spare);
    putS16(out, ids.marker);
    for (std::int16_t id : ids.bitmaps)
        putS16(out, id);
    return out;
}

std::vector<std::uint8_t> DialogPanelBytes(const PanelRecord& panel, const DialogIds& ids)
{
    std::vector<std::uint8_t> out = panel.Bytes();
    putS16(out, ids.spare);
    for (std::int16_t id : ids.buttons)
        putS16(out, id);
    putS16(out, ids.defaultButton);
    return out;
}

std::vector<std::uint8_t> TitlePanelBytes(const PanelRecord& panel, const std::string& text, int claimedLength)
{
    std::vector<std::uint8_t> out = panel.Bytes();
    PutBigEndian16(out, std::uint16_t(claimedLength >= 0 ? claimedLength : int(text.size())));
    out.insert(out.end(), text.begin(), text.end());
    return out;
}

ActionRecord NavAction(std::uint16_t code)
{
    ActionRecord a{"NavAct", {}};
    PutBigEndian16(a.record, code);
    return a;
}

ActionRecord OptionsAction(std::uint16_t code)
{
    ActionRecord a{"GAVOOPTION", {}};
    PutBigEndian16(a.record, code);
    return a;
}

ActionRecord PrintFileAction(const std::string& fileName)
{
    ActionRecord a{"PRINTFILE", {}};
    PutBigEndian16(a.record, std::uint16_t(fileName.size()));
    a.record.insert(a.record.end(), fileName.begin(), fileName.end());
    return a;
}

ActionRecord AppendPageAction(std::uint32_t pageKey, std::int16_t transition, std::int16_t parameter)
{
    return asKeyword(OpenPageAction(pageKey, transition, parameter), "AppendPageAction");
}

ActionRecord FirstLogAction(std::uint32_t pageKey, std::int16_t transition, std::int16_t parameter)
{
    return asKeyword(OpenPageAction(pageKey, transition, parameter), "Firstlog");
}

}  // namespace testkit
