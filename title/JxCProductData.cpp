#include "title/JxCProductData.h"

#include <string>

#include "events/JxCNotify.h"
#include "events/JxNotifyTables.h"
#include "foundation/JxCInStrStream.h"
#include "foundation/JxErrorLog.h"
#include "foundation/JxResourceLibraries.h"
#include "foundation/JxStartupSettings.h"
#include "graphics/JxCStyleDef.h"
#include "media/JxCPlaySoundAction.h"
#include "media/JxPicsActions.h"
#include "objects/actions/JxCOpenPageAction.h"
#include "platform/config/profile.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCKeyParams.h"
#include "runtime/JxCPanelObject.h"
#include "runtime/JxKeywordTables.h"
#include "runtime/JxMainWindowState.h"
#include "title/panels/JxCGavoPageDef.h"
#include "title/JxTitleRandom.h"
#include "title/JxTitleSound.h"

namespace {

constexpr std::int32_t kEffectBase = 15;
constexpr std::int32_t kEffectSpread = 15;

// A u32 count and that many u32 page ids; the count is bounded by the
// bytes left.
bool readPageList(JxCInStrStream& in, std::vector<std::int32_t>& list)
{
    std::uint32_t count = 0;
    if (!in.ReadBigEndian32(count) || count > in.Remaining() / 4)
        return false;
    std::vector<std::int32_t> read(count);
    for (std::int32_t& id : read)
        if (!in.ReadBigEndian32(id))
            return false;
    list = std::move(read);
    return true;
}

bool readFields(JxCInStrStream& in, JxTitleRecordFields& f)
{
    for (std::int32_t& target : f.navigationTargets)
        in.ReadBigEndian32(target);
    in.ReadBigEndian32(f.code6Target).ReadBigEndian32(f.code7Target).ReadBigEndian32(f.code9Page);
    in.ReadBigEndian32(f.sparePage).ReadBigEndian32(f.optionsPage).ReadBigEndian32(f.secondOptionsPage);
    in.ReadBigEndian16To32(f.spareWord).ReadBigEndian32(f.thirdOptionsPage);
    in.ReadBigEndian32(f.code21Target).ReadBigEndian32(f.code11Page);
    in.ReadBigEndian32(f.secondSparePage).ReadBigEndian32(f.code20Target);
    in.ReadBigEndian16To32(f.specialTemplate1).ReadBigEndian16To32(f.specialTemplate3);
    in.ReadBigEndian32(f.quizReopenPage).ReadBigEndian32(f.quizHomePage);
    in.ReadBigEndian32(f.testPage).ReadBigEndian32(f.finishedPage);
    in.ReadBigEndian16To32(f.schoolhouseMarkerId);
    for (std::int32_t& spare : f.spareWords)
        in.ReadBigEndian16To32(spare);
    in.ReadBigEndian32(f.code22Target).ReadBigEndian32(f.secondHomeTarget).ReadBigEndian32(f.specialCode22Target);
    return in.Good();
}

// The product's string table as the index reads its names.
std::vector<JxCString> productStrings()
{
    std::vector<JxCString> strings;
    if (JxCBaseProduct* product = GetProduct())
        for (std::int32_t i = 0; i < product->GetTableStringCount(); ++i)
            strings.emplace_back(std::string(product->GetTableString(i).View()).c_str());
    return strings;
}

JxCGavoPageDef* currentPageDef()
{
    JxCBaseProduct* product = GetProduct();
    JxCPageObject* page = product ? product->GetCurrentPage() : nullptr;
    return page ? dynamic_cast<JxCGavoPageDef*>(page->GetPageDef()) : nullptr;
}

std::int32_t nextEffectDue()
{
    return TitleRandom().Next(kEffectSpread) + kEffectBase;
}

}  // namespace

JxCProductData* GetTitleData()
{
    JxCBaseProduct* product = GetProduct();
    return product ? dynamic_cast<JxCProductData*>(product->GetProductData()) : nullptr;
}

JxCProductData::JxCProductData() = default;

JxCProductData::~JxCProductData()
{
    for (JxCNotify*& registration : registrations_)
        if (registration) {
            RemoveNotify(registration);
            registration = nullptr;
        }
    if (JxCBaseProduct* product = GetProduct())
        product->KillTimer(this, -1);
}

std::int16_t JxCProductData::Initialise()
{
    timerStarted_ = 0;
    index_ = std::make_unique<JxCIndex>();
    visits_ = std::make_unique<JxCIndex>();
    quiz_ = std::make_unique<JxCQuizInf>();
    user_ = std::make_unique<JxCUser>();
    JxCUser::RemoveAbandonedSaves();
    if (NotifyTablesExist()) {
        registrations_[0] = AddObjectNotifyOnActionStopped(ActionTypeId(JxActionKeyword::CHANGEPAGE), 0, nullptr);
        registrations_[1] = AddObjectNotifyOnActionStopped(ActionTypeId(JxActionKeyword::OPENPAGE), 0, nullptr);
        registrations_[2] = AddObjectNotifyBeforeEvent(EventId(JxEventKeyword::on_close), 0, nullptr);
    }
    return 1;
}

void JxCProductData::Load(JxCInStrStream& in)
{
    if (!readRecord(in))
        logShortRecord();
}

bool JxCProductData::readRecord(JxCInStrStream& in)
{
    // The styles become the product's, which hands them to the text output.
    styles_ = std::make_unique<JxCStyleDef>();
    if (!styles_->Read(in))
        return false;
    const std::vector<JxCString> strings = productStrings();
    if (!index_ || !index_->Read(in, strings) || !visits_ || !visits_->Read(in, strings))
        return false;
    if (!quiz_ || !quiz_->Read(in))
        return false;
    if (!readFields(in, fields_))
        return false;
    if (!readPageList(in, menuList_) || !readPageList(in, idleList_))
        return false;
    if (!in.ReadBigEndian16To32(idleAnimationPanel_).ReadBigEndian16To32(excludedTemplate_).ReadBigEndian16To32(
            keyWatchTemplate_))
        return false;
    return readPageList(in, keyList_);
}

void JxCProductData::logShortRecord()
{
    // The title still runs; what the record lacks keeps its first values.
    const std::string file = LoadStringFromLibraries(JxCBaseProduct::kProductDataNameId).value_or("");
    const std::string line = "The title's record in '" + file + "' ends early or is damaged; its later fields are left empty.";
    AppendToErrorLog(line.c_str());
}

std::int16_t JxCProductData::GoBack()
{
    history_.GoBack(1);
    return 1;
}

JxCUserRecord* JxCProductData::GetUserRecord() const
{
    return user_ ? user_->GetRecord() : nullptr;
}

void JxCProductData::PreNotify(JxCNotify* registration, JxCObject* sender)
{
    // The "on_close" registration is told before the event is handled.
    Notify(registration, sender);
}

void JxCProductData::Notify(JxCNotify* registration, JxCObject*)
{
    const std::int16_t type = registration ? registration->GetTypeId() : -1;
    const bool isEvent = registration == registrations_[2];
    const bool change = !isEvent && type == ActionTypeId(JxActionKeyword::CHANGEPAGE);
    const bool open = !isEvent && type == ActionTypeId(JxActionKeyword::OPENPAGE);
    if (change)
        recordHistory();
    if (change || open) {
        ResetIdle();
        markVisited();
    }
    startTimer();
}

void JxCProductData::recordHistory()
{
    JxCBaseProduct* product = GetProduct();
    JxCPageObject* current = product ? product->GetCurrentPage() : nullptr;
    if (!current || !current->GetPageDef() || current->GetPageDef()->GetTemplateId() == excludedTemplate_)
        return;
    JxCPageObject* first = product->GetFirstPage();
    if (!first)
        return;
    auto entry = std::make_unique<JxCProductXref>(first->GetPageId());
    JxCProductXref* last = history_.GetLast();
    if (last && *last == *entry)
        return;
    if (history_.Add(entry.get()))
        entry.release();
}

void JxCProductData::markVisited()
{
    const JxCGavoPageDef* def = currentPageDef();
    if (def && user_)
        user_->SetVisited(def->GetVisitIndex());
}

void JxCProductData::startTimer()
{
    if (timerStarted_)
        return;
    JxCBaseProduct* product = GetProduct();
    if (!product || !product->SetTimer(this, nullptr, kIdleTickMs))
        return;
    timerStarted_ = 1;
    effectDue_ = nextEffectDue();
}

void JxCProductData::ResetIdle()
{
    idleCount_ = 0;
    effectCount_ = 0;
    effectDue_ = nextEffectDue();
}

void JxCProductData::OnSystemEvent(JxCTimerParams*)
{
    Tick();
}

void JxCProductData::Tick()
{
    ++idleCount_;
    ++effectCount_;
    if (!MainWindowInput().appActive) {
        idleCount_ = 0;
        effectCount_ = 0;
    }
    if (idleCount_ == kIdlePageTicks)
        openIdlePage();
    if (effectCount_ != effectDue_)
        return;
    if (const JxCGavoPageDef* def = currentPageDef())
        playEffect(*def);
    effectCount_ = 0;
    effectDue_ = nextEffectDue();
}

void JxCProductData::openIdlePage()
{
    // The first entry is never picked, so a list needs two entries; with
    // fewer nothing opens.
    const std::int32_t count = std::int32_t(idleList_.size());
    if (count >= 2) {
        const std::int32_t position = TitleRandom().Next(count - 1);
        if (IsTestingEnabled()) {
            const std::string value = std::to_string(position);
            plat::WritePrivateProfileStringA("GAVO3", "Page", value.c_str(), "Testing.ini");
            plat::WritePrivateProfileStringA(nullptr, nullptr, nullptr, "Testing.ini");
        }
        postOpenPage(idleList_[std::size_t(position)]);
    }
    idleCount_ = 0;
    effectCount_ = 0;
}

void JxCProductData::playEffect(const JxCGavoPageDef& def)
{
    const std::int32_t animations = std::int32_t(def.GetRandomAnimations().size());
    const std::int32_t sounds = std::int32_t(def.GetRandomSounds().size());
    bool sound = sounds > 0;
    if (animations > 0 && sounds > 0)
        sound = TitleRandom().Next(2) == 1;
    if (sound) {
        playIdleSound(def.GetRandomSounds()[std::size_t(TitleRandom().Next(sounds) - 1)]);
        return;
    }
    if (animations > 0)
        playIdleAnimation(def.GetRandomAnimations()[std::size_t(TitleRandom().Next(animations) - 1)]);
}

void JxCProductData::playIdleSound(const JxCString& name)
{
    // Through the action processor like any other sound, so that it waits
    // for a sound already playing instead of cutting in.
    JxCBaseProduct* product = GetProduct();
    JxCPageObject* page = product ? product->GetCurrentPage() : nullptr;
    JxCPlaySoundAction action;
    action.SetParameters(name, -1, -1, 0, 1, 1, page);
    action.Post();
}

void JxCProductData::playIdleAnimation(const JxCString& name)
{
    // The animation plays on the idle-animation panel of the current page,
    // for the panel's first object; a page without that panel, or whose
    // panel holds no object, plays nothing.
    JxCBaseProduct* product = GetProduct();
    JxCPageObject* page = product ? product->GetCurrentPage() : nullptr;
    JxCPanelObject* panel = page ? page->FindPanelById(idleAnimationPanel_) : nullptr;
    JxCDisplayObject* object = panel ? panel->GetDisplayObjects().GetFirst() : nullptr;
    if (!object)
        return;
    JxCPlayQueuePicsAction action;
    if (action.Setup(name, -1, -1, 0, 1, 1, object, 0, 0))
        action.Post();
}

void JxCProductData::postOpenPage(std::int32_t pageId)
{
    JxCOpenPageAction action;
    action.SetTargetWithParam(std::uint32_t(pageId), 0);
    action.Post();
}

void JxCProductData::GoToRandomPage()
{
    if (menuList_.empty())
        return;
    const std::int32_t position = TitleRandom().Next(std::int32_t(menuList_.size())) - 1;
    // The menu's pages are base pages: they take the main window's place
    // through a page change.
    if (JxCBaseProduct* product = GetProduct())
        product->GoToPage(menuList_[std::size_t(position)], 0);
}

void JxCProductData::OnKey(const JxCKeyParams& key)
{
    if (key.IsKeyDown())
        return;
    if (typed_.size() >= std::size_t(kKeyBufferSize))
        typed_.clear();
    typed_.push_back(char(key.GetKeyCode()));
    const std::string_view phrase(kKeyPhrase);
    if (!phrase.starts_with(typed_)) {
        typed_.clear();
        return;
    }
    if (typed_.size() != phrase.size())
        return;
    typed_.clear();
    if (keyList_.empty())
        return;
    postOpenPage(keyList_[std::size_t(TitleRandom().Next(std::int32_t(keyList_.size())) - 1)]);
}
