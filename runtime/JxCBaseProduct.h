#pragma once
// The product object: the one object that stands for the running title. It
// owns the open pages and the lists that order them, the action processor,
// the product definition and the title's product data, and keeps the state
// that the main window procedure, the pages and the actions consult: the
// current, focus and capture pages, the busy state and the page-change
// flag. Through it every periodic and deferred piece of work reaches its
// object: window timers through its table of 15 timers, idle time through
// its idle clients, the wave-output completion through the one media owner,
// actions through the processor's queue and message 1024, and a page's
// first paint through message 1025.
//
// The print set-up record is kept beside the product (runtime/JxPrinting.h);
// the product clears it at its start and lets go of its printer at its end.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "events/JxCActionProcessor.h"
#include "events/JxCRunTimeObject.h"
#include "foundation/JxCInStrStream.h"
#include "foundation/JxCList.h"
#include "foundation/JxCMungeFile.h"
#include "foundation/JxCPoint.h"
#include "foundation/JxCTableString.h"
#include "graphics/JxCCursorList.h"
#include "graphics/JxCCursorState.h"
#include "platform/core/types.h"
#include "runtime/JxCBaseProductData.h"
#include "runtime/JxCCaret.h"
#include "runtime/JxCPageObject.h"
#include "runtime/JxCPageStatistics.h"
#include "runtime/JxCProductDef.h"
#include "runtime/JxCTimerInfo.h"

class JxCBaseProduct : public JxCRunTimeObject {
public:
    static constexpr int kTimerCount = 15;
    static constexpr plat::UINT kDefaultTimerInterval = 100;
    static constexpr plat::DWORD kIdleBudgetMs = 500;
    // The message that starts a page once its first paint was seen.
    static constexpr plat::UINT kFirstPaintMessage = 0x0401;  // WM_USER + 1
    // Messages the product reports.
    static constexpr unsigned kTimerRefusedId = 1019;
    static constexpr unsigned kTimerNotKilledId = 1025;
    static constexpr unsigned kWeirdPageTypeId = 1014;
    static constexpr unsigned kNoPanelTypeId = 1048;
    // The record-table value of an index without a record.
    static constexpr std::uint32_t kNoRecord = 0xFFFFFFFF;

    JxCBaseProduct();
    ~JxCBaseProduct() override;
    JxCBaseProduct(const JxCBaseProduct&) = delete;
    JxCBaseProduct& operator=(const JxCBaseProduct&) = delete;

    // Messages of the start and of the product data file.
    static constexpr unsigned kPaletteErrorId = 1037;
    static constexpr unsigned kCannotOpenProductDataId = 1134;
    static constexpr unsigned kOutOfGlobalMemoryId = 1019;
    static constexpr unsigned kTemporaryErrorId = 1068;
    // Resources and texts the start uses.
    static constexpr unsigned kPaletteResourceId = 1907;
    static constexpr unsigned kSplashResourceId = 1908;
    static constexpr unsigned kProductDataNameId = 2;
    static constexpr unsigned kDataStoreNameId = 5403;

    // Brings up the palette, the main window, the splash (start page 1 or
    // less), the data store ("MungedSprites"), the definitions of the
    // product data file and the first page; 0 when the title cannot start
    // (the step that failed has reported why).
    virtual std::int16_t Start();
    // Destroys the splash window when there is one.
    virtual void DestroySplash();
    // The palette of the "PALETTE" resource id, or null.
    static plat::HPALETTE LoadPalette(unsigned id);

    // Reads the product data file (the program folder + text 2): version
    // record, string table, definitions, record table; then opens the data
    // stream over the page data. 0 on failure (reported where the file is
    // missing or memory is short).
    std::int16_t LoadProductData();
    // The same from an open stream over the whole file of fileSize bytes,
    // leaving the data stream to the caller. Every block, count, offset and
    // text is bounded by what the file holds.
    std::int16_t ReadProductData(JxCInStrStream& in, std::uint32_t fileSize);
    // Whether the last read stopped at the version record: the data is of
    // another country or version, and the question said so.
    bool WasProductDataRefused() const { return dataRefused_; }
    // The offset of the page data in the file (valid after a read).
    std::uint32_t GetPageDataOffset() const { return pageDataOffset_; }

    // The product's string table (0-based); an empty text past its end.
    JxCTableString GetTableString(std::int32_t index) const;
    std::int32_t GetTableStringCount() const { return std::int32_t(tableStrings_.size()); }
    // The first table string equal to the text (case counts). While the
    // data is compiled the table is read-only: a text that is not there is
    // reported (1068) and an empty text returned.
    JxCTableString InternString(const char* text);
    // The data stream positioned at record index (page number or stored
    // panel record); null when the table has no record for it.
    JxCInStrStream* GetPageRecordStream(std::int32_t index);

    JxCMungeFile* GetDataStore() const { return dataStore_.get(); }
    // The exit's cancelling of the queued actions: PurgeQueuedActions (0).
    virtual void StopQueuedActions();

    // --- Start-up state ---------------------------------------------------
    std::int32_t GetStartPage() const { return startPage_; }
    void SetStartPage(std::int32_t page) { startPage_ = page; }
    std::int16_t IsCompiledData() const { return compiledData_; }
    void SetCompiledData(std::int16_t flag) { compiledData_ = flag; }

    // The product owns its product data, definition, data stream and
    // action processor; each setter deletes what it replaces.
    void SetProductData(std::unique_ptr<JxCBaseProductData> data);
    JxCBaseProductData* GetProductData() const { return productData_.get(); }
    void SetProductDef(std::unique_ptr<JxCProductDef> def) { productDef_ = std::move(def); }
    JxCProductDef* GetProductDef() const { return productDef_.get(); }
    void SetDataStream(std::unique_ptr<JxCInStrStream> stream) { dataStream_ = std::move(stream); }
    JxCInStrStream* GetDataStream() const { return dataStream_.get(); }
    void SetActionProcessor(std::unique_ptr<JxCActionProcessor> processor);
    JxCActionProcessor* GetActionProcessor() const { return processor_.get(); }
    void SetCaret(std::unique_ptr<JxCCaret> caret) { caret_ = std::move(caret); }
    JxCCaret* GetCaret() const { return caret_.get(); }
    // Offsets of the stored page and panel records in the page data.
    void SetRecordTable(std::vector<std::uint32_t> table) { recordTable_ = std::move(table); }
    // The offset of a record, or kNoRecord for an index outside the table.
    std::uint32_t GetRecordOffset(std::int32_t index) const;

    plat::HWND GetProductWindow() const { return window_; }
    void SetProductWindow(plat::HWND window) { window_ = window; }
    // Told by the main window's object while the window goes.
    void ForgetProductWindow() { window_ = nullptr; }
    // The splash window shown while the title starts; none outside the
    // start. Its window object has no page to tear down.
    plat::HWND GetSplashWindow() const { return splash_; }
    void SetSplashWindow(plat::HWND window) { splash_ = window; }

    // --- Pages --------------------------------------------------------------
    JxCPageObjectList& GetPageList() { return pages_; }
    JxCList& GetSecondaryPageList() { return secondaryPages_; }
    JxCTopmostPageList& GetTopmostPageList() { return topmostPages_; }
    JxCPageObject* GetFirstPage();
    std::int32_t GetPageCount() const { return pages_.GetCount(); }
    JxCPageObject* FindPageById(std::int32_t id);
    std::int16_t IsPageOpen(const JxCPageObject* page) const;
    std::int16_t HasPage(const JxCPageObject* page) const;
    // The page whose window is the topmost child of the first page's window;
    // the first page when there is no child window; null when that window
    // belongs to no open page.
    JxCPageObject* GetTopPage();

    // Setters return the page they replace.
    JxCPageObject* GetCurrentPage() const { return currentPage_; }
    JxCPageObject* SetCurrentPage(JxCPageObject* page);
    JxCPageObject* GetSavedCurrentPage() const { return savedCurrentPage_; }
    JxCPageObject* SetSavedCurrentPage(JxCPageObject* page);
    // Makes the saved page current again while it is open; else forgets it.
    void RestoreCurrentPage();
    JxCPageObject* GetFocusPage() const { return focusPage_; }
    JxCPageObject* SetFocusPage(JxCPageObject* page);
    JxCPageObject* GetSavedFocusPage() const { return savedFocusPage_; }
    JxCPageObject* SetSavedFocusPage(JxCPageObject* page);
    void RestoreFocusPage();
    // The keyboard, gone with a window that closed (it is nowhere now),
    // goes back to the page holding the focused field: the focus page when
    // it holds one, else the frontmost page that does, which becomes the
    // focus page; without such a page, to the focus page.
    void ReturnKeyboard();
    // The current page as it was at the last mouse button message.
    JxCPageObject* GetMousePage() const { return mousePage_; }
    void SetMousePage(JxCPageObject* page) { mousePage_ = page; }

    JxCPageObject* GetCapturePage() const { return capturePage_; }
    void SetCapturePage(JxCPageObject* page) { capturePage_ = page; }
    // Releases the platform's capture, then ends the capture of the page
    // that held it and forgets that page.
    void ReleaseMouseCapture();

    // Opens page id (below); OpenPageDefault is OpenPage with p2 = 0.
    std::int16_t OpenPage(std::int32_t id, std::int32_t p1, std::int32_t p2, std::int16_t existing);
    std::int16_t OpenPageDefault(std::int32_t id, std::int32_t p1, std::int16_t existing);
    // Builds, registers and starts a page from its definition, which it
    // takes over (deleted on failure).
    std::int16_t ChangePage(JxCPageDef* pageDef);
    // Goes to a page: a change-page action for a page of the base page
    // type (the parameter is its panel transition type, 0 for none), else an
    // open-page action (the parameter is its window transition), posted.
    // Nothing when the page cannot be loaded.
    void GoToPage(std::int32_t id, std::int32_t parameter);
    // Whether the page of the id is of the base page type, read from its
    // record without building it; false when there is no such page.
    bool IsBasePageId(std::int32_t id);
    // Builds one panel of a page definition and appends it to the list.
    std::int16_t ReadPagePanels(JxCPanelDef& panelDef, JxCPanelObjectList& panels, JxCPageDef* pageDef);
    // Closes the page through the page list.
    void RemovePage(JxCPageObject* page);
    void RefreshPanelStates();

    // Building by type (the factories): a new, empty title page definition;
    // the page for a definition's page type (message 1014 when there is
    // none); the panel of a panel type (message 1048 when there is none).
    // And the title's look-up of its open quiz page (null when none is;
    // the base product asks the title hooks).
    virtual JxCPageDef* NewPageDef();
    virtual JxCPageObject* NewPageForDef(const JxCPageDef& def);
    virtual JxCPanelObject* NewPanelById(JxCPanelTypeId type);
    virtual JxCPageObject* FindQuizPage();

    // --- Flags and points -------------------------------------------------
    std::int16_t IsChangingPage() const { return changingPage_; }
    // Sets the page-change flag and shows the wait cursor.
    void BlockInput();
    void ClearInputBlock() { changingPage_ = 0; }
    std::int16_t IsClosingPanels() const { return closingPanels_; }
    void BeginClosingPanels() { closingPanels_ = 1; }
    void EndClosingPanels() { closingPanels_ = 0; }
    std::int16_t IsClosingPopup() const { return closingPopup_; }
    void SetClosingPopup() { closingPopup_ = 1; }
    void ClearClosingPopup() { closingPopup_ = 0; }
    std::int16_t IsSoundSuppressed() const { return soundSuppressed_; }
    void ClearVideoFlag() { videoFlag_ = 0; }
    JxCPoint GetLastMousePoint() const { return lastMousePoint_; }
    void SetLastMousePoint(const JxCPoint& point) { lastMousePoint_ = point; }
    JxCPoint GetPopupOrigin() const { return popupOrigin_; }
    // The mouse position in the client co-ordinates of the window under it.
    JxCPoint GetMousePoint() const;

    // The colour table that darkens the pictures under a popup page's
    // shadow, built from the product palette on first use; 0 when it
    // cannot be built. Null until then.
    std::int16_t BuildPaletteTable();
    const std::uint16_t* GetPaletteTable() const { return paletteTable_ ? paletteTable_->data() : nullptr; }

    // --- Timers -------------------------------------------------------------
    // Takes the lowest free entry and starts its window timer (interval 0:
    // 100 ms); 0 when the table is full (quietly) or the platform refuses
    // (message 1019). The slot goes to slotOut when given.
    std::int16_t SetTimer(JxCNotifyRoot* client, std::int16_t* slotOut, plat::UINT intervalMs);
    // Stops the client's timer in the slot, or with slot -1 the first slot
    // it holds; 0 when the client holds no such timer.
    std::int16_t KillTimer(const JxCNotifyRoot* client, std::int16_t slot);
    // Whether the client holds a timer of the table.
    bool HasTimer(const JxCNotifyRoot* client) const;
    // Stops one entry's window timer and frees it; 0 (message 1025, entry
    // kept) when the platform cannot kill it.
    std::int16_t KillTimerSlot(std::int16_t slot);
    // KillTimerSlot on every slot in order while each succeeds.
    std::int16_t StopAllTimers();
    // Hands a WM_TIMER to the owner of the entry it names.
    void DispatchTimer(JxCTimerParams& params);
    const JxCTimerInfo& GetTimerInfo(std::int16_t slot) const { return timers_.at(std::size_t(slot)); }

    // --- Idle time and media ---------------------------------------------
    // Offers idle time to the idle clients, at most about 500 ms a call;
    // 0 at once while the application is inactive.
    std::int16_t OnIdle(std::int32_t count) override;
    // The clients offered idle time; not owned.
    JxCList& GetIdleClients() { return idleClients_; }
    std::int16_t SetMediaOwner(JxCNotifyRoot* owner);
    // With null or the owner: no owner any more, 1; another object: 0.
    std::int16_t ReleaseMediaOwner(const JxCNotifyRoot* owner);
    JxCNotifyRoot* GetMediaOwner() const { return mediaOwner_; }
    void DispatchWaveDone(JxCTimerParams& params);

    // --- The action queue -------------------------------------------------
    // Without a processor the queue calls do nothing (an action handed over
    // is deleted) and the count is -1.
    void QueueAction(JxCAction* action);
    void QueueActionFirst(JxCAction* action);
    void ProcessActions();
    std::int16_t StepActionProcessor();
    std::int32_t CountPendingActions() const;
    void PurgeQueuedActions(std::int16_t mode);
    // Serves at most one waiting first-paint message, then posts one for
    // the open page to the main window, numbered; 0 when the page is not
    // open (any more) or the post is refused.
    std::int16_t PostFirstPaint(JxCPageObject* page);
    // The arrival of that message: the page starts when it is still open
    // and the number is that of its last post.
    void OnFirstPaint(JxCPageObject* page, plat::WPARAM serial);

    // --- Busy state ---------------------------------------------------------
    void ShowWaitCursor();
    void MarkBusy();
    void MarkIdle();
    // While the cursor state counts a wait.
    std::int16_t IsBusy() const { return cursorState_.IsBusy(); }
    std::int32_t GetBusyBits() const { return busyBits_; }
    plat::DWORD GetBusyStamp() const { return busyStamp_; }
    plat::DWORD GetIdleStamp() const { return idleStamp_; }
    // The main window's filter of clicks made while the title was busy
    // moves the stamps on.
    void SetBusyStamp(plat::DWORD tick) { busyStamp_ = tick; }
    void SetIdleStamp(plat::DWORD tick) { idleStamp_ = tick; }
    std::int32_t BeginWait();
    std::int32_t EndWait();
    std::int32_t SetWaitState(std::int32_t value);
    void CancelWait() { SetWaitState(0); }
    // Sends the page under the mouse a mouse move, unless busy.
    void RefreshMouseOver();
    std::int16_t SetCursor(const JxCTableString& name);
    JxCCursorState& GetCursorState() { return cursorState_; }
    // The named cursors the definitions may choose from; it starts empty.
    JxCCursorList& GetCursorList() { return cursorList_; }

    // --- Page statistics ----------------------------------------------------
    // The testing mode's Coverage and Offsets tables, opened at the end of
    // a successful start and closed first by the destructor.
    JxCPageStatistics& GetPageStatistics() { return statistics_; }
    // Counts an opening of the page number (only while the mode is on).
    void RecordPageAccess(std::int32_t pageNumber) { statistics_.RecordPageAccess(pageNumber); }

    // Every holder of a pointer to an object that is being destroyed lets
    // go of it: timers are killed, the media role and page links cleared.
    void ForgetObject(JxCNotifyRoot* dying);

private:
    void connectEvents();
    void connectTransitions();
    // The colour effect of the shadow's table: a dimmed grey.
    static constexpr std::int16_t kShadowEffect = 10;
    JxCPageObject* previousPageFor(JxCPageObject* page);
    // The open page, not closing, whose window holds a focus object: the
    // focus page first, then from the frontmost page that can be it.
    JxCPageObject* pageHoldingFocusedField();
    void undoChangePage(JxCPageObject* page, JxCPageObject* previous);
    bool templateInUse(std::int16_t templateId);
    void closeAllPages();
    std::int16_t readStringTable(JxCInStrStream& in, std::uint32_t size);
    std::int16_t readDefinitions(JxCInStrStream& in, std::uint32_t size);
    std::int16_t readRecordTable(JxCInStrStream& in, std::uint32_t size);
    std::int16_t openDataStore();
    void showSplash(int screenWidth, int screenHeight);
    std::int16_t failStart();

    JxCCursorState cursorState_;
    JxCCursorList cursorList_;
    JxCPageStatistics statistics_;
    std::vector<std::uint32_t> recordTable_;
    // The string-table block (one byte longer, ending in 0) and the table
    // strings pointing into it; texts interned while the data is not
    // compiled are kept beside it.
    std::vector<char> stringBlock_;
    std::vector<JxCTableString> tableStrings_;
    std::vector<std::unique_ptr<char[]>> internedTexts_;
    std::uint32_t pageDataOffset_ = 0;
    bool dataRefused_ = false;
    std::unique_ptr<JxCMungeFile> dataStore_;
    std::int16_t compiledData_ = 0;
    std::int32_t startPage_ = 1;
    JxCPageObjectList pages_;
    JxCList secondaryPages_;
    JxCTopmostPageList topmostPages_;
    JxCPageObject* capturePage_ = nullptr;
    JxCPageObject* currentPage_ = nullptr;
    JxCPageObject* savedCurrentPage_ = nullptr;
    JxCPageObject* mousePage_ = nullptr;
    JxCPoint popupOrigin_;
    std::unique_ptr<JxCProductDef> productDef_;
    std::unique_ptr<JxCBaseProductData> productData_;
    JxCPageObject* focusPage_ = nullptr;
    JxCPageObject* savedFocusPage_ = nullptr;
    std::array<JxCTimerInfo, kTimerCount> timers_;
    JxCList idleClients_;
    JxCNotifyRoot* mediaOwner_ = nullptr;
    JxCPoint lastMousePoint_;
    std::int16_t soundSuppressed_ = 0;
    std::int16_t closingPanels_ = 0;
    std::int16_t closingPopup_ = 0;
    std::int16_t changingPage_ = 0;
    std::uint32_t firstPaintSerial_ = 0;
    std::unique_ptr<JxCInStrStream> dataStream_;
    plat::DWORD idleStamp_ = 0;
    plat::DWORD busyStamp_ = 0;
    std::int32_t busyBits_ = 0;
    std::int16_t videoFlag_ = 0;
    std::unique_ptr<JxCCaret> caret_;
    std::unique_ptr<std::array<std::uint16_t, 256>> paletteTable_;
    std::unique_ptr<JxCActionProcessor> processor_;
    plat::HWND window_ = nullptr;
    plat::HWND splash_ = nullptr;
};

// The one product, from start-up step 2 until the exit deletes it. The
// owning and the second pointer of the original are one here: null
// whenever no product exists, so nothing can keep reaching a deleted one.
JxCBaseProduct* GetProduct();
void SetProduct(std::unique_ptr<JxCBaseProduct> product);
// Deletes the product (when there is one), then clears the pointer; while
// the product is being destroyed GetProduct still finds it.
void DeleteProduct();

// Reads a 16-bit table-string index: 0 is no text, v the table string v - 1.
// 0 (the target unchanged) on a short read or an index past the table.
std::int16_t ReadTableString(JxCInStrStream& in, JxCTableString& target);

// The main window, none without a product.
plat::HWND GetProductWindow();

// The product palette and the base palette (the one the start made the
// base; the main window realises it when the palette is asked for).
// SetProductPalette makes the palette current, and with makeBase non-zero
// the base palette too, and returns the palette it replaced; the palette
// replaced by the call before is deleted unless it is still in use.
plat::HPALETTE GetProductPalette();
plat::HPALETTE GetBasePalette();
plat::HPALETTE SetProductPalette(plat::HPALETTE palette, std::int16_t makeBase);
// Deletes the palettes (at the product's end).
void DeleteProductPalettes();

// The media objects are kept by the layer above, which installs what the
// stops do to them (null members: nothing is kept).
struct JxMediaListHooks {
    // Stops every playing media object, rewinding as StopActiveObjects
    // says; 1 when one was playing.
    std::int16_t (*stopActive)(std::int16_t rewindAll) = nullptr;
    // Stops every playing media object, without rewinding; 1 when one was
    // playing.
    std::int16_t (*stopPlaying)() = nullptr;
    std::int16_t (*anyPlaying)() = nullptr;
    // Hands a wave-output completion to the media object that wrote its
    // buffer; 1 when one did.
    std::int16_t (*routeWaveDone)(JxCTimerParams& params) = nullptr;
    // Forgets an object that dies while media objects hand it their
    // completions.
    void (*forgetOwner)(const JxCNotifyRoot* dying) = nullptr;
};
// Installs the hooks; the previous ones are returned.
JxMediaListHooks SetMediaListHooks(const JxMediaListHooks& hooks);
const JxMediaListHooks& GetMediaListHooks();

// Stops everything that plays: purges the queued actions, releases the
// media owner and stops every media object (rewinding all of them with the
// flag set); when one was playing, the product is marked idle. 1 when
// something was playing. A call made while one runs (a stop that ends in a
// click handler, say) returns 0 at once.
std::int16_t StopActiveObjects(std::int16_t flag);
// Purges the queued actions and stops every playing media object without
// rewinding (the base page's close); 1 when something was playing.
std::int16_t StopPlayingResources();
// 1 when a media object plays.
std::int16_t IsAnyResourcePlaying();
// The exit's cancelling of the queued actions.
void StopQueuedActions();
// The caption height and frame width of the first page's window, from the
// system metrics; 0 without a first page or without caption or frame.
std::int32_t GetPageCaptionHeight();
std::int32_t GetPageFrameWidth();

// The platform identifier recorded by the product's construction (3000
// until a version query succeeds), and whether off-screen drawing takes the
// fast path: the query succeeded and "TestSwitch" is off.
std::uint32_t GetProductPlatformId();
bool UseWinG();
