#pragma once
// What the two online actions do: open a web address (in the user's
// browser or through the online service) and run the links' set-up.

#include <cstdint>
#include <string_view>

#include "foundation/JxCString.h"

class JxCRunTimeObject;

// The address as the link uses it: one that starts with "\" is under the
// product definition's folder; otherwise, for a link with an owner, under
// the data path of the page that holds the owner's container (a web
// address is left alone); without an owner it stays as written.
JxCString CompleteLinkAddress(const JxCString& address, JxCRunTimeObject* owner);

// Whether the browser may be given the address: an http, https, ftp or
// mailto address or the name of an existing file, and never a text that a
// program would take for an option (one that starts with "-").
bool IsBrowserAddress(std::string_view address);

// Opens the address (see JxCGoUrlAction); 0 when the settings' texts are
// missing, else 1.
std::int16_t OpenLink(const JxCString& address, const JxCString& serviceAddress, JxCRunTimeObject* owner);

// The texts the links show.
constexpr unsigned kLinkFailedId = 8204;     // the online service's launch failed
constexpr unsigned kBrowserFailedId = 8219;  // the browser refused the address or did not start
constexpr unsigned kNoBrowserFirstId = 8212;
constexpr unsigned kNoBrowserSecondId = 8213;
constexpr unsigned kNoBrowserThirdId = 8214;
