#include "media/JxCQT3Overseer.h"

#include <algorithm>

#include "foundation/JxErrorReport.h"
#include "media/JxCQT3Movie.h"
#include "platform/audio/wave_decoder.h"
#include "platform/movie/movie.h"
#include "platform/window/messages.h"

namespace {

// Never destroyed: EndMovieLayer ends the overseer on the program's way
// out, and a process that ends in the middle of its work must not tear it
// down behind the program's back (the window and notification tables it
// would walk may be gone by then).
std::unique_ptr<JxCQT3Overseer>& overseerSlot()
{
    static auto* overseer = new std::unique_ptr<JxCQT3Overseer>;
    return *overseer;
}

constexpr unsigned kQuestionIcon = 0x20;
constexpr unsigned kAbortRetryIgnore = 0x2;

}  // namespace

// --- Window ports -------------------------------------------------------------

JxCQTWindowPort::JxCQTWindowPort(plat::HWND window) : window_(window)
{
    previous_ = reinterpret_cast<plat::WNDPROC>(plat::GetWindowLongPtrA(window, plat::GWL_WNDPROC));
    plat::SetWindowLongPtrA(window, plat::GWL_WNDPROC, reinterpret_cast<plat::LONG_PTR>(&JxCQT3Overseer::WindowProc));
}

JxCQTWindowPort::~JxCQTWindowPort()
{
    if (!window_ || !plat::IsWindow(window_) || !previous_)
        return;
    // A procedure put in after ours keeps its place (and ours stays in its chain).
    const auto current = reinterpret_cast<plat::WNDPROC>(plat::GetWindowLongPtrA(window_, plat::GWL_WNDPROC));
    if (current == &JxCQT3Overseer::WindowProc)
        plat::SetWindowLongPtrA(window_, plat::GWL_WNDPROC, reinterpret_cast<plat::LONG_PTR>(previous_));
}

// --- The overseer ---------------------------------------------------------------

JxCQT3Overseer::~JxCQT3Overseer()
{
    // Movies still shown let go of their ports before the ports go.
    const std::vector<JxCQT3AbstractMovie*> shown = shown_;
    for (JxCQT3AbstractMovie* movie : shown)
        movie->Hide();
    ports_.clear();
}

JxCQTWindowPort* JxCQT3Overseer::FindPort(plat::HWND window) const
{
    for (const auto& port : ports_)
        if (port->GetWindow() == window)
            return port.get();
    return nullptr;
}

JxCQTWindowPort* JxCQT3Overseer::GetWindowPort(plat::HWND window)
{
    if (!window || !plat::IsWindow(window))
        return nullptr;
    JxCQTWindowPort* port = FindPort(window);
    if (!port) {
        ports_.push_back(std::make_unique<JxCQTWindowPort>(window));
        port = ports_.back().get();
    }
    port->AddUse();
    return port;
}

void JxCQT3Overseer::ReleaseWindowPort(JxCQTWindowPort* port)
{
    if (port)
        port->ReleaseUse();
}

void JxCQT3Overseer::AddShown(JxCQT3AbstractMovie* movie)
{
    if (std::find(shown_.begin(), shown_.end(), movie) == shown_.end())
        shown_.push_back(movie);
}

void JxCQT3Overseer::RemoveShown(JxCQT3AbstractMovie* movie)
{
    std::erase(shown_, movie);
}

void JxCQT3Overseer::dropPort(JxCQTWindowPort* port)
{
    const std::vector<JxCQT3AbstractMovie*> shown = shown_;
    for (JxCQT3AbstractMovie* movie : shown)
        if (movie->GetPort() == port)
            movie->Hide();
    port->Forget();
    std::erase_if(ports_, [port](const auto& p) { return p.get() == port; });
}

plat::LRESULT JxCQT3Overseer::WindowProc(plat::HWND hwnd, plat::UINT msg, plat::WPARAM wParam, plat::LPARAM lParam)
{
    JxCQT3Overseer* overseer = GetQT3Overseer();
    JxCQTWindowPort* port = overseer ? overseer->FindPort(hwnd) : nullptr;
    if (!port)
        return plat::DefWindowProcA(hwnd, msg, wParam, lParam);
    // A movie may be hidden while it is offered the message: offer to a copy.
    const std::vector<JxCQT3AbstractMovie*> shown = overseer->shown_;
    for (JxCQT3AbstractMovie* movie : shown)
        if (movie->GetPort() == port && movie->IsActive())
            movie->OfferMessage(msg, wParam, lParam);
    const plat::WNDPROC previous = port->GetPreviousProc();
    const plat::LRESULT result = previous ? plat::CallWindowProcA(previous, hwnd, msg, wParam, lParam)
                                          : plat::DefWindowProcA(hwnd, msg, wParam, lParam);
    if (msg == plat::WM_NCDESTROY) {
        // The overseer may have gone while the previous procedure ran.
        if (JxCQT3Overseer* still = GetQT3Overseer())
            if (JxCQTWindowPort* p = still->FindPort(hwnd))
                still->dropPort(p);
    }
    return result;
}

namespace {

// Once per run: a box whose Retry asks the caller to look again, and whose
// other answers mean that the title goes on without.
bool reportOnce(bool& reported, unsigned id)
{
    if (reported)
        return false;
    const bool retry = ReportStringIdChoice(id, kAbortRetryIgnore | kQuestionIcon) == kAnswerRetry;
    reported = !retry;
    return retry;
}

}  // namespace

bool JxCQT3Overseer::ReportLibraryMissing()
{
    return reportOnce(libraryReported_, kCannotStartId);
}

bool JxCQT3Overseer::ReportSoundDecoderMissing()
{
    return reportOnce(soundDecoderReported_, kNoSoundDecoderId);
}

void CheckSoundDecoder(const plat::WAVEFORMATEX* format)
{
    for (;;) {
        JxCQT3Overseer* overseer = GetQT3Overseer();
        if (!format || !overseer || overseer->SoundDecoderReported() || !plat::WaveDecoderMissing(*format) ||
            !overseer->ReportSoundDecoderMissing())
            return;
    }
}

// --- Start and end --------------------------------------------------------------

bool StartMovieLayer()
{
    if (overseerSlot())
        return true;
    if (plat::StartMovies() != plat::kMovieNoError) {
        ReportStringIdChoice(JxCQT3Overseer::kCannotStartId, kAbortRetryIgnore | kQuestionIcon);
        return false;
    }
    overseerSlot() = std::make_unique<JxCQT3Overseer>();
    return true;
}

void EndMovieLayer()
{
    overseerSlot().reset();
}

JxCQT3Overseer* GetQT3Overseer()
{
    return overseerSlot().get();
}
