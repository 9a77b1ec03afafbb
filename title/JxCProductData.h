#pragma once
// The title's product data: the title's companion of the product object.
// It holds what the title's record in the product data file gives (the
// styles, the index, the visit data, the quiz questions, the navigation
// targets, the special pages and three page lists), owns the current user,
// keeps the history of visited pages and drives three pieces of behaviour:
//   - an idle tick once a second (a product timer that starts with the first
//     page change, page open or close request): every 15 to 29 ticks a
//     random sound or animation of the current page, and after 120 ticks
//     without a page change or open a random page of the idle list; time
//     while the application is inactive does not count;
//   - a typed-key watcher: the phrase "Sapphire Otter", typed on the pages of
//     the typed-key template, opens a random page of the typed-key list;
//   - in testing mode, the position of each idle page picked, written to
//     "Testing.ini".
//
// The title record (every integer big-endian): the style definitions; the
// index and the visit data; the 330 quiz questions; the title fields (see
// JxTitleRecordFields); the menu and the idle page lists (each a u32 count
// and that many u32 page ids); u16 idle-animation panel id, u16
// history-excluded template id, u16 typed-key template id; the typed-key
// page list.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "foundation/JxCString.h"
#include "runtime/JxCBaseProductData.h"
#include "runtime/JxCHistory.h"
#include "runtime/JxCIndex.h"
#include "title/JxCQuizInf.h"
#include "title/JxCUser.h"

class JxCAction;
class JxCDisplayObject;
class JxCGavoPageDef;
class JxCKeyParams;
class JxCNotify;
class JxCPageObject;
class JxCStyleDef;
class JxCUserRecord;

// The title fields of the record, in the order they are stored.
struct JxTitleRecordFields {
    std::array<std::int32_t, 5> navigationTargets{};  // codes 1 to 5
    std::int32_t code6Target = 0;
    std::int32_t code7Target = 0;
    std::int32_t code9Page = 0;
    std::int32_t sparePage = 0;
    std::int32_t optionsPage = 0;
    std::int32_t secondOptionsPage = 0;
    std::int32_t spareWord = 0;  // 16-bit
    std::int32_t thirdOptionsPage = 0;
    std::int32_t code21Target = 0;
    std::int32_t code11Page = 0;
    std::int32_t secondSparePage = 0;
    std::int32_t code20Target = 0;
    std::int32_t specialTemplate1 = 0;  // 16-bit
    std::int32_t specialTemplate3 = 0;  // 16-bit
    std::int32_t quizReopenPage = 0;
    std::int32_t quizHomePage = 0;
    std::int32_t testPage = 0;
    std::int32_t finishedPage = 0;
    std::int32_t schoolhouseMarkerId = 0;  // 16-bit, as are the three spares
    std::array<std::int32_t, 3> spareWords{};
    std::int32_t code22Target = 0;
    std::int32_t secondHomeTarget = 0;
    std::int32_t specialCode22Target = 0;
};

class JxCProductData : public JxCBaseProductData {
public:
    static constexpr std::int32_t kIdleTickMs = 1000;
    static constexpr std::int32_t kIdlePageTicks = 120;
    static constexpr std::int32_t kKeyBufferSize = 512;
    static constexpr const char* kKeyPhrase = "Sapphire Otter";

    JxCProductData();
    // Removes its registrations and stops its timer; deleting the user
    // saves the logged-in user's record.
    ~JxCProductData() override;

    // Makes the index, visit data, quiz state and user; registers to be
    // told when a change-page or an open-page action stops and before
    // "on_close" is handled. 1.
    std::int16_t Initialise() override;
    // Reads the title record. A record that ends early, or whose counts run
    // past its bytes, leaves what follows the damage empty, and the error log
    // says so with the product data file's name.
    void Load(JxCInStrStream& in) override;
    // Steps back one page in the history; 1.
    std::int16_t GoBack();

    // A registration's delivery: the history, the idle restart and the
    // visited mark of the page, and the first start of the idle timer.
    void Notify(JxCNotify* registration, JxCObject* sender) override;
    void PreNotify(JxCNotify* registration, JxCObject* sender) override;
    // The idle tick.
    void OnSystemEvent(JxCTimerParams* record) override;
    void Tick();
    // The typed-key watcher.
    void OnKey(const JxCKeyParams& key);
    // Asks for a random page of the menu list (nothing when it is empty).
    void GoToRandomPage();
    // The idle and effect counts to 0, the next effect 15 to 29 ticks away.
    void ResetIdle();

    // --- What the title record holds -------------------------------------
    JxCIndex* GetIndex() const { return index_.get(); }
    JxCIndex* GetVisitData() const { return visits_.get(); }
    JxCQuizInf* GetQuizInf() const { return quiz_.get(); }
    JxCUser* GetUser() const { return user_.get(); }
    // The logged-in user's record, or null when nobody is logged in.
    JxCUserRecord* GetUserRecord() const;
    JxCStyleDef* GetStyleDef() const override { return styles_.get(); }
    const JxTitleRecordFields& GetFields() const { return fields_; }
    JxTitleRecordFields& GetFields() { return fields_; }
    std::int32_t GetTestPageId() const { return fields_.testPage; }
    std::int32_t GetKeyWatchTemplate() const { return keyWatchTemplate_; }
    std::int32_t GetIdleAnimationPanelId() const { return idleAnimationPanel_; }
    std::int32_t GetHistoryExcludedTemplate() const { return excludedTemplate_; }
    const std::vector<std::int32_t>& GetMenuList() const { return menuList_; }
    const std::vector<std::int32_t>& GetIdleList() const { return idleList_; }
    const std::vector<std::int32_t>& GetKeyList() const { return keyList_; }

    // --- Run-time state ----------------------------------------------------
    JxCHistory& GetHistory() { return history_; }
    // True while the history holds fewer than two entries.
    bool IsHistoryShort() const { return history_.GetCount() < 2; }
    std::int32_t GetListSelection() const { return listSelection_; }
    void SetListSelection(std::int32_t position) { listSelection_ = position; }
    std::int32_t GetIdleCount() const { return idleCount_; }
    std::int32_t GetEffectCount() const { return effectCount_; }
    std::int32_t GetEffectDue() const { return effectDue_; }
    bool IsTimerStarted() const { return timerStarted_ != 0; }
    // The level the quiz completed last, -1 when none is waiting for its
    // certificate.
    std::int32_t GetCompletedLevel() const { return completedLevel_; }
    void SetCompletedLevel(std::int32_t level) { completedLevel_ = level; }
    JxCPageObject* GetBroughtForwardPage() const { return broughtForward_; }
    void SetBroughtForwardPage(JxCPageObject* page) { broughtForward_ = page; }

private:
    bool readRecord(JxCInStrStream& in);
    void logShortRecord();
    void recordHistory();
    void markVisited();
    void startTimer();
    void openIdlePage();
    void playEffect(const JxCGavoPageDef& def);
    void playIdleSound(const JxCString& name);
    void playIdleAnimation(const JxCString& name);
    void postOpenPage(std::int32_t pageId);

    std::unique_ptr<JxCIndex> index_;
    std::unique_ptr<JxCIndex> visits_;
    std::unique_ptr<JxCQuizInf> quiz_;
    std::unique_ptr<JxCUser> user_;
    std::unique_ptr<JxCStyleDef> styles_;
    JxTitleRecordFields fields_;
    std::array<JxCNotify*, 3> registrations_{};
    JxCHistory history_;
    std::int32_t listSelection_ = 0;
    std::int16_t timerStarted_ = 0;
    JxCPageObject* broughtForward_ = nullptr;
    std::vector<std::int32_t> menuList_;
    std::int32_t idleCount_ = 0;
    std::int32_t effectCount_ = 0;
    std::int32_t effectDue_ = 15;
    std::vector<std::int32_t> idleList_;
    std::vector<std::int32_t> keyList_;
    std::int32_t idleAnimationPanel_ = 0;
    std::int32_t excludedTemplate_ = 0;
    std::int32_t keyWatchTemplate_ = 0;
    std::int32_t completedLevel_ = -1;
    // The typed characters so far.
    std::string typed_;
};

// The title's product data attached to the product, or null.
JxCProductData* GetTitleData();
