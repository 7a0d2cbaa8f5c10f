#pragma once
// News of every change of the default speakers' volume or mute, as a message posted to a window.
//
// Core Audio calls back on a thread of its own; the callback only posts, so the window's thread
// does the work. Where the system's endpoint cannot report changes (no Core Audio, or the calls
// are not implemented), Start fails and the winmm mixer's messages are the only news.
#include <windows.h>

#include "platform/core_audio.h"

namespace quor {

// The message's wParam when the default speakers changed (plugged-in headphones, another output
// chosen): the window calls FollowDefaultSpeakers. Changes of the volume come with wParam 0.
constexpr WPARAM kDefaultSpeakersChanged = 1;

class VolumeChangeEvents {
public:
    VolumeChangeEvents() noexcept = default;
    ~VolumeChangeEvents() { Stop(); }
    VolumeChangeEvents(const VolumeChangeEvents&) = delete;
    VolumeChangeEvents& operator=(const VolumeChangeEvents&) = delete;

    // From the window's thread, which stays in COM until Stop. Watches which speakers are the
    // default, and reports the changes of those; true when their changes are reported now (there
    // may be no speakers yet: the watch reports them when they come).
    bool Start(HWND window, UINT message) noexcept;
    void Stop() noexcept;
    // The changes of the new default speakers are reported from now on, and the old ones' not.
    bool FollowDefaultSpeakers() noexcept;

private:
    class Callback;
    class DeviceWatch;
    void StopFollowingSpeakers() noexcept;
    bool comStarted_ = false;
    HWND window_ = nullptr;
    UINT message_ = 0;
    ComRef<IMMDeviceEnumerator> enumerator_;
    DeviceWatch* watch_ = nullptr;
    ComRef<IAudioEndpointVolume> volume_;
    Callback* callback_ = nullptr;
};

}  // namespace quor
