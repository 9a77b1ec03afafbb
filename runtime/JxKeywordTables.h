#pragma once
// The engine's vocabulary: the keyword tables of actions, events, object
// types, panel types, page types and transitions, and the typed ids of the
// numbered families.
//
// The compiled definitions of the product data file store a keyword's
// position in its table as its id (an action record its action id, an event
// handler its event id, a panel definition its panel type id, a template its
// page type id), so the order of every table is part of the data format.
//
// Every keyword of a numbered family has one global id. The ids hold static
// values until RegisterTypeIds numbers each family from 0 in table order;
// factories and definition readers must not run before that.

#include <cstdint>
#include <span>

#include "foundation/JxCString.h"
#include "foundation/JxCTableString.h"
#include "foundation/JxCTypeIds.h"

// Positions in the action keyword table.
enum class JxActionKeyword : std::int16_t {
    NULL_ACT,
    OPENPAGE,
    GO_URL,
    onlineSetup,
    NavAct,
    BLEND,
    SENDMESSAGE,
    CHANGEPAGE,
    PLAYVIDEO,
    STOPVIDEO,
    seekVIDEO,
    PLAYWAVE,
    STOPWAVE,
    SEEKWAVE,
    PLAYPICS,
    PLAYINTROPICS,
    PLAYPICSNOLOAD,
    BACKPAGE,
    PLAYNONQPICS,
    STOPPICS,
    PRINTFILE,
    GAVOOPTION,
    Closepage,
    SEEKPICS,
    FileSaveAs,
    QuizPageAction,
    AppendPageAction,
    Firstlog,
    opencertificate,
    OpenQuestion,
    LAST_ACT,
};

// Positions in the event keyword table.
enum class JxEventKeyword : std::int16_t {
    NULL_EVT,
    on_open,
    on_activateapp,
    on_close,
    on_click,
    on_preopen,
    on_finish,
    on_select1,
    on_picsrewind,
    on_rollon,
    on_rolloff,
    on_click_disabled,
    LAST_EVT,
};

// Positions in the panel type keyword table.
enum class JxPanelKeyword : std::int16_t {
    NULL_PANEL,
    Display,
    NavPanel,
    QuizPanel,
    DialogPanel,
    TransparentPanel,
    QTopicsPanel,
    LoginPanel,
    LogbookbasePanel,
    SchoolhousePanel,
    QuestionPanel,
    LAST_PANEL,
};

// Positions in the page type keyword table.
enum class JxPageKeyword : std::int16_t {
    NULL_PAGE,
    POPUP_PAGE,
    BASE_PAGE,
    INDEX_PAGE,
    NAVOPT_PAGE,
    SLIDING_PAGE,
    CHILD_PAGE,
    QUIZ_PAGE,
    LAST_PAGE,
};

// The kinds of media resource; they have no keyword table.
enum class JxResourceKind : std::int16_t {
    None,
    Sound,
    Pics,
    Movie,
    Last,
};

// The current value of a keyword's global id.
JxCActionTypeId ActionTypeId(JxActionKeyword keyword);
JxCEventId EventId(JxEventKeyword keyword);
JxCPanelTypeId PanelTypeId(JxPanelKeyword keyword);
JxCPageTypeId PageTypeId(JxPageKeyword keyword);
JxCResourceTypeId ResourceTypeId(JxResourceKind kind);

// The keyword texts, in stored order. The object-type table frames the
// engine's 17 display-object type keywords with "NULL_OBJ" and "LAST_OBJ";
// object types are not numbered but registered (JxCTypeKey).
std::span<const char* const> ActionKeywords();
std::span<const char* const> EventKeywords();
std::span<const char* const> ObjectTypeKeywords();
std::span<const char* const> PanelKeywords();
std::span<const char* const> PageKeywords();

// Keyword look-ups, without regard to the case of A to Z: the family's
// NULL_ id plus the table position, or -1 for a keyword not in the table.
std::int16_t FindActionTypeId(const JxCTableString& keyword);
std::int16_t FindEventId(const JxCTableString& keyword);
std::int16_t FindPanelTypeId(const JxCTableString& keyword);
std::int16_t FindPageTypeId(const JxCTableString& keyword);

// The panel transition type of a change-page transition keyword ("none" and
// "zoom" 0, "boxy_dissolve" 10, "wipe_up" 6, "wipe_down" 7, "wipe_left" 8,
// "wipe_right" 9); 0 for a keyword not in the table.
std::int32_t ChangePageTransitionType(const JxCTableString& keyword);
// The rows of the change-page transition table (0 "none" to 6
// "wipe_right"): the type of a row (0 for a row outside the table), the
// first row of a type (-1 when no row holds it) and the keyword of a row
// (null outside the table).
std::int32_t ChangePageRowType(std::int32_t row);
std::int32_t ChangePageRowOfType(std::int32_t type);
const char* ChangePageRowName(std::int32_t row);
// The window transition index of a page-opening transition keyword ("none"
// 0 ... "unslide_right" 11); 0 for a keyword not in the table.
std::int32_t WindowTransitionIndex(const JxCTableString& keyword);
// The keyword of a window transition index; "none" outside the table.
const char* WindowTransitionName(std::int32_t index);

// The keyword constants of paths and media.
const JxCKeyword& PathSeparatorKeyword();  // "\"
const JxCKeyword& WaveExtensionKeyword();  // ".wav"
const JxCKeyword& PicsExtensionKeyword();  // ".ani"
const JxCKeyword& PngExtensionKeyword();   // ".png"
const JxCKeyword& DibExtensionKeyword();   // ".dib"
const JxCKeyword& ArrowCursorKeyword();    // "Arrow"
const JxCKeyword& HandCursorKeyword();     // "Hand"

// Numbers every family in table order from 0, actions and events first.
// RegisterTypeIds calls it, with the type registry frozen between the
// events and the panel types.
void NumberActionAndEventIds();
void NumberPanelPageAndResourceIds();
