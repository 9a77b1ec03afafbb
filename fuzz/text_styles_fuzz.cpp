// Style definitions on arbitrary bytes, then every look-up and the font of
// every style read. Nothing may be read past the data, and damaged counts
// and name lengths must fail the read rather than allocate on their word.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "foundation/JxCInStrStream.h"
#include "graphics/JxCStyleDef.h"
#include "platform/draw/font.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    JxCInStrStream in(JxMemoryBlock{data, static_cast<std::uint32_t>(size)});
    JxCStyleDef styles;
    styles.Read(in);
    // The look-ups walk the lists themselves: collect the ids first.
    std::vector<std::int32_t> ids;
    auto& characters = styles.GetCharacterStyles();
    for (JxCCharStyleObject* s = characters.GetFirst(); s; s = characters.GetNext(s)) {
        ids.push_back(s->id);
        const plat::LOGFONT lf = s->MakeLogFont(96);
        (void)lf;
    }
    for (std::int32_t id : ids)
        styles.FindCharacterStyle(id);
    ids.clear();
    auto& paragraphs = styles.GetParagraphStyles();
    for (JxCParaStyleObject* p = paragraphs.GetFirst(); p; p = paragraphs.GetNext(p))
        ids.push_back(p->id);
    for (std::int32_t id : ids)
        styles.FindParagraphStyle(id);
    return 0;
}
