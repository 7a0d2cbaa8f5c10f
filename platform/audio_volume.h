#pragma once
// The speakers' volume and mute, on the 0-65535 scale, for the process that asks.
//
// The default render endpoint's master volume and mute (Core Audio) are what a person hears on
// current Windows; the winmm mixer's speakers controls of mixer device 0 are used where that
// interface is definitely missing or answers "not implemented" (the mixer there belongs to the calling
// process's own audio session on Windows since Vista, and is the whole device elsewhere).
// Every process keeps its own state; all functions return 1 for success and 0 for failure.

namespace quor {

int EnsureMixer() noexcept;
int FindVolumeControl() noexcept;
int FindMuteControl() noexcept;
int ReadVolumeLevel(unsigned& level) noexcept;
int WriteVolumeLevel(unsigned level) noexcept;
int ReadMute(unsigned& value) noexcept;
int WriteMute(unsigned value) noexcept;

// Adds `step` to the level, kept within 0 to 65535.
int ChangeVolume(int step) noexcept;
int ToggleMute() noexcept;

enum class VolumeBackend {
    kUndecided,  // nothing asked yet, or only passing failures so far
    kEndpoint,   // the default render endpoint
    kMixer,      // the winmm mixer
};
// Which backend this process uses from now on.
VolumeBackend ActiveVolumeBackend() noexcept;

}  // namespace quor
