#pragma once
// The set-up of the web links: it offers the online service (or its
// installation) and otherwise finds the user's browser and has the user
// confirm it, and stores the choice (title/links/JxOnlineSettings.h).
//
// It clears the three stored values first and ends with at most one of
// them set: the online-service flag (1), the browser path (1), the declined
// flag (0, after the user cancelled the no-browser dialog), or none (0).

#include <cstdint>
#include <string>

#include "platform/core/types.h"

// document: the address the browser is wanted for, or null to ask for the
// program of a web page.
std::int16_t FindBrowser(const char* document);

// The dialogs of the set-up: the confirmation of a picked program (OK 1)
// and the no-browser notice (Cancel 2 declines). Each shows text in its
// control 8203 under the title's caption, centred on the desktop. The
// dialog's result, or -1 when the template is missing.
plat::LRESULT RunBrowserDialog(int templateId, const char* text);
plat::LRESULT BrowserDialogProc(plat::HWND dialog, plat::UINT msg, plat::WPARAM wParam, plat::LPARAM lParam);

// The name of a program the user is asked about: the file's name without
// its extension, its first letter in upper case. False when the path has
// no file name.
bool MakeProgramName(const char* path, std::string& name);

constexpr int kConfirmBrowserTemplateId = 8201;
constexpr int kNoBrowserTemplateId = 8202;
constexpr int kBrowserDialogTextId = 8203;

// The set-up's texts.
constexpr unsigned kOnlineInstallerPathId = 2709;
constexpr unsigned kNoBrowserFoundId = 8205;
constexpr unsigned kAsBrowserQuestionId = 8206;
constexpr unsigned kPickBrowserHintId = 8207;
constexpr unsigned kPickBrowserTitleId = 8208;
constexpr unsigned kPickBrowserFilterId = 8209;
constexpr unsigned kConfirmPickedBrowserId = 8210;
constexpr unsigned kUseProgramId = 8211;
constexpr unsigned kUseOnlineServiceId = 8220;
constexpr unsigned kInstallOnlineServiceId = 8221;
constexpr unsigned kOnlineServiceInstalledId = 8222;
