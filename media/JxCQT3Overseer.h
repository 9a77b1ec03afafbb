#pragma once
// The movie layer's keeper for the whole run: it starts the movie library
// when the program starts and ends it when the program ends, and it keeps
// the window ports and the list of movies shown now.
//
// A window port ties one window to the movie layer: the window's procedure
// is replaced by the layer's own (the old one is kept), which offers each
// message to the shown, active movies of that window and then hands it on
// unchanged. A port is counted by the movies that use it; it stays until
// its window goes (the port then puts nothing back and leaves the list) or
// until the layer ends.
//
// There is no static overseer: StartMovieLayer makes it, EndMovieLayer
// deletes it, and GetQT3Overseer answers null outside that span or when the
// library could not start (movies then fail to open and say why).

#include <cstdint>
#include <memory>
#include <vector>

#include "events/JxCNotifyRoot.h"
#include "platform/audio/wave_out.h"
#include "platform/core/types.h"
#include "platform/window/window.h"

class JxCQT3AbstractMovie;

class JxCQTWindowPort : public JxCObject {
public:
    explicit JxCQTWindowPort(plat::HWND window);
    // Puts the window's previous procedure back while the window lives and
    // still runs the layer's procedure.
    ~JxCQTWindowPort() override;
    JxCQTWindowPort(const JxCQTWindowPort&) = delete;
    JxCQTWindowPort& operator=(const JxCQTWindowPort&) = delete;

    plat::HWND GetWindow() const { return window_; }
    plat::WNDPROC GetPreviousProc() const { return previous_; }
    std::int16_t GetUseCount() const { return useCount_; }
    void AddUse() { ++useCount_; }
    void ReleaseUse()
    {
        if (useCount_ > 0)
            --useCount_;
    }
    // The window is being destroyed: nothing is put back.
    void Forget() { window_ = nullptr; }

private:
    plat::HWND window_;
    plat::WNDPROC previous_ = nullptr;
    std::int16_t useCount_ = 0;
};

class JxCQT3Overseer : public JxCNotifyRoot {
public:
    // Message shown when the movie library cannot start.
    static constexpr unsigned kCannotStartId = 2804;
    // Message shown when a sound's decoder cannot be had.
    static constexpr unsigned kNoSoundDecoderId = 2805;

    JxCQT3Overseer() = default;
    ~JxCQT3Overseer() override;
    JxCQT3Overseer(const JxCQT3Overseer&) = delete;
    JxCQT3Overseer& operator=(const JxCQT3Overseer&) = delete;

    // The window's port, made on first use (use count 1) or with its use
    // count raised.
    JxCQTWindowPort* GetWindowPort(plat::HWND window);
    // Lowers the use count; the port stays.
    void ReleaseWindowPort(JxCQTWindowPort* port);
    JxCQTWindowPort* FindPort(plat::HWND window) const;
    std::size_t CountPorts() const { return ports_.size(); }

    void AddShown(JxCQT3AbstractMovie* movie);
    void RemoveShown(JxCQT3AbstractMovie* movie);
    const std::vector<JxCQT3AbstractMovie*>& GetShown() const { return shown_; }

    // The movie library is loaded when the first movie opens: when it
    // cannot be, message 2804 says so, once, and the title goes on
    // without movies. True when the user chose Retry: the caller looks for
    // the library again (and may report again).
    bool ReportLibraryMissing();
    // The same for the decoder of an ADPCM sound (message 2805): without
    // it the title's sounds of that kind play as silence.
    bool ReportSoundDecoderMissing();
    bool SoundDecoderReported() const { return soundDecoderReported_; }

    // The layer's window procedure.
    static plat::LRESULT WindowProc(plat::HWND hwnd, plat::UINT msg, plat::WPARAM wParam, plat::LPARAM lParam);

private:
    // The port's window is going: its movies are hidden and the port leaves.
    void dropPort(JxCQTWindowPort* port);

    std::vector<std::unique_ptr<JxCQTWindowPort>> ports_;
    std::vector<JxCQT3AbstractMovie*> shown_;  // not owned
    bool libraryReported_ = false;
    bool soundDecoderReported_ = false;
};

// Reports once, through the overseer while the movie layer runs, that the
// sound of the format cannot be decoded (an ADPCM sound without its
// decoder); Retry looks again. The sound then plays as silence of its
// length, so that what it paces keeps its time.
void CheckSoundDecoder(const plat::WAVEFORMATEX* format);

// Starts the movie library and makes the overseer; when the library cannot
// start, message 2804 is shown and the program goes on without movies.
// True when movies can play.
bool StartMovieLayer();
// Ends the movie layer: the overseer and its ports go.
void EndMovieLayer();
// The overseer while the layer runs, else null.
JxCQT3Overseer* GetQT3Overseer();
