#include "platform/backend/script.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "platform/backend/screen_png.h"
#include "platform/ui/responder.h"
#include "platform/window/input.h"
#include "platform/window/messages.h"
#include "platform/window/window.h"

namespace plat {

namespace {

const std::map<std::string, int>& keyNames()
{
    static const std::map<std::string, int> names{
        {"RETURN", VK_RETURN}, {"ENTER", VK_RETURN}, {"ESCAPE", VK_ESCAPE}, {"TAB", VK_TAB},
        {"SPACE", VK_SPACE},   {"BACK", VK_BACK},    {"DELETE", VK_DELETE}, {"LEFT", VK_LEFT},
        {"RIGHT", VK_RIGHT},   {"UP", VK_UP},        {"DOWN", VK_DOWN},     {"HOME", VK_HOME},
        {"END", VK_END},       {"ALT", VK_MENU},     {"CTRL", VK_CONTROL},  {"SHIFT", VK_SHIFT},
        {"PRIOR", VK_PRIOR},   {"NEXT", VK_NEXT}};
    return names;
}

std::optional<int> keyCode(std::string name)
{
    for (char& c : name)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
        return name[0];
    if (name.size() >= 2 && name[0] == 'F' && std::isdigit(static_cast<unsigned char>(name[1]))) {
        int n = std::atoi(name.c_str() + 1);
        if (n >= 1 && n <= 24)
            return VK_F1 + n - 1;
    }
    auto it = keyNames().find(name);
    if (it != keyNames().end())
        return it->second;
    char* end = nullptr;
    long v = std::strtol(name.c_str(), &end, 0);
    if (end && !*end && v > 0 && v < 256)
        return int(v);
    return std::nullopt;
}

std::optional<long> number(const std::string& s)
{
    char* end = nullptr;
    long v = std::strtol(s.c_str(), &end, 10);
    if (s.empty() || !end || *end)
        return std::nullopt;
    return v;
}

std::optional<MouseButton> button(const std::vector<std::string>& args, size_t at)
{
    if (args.size() <= at || args[at] == "left")
        return MouseButton::Left;
    if (args[at] == "right")
        return MouseButton::Right;
    if (args[at] == "middle")
        return MouseButton::Middle;
    return std::nullopt;
}

}  // namespace

std::optional<Script> Script::parse(const std::string& text, const std::string& name,
                                    std::string* error)
{
    Script s;
    s.name_ = name;
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::istringstream words(line);
        Step step;
        step.line = number;
        if (!(words >> step.command) || step.command[0] == '#')
            continue;
        std::getline(words >> std::ws, step.rest);
        std::istringstream args(step.rest);
        for (std::string a; args >> a;)
            step.args.push_back(a);
        s.steps_.push_back(std::move(step));
    }
    // Check every step now, so a bad line fails before anything runs.
    std::string why;
    for (const Step& st : s.steps_) {
        if (!s.execute(st, false, nullptr, &why)) {
            if (error)
                *error = name + ":" + std::to_string(st.line) + ": " + why;
            return std::nullopt;
        }
    }
    return s;
}

std::optional<Script> Script::load(const std::string& path, std::string* error)
{
    std::ifstream f(path, std::ios::binary);
    if (!f) {
        if (error)
            *error = "cannot open " + path;
        return std::nullopt;
    }
    std::ostringstream all;
    all << f.rdbuf();
    return parse(all.str(), path, error);
}

bool Script::execute(const Step& st, bool act, Harness* harness, std::string* error)
{
    const auto& a = st.args;
    auto fail = [error](const std::string& why) {
        if (error)
            *error = why;
        return false;
    };
    auto point = [&](POINT* p) {
        auto x = a.size() > 0 ? number(a[0]) : std::nullopt;
        auto y = a.size() > 1 ? number(a[1]) : std::nullopt;
        if (!x || !y)
            return false;
        *p = {LONG(*x), LONG(*y)};
        return true;
    };
    const std::string& c = st.command;
    POINT p;
    if (c == "move" || c == "down" || c == "up" || c == "click" || c == "dblclick") {
        if (!point(&p))
            return fail("'" + c + "' needs X and Y");
        auto b = button(a, 2);
        if (!b)
            return fail("unknown button '" + a[2] + "'");
        if (!act)
            return true;
        int presses = c == "dblclick" ? 2 : 1;
        if (c == "move")
            InjectMouseMove(p);
        for (int i = 0; i < presses && c != "move"; ++i) {
            if (c != "up")
                InjectMouseButton(*b, true, p);
            if (c != "down")
                InjectMouseButton(*b, false, p);
        }
        return true;
    }
    if (c == "key") {
        auto vk = a.empty() ? std::nullopt : keyCode(a[0]);
        if (!vk)
            return fail("unknown key '" + (a.empty() ? std::string() : a[0]) + "'");
        std::string how = a.size() > 1 ? a[1] : "";
        if (!how.empty() && how != "down" && how != "up")
            return fail("a key goes 'down' or 'up', not '" + how + "'");
        if (!act)
            return true;
        if (how != "up")
            InjectKey(*vk, true);
        if (how != "down")
            InjectKey(*vk, false);
        return true;
    }
    if (c == "text") {
        if (act)
            TypeText(st.rest);
        return true;
    }
    if (c == "activate" || c == "deactivate") {
        if (act)
            c == "activate" ? HostActivated(!a.empty() && a[0] == "click") : HostDeactivated();
        return true;
    }
    if (c == "display") {
        // A missing or unreadable field reads as -1 and is refused below.
        auto field = [&a](size_t i) { return i < a.size() ? number(a[i]).value_or(-1) : -1; };
        const auto w = field(0), h = field(1), bpp = field(2);
        if (w <= 0 || h <= 0 || bpp <= 0 || w > 8192 || h > 8192)
            return fail("'display' needs a width, a height and bits per pixel");
        if (act)
            DisplayChanged(int(w), int(h), int(bpp));
        return true;
    }
    if (c == "run") {
        auto ms = a.empty() ? std::nullopt : number(a[0]);
        if (!ms || *ms < 0)
            return fail("'run' needs milliseconds");
        if (harness)
            harness->runFor(std::uint64_t(*ms));
        return true;
    }
    if (c == "idle") {
        if (harness)
            harness->runUntilIdle();
        return true;
    }
    if (c == "png") {
        if (st.rest.empty())
            return fail("'png' needs a file name");
        if (act)
            return WriteScreenPng(TheScreen(), st.rest, error);
        return true;
    }
    if (c == "answer") {
        auto id = a.size() == 1 ? number(a[0]) : std::nullopt;
        if (!id || *id < 0 || *id > 0xFFFF)
            return fail("'answer' needs the id of a button");
        if (act)
            answers_.push_back(int(*id));
        return true;
    }
    if (c == "quit") {
        auto code = a.empty() ? std::optional<long>(0) : number(a[0]);
        if (!code)
            return fail("'quit' takes an exit code");
        if (harness) {
            PostQuitMessage(int(*code));
            harness->runUntilIdle();
        }
        return true;
    }
    return fail("unknown command '" + c + "'");
}

std::optional<int> Script::respond(const UiRequest&)
{
    for (;;) {
        if (!answers_.empty()) {
            const int id = answers_.front();
            answers_.pop_front();
            return id;
        }
        if (next_ >= steps_.size())
            return std::nullopt;
        const Step& st = steps_[next_];
        // A box that comes up where the script lets the program run (a
        // click, then `run`, then `answer`) waits through that time.
        if (st.command == "run" || st.command == "idle") {
            ++next_;
            continue;
        }
        const bool typing = st.command == "text" || st.command == "key";
        if (st.command != "answer" && st.command != "png" && !typing)
            return std::nullopt;
        ++next_;
        std::string why;
        if (!execute(st, true, nullptr, &why))
            std::fprintf(stderr, "%s:%d: %s\n", name_.c_str(), st.line, why.c_str());
        if (typing)
            return kAnswerByInput;
    }
}

bool Script::run(Harness& harness, std::string* error)
{
    Responder previous = SetResponder([this](const UiRequest& r) { return respond(r); });
    bool ok = true;
    for (next_ = 0; ok && next_ < steps_.size();) {
        const Step& st = steps_[next_++];
        std::string why;
        if (!execute(st, true, &harness, &why)) {
            if (error)
                *error = name_ + ":" + std::to_string(st.line) + ": " + why;
            ok = false;
        }
    }
    SetResponder(std::move(previous));
    return ok;
}

void Script::attach(HeadlessBackend& backend)
{
    next_ = 0;
    runUntil_.reset();
    quitPosted_ = false;
    answers_.clear();
    SetResponder([this](const UiRequest& request) -> std::optional<int> {
        std::optional<int> answer = respond(request);
        // A message box takes only the ids of its buttons.
        if (answer && (*answer == kAnswerByInput || request.kind != "MessageBox" ||
                       std::find(request.buttons.begin(), request.buttons.end(), *answer) != request.buttons.end()))
            return answer;
        if (answer)
            std::fprintf(stderr, "%s: the answer %d is not a button of the box below\n", name_.c_str(), *answer);
        ExitOnUnansweredBox(request);
    });
    backend.setIdleHook([this, &backend](std::optional<std::uint64_t> deadline) {
        VirtualClock* vc = backend.virtualClock();
        if (runUntil_) {
            if (vc && deadline && *deadline <= *runUntil_)
                return false;  // a timer first: the backend moves the clock to it
            if (vc)
                vc->advanceTo(*runUntil_);
            runUntil_.reset();
        }
        while (next_ < steps_.size()) {
            const Step& st = steps_[next_++];
            if (st.command == "idle")
                return true;  // the program is idle already
            if (st.command == "run") {
                runUntil_ = backend.clock().now() + std::uint64_t(std::atol(st.args[0].c_str()));
                return true;
            }
            if (st.command == "quit") {
                PostQuitMessage(st.args.empty() ? 0 : std::atoi(st.args[0].c_str()));
                quitPosted_ = true;
                return true;
            }
            if (st.command == "answer") {
                execute(st, true, nullptr, nullptr);  // kept for the next box
                continue;
            }
            std::string why;
            if (!execute(st, true, nullptr, &why))
                std::fprintf(stderr, "%s:%d: %s\n", name_.c_str(), st.line, why.c_str());
            if (st.command != "png")
                return true;  // input made: let the program take it
        }
        // The script is done: so is the run, once. A loop that waits for
        // something else meanwhile (a transition's time) has its time pass
        // as any wait does, and the quit keeps the code it was given.
        if (quitPosted_)
            return false;
        PostQuitMessage(0);
        quitPosted_ = true;
        return true;
    });
}

}  // namespace plat
