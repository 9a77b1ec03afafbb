#pragma once
// Modal dialog pages: the login and logbook code asks the user a question by
// opening a page whose buttons answer it, and waits for that answer.
//
// The title's dialog panel installs the runner that opens the page and runs
// the messages until a button answers. Without one (a program that has not
// started the title, or a test that answers for the user) the answer is 1,
// the "closed" answer, which changes nothing.

#include <cstdint>
#include <functional>

using JxDialogPageRunner = std::function<std::int32_t(std::int32_t pageId, std::int32_t parameter)>;

// Shows page `pageId` modally and answers what its buttons say.
std::int32_t RunDialogPage(std::int32_t pageId, std::int32_t parameter);

// Installs the runner (empty: none); returns the previous one.
JxDialogPageRunner SetDialogPageRunner(JxDialogPageRunner runner);
