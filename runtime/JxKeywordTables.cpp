#include "runtime/JxKeywordTables.h"

#include <array>
#include <cstddef>

namespace {

constexpr std::array<const char*, 31> kActionKeywords = {
    "NULL_ACT",      "OPENPAGE",       "GO_URL",         "onlineSetup",    "NavAct",         "BLEND",
    "SENDMESSAGE",   "CHANGEPAGE",     "PLAYVIDEO",      "STOPVIDEO",      "seekVIDEO",      "PLAYWAVE",
    "STOPWAVE",      "SEEKWAVE",       "PLAYPICS",       "PLAYINTROPICS",  "PLAYPICSNOLOAD", "BACKPAGE",
    "PLAYNONQPICS",  "STOPPICS",       "PRINTFILE",      "GAVOOPTION",     "Closepage",      "SEEKPICS",
    "FileSaveAs",    "QuizPageAction", "AppendPageAction", "Firstlog",     "opencertificate", "OpenQuestion",
    "LAST_ACT",
};

constexpr std::array<const char*, 13> kEventKeywords = {
    "NULL_EVT",  "on_open",   "on_activateapp", "on_close",   "on_click",          "on_preopen", "on_finish",
    "on_select1", "on_picsrewind", "on_rollon", "on_rolloff", "on_click_disabled", "LAST_EVT",
};

constexpr std::array<const char*, 19> kObjectTypeKeywords = {
    "NULL_OBJ",     "Bitmap",   "AnimationControl", "Hotspot",           "WordBox",    "AnimHotspot",
    "CancelButton", "ScrollBitmap", "ScrollBaa",    "EditBox",           "Collage",    "GroupColl",
    "loginGroupCollage", "CollButton", "SaveAsHotspot", "Button",       "ToggleButton", "VideoHotspot",
    "LAST_OBJ",
};

constexpr std::array<const char*, 12> kPanelKeywords = {
    "NULL_PANEL", "Display",     "NavPanel",   "QuizPanel",        "DialogPanel",      "TransparentPanel",
    "QTopicsPanel", "LoginPanel", "LogbookbasePanel", "SchoolhousePanel", "QuestionPanel", "LAST_PANEL",
};

constexpr std::array<const char*, 9> kPageKeywords = {
    "NULL_PAGE",    "POPUP_PAGE", "BASE_PAGE", "INDEX_PAGE", "NAVOPT_PAGE",
    "SLIDING_PAGE", "CHILD_PAGE", "QUIZ_PAGE", "LAST_PAGE",
};

// A transition look-up walks the number table up to this marker.
constexpr std::int32_t kTransitionEnd = 100;

constexpr std::array<const char*, 7> kChangePageTransitions = {
    "none", "zoom", "boxy_dissolve", "wipe_up", "wipe_down", "wipe_left", "wipe_right",
};
constexpr std::array<std::int32_t, 8> kChangePageTransitionTypes = {0, 0, 10, 6, 7, 8, 9, kTransitionEnd};

constexpr std::array<const char*, 12> kWindowTransitions = {
    "none",        "zoom",      "wave",        "anim",         "slide_up",     "slide_down",
    "slide_left",  "slide_right", "unslide_up", "unslide_down", "unslide_left", "unslide_right",
};
constexpr std::array<std::int32_t, 13> kWindowTransitionIndexes = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11,
                                                                   kTransitionEnd};

// The global ids of one family: one per keyword, each holding the family's
// static value plus its position until the family is numbered.
template <std::size_t N>
class IdFamily {
public:
    constexpr explicit IdFamily(std::int16_t staticFirst)
    {
        for (std::size_t i = 0; i < N; ++i)
            values_[i] = static_cast<std::int16_t>(staticFirst + i);
    }
    std::int16_t Get(std::int16_t position) const { return values_[static_cast<std::size_t>(position)]; }
    void Number()
    {
        for (std::size_t i = 0; i < N; ++i)
            values_[i] = static_cast<std::int16_t>(i);
    }

private:
    std::array<std::int16_t, N> values_{};
};

IdFamily<kActionKeywords.size()> actionIds(0);
IdFamily<kEventKeywords.size()> eventIds(0);
IdFamily<kPanelKeywords.size()> panelIds(200);
IdFamily<kPageKeywords.size()> pageIds(100);
IdFamily<5> resourceIds(700);

template <std::size_t N, class Family>
std::int16_t findKeyword(const std::array<const char*, N>& table, const Family& ids, const JxCTableString& keyword)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (keyword.EqualsNoCase(JxCTableString(table[i])))
            return static_cast<std::int16_t>(ids.Get(0) + static_cast<std::int16_t>(i));
    }
    return -1;
}

template <std::size_t N, std::size_t M>
std::int32_t findTransition(const std::array<const char*, N>& names, const std::array<std::int32_t, M>& numbers,
                            const JxCTableString& keyword)
{
    for (std::size_t i = 0; numbers[i] != kTransitionEnd; ++i) {
        if (keyword.EqualsNoCase(JxCTableString(names[i])))
            return numbers[i];
    }
    return 0;
}

}  // namespace

JxCActionTypeId ActionTypeId(JxActionKeyword keyword)
{
    return JxCActionTypeId(actionIds.Get(static_cast<std::int16_t>(keyword)));
}

JxCEventId EventId(JxEventKeyword keyword)
{
    return JxCEventId(eventIds.Get(static_cast<std::int16_t>(keyword)));
}

JxCPanelTypeId PanelTypeId(JxPanelKeyword keyword)
{
    return JxCPanelTypeId(panelIds.Get(static_cast<std::int16_t>(keyword)));
}

JxCPageTypeId PageTypeId(JxPageKeyword keyword)
{
    return JxCPageTypeId(pageIds.Get(static_cast<std::int16_t>(keyword)));
}

JxCResourceTypeId ResourceTypeId(JxResourceKind kind)
{
    return JxCResourceTypeId(resourceIds.Get(static_cast<std::int16_t>(kind)));
}

std::span<const char* const> ActionKeywords()
{
    return kActionKeywords;
}

std::span<const char* const> EventKeywords()
{
    return kEventKeywords;
}

std::span<const char* const> ObjectTypeKeywords()
{
    return kObjectTypeKeywords;
}

std::span<const char* const> PanelKeywords()
{
    return kPanelKeywords;
}

std::span<const char* const> PageKeywords()
{
    return kPageKeywords;
}

std::int16_t FindActionTypeId(const JxCTableString& keyword)
{
    return findKeyword(kActionKeywords, actionIds, keyword);
}

std::int16_t FindEventId(const JxCTableString& keyword)
{
    return findKeyword(kEventKeywords, eventIds, keyword);
}

std::int16_t FindPanelTypeId(const JxCTableString& keyword)
{
    return findKeyword(kPanelKeywords, panelIds, keyword);
}

std::int16_t FindPageTypeId(const JxCTableString& keyword)
{
    return findKeyword(kPageKeywords, pageIds, keyword);
}

std::int32_t ChangePageTransitionType(const JxCTableString& keyword)
{
    return findTransition(kChangePageTransitions, kChangePageTransitionTypes, keyword);
}

std::int32_t ChangePageRowType(std::int32_t row)
{
    if (row < 0 || std::size_t(row) >= kChangePageTransitions.size())
        return 0;
    return kChangePageTransitionTypes[std::size_t(row)];
}

std::int32_t ChangePageRowOfType(std::int32_t type)
{
    for (std::size_t i = 0; kChangePageTransitionTypes[i] != kTransitionEnd; ++i)
        if (kChangePageTransitionTypes[i] == type)
            return std::int32_t(i);
    return -1;
}

const char* ChangePageRowName(std::int32_t row)
{
    if (row < 0 || std::size_t(row) >= kChangePageTransitions.size())
        return nullptr;
    return kChangePageTransitions[std::size_t(row)];
}

std::int32_t WindowTransitionIndex(const JxCTableString& keyword)
{
    return findTransition(kWindowTransitions, kWindowTransitionIndexes, keyword);
}

const char* WindowTransitionName(std::int32_t index)
{
    if (index < 0 || std::size_t(index) >= kWindowTransitions.size())
        index = 0;
    return kWindowTransitions[std::size_t(index)];
}

const JxCKeyword& PathSeparatorKeyword()
{
    static const JxCKeyword keyword("\\");
    return keyword;
}

const JxCKeyword& WaveExtensionKeyword()
{
    static const JxCKeyword keyword(".wav");
    return keyword;
}

const JxCKeyword& PicsExtensionKeyword()
{
    static const JxCKeyword keyword(".ani");
    return keyword;
}

const JxCKeyword& PngExtensionKeyword()
{
    static const JxCKeyword keyword(".png");
    return keyword;
}

const JxCKeyword& DibExtensionKeyword()
{
    static const JxCKeyword keyword(".dib");
    return keyword;
}

const JxCKeyword& ArrowCursorKeyword()
{
    static const JxCKeyword keyword("Arrow");
    return keyword;
}

const JxCKeyword& HandCursorKeyword()
{
    static const JxCKeyword keyword("Hand");
    return keyword;
}

void NumberActionAndEventIds()
{
    actionIds.Number();
    eventIds.Number();
}

void NumberPanelPageAndResourceIds()
{
    panelIds.Number();
    pageIds.Number();
    resourceIds.Number();
}
