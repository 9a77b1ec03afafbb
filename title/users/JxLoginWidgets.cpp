#include "title/users/JxLoginWidgets.h"

#include "events/JxCTitleHooks.h"
#include "foundation/JxCInStrStream.h"
#include "platform/window/messages.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCCollDataManager.h"
#include "runtime/JxCKeyParams.h"
#include "runtime/JxCPageObject.h"
#include "runtime/JxCPanelObject.h"
#include "title/JxCProductData.h"
#include "title/quiz/JxCQuizPage.h"
#include "title/users/JxCUser.h"
#include "title/panels/JxDialogPages.h"
#include "title/quiz/JxQuizState.h"

namespace {

constexpr std::uint16_t kEnter = 13;

bool isEnter(const JxCKeyParams& key)
{
    return key.GetMessage() == plat::WM_CHAR && key.GetKeyCode() == kEnter;
}

JxCLoginWidgets* widgets()
{
    JxCUser* user = TitleUser();
    return user ? &user->GetLoginWidgets() : nullptr;
}

// Enters the object in its slot of the login widgets.
template <class T>
void enter(T* JxCLoginWidgets::*slot, T* object)
{
    if (JxCLoginWidgets* w = widgets())
        w->*slot = object;
}

// Takes the object out of its slot, when it is the one entered there.
template <class T>
void leave(T* JxCLoginWidgets::*slot, T* object)
{
    if (JxCLoginWidgets* w = widgets(); w && w->*slot == object)
        w->*slot = nullptr;
}

JxCPanelObject* panelOf(const JxCDisplayObject& object)
{
    JxCRunTimeObject* container = object.GetContainer();
    return container && container->GetKind() == kPanelKind ? static_cast<JxCPanelObject*>(container) : nullptr;
}

JxCPageObject* pageOf(const JxCDisplayObject& object)
{
    JxCPanelObject* panel = panelOf(object);
    return panel ? panel->GetParent() : nullptr;
}

// A field presses its button as a release at the button's top-left corner.
void press(JxCButton* button)
{
    if (button)
        button->MouseUp(JxCPoint(button->GetRect().left, button->GetRect().top), 0);
}

void resetIdle()
{
    if (JxCProductData* data = GetTitleData())
        data->ResetIdle();
}

// The page's focus object goes; a field that held it hides its caret and
// is drawn without the focus.
void giveUpFocus(JxCEditBox& field)
{
    if (field.KillFocus())
        return;
    if (JxCPageObject* page = pageOf(field))
        page->ClearFocus();
}

JxCString textOf(const JxCEditBox* field)
{
    return field ? field->GetText() : JxCString();
}

JxCString libraryString(unsigned id)
{
    JxCString text;
    text.LoadString(id);
    return text;
}

// The display's paragraph text made again from the current name, once the
// paragraph itself has its resources.
std::int16_t showName(JxCParaText& display, const JxCString& before, const JxCString& after)
{
    if (!display.JxCParaText::CreateResources())
        return 0;
    JxCUser* user = TitleUser();
    const JxCString text = before + (user ? user->GetCurrentName() : JxCString()) + after;
    display.SetText(text.GetText() ? text.GetText() : "", 0);
    return 1;
}

}  // namespace

JxCUser* TitleUser()
{
    JxCProductData* data = GetTitleData();
    return data ? data->GetUser() : nullptr;
}

std::int32_t PickedUser(const JxCLoginField& field)
{
    JxCUser* user = TitleUser();
    if (!user)
        return -1;
    const JxCString name = field.GetText();
    const JxCLoginCollage* list = FindLoginCollage(field);
    const std::int32_t row = list ? list->GetSelectedIndex() : -1;
    if (const JxCUserEntry* entry = user->GetEntry(row); entry && entry->userName.View() == name.View())
        return row;
    return name.IsEmpty() ? -1 : user->FindName(name);
}

JxCLoginCollage* FindLoginCollage(const JxCDisplayObject& object)
{
    JxCPanelObject* panel = panelOf(object);
    if (!panel)
        return nullptr;
    JxCDisplayObjectList& objects = panel->GetDisplayObjects();
    for (JxCDisplayObject* o = objects.GetFirst(); o; o = objects.GetNext(o))
        if (auto* collage = dynamic_cast<JxCLoginCollage*>(o))
            return collage;
    return nullptr;
}

// --- The login field --------------------------------------------------------------------

JxCLoginField::~JxCLoginField()
{
    leave(&JxCLoginWidgets::loginField, this);
}

std::int16_t JxCLoginField::CreateResources()
{
    enter(&JxCLoginWidgets::loginField, this);
    return JxCEditBox::CreateResources();
}

std::int16_t JxCLoginField::Start()
{
    SetStateFlags(kStateDisabled);
    if (!JxCEditBox::Start())
        return 0;
    TakeFocus();
    return 1;
}

std::int16_t JxCLoginField::HandleKey(JxCKeyParams& key)
{
    if (isEnter(key)) {
        JxCLoginWidgets* w = widgets();
        press(w ? w->loginButton : nullptr);
    }
    return 1;
}

std::int16_t JxCLoginField::SetText(const char* text, std::int16_t, std::int16_t reset)
{
    return JxCEditBox::SetText(text, 1, reset);
}

// --- The new-user field -----------------------------------------------------------------

JxCNewUserField::~JxCNewUserField()
{
    leave(&JxCLoginWidgets::newUserField, this);
}

std::int16_t JxCNewUserField::CreateResources()
{
    enter(&JxCLoginWidgets::newUserField, this);
    return JxCEditBox::CreateResources();
}

std::int16_t JxCNewUserField::Start()
{
    if (!JxCEditBox::Start())
        return 0;
    TakeFocus();
    return 1;
}

std::int16_t JxCNewUserField::HandleKey(JxCKeyParams& key)
{
    if (!isEnter(key))
        return JxCEditBox::HandleKey(key);
    giveUpFocus(*this);
    JxCLoginWidgets* w = widgets();
    press(w ? w->newUserButton : nullptr);
    return 1;
}

// --- The login button ---------------------------------------------------------------------

JxCLoginButton::~JxCLoginButton()
{
    leave(&JxCLoginWidgets::loginButton, this);
}

std::int16_t JxCLoginButton::Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type)
{
    if (!JxCButton::Read(in, container, type))
        return 0;
    return in.ReadBigEndian32(failurePage_) ? 1 : 0;
}

std::int16_t JxCLoginButton::CreateResources()
{
    enter(&JxCLoginWidgets::loginButton, this);
    return JxCButton::CreateResources();
}

std::int16_t JxCLoginButton::MouseUp(const JxCPoint& point, std::int16_t flag)
{
    JxCBaseProduct* product = GetProduct();
    JxCPageObject* page = pageOf(*this);
    if (!product || !page || product->GetPageList().GetLast() != page)
        return 0;
    StopActiveObjects(0);
    resetIdle();
    JxCUser* user = TitleUser();
    JxCLoginWidgets* w = widgets();
    JxCLoginField* field = w ? w->loginField : nullptr;
    if (!user || textOf(field).IsEmpty())
        return 1;
    if (!user->Login(PickedUser(*field))) {
        RunDialogPage(failurePage_, 0);
        return 1;
    }
    showNewName();
    return JxCButton::MouseUp(point, flag);
}

void JxCLoginButton::showNewName()
{
    JxCBaseProduct* product = GetProduct();
    JxCPageObject* page = pageOf(*this);
    JxCPageObject* beneath = product && page ? product->GetPageList().GetPrev(page) : nullptr;
    JxCPanelObjectList* panels = beneath ? beneath->GetPanelList() : nullptr;
    if (JxCPanelObject* first = panels ? panels->GetFirst() : nullptr) {
        JxCDisplayObjectList& objects = first->GetDisplayObjects();
        for (JxCDisplayObject* o = objects.GetFirst(); o; o = objects.GetNext(o)) {
            auto* display = dynamic_cast<JxCNameDisplay*>(o);
            if (!display)
                continue;
            // The old text's area and the new one's, which may be taller.
            const JxCRect before = display->GetRect();
            display->ReleaseResources();
            display->CreateResources();
            first->Draw(nullptr, &before, 0);
            first->Draw(nullptr, &display->GetRect(), 0);
        }
    }
    // The quiz starts again from no topic for the new user.
    if (JxCQuizPage* quiz = FindOpenQuizPage())
        quiz->SetTopic(-1);
    // The bar resets its marks and redraws.
    JxCTitleHooks& hooks = GetTitleHooks();
    if (JxCRunTimeObject* bar = hooks.FindCurrentPageEntry())
        hooks.ResetButtons(bar);
}

// --- The new-user button ------------------------------------------------------------------

JxCNewUserButton::~JxCNewUserButton()
{
    leave(&JxCLoginWidgets::newUserButton, this);
}

std::int16_t JxCNewUserButton::Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type)
{
    if (!JxCButton::Read(in, container, type))
        return 0;
    return in.ReadBigEndian32(takenPage_).ReadBigEndian32(emptyPage_) ? 1 : 0;
}

std::int16_t JxCNewUserButton::CreateResources()
{
    enter(&JxCLoginWidgets::newUserButton, this);
    return JxCButton::CreateResources();
}

void JxCNewUserButton::refuse(JxCNewUserField& field, std::int32_t page)
{
    JxCPageObject* fieldPage = pageOf(field);
    giveUpFocus(field);
    RunDialogPage(page, 0);
    // The page shown may have closed the field's page meanwhile.
    JxCLoginWidgets* w = widgets();
    if (!w || w->newUserField != &field)
        return;
    if (JxCBaseProduct* product = GetProduct(); product && fieldPage)
        product->SetFocusPage(fieldPage);
    field.TakeFocus();
}

std::int16_t JxCNewUserButton::MouseUp(const JxCPoint& point, std::int16_t flag)
{
    resetIdle();
    JxCUser* user = TitleUser();
    JxCLoginWidgets* w = widgets();
    JxCNewUserField* field = w ? w->newUserField : nullptr;
    if (!user || !field)
        return JxCButton::MouseUp(point, flag);
    const JxCString name = field->GetText();
    if (name.IsEmpty()) {
        refuse(*field, emptyPage_);
        return 1;
    }
    if (user->IsNameTaken(name)) {
        refuse(*field, takenPage_);
        return 1;
    }
    const std::int16_t result = JxCButton::MouseUp(point, flag);
    // The click's actions may have closed the page: the list is found
    // again through the login field that is still there.
    const JxCString fileName = user->CreateUser(name);
    w = widgets();
    JxCLoginCollage* list = w && w->loginField ? FindLoginCollage(*w->loginField) : nullptr;
    if (list)
        list->Reload(fileName);
    return result;
}

// --- The list -------------------------------------------------------------------------------

void JxCLoginCollage::Reload(const JxCString& fileName)
{
    JxCUser* user = TitleUser();
    if (!GetDataManager() || !user)
        return;
    Select(-1, kCauseRefresh, Scroll::None, 0);
    Refresh(-1);
    Select(fileName.IsEmpty() ? -1 : user->FindFile(fileName), kCauseRefresh, Scroll::IntoView, 0);
    Redraw();
}

std::int16_t JxCLoginGroupCollage::Start()
{
    if (!JxCGroupCollage::Start())
        return 0;
    JxCUser* user = TitleUser();
    if (JxCCollage* list = GetCollage(); list && user)
        list->Select(user->GetCurrentIndex(), kCauseRefresh, JxCCollage::Scroll::IntoView, 1);
    return 1;
}

// --- The name displays ------------------------------------------------------------------------

std::int16_t JxCNameDisplay::CreateResources()
{
    return showName(*this, libraryString(191), libraryString(190));
}

std::int16_t JxCCertificateNameDisplay::CreateResources()
{
    return showName(*this, JxCString(), JxCString());
}
