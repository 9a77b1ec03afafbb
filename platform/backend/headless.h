#pragma once
// The headless backend: no display, the virtual clock (or the real one, for
// measuring), and hooks for the test harness and script runner.

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

#include "platform/backend/backend.h"

namespace plat {

class Script;

class HeadlessBackend final : public Backend {
public:
    explicit HeadlessBackend(bool virtualClock = true);
    ~HeadlessBackend() override;

    const char* name() const override { return "headless"; }
    // With nothing to do: the idle hook gets its say first; then the virtual
    // clock jumps to the deadline, or the thread sleeps until woken (the
    // real clock sleeps until the deadline or a wake).
    void wait(std::optional<std::uint64_t> deadline) override;
    void wake() override;
    void showCursor(HCURSOR cursor) override { cursor_ = cursor; }
    void setHostCapture(bool on) override { hostCapture_ = on; }
    void setTitle(const std::string& title) override { title_ = title; }
    void setHostMinimized(bool minimized) override { hostMinimized_ = minimized; }
    void setHostClipboardText(const std::string& utf8) override { hostClipboard_ = utf8; }
    void setHostClipboardPicture(std::string png) override { hostClipboard_ = std::move(png); }

    // Called when the UI thread is about to wait; true when it made work
    // (injected input, posted messages), so that the waiter looks again.
    using IdleHook = std::function<bool(std::optional<std::uint64_t> deadline)>;
    void setIdleHook(IdleHook hook) { idleHook_ = std::move(hook); }
    // Keeps a script of user actions and lets it drive the program's own
    // loop from its idle moments (see Script::attach).
    void adoptScript(std::unique_ptr<Script> script);

    VirtualClock* virtualClock();
    bool hostCapture() const { return hostCapture_; }
    const std::string& title() const { return title_; }
    // Whether the program last asked for its host window to be minimised.
    bool hostMinimized() const { return hostMinimized_; }
    // What was last handed to the host's clipboard: UTF-8 text or PNG bytes.
    const std::string& hostClipboard() const { return hostClipboard_; }
    // The cursor shown now; null while hidden or none was set.
    HCURSOR shownCursor() const { return cursor_; }
    int waits() const { return waits_; }

private:
    std::mutex mutex_;
    std::condition_variable cv_;
    bool woken_ = false;
    IdleHook idleHook_;
    bool hostCapture_ = false;
    std::string title_;
    bool hostMinimized_ = false;
    std::string hostClipboard_;
    HCURSOR cursor_ = nullptr;
    int waits_ = 0;
    std::unique_ptr<Script> script_;
};

}  // namespace plat
