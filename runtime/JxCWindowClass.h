#pragma once
// The program's window classes: records kept in a class list, registered
// once at start-up, and the one way windows are made (CreateAppWindow),
// which builds the window's object with the class's factory and hands it
// over as the creation parameter.
//
// The list holds the main class "JxTovel" (the main window and the page
// windows) and "Video" (the child windows movies play in) from the first
// use of the list to the end of the process.

#include <cstdint>
#include <functional>
#include <list>
#include <string>

#include "platform/window/window.h"
#include "runtime/JxCBaseWindowObject.h"
#include "runtime/JxCBaseApp.h"

struct JxCWindowClassRecord {
    std::string name;
    JxCBaseWindowObject* (*factory)() = nullptr;
    plat::WNDPROC windowProc = nullptr;
    plat::HBRUSH brush = nullptr;
    const char* menuName = nullptr;
    std::uint16_t iconId = 0;
    std::int16_t noClose = 0;      // positive: CS_NOCLOSE
    plat::HCURSOR cursor = nullptr;
    std::int16_t doubleClicks = 0;  // positive: CS_DBLCLKS
};

class JxCWindowClassList {
public:
    struct Node {
        JxCWindowClassRecord record;
        std::int32_t order = 0;
    };
    // Head first.
    const std::list<Node>& Nodes() const { return nodes_; }

private:
    friend void AddWindowClass(JxCWindowClassList&, const JxCWindowClassRecord&, std::int32_t);
    friend std::int16_t RemoveWindowClass(JxCWindowClassList&, const char*);
    std::list<Node> nodes_;
};

// The process-wide list, with the program's two classes.
JxCWindowClassList& GetWindowClassList();

// A listed record of the same name (without regard to case) and an order
// value greater than or equal to the new one's stays; otherwise the new
// record goes to the head of the list in place of the old one.
void AddWindowClass(JxCWindowClassList& list, const JxCWindowClassRecord& record, std::int32_t order);
std::int16_t RemoveWindowClass(JxCWindowClassList& list, const char* name);
const JxCWindowClassRecord* FindWindowClass(const JxCWindowClassList& list, const char* name);
void ForEachWindowClass(const JxCWindowClassList& list, const std::function<void(JxCWindowClassRecord)>& function);

// Registers every listed class with the platform; skipped (1) for a second
// copy of the program. When any registration fails, every listed class is
// unregistered and the answer is 0.
std::int16_t RegisterWindowClasses(const JxCStartupInfo& info);
std::int16_t RegisterWindowClasses(const JxCStartupInfo& info, const JxCWindowClassList& list);

// The window of a listed class, or 0 when the class is not listed or the
// window was not created.
plat::HWND CreateAppWindow(const char* className, const JxCWindowCreateParams& params);
plat::HWND CreateWindowFromClass(const JxCWindowClassRecord& record, const JxCWindowCreateParams& params);

// Told by AttachWindowObject, so that a window creation knows its object
// has been taken over by a window.
void NoteWindowObjectAttached(const JxCBaseWindowObject* object);

// The class names.
constexpr const char* kMainWindowClassName = "JxTovel";
constexpr const char* kVideoWindowClassName = "Video";
constexpr std::uint16_t kProgramIconId = 1900;
