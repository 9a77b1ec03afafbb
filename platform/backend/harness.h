#pragma once
// The headless test harness: a fresh desktop on a headless backend, input
// injection, running the message loop until idle or for a virtual time,
// answering the program's questions (message boxes, dialogs) through a
// responder, and writing the screen to PNG.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/backend/headless.h"
#include "platform/window/input.h"

namespace plat {

// Each character (UTF-8 in) becomes WM_CHAR input in the current code page.
void TypeText(const std::string& utf8);

// A question the program asks the user: a message box or a dialog.
struct UiRequest {
    std::string kind;  // "MessageBox", "Dialog", ...
    std::string caption;
    std::string text;
    UINT style = 0;
    int templateId = 0;
    std::string templateName;
    // The box or dialog on the screen (its controls can be filled or
    // clicked), and the ids of its buttons.
    HWND window = nullptr;
    std::vector<int> buttons;
};
// The answer (a button id, a dialog result), or nullopt: not answered.
using Responder = std::function<std::optional<int>(const UiRequest&)>;
// Installs the responder that answers the program's questions headless;
// the previous one is returned.
Responder SetResponder(Responder responder);
// Asks the responder; nullopt when none is installed or it does not answer.
std::optional<int> AskResponder(const UiRequest& request);

class Harness {
public:
    // A clean desktop and screen on a new headless backend; the previous
    // backend comes back when the harness goes.
    explicit Harness(bool virtualClock = true);
    ~Harness();
    Harness(const Harness&) = delete;
    Harness& operator=(const Harness&) = delete;

    HeadlessBackend& backend() { return *backend_; }
    std::uint64_t now() const;
    // Moves the virtual clock without running anything.
    void advance(std::uint64_t ms);

    // Input, in screen coordinates.
    void moveMouse(POINT screen);
    void press(POINT screen, MouseButton button = MouseButton::Left);
    void release(POINT screen, MouseButton button = MouseButton::Left);
    void click(POINT screen, MouseButton button = MouseButton::Left);
    void doubleClick(POINT screen, MouseButton button = MouseButton::Left);
    void keyDown(int vk);
    void keyUp(int vk);
    void tap(int vk);
    // Each character (UTF-8 in) becomes WM_CHAR in the current code page.
    void typeText(const std::string& utf8);
    void activateApp(bool byClick = false);
    void deactivateApp();
    // The host window minimised or restored by the person, not by us.
    void minimizeHost();
    void restoreHost();
    void changeDisplay(int width, int height, int bitsPerPixel);
    // The next `count` posted messages are refused, as by a full queue
    // (0 ends a refusal still pending).
    void refusePosts(int count);

    // Takes and dispatches messages until none is waiting, without moving
    // the clock; the count dispatched. A program that never stops posting
    // fails after `limit` messages (std::runtime_error).
    int runUntilIdle(int limit = 100000);
    // Lets `ms` of virtual time pass, dispatching everything that happens
    // in it (timers and loop services run when their time comes).
    int runFor(std::uint64_t ms);

    bool quitSeen() const { return quitSeen_; }
    int exitCode() const { return exitCode_; }

    bool writeScreenPng(const std::string& path, std::string* error = nullptr) const;

private:
    HeadlessBackend* backend_;
    std::unique_ptr<Backend> previous_;
    Responder previousResponder_;
    bool quitSeen_ = false;
    int exitCode_ = 0;
};

}  // namespace plat
