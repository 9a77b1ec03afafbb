// The system menu of a window, with the items the program appends to it.

#include <cstring>

#include "platform/window/desktop.h"

namespace plat {

namespace {

std::unique_ptr<MenuObject> defaultSystemMenu(const Window* w)
{
    auto m = std::make_unique<MenuObject>();
    auto add = [&](UINT flags, std::uintptr_t id, const char* text) {
        m->items.push_back({flags, id, text ? text : ""});
    };
    bool sizable = (w->style & WS_THICKFRAME) != 0;
    add(MF_STRING | MF_GRAYED, SC_RESTORE, "&Restore");
    add(MF_STRING, SC_MOVE, "&Move");
    add(MF_STRING | (sizable ? 0 : MF_GRAYED), SC_SIZE, "&Size");
    add(MF_STRING | ((w->style & WS_MINIMIZEBOX) ? 0 : MF_GRAYED), SC_MINIMIZE, "Mi&nimize");
    add(MF_STRING | ((w->style & WS_MAXIMIZEBOX) ? 0 : MF_GRAYED), SC_MAXIMIZE, "Ma&ximize");
    add(MF_SEPARATOR, 0, nullptr);
    bool noClose = w->cls && (w->cls->info.style & CS_NOCLOSE);
    add(MF_STRING | (noClose ? MF_GRAYED : 0), SC_CLOSE, "&Close\tAlt+F4");
    return m;
}

MenuItem* itemOf(HMENU menu, UINT item, UINT flags)
{
    if (!menu)
        return nullptr;
    auto& items = menu->items;
    if (flags & MF_BYPOSITION)
        return item < items.size() ? &items[item] : nullptr;
    for (MenuItem& i : items)
        if (!(i.flags & MF_SEPARATOR) && i.id == item)
            return &i;
    return nullptr;
}

}  // namespace

HMENU GetSystemMenu(HWND hwnd, BOOL revert)
{
    Window* w = TheDesktop().fromHandle(hwnd);
    if (!w || !(w->style & WS_SYSMENU))
        return nullptr;
    if (revert) {
        w->systemMenu.reset();
        return nullptr;
    }
    if (!w->systemMenu)
        w->systemMenu = defaultSystemMenu(w);
    return w->systemMenu.get();
}

BOOL AppendMenuA(HMENU menu, UINT flags, std::uintptr_t idNewItem, const char* text)
{
    if (!menu)
        return 0;
    menu->items.push_back(
        {flags, (flags & MF_SEPARATOR) ? 0 : idNewItem, (flags & MF_SEPARATOR) || !text ? "" : text});
    return 1;
}

int GetMenuItemCount(HMENU menu)
{
    return menu ? int(menu->items.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int pos)
{
    if (!menu || pos < 0 || size_t(pos) >= menu->items.size())
        return UINT(-1);
    const MenuItem& i = menu->items[size_t(pos)];
    return (i.flags & MF_SEPARATOR) ? 0 : UINT(i.id);
}

int GetMenuStringA(HMENU menu, UINT item, char* buffer, int size, UINT flags)
{
    MenuItem* i = itemOf(menu, item, flags);
    if (!i)
        return 0;
    int n = int(i->text.size());
    if (buffer && size > 0) {
        n = std::min(n, size - 1);
        std::memcpy(buffer, i->text.data(), size_t(n));
        buffer[n] = '\0';
    }
    return n;
}

void RefreshSystemMenu(Window* w)
{
    HMENU menu = GetSystemMenu(H(w), 0);
    if (!menu)
        return;
    bool minimised = IsIconic(H(w)), maximised = IsZoomed(H(w));
    auto set = [&](std::uintptr_t id, bool enabled) {
        if (MenuItem* i = itemOf(menu, UINT(id), MF_BYCOMMAND))
            i->flags = enabled ? (i->flags & ~UINT(MF_GRAYED | MF_DISABLED)) : (i->flags | MF_GRAYED);
    };
    set(SC_RESTORE, minimised || maximised);
    set(SC_MOVE, !maximised);
    set(SC_SIZE, (w->style & WS_THICKFRAME) && !minimised && !maximised);
    set(SC_MINIMIZE, (w->style & WS_MINIMIZEBOX) && !minimised);
    set(SC_MAXIMIZE, (w->style & WS_MAXIMIZEBOX) && !maximised);
}

// Whether a command of the system menu may be chosen now.
bool SystemCommandEnabled(HWND hwnd, std::uintptr_t id)
{
    MenuItem* i = itemOf(GetSystemMenu(hwnd, 0), UINT(id), MF_BYCOMMAND);
    return i && !(i->flags & (MF_GRAYED | MF_DISABLED));
}

}  // namespace plat
