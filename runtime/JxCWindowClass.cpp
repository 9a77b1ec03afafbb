#include "runtime/JxCWindowClass.h"

#include <strings.h>

#include <vector>

#include "foundation/JxResourceLibraries.h"
#include "platform/draw/gdiobject.h"
#include "platform/window/cursor.h"
#include "runtime/JxCMainTovelWindowObject.h"
#include "runtime/JxMainWindowProc.h"

namespace {

bool sameName(const std::string& a, const char* b)
{
    return b && ::strcasecmp(a.c_str(), b) == 0;
}

JxCBaseWindowObject* MakeMainWindowObject()
{
    return new JxCMainTovelWindowObject;
}

JxCBaseWindowObject* MakeVideoWindowObject()
{
    return new JxCBaseWindowObject;
}

JxCWindowClassRecord programClass(const char* name, JxCBaseWindowObject* (*factory)(), plat::WNDPROC proc,
                                  int stockBrush)
{
    JxCWindowClassRecord r;
    r.name = name;
    r.factory = factory;
    r.windowProc = proc;
    r.brush = plat::HBRUSH(plat::GetStockObject(stockBrush));
    r.iconId = kProgramIconId;
    r.noClose = 0;
    r.cursor = LoadCursorFromLibraries(0, plat::IDC_ARROW);
    r.doubleClicks = 1;
    return r;
}

// The objects made for windows now being created, innermost last; an entry
// is cleared once a window has taken its object over.
std::vector<const JxCBaseWindowObject*>& pendingObjects()
{
    static std::vector<const JxCBaseWindowObject*> pending;
    return pending;
}

}  // namespace

JxCWindowClassList& GetWindowClassList()
{
    static JxCWindowClassList list = [] {
        JxCWindowClassList l;
        AddWindowClass(l, programClass(kMainWindowClassName, MakeMainWindowObject, MainWindowProc, plat::WHITE_BRUSH), 0);
        AddWindowClass(l, programClass(kVideoWindowClassName, MakeVideoWindowObject, VideoWindowProc, plat::NULL_BRUSH), 0);
        return l;
    }();
    return list;
}

void AddWindowClass(JxCWindowClassList& list, const JxCWindowClassRecord& record, std::int32_t order)
{
    for (auto it = list.nodes_.begin(); it != list.nodes_.end(); ++it) {
        if (!sameName(it->record.name, record.name.c_str()))
            continue;
        if (it->order >= order)
            return;
        list.nodes_.erase(it);
        break;
    }
    list.nodes_.push_front({record, order});
}

std::int16_t RemoveWindowClass(JxCWindowClassList& list, const char* name)
{
    for (auto it = list.nodes_.begin(); it != list.nodes_.end(); ++it) {
        if (sameName(it->record.name, name)) {
            list.nodes_.erase(it);
            return 1;
        }
    }
    return 0;
}

const JxCWindowClassRecord* FindWindowClass(const JxCWindowClassList& list, const char* name)
{
    for (const auto& node : list.Nodes())
        if (sameName(node.record.name, name))
            return &node.record;
    return nullptr;
}

void ForEachWindowClass(const JxCWindowClassList& list, const std::function<void(JxCWindowClassRecord)>& function)
{
    for (const auto& node : list.Nodes())
        function(node.record);
}

namespace {

// One registration; false when the platform refused it.
bool RegisterWindowClass(const JxCWindowClassRecord& record)
{
    plat::WNDCLASSA wc;
    wc.style = (record.noClose > 0 ? plat::CS_NOCLOSE : 0) | (record.doubleClicks > 0 ? plat::CS_DBLCLKS : 0);
    wc.lpfnWndProc = record.windowProc;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = 4;  // window word 0: the window object
    wc.hInstance = GetInstanceHandle();
    wc.hIcon = LoadIconFromLibraries(1, reinterpret_cast<const char*>(std::uintptr_t(record.iconId)));
    wc.hCursor = record.cursor;
    wc.hbrBackground = record.brush;
    wc.lpszMenuName = record.menuName;
    wc.lpszClassName = record.name.c_str();
    return plat::RegisterClassA(wc) != 0;
}

}  // namespace

std::int16_t RegisterWindowClasses(const JxCStartupInfo& info)
{
    return RegisterWindowClasses(info, GetWindowClassList());
}

std::int16_t RegisterWindowClasses(const JxCStartupInfo& info, const JxCWindowClassList& list)
{
    if (info.previousInstance)
        return 1;
    // Once one registration has failed, the others are not tried.
    bool failed = false;
    ForEachWindowClass(list, [&](const JxCWindowClassRecord& record) {
        if (!failed && !RegisterWindowClass(record))
            failed = true;
    });
    if (!failed)
        return 1;
    ForEachWindowClass(list, [](const JxCWindowClassRecord& record) {
        plat::UnregisterClassA(record.name.c_str(), GetInstanceHandle());
    });
    return 0;
}

plat::HWND CreateAppWindow(const char* className, const JxCWindowCreateParams& params)
{
    const JxCWindowClassRecord* record = FindWindowClass(GetWindowClassList(), className);
    if (!record)
        return nullptr;
    return CreateWindowFromClass(*record, params);
}

void NoteWindowObjectAttached(const JxCBaseWindowObject* object)
{
    for (auto& pending : pendingObjects())
        if (pending == object)
            pending = nullptr;
}

plat::HWND CreateWindowFromClass(const JxCWindowClassRecord& record, const JxCWindowCreateParams& params)
{
    JxCBaseWindowObject* object = record.factory ? record.factory() : nullptr;
    if (!object)
        return nullptr;
    pendingObjects().push_back(object);
    plat::HWND window = plat::CreateWindowExA(0, record.name.c_str(), params.title, params.style, params.x, params.y,
                                              params.width, params.height, params.parent, nullptr,
                                              GetInstanceHandle(), object);
    bool attached = pendingObjects().back() == nullptr;
    pendingObjects().pop_back();
    if (!attached) {
        // No window took the object over: it would be lost. A window that
        // came up without it is no window of the program either.
        delete object;
        if (window && plat::IsWindow(window))
            plat::DestroyWindow(window);
        return nullptr;
    }
    // Once attached, the object belongs to its window, which may already
    // have been destroyed (and the object with it) during creation.
    if (!window || !plat::IsWindow(window))
        return nullptr;
    JxCBaseWindowObject* kept = GetWindowObject(window);
    return kept ? kept->GetWindow() : nullptr;
}
