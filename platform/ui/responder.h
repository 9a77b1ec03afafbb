#pragma once
// How boxes and dialogs meet the headless harness. Each modal box or dialog
// is offered to the harness's responder (platform/backend/harness.h) every
// time it waits for the user: once it is on the screen and whenever the
// input the responder gave it has been handled. The responder answers with
// a button or command id (the box or dialog then acts as if that button
// had been pressed), with kAnswerByInput after it queued input, moved the
// clock or filled controls itself, or with nothing: then nobody expected the
// box, and UnexpectedUi is thrown with a message that names it.

#include <stdexcept>
#include <string>

#include "platform/backend/harness.h"

namespace plat {

constexpr int kAnswerByInput = -1;

class UnexpectedUi : public std::runtime_error {
public:
    explicit UnexpectedUi(const std::string& what) : std::runtime_error(what) {}
};

namespace ui {

// True when no person can answer: the headless backend is running.
bool Headless();
// A short description of a request for messages: kind, caption and text,
// in UTF-8.
std::string Describe(const UiRequest& request);

}  // namespace ui

}  // namespace plat
