#pragma once
// Dialog templates: the caption, style, font and controls of a dialog, with
// every rectangle in dialog units. A template is read from the text form a
// resource library keeps in "dialog/NAME.dlg" (docs/resource-libraries.md
// gives the syntax) or built in code.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/core/types.h"
#include "platform/window/window.h"

namespace plat {

constexpr DWORD DS_SYSMODAL = 0x0002;
constexpr DWORD DS_3DLOOK = 0x0004;
constexpr DWORD DS_SETFONT = 0x0040;
constexpr DWORD DS_MODALFRAME = 0x0080;
constexpr DWORD DS_NOIDLEMSG = 0x0100;
constexpr DWORD DS_SETFOREGROUND = 0x0200;
constexpr DWORD DS_CONTROL = 0x0400;
constexpr DWORD DS_CENTER = 0x0800;

struct DialogItemTemplate {
    std::string className;  // "Button", "Edit", "Static", "ListBox", "ComboBox", "ScrollBar" or a registered class
    int id = -1;
    std::string text;  // in the code page of the library it came from
    int x = 0, y = 0, cx = 0, cy = 0;
    DWORD style = 0;   // WS_CHILD and WS_VISIBLE come on top of it unless removed with NOT
    DWORD exStyle = 0;
};

struct DialogTemplate {
    std::string caption;
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    int pointSize = 8;
    std::string faceName = "MS Sans Serif";
    std::vector<DialogItemTemplate> items;

    // Appends a visible child control, as the built-in dialogs lay theirs out.
    void addItem(std::string className, int id, std::string text, int x, int y, int cx, int cy,
                 DWORD style)
    {
        DialogItemTemplate i;
        i.className = std::move(className);
        i.id = id;
        i.text = std::move(text);
        i.x = x, i.y = y, i.cx = cx, i.cy = cy;
        i.style = WS_CHILD | WS_VISIBLE | style;
        items.push_back(std::move(i));
    }
};

// Reads a template; on failure false and, in error, the line and what is
// wrong with it.
bool ParseDialogTemplate(std::string_view text, DialogTemplate* out, std::string* error);

// The value of a style name ("WS_TABSTOP", "BS_DEFPUSHBUTTON" ...); false for
// a name it does not know.
bool StyleValue(std::string_view name, DWORD* value);

}  // namespace plat
