#include "platform/ui/control_kit.h"
namespace plat::ui {
LRESULT EditProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }
LRESULT ListBoxProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }
LRESULT ComboBoxProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }
LRESULT ScrollBarProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }
}  // namespace plat::ui
namespace plat {
LRESULT FillDirectoryList(HWND, UINT, const char*, bool) { return -1; }
int SetScrollPos(HWND, int, int, BOOL) { return 0; }
int GetScrollPos(HWND, int) { return 0; }
BOOL SetScrollRange(HWND, int, int, int, BOOL) { return 0; }
BOOL GetScrollRange(HWND, int, int*, int*) { return 0; }
}
