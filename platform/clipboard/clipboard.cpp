#include "platform/clipboard/clipboard.h"

#include "platform/backend/backend.h"
#include "platform/clipboard/dib_png.h"
#include "platform/core/codepage.h"
#include "platform/draw/gdiobject.h"
#include "platform/fs/paths.h"

namespace plat {

namespace {

struct Clipboard {
    bool open = false;
    bool changed = false;  // something was put on it since it was opened
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

namespace {
// What was put on the clipboard goes to the desktop's clipboard too, so
// that another program can paste it: the text (in UTF-8), else the
// picture (as PNG).
void handToHost(const Clipboard& c)
{
    if (c.text) {
        // The text ends at its terminator, as CF_TEXT does.
        TheBackend().setHostClipboardText(CodePageToUtf8(std::string_view(c.text->c_str()), GetACP()));
    } else if (c.dib) {
        if (std::string png = PackedDibToPng(*c.dib); !png.empty())
            TheBackend().setHostClipboardPicture(std::move(png));
    }
}
}  // namespace

BOOL CloseClipboard()
{
    Clipboard& c = clipboard();
    if (!c.open)
        return 0;
    if (c.changed)
        handToHost(c);
    c.open = false;
    c.changed = false;
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
    c.changed = true;
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
    c.changed = true;
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
    c.changed = false;
    c.opener = nullptr;
}

}  // namespace plat
