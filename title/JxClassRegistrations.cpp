#include "title/JxClassRegistrations.h"

#include <array>

#include "media/JxCAnimControl.h"
#include "media/JxCPicsResource.h"
#include "media/JxCPlaySoundAction.h"
#include "media/JxCQT3PlayAction.h"
#include "media/JxCQT3Resource.h"
#include "media/JxCSoundResource.h"
#include "media/JxPicsActions.h"
#include "media/JxSmallMediaActions.h"
#include "objects/actions/JxCChangePageAction.h"
#include "objects/actions/JxCClosePageAction.h"
#include "objects/actions/JxCFileSaveAsAction.h"
#include "objects/actions/JxCOpenPageAction.h"
#include "objects/actions/JxSmallPageActions.h"
#include "objects/pages/JxCBasePage.h"
#include "objects/pages/JxCChildPage.h"
#include "objects/pages/JxCPopupPageEx.h"
#include "objects/panels/JxCTransparentPanel.h"
#include "objects/widgets/JxCBitmap.h"
#include "objects/widgets/JxCCollage.h"
#include "objects/widgets/JxCEditBox.h"
#include "objects/widgets/JxCHotspot.h"
#include "objects/widgets/JxCIncludeControl.h"
#include "objects/widgets/JxCMicon.h"
#include "objects/widgets/JxCParaText.h"
#include "objects/widgets/JxCRollOverButton.h"
#include "objects/widgets/JxCRollOverHotspot.h"
#include "objects/widgets/JxCSaveAsHotspot.h"
#include "objects/widgets/JxCScrollBar.h"
#include "objects/widgets/JxCWordBox.h"
#include "runtime/JxCTypeKey.h"
#include "runtime/JxClassFactories.h"
#include "title/panels/JxCGavoPageDef.h"
#include "title/users/JxCLoginListDMan.h"
#include "title/quiz/JxCQuizCard.h"
#include "title/widgets/JxListBoxData.h"
#include "title/users/JxLoginWidgets.h"
#include "title/JxLogBook.h"
#include "title/widgets/JxProgressDisplays.h"
#include "title/links/JxTitleActions.h"
#include "title/panels/JxTitlePages.h"
#include "title/panels/JxTitlePanels.h"
#include "title/widgets/JxTitleWidgets.h"

namespace {

template <class T>
JxCDisplayObject* makeObject()
{
    return MakeInstance<JxCDisplayObject, T>();
}

struct ObjectType {
    const char* keyword;
    JxDisplayObjectFactory factory;
};

// The engine's display-object types, in registration order.
constexpr std::array<ObjectType, 17> kObjectTypes = {{
    {"Bitmap", makeObject<JxCBitmap>},
    {"AnimationControl", makeObject<JxCAnimControl>},
    {"Hotspot", makeObject<JxCHotspot>},
    {"WordBox", makeObject<JxCWordBox>},
    {"AnimHotspot", makeObject<JxCGavoAnimHotspot>},
    {"CancelButton", makeObject<JxCCancelButton>},
    {"ScrollBitmap", makeObject<JxCGavoScrollBitmap>},
    {"ScrollBaa", makeObject<JxCScrollBar>},
    {"EditBox", makeObject<JxCEditBox>},
    {"Collage", makeObject<JxCCollage>},
    {"GroupColl", makeObject<JxCGavoGroupCollage>},
    {"loginGroupCollage", makeObject<JxCLoginGroupCollage>},
    {"CollButton", makeObject<JxCCollButton>},
    {"SaveAsHotspot", makeObject<JxCSaveAsHotspot>},
    {"Button", makeObject<JxCButton>},
    {"ToggleButton", makeObject<JxCToggleButton>},
    {"VideoHotspot", makeObject<JxCGvVideoHotspot>},
}};

// The title's own display-object types built so far, registered after the
// engine's.
constexpr std::array<ObjectType, 25> kTitleObjectTypes = {{
    {"LoginField", makeObject<JxCLoginField>},
    {"NewUserField", makeObject<JxCNewUserField>},
    {"LoginButton", makeObject<JxCLoginButton>},
    {"NewUserButton", makeObject<JxCNewUserButton>},
    {"LoginCollage", makeObject<JxCLoginCollage>},
    {"StickyButton", makeObject<JxCGvStickyButton>},
    {"ParaText", makeObject<JxCParaText>},
    {"Visitedcount", makeObject<JxCVisitedCount>},
    {"quizcount", makeObject<JxCQuizCount>},
    {"Name", makeObject<JxCNameDisplay>},
    {"CertificateNameDisplay", makeObject<JxCCertificateNameDisplay>},
    {"LogBookButton", makeObject<JxCLogBookButton>},
    {"ToggleBitmap", makeObject<JxCToggleBitmap>},
    {"CertificateButton", makeObject<JxCCertificateButton>},
    {"quiztick", makeObject<JxCQuizTick>},
    {"QuizLabl", makeObject<JxCQuizLabl>},
    {"AnsweredCount", makeObject<JxCAnsweredCount>},
    {"GoTestButton", makeObject<JxCGoTestButton>},
    {"Include", makeObject<JxCIncludeControl>},
    {"ResetButton", makeObject<JxCResetButton>},
    {"AllVisited", makeObject<JxCAllVisited>},
    {"QuizCard", makeObject<JxCQuizCard>},
    {"RollHotSpot", makeObject<JxCRollOverHotspot>},
    {"Micon", makeObject<JxCMicon>},
    {"RollOverButton", makeObject<JxCRollOverButton>},
}};

constexpr std::size_t kRegisteredCount = kObjectTypes.size() + kTitleObjectTypes.size();

const ObjectType& objectType(std::size_t i)
{
    return i < kObjectTypes.size() ? kObjectTypes[i] : kTitleObjectTypes[i - kObjectTypes.size()];
}

// Each registered type's key, and the name the registry took.
struct Registration {
    JxCTypeKey key;
    JxCString name;
};

std::array<Registration, kRegisteredCount>& registrations()
{
    static std::array<Registration, kRegisteredCount> r;
    return r;
}

bool& registered()
{
    static bool r = false;
    return r;
}

template <class T>
void action(JxActionKeyword id)
{
    RegisterActionClass(id, MakeInstance<JxCAction, T>, CopyInstance<JxCAction, T>);
}

void registerActions()
{
    using K = JxActionKeyword;
    action<JxCOpenPageAction>(K::OPENPAGE);
    action<JxCGoUrlAction>(K::GO_URL);
    action<JxCOnlineSetupAction>(K::onlineSetup);
    action<JxCGv2GeneralPurposeAction>(K::NavAct);
    action<JxCBlendAction>(K::BLEND);
    action<JxCSendMessageAction>(K::SENDMESSAGE);
    action<JxCChangePageAction>(K::CHANGEPAGE);
    action<JxCQT3PlayAction>(K::PLAYVIDEO);
    action<JxCBaseStopVideoAction>(K::STOPVIDEO);
    action<JxCBaseSeekVideoAction>(K::seekVIDEO);
    action<JxCPlaySoundAction>(K::PLAYWAVE);
    action<JxCStopSoundAction>(K::STOPWAVE);
    action<JxCSeekSoundAction>(K::SEEKWAVE);
    action<JxCPlayQueuePicsAction>(K::PLAYPICS);
    action<JxCGvIntroPicsAction>(K::PLAYINTROPICS);
    action<JxCGavoPlayPicsAction>(K::PLAYPICSNOLOAD);
    action<JxCBackPageAction>(K::BACKPAGE);
    action<JxCPlayPicsAction>(K::PLAYNONQPICS);
    action<JxCStopPicsAction>(K::STOPPICS);
    action<JxCGv2PrintFileAction>(K::PRINTFILE);
    action<JxCGavoOptionsAction>(K::GAVOOPTION);
    action<JxCClosePageAction>(K::Closepage);
    action<JxCSeekPicsAction>(K::SEEKPICS);
    action<JxCFileSaveAsAction>(K::FileSaveAs);
    action<JxCQuizPageAction>(K::QuizPageAction);
    action<JxCAppendPageAction>(K::AppendPageAction);
    action<JxCFirstLogAction>(K::Firstlog);
    action<JxCOpenCertificateAction>(K::opencertificate);
    action<JxCOpenQuestionAction>(K::OpenQuestion);
}

void registerResources()
{
    RegisterResourceClass(JxResourceKind::Sound, MakeInstance<JxCResourceObject, JxCSoundResource>);
    RegisterResourceClass(JxResourceKind::Pics, MakeInstance<JxCResourceObject, JxCPicsResource>);
    RegisterResourceClass(JxResourceKind::Movie, MakeInstance<JxCResourceObject, JxCQT3Resource>);
}

template <class T>
void panel(JxPanelKeyword id)
{
    RegisterPanelClass(id, MakeInstance<JxCPanelObject, T>);
}

void registerPanels()
{
    using K = JxPanelKeyword;
    panel<JxCGavoPanel>(K::Display);
    panel<JxCNavPanel>(K::NavPanel);
    panel<JxCQuizPanel>(K::QuizPanel);
    panel<JxCDialogPanel>(K::DialogPanel);
    panel<JxCTransparentPanel>(K::TransparentPanel);
    panel<JxCQTopicsPanel>(K::QTopicsPanel);
    panel<JxCLoginPanel>(K::LoginPanel);
    panel<JxCLogBookBasePanel>(K::LogbookbasePanel);
    panel<JxCSchoolhousePanel>(K::SchoolhousePanel);
    panel<JxCQuestionPanel>(K::QuestionPanel);
}

template <class T>
void page(JxPageKeyword id)
{
    RegisterPageClass(id, MakeInstance<JxCPageObject, T>);
}

void registerPages()
{
    using K = JxPageKeyword;
    page<JxCPopupPageEx>(K::POPUP_PAGE);
    page<JxCGv2BasePage>(K::BASE_PAGE);
    page<JxCPopupPageEx>(K::INDEX_PAGE);
    page<JxCPopupPageEx>(K::NAVOPT_PAGE);
    page<JxCPopupPageEx>(K::SLIDING_PAGE);
    page<JxCChildPage>(K::CHILD_PAGE);
    page<JxCQuizPage>(K::QUIZ_PAGE);
}

}  // namespace

void RegisterClasses()
{
    if (registered())
        return;
    registered() = true;
    for (std::size_t i = 0; i < kRegisteredCount; ++i) {
        Registration& r = registrations()[i];
        r.name = RegisterDisplayObjectType(JxCTableString(objectType(i).keyword), objectType(i).factory, r.key);
    }
    registerActions();
    registerResources();
    registerPanels();
    registerPages();
    RegisterLoginListManagers();
    RegisterPageDefClass(MakeInstance<JxCPageDef, JxCGavoPageDef>);
    RegisterListBoxData();
}

void UnregisterClasses()
{
    if (!registered())
        return;
    registered() = false;
    UnregisterListBoxData();
    UnregisterFactoryClasses();
    UnregisterLoginListManagers();
    for (Registration& r : registrations())
        UnregisterDisplayObjectType(r.name);
}
