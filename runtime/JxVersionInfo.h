#pragma once
// The version information of the resource libraries: the product name,
// company, copyright and file version that name the product in the about
// box, the window caption and the settings store, give the language of the
// character tables and the version code the product data must match. The
// values are read through "VERSION.DLL", which is loaded only for a read.

#include <cstdint>

#include "foundation/JxCString.h"
#include "platform/core/types.h"

// Reads one module's version block into the library values (country 0) or
// the per-country values (country 1).
void ReadVersionInformation(plat::HMODULE module, int country);
// The newest resource library's values, once until the next reset.
void LoadLibraryVersionInfo();
// The per-country library's values, once per run, when that library loads.
void LoadCountryVersionInfo();
// Forgets what was read and reads the library values again.
void ResetVersionInfo();

std::uint16_t GetVersionLanguageId();
std::uint16_t GetVersionCodePage();
JxCString GetLibraryFileVersion();
JxCString GetLibraryProductName();
JxCString GetLibraryCompanyName();
JxCString GetCopyright();
// The per-country library's product name when it names a company, else the
// library's.
JxCString GetProductNameText();
// The first and third characters of the library's file version ("31" for
// 3.1.0.5); an empty file version keeps the code read before.
JxCString GetVersionCode();

// Fills the about box: the caption, and item 6001 with the product's name,
// version and copyright.
void BuildAboutText(plat::HWND dialog);
// The text of item 6001 (the caption is GetProductNameText).
JxCString MakeAboutText();

// The about box's text item.
constexpr int kAboutTextItemId = 6001;
