#pragma once
// A harness with a recording window class for the window service tests.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <vector>

#include "platform/backend/harness.h"
#include "platform/window/window.h"

namespace plat::testing {

struct Seen {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
};

class WindowTest : public ::testing::Test {
protected:
    static WindowTest* current;
    Harness harness;
    std::vector<Seen> seen;
    // Per-message overrides: return a value instead of the default.
    std::map<UINT, std::function<LRESULT(HWND, WPARAM, LPARAM)>> handlers;

    static LRESULT CALLBACK_Proc(HWND h, UINT m, WPARAM w, LPARAM l)
    {
        WindowTest* t = current;
        t->seen.push_back({h, m, w, l, GetMessageTime()});
        auto it = t->handlers.find(m);
        if (it != t->handlers.end())
            return it->second(h, w, l);
        return DefWindowProcA(h, m, w, l);
    }

    void SetUp() override
    {
        current = this;
        WNDCLASSA wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &CALLBACK_Proc;
        wc.cbWndExtra = 4;
        wc.lpszClassName = "Rec";
        ASSERT_NE(RegisterClassA(wc), 0);
        wc.style = 0;
        wc.lpszClassName = "RecNoDbl";
        ASSERT_NE(RegisterClassA(wc), 0);
    }
    void TearDown() override { current = nullptr; }

    HWND top(int x, int y, int w, int h, DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
             const char* cls = "Rec", HWND owner = nullptr)
    {
        return CreateWindowExA(0, cls, "top", style | WS_VISIBLE, x, y, w, h, owner, nullptr,
                               nullptr, nullptr);
    }
    HWND child(HWND parent, int x, int y, int w, int h, DWORD style = 0, const char* cls = "Rec")
    {
        return CreateWindowExA(0, cls, "child", style | WS_CHILD | WS_VISIBLE, x, y, w, h, parent,
                               nullptr, nullptr, nullptr);
    }
    std::vector<UINT> messagesOf(HWND h, std::initializer_list<UINT> only = {}) const
    {
        std::vector<UINT> out;
        for (const Seen& s : seen) {
            if (h && s.hwnd != h)
                continue;
            if (only.size() && std::find(only.begin(), only.end(), s.msg) == only.end())
                continue;
            out.push_back(s.msg);
        }
        return out;
    }
    std::vector<Seen> of(UINT msg) const
    {
        std::vector<Seen> out;
        for (const Seen& s : seen)
            if (s.msg == msg)
                out.push_back(s);
        return out;
    }
    static POINT clientToScreen(HWND h, POINT p)
    {
        ClientToScreen(h, &p);
        return p;
    }
};

inline WindowTest* WindowTest::current = nullptr;

}  // namespace plat::testing
