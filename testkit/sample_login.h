#pragma once
// The sample title's login: page 40 welcomes the user and opens the login
// page (41) over itself; there the user picks a name from
// the list of users and logs in, or types a new name and adds it, and
// Delete removes the picked user (not the logged-in one) after asking. A
// login closes the login page and goes on to the welcome page. Pages 42 to
// 45 are the dialog pages the login asks: a login that failed, a name that
// is taken, no name typed, and the deletion's confirmation.
//
// The pages' widgets are the program's classes, so these must be
// registered before the type ids are numbered.

#include "testkit/title_folder.h"

namespace testkit {

constexpr std::uint32_t kSampleGreetingPage = 40;
constexpr std::uint32_t kSampleLoginPage = 41;
constexpr std::uint32_t kSampleLoginFailedPage = 42;
constexpr std::uint32_t kSampleNameTakenPage = 43;
constexpr std::uint32_t kSampleNoNamePage = 44;
constexpr std::uint32_t kSampleConfirmDeletePage = 45;

// Adds the pages, their templates and pictures; the greeting page becomes
// the last start page.
void AddSampleLogin(TitleFolder& title);
// Makes the greeting page the first start page, so that the title opens on
// the login (a title without the login pages is left as it is).
void OpenSampleOnLogin(TitleFolder& title);

}  // namespace testkit
