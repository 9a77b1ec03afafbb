#include "foundation/JxLanguage.h"

#include <cctype>
#include <climits>
#include <utility>

#include "foundation/JxCTableString.h"
#include "foundation/JxCharTables.h"
#include "foundation/JxSortWeights.h"
#include "foundation/JxStartupSettings.h"
#include "platform/core/codepage.h"

namespace {

constexpr JxLanguageRow kLanguages[kLanguageCount + 1] = {
    {"BP", "ptb", 1046, 1252}, {"DE", "dan", 1030, 1252}, {"FI", "fin", 1035, 1252},
    {"FR", "fra", 1036, 1252}, {"GE", "deu", 1031, 1252}, {"IT", "ita", 1040, 1252},
    {"JP", "jpn", 1041, 932},  {"TA", "tai", 1028, 949},  {"KO", "kor", 1042, 949},
    {"NO", "nor", 1044, 1252}, {"SP", "esp", 1034, 1252}, {"CL", "esp", 1027, 1252},
    {"SW", "sve", 1053, 1252}, {"UK", "eng", 2057, 1252}, {"US", "usa", 1033, 1252},
    {"PG", "ptg", 2070, 1252}, {"NL", "nld", 1043, 1252}, {"TK", "trk", 1055, 1254},
    {"PO", "plk", 1045, 1250}, {"CZ", "csy", 1029, 1250}, {"SL", "sky", 1051, 1250},
    {"HU", "hun", 1038, 1250}, {"RU", "rus", 1049, 1251}, {"GR", "ell", 1032, 1253},
    {"SO", "sit", 1060, 1250}, {"CH", "chs", 2052, 936},  {"IC", "isl", 1039, 1252},
    {nullptr, nullptr, 0, 0},
};

struct LanguageState {
    std::uint16_t languageId = 0;
    std::uint16_t codePage = 0;
    JxIndexKeyComparison comparison;
};

LanguageState& state()
{
    static LanguageState s;
    return s;
}

const JxLanguageRow* rowOfLanguage(std::uint16_t languageId)
{
    for (const JxLanguageRow* row = kLanguages; row->code; ++row)
        if (row->languageId == languageId)
            return row;
    return nullptr;
}

bool sameCode(std::string_view a, const char* b)
{
    return JxCTableString::CompareNoCase(a, b) == 0;
}

const JxLanguageRow* rowOfCountry(std::string_view country)
{
    for (const JxLanguageRow* row = kLanguages; row->code; ++row)
        if (sameCode(country, row->code) || sameCode(country, row->longCode))
            return row;
    return nullptr;
}

void setLanguage(std::uint16_t languageId, std::uint16_t codePage)
{
    state().languageId = languageId;
    state().codePage = codePage;
    // Text of the title is in its language's code page: the platform decodes
    // and encodes it (fonts, keyboard, file names) in that page.
    if (codePage)
        plat::SetACP(codePage);
}

// Lower-case characters in order; the magnitude of the result is the
// 1-based position where the texts part.
std::int32_t compareLowered(const char* a, const char* b, std::int32_t bound)
{
    const auto* x = reinterpret_cast<const unsigned char*>(a ? a : "");
    const auto* y = reinterpret_cast<const unsigned char*>(b ? b : "");
    for (std::int32_t p = 1; p <= bound; ++p, ++x, ++y) {
        const unsigned char cx = CharToLower(*x);
        const unsigned char cy = CharToLower(*y);
        if (cx != cy)
            return cx < cy ? -p : p;
        if (!cx)
            break;
    }
    return 0;
}

}  // namespace

const JxLanguageRow* LanguageTable()
{
    return kLanguages;
}

void SelectLanguage(std::uint16_t versionLanguageId)
{
    const JxLanguageRow* row = rowOfLanguage(versionLanguageId);
    setLanguage(versionLanguageId, row ? row->codePage : state().codePage);
    ResetCaseTables();
    SetSortWeights(DefaultSortWeights());

    // A country named in the settings wins over the version information;
    // its tables are the defaults.
    const JxCString& country = GetCountrySetting();
    if (!country.IsEmpty()) {
        if (const JxLanguageRow* chosen = rowOfCountry(country.View())) {
            setLanguage(chosen->languageId, chosen->codePage);
            return;
        }
    }
    if (const JxCaseTables* tables = CodePageCaseTables(state().codePage))
        SetCaseTables(*tables);
    JxSortWeightTable weights = DefaultSortWeights();
    PatchSortWeights(state().languageId, weights);
    SetSortWeights(weights);
}

const char* GetLanguageCode()
{
    const JxLanguageRow* row = rowOfLanguage(state().languageId);
    return row ? row->code : nullptr;
}

std::uint16_t GetCurrentLanguage()
{
    return state().languageId;
}

std::uint16_t GetCurrentCodePage()
{
    return state().codePage;
}

std::int32_t CompareNoCase(const char* a, const char* b)
{
    return CompareNoCaseN(a, b, INT_MAX);
}

std::int32_t CompareNoCaseN(const char* a, const char* b, std::int32_t bound)
{
    return state().comparison ? state().comparison(a, b, bound) : compareLowered(a, b, bound);
}

JxIndexKeyComparison SetIndexKeyComparison(JxIndexKeyComparison comparison)
{
    return std::exchange(state().comparison, std::move(comparison));
}

void ResetLanguage()
{
    state().languageId = 0;
    state().codePage = 0;
    plat::SetACP(1252);  // the platform's page until a language is chosen
    ResetCaseTables();
    SetSortWeights(DefaultSortWeights());
}
