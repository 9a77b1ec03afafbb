#include "platform/clipboard/clipboard.h"

#include "platform/draw/gdiobject.h"

namespace plat {

namespace {

struct Clipboard {
    bool open = false;
    HWND opener = nullptr;
    std::optional<std::vector<std::uint8_t>> dib;
    HPALETTE palette = nullptr;
    std::optional<std::string> text;

    void clear()
    {
        dib.reset();
        text.reset();
        if (palette)
            DeleteObject(palette);
        palette = nullptr;
    }
};

Clipboard& clipboard()
{
    static Clipboard c;
    return c;
}

}  // namespace

BOOL OpenClipboard(HWND owner)
{
    Clipboard& c = clipboard();
    if (c.open)
        return 0;
    c.open = true;
    c.opener = owner;
    return 1;
}

BOOL CloseClipboard()
{
    Clipboard& c = clipboard();
    if (!c.open)
        return 0;
    c.open = false;
    c.opener = nullptr;
    return 1;
}

BOOL EmptyClipboard()
{
    Clipboard& c = clipboard();
    if (!c.open)
        return 0;
    c.clear();
    return 1;
}

BOOL SetClipboardDib(std::vector<std::uint8_t> dib)
{
    Clipboard& c = clipboard();
    if (!c.open)
        return 0;
    c.dib = std::move(dib);
    return 1;
}

BOOL SetClipboardPalette(HPALETTE palette)
{
    Clipboard& c = clipboard();
    if (!c.open || !palette)
        return 0;
    if (c.palette && c.palette != palette)
        DeleteObject(c.palette);
    c.palette = palette;
    return 1;
}

BOOL SetClipboardText(std::string text)
{
    Clipboard& c = clipboard();
    if (!c.open)
        return 0;
    c.text = std::move(text);
    return 1;
}

BOOL IsClipboardFormatAvailable(UINT format)
{
    const Clipboard& c = clipboard();
    switch (format) {
    case CF_DIB: return c.dib.has_value();
    case CF_PALETTE: return c.palette != nullptr;
    case CF_TEXT: return c.text.has_value();
    default: return 0;
    }
}

std::optional<std::vector<std::uint8_t>> GetClipboardDib()
{
    return clipboard().dib;
}

HPALETTE GetClipboardPalette()
{
    return clipboard().palette;
}

std::optional<std::string> GetClipboardText()
{
    return clipboard().text;
}

void ResetClipboard()
{
    Clipboard& c = clipboard();
    c.clear();
    c.open = false;
    c.opener = nullptr;
}

}  // namespace plat
