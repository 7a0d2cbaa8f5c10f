#pragma once
// News of every change of the default speakers' volume or mute, as a message posted to a window.
//
// Core Audio calls back on a thread of its own; the callback only posts, so the window's thread
// does the work. Where the system's endpoint cannot report changes (no Core Audio, or the calls
// are not implemented), Start fails and the winmm mixer's messages are the only news.
#include <windows.h>

#include "platform/core_audio.h"

namespace quor {

class VolumeChangeEvents {
public:
    VolumeChangeEvents() noexcept = default;
    ~VolumeChangeEvents() { Stop(); }
    VolumeChangeEvents(const VolumeChangeEvents&) = delete;
    VolumeChangeEvents& operator=(const VolumeChangeEvents&) = delete;

    // From the window's thread, which stays in COM until Stop.
    bool Start(HWND window, UINT message) noexcept;
    void Stop() noexcept;

private:
    class Callback;
    bool comStarted_ = false;
    ComRef<IAudioEndpointVolume> volume_;
    Callback* callback_ = nullptr;
};

}  // namespace quor
