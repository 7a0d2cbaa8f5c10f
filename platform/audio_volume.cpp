#include "platform/audio_volume.h"

#include <windows.h>
#include <mmsystem.h>

#include <cmath>

#include "platform/com_scope.h"
#include "platform/core_audio.h"
#include "platform/volume_scale.h"

namespace quor {
namespace {

constexpr DWORD kNoControl = 0xFFFFFFFF;

// This process's mixer: opened on first use and never closed, the ids looked up once.
struct MixerState {
    HMIXER mixer = nullptr;
    DWORD volumeId = kNoControl;
    DWORD volumeMin = 0;
    DWORD volumeMax = 0;
    DWORD muteId = kNoControl;
};
MixerState g_mixer;
VolumeBackend g_backend = VolumeBackend::kUndecided;

enum class Outcome { kDone, kFailed, kUnavailable };

Outcome OutcomeOf(HRESULT hr) noexcept {
    if (SUCCEEDED(hr)) return Outcome::kDone;
    return hr == E_NOTIMPL ? Outcome::kUnavailable : Outcome::kFailed;
}

// Runs `op` on the default render endpoint's volume; kUnavailable when there is no such
// interface or the operation is not implemented.
template <typename Op>
Outcome OnEndpoint(Op op) noexcept {
    ComScope com;
    if (!com.usable()) return Outcome::kUnavailable;
    ComRef<IAudioEndpointVolume> volume;
    if (FAILED(OpenDefaultEndpointVolume(volume))) return Outcome::kUnavailable;
    return op(*volume);
}

unsigned LevelFromScalar(float scalar) noexcept {
    if (!(scalar > 0.0f)) return 0;
    if (scalar >= 1.0f) return kMaxLevel;
    return static_cast<unsigned>(std::lround(scalar * kMaxLevel));
}

float ScalarFromLevel(unsigned level) noexcept {
    return static_cast<float>(level > kMaxLevel ? kMaxLevel : level) / kMaxLevel;
}

// The endpoint is chosen when it reads and writes both controls; the writes put back what was
// read, so choosing changes nothing a person hears. The first failing step's code, or S_OK.
HRESULT LookAtEndpoint() noexcept {
    ComScope com;
    if (!com.usable()) return E_NOTIMPL;  // no COM in this thread: as if there were no endpoint
    ComRef<IAudioEndpointVolume> v;
    HRESULT hr = OpenDefaultEndpointVolume(v);
    if (FAILED(hr)) return hr;
    float scalar = 0.0f;
    BOOL muted = FALSE;
    hr = v->GetMasterVolumeLevelScalar(&scalar);
    if (SUCCEEDED(hr)) hr = v->SetMasterVolumeLevelScalar(scalar, nullptr);
    if (SUCCEEDED(hr)) hr = v->GetMute(&muted);
    if (SUCCEEDED(hr)) hr = v->SetMute(muted, nullptr);
    return hr;
}

// Where this use goes. The winmm mixer changes only this program's own sound on current Windows,
// so it is taken only where there is definitely no endpoint; a passing failure (no device just
// now) makes this use fail, and the next one looks again.
enum class Route { kEndpoint, kMixer, kNone };

Route CurrentRoute() noexcept {
    if (g_backend == VolumeBackend::kUndecided) {
        switch (VerdictOfEndpointLook(LookAtEndpoint())) {
            case VolumeRouteVerdict::kEndpoint: g_backend = VolumeBackend::kEndpoint; break;
            case VolumeRouteVerdict::kMixer: g_backend = VolumeBackend::kMixer; break;
            case VolumeRouteVerdict::kLookAgain: return Route::kNone;
        }
    }
    return g_backend == VolumeBackend::kEndpoint ? Route::kEndpoint : Route::kMixer;
}

int DoneOn(Outcome outcome) noexcept { return outcome == Outcome::kDone ? 1 : 0; }

// One use of the volume by the route of this moment: nothing while no route is settled.
template <typename OnMixer, typename OnTheEndpoint>
int OnRoute(OnMixer onMixer, OnTheEndpoint onEndpoint) noexcept {
    switch (CurrentRoute()) {
        case Route::kMixer: return onMixer();
        case Route::kEndpoint: return DoneOn(OnEndpoint(onEndpoint));
        case Route::kNone: break;
    }
    return 0;
}

// The winmm mixer's control lookup: the speakers line, then one control of the given type.
bool FindMixerControl(DWORD type, MIXERCONTROLA& control) noexcept {
    if (!EnsureMixer()) return false;
    MIXERLINEA line{};
    line.cbStruct = sizeof line;
    line.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
    const auto mixer = reinterpret_cast<HMIXEROBJ>(g_mixer.mixer);
    if (::mixerGetLineInfoA(mixer, &line, MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_COMPONENTTYPE) !=
        MMSYSERR_NOERROR)
        return false;
    MIXERLINECONTROLSA controls{};
    controls.cbStruct = sizeof controls;
    controls.dwLineID = line.dwLineID;
    controls.dwControlType = type;
    controls.cControls = 1;
    controls.cbmxctrl = sizeof control;
    controls.pamxctrl = &control;
    control.cbStruct = sizeof control;
    return ::mixerGetLineControlsA(mixer, &controls, MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE) ==
           MMSYSERR_NOERROR;
}

// One 4-byte value of a control, all channels as one.
bool MixerDetail(DWORD control, DWORD& value, bool write) noexcept {
    MIXERCONTROLDETAILS details{};
    details.cbStruct = sizeof details;
    details.dwControlID = control;
    details.cChannels = 1;
    details.cbDetails = sizeof value;
    details.paDetails = &value;
    const auto mixer = reinterpret_cast<HMIXEROBJ>(g_mixer.mixer);
    const MMRESULT result = write ? ::mixerSetControlDetails(mixer, &details, MIXER_OBJECTF_HMIXER)
                                  : ::mixerGetControlDetailsA(mixer, &details, MIXER_OBJECTF_HMIXER);
    return result == MMSYSERR_NOERROR;
}

int MixerReadLevel(unsigned& level) noexcept {
    DWORD value = 0;
    uint32_t result = 0;
    if (!FindVolumeControl() || !MixerDetail(g_mixer.volumeId, value, false) ||
        !LevelFromValue(value, g_mixer.volumeMin, g_mixer.volumeMax, result))
        return 0;
    level = result;
    return 1;
}

int MixerWriteLevel(unsigned level) noexcept {
    if (!FindVolumeControl() || g_mixer.volumeMax <= g_mixer.volumeMin) return 0;
    DWORD value = ValueFromLevel(level, g_mixer.volumeMin, g_mixer.volumeMax);
    return MixerDetail(g_mixer.volumeId, value, true) ? 1 : 0;
}

int MixerReadMute(unsigned& muted) noexcept {
    DWORD value = 0;
    if (!FindMuteControl() || !MixerDetail(g_mixer.muteId, value, false)) return 0;
    muted = value;
    return 1;
}

int MixerWriteMute(unsigned muted) noexcept {
    DWORD value = muted;
    return FindMuteControl() && MixerDetail(g_mixer.muteId, value, true) ? 1 : 0;
}

}  // namespace

int EnsureMixer() noexcept {
    if (g_mixer.mixer) return 1;
    HMIXER mixer = nullptr;
    if (::mixerOpen(&mixer, 0, 0, 0, MIXER_OBJECTF_MIXER) != MMSYSERR_NOERROR) return 0;
    g_mixer.mixer = mixer;
    MIXERCAPSA caps{};
    return ::mixerGetDevCapsA(reinterpret_cast<UINT_PTR>(mixer), &caps, sizeof caps) == MMSYSERR_NOERROR ? 1 : 0;
}

int FindVolumeControl() noexcept {
    if (g_mixer.volumeId != kNoControl) return 1;
    MIXERCONTROLA control{};
    if (!FindMixerControl(MIXERCONTROL_CONTROLTYPE_VOLUME, control)) return 0;
    g_mixer.volumeMin = control.Bounds.dwMinimum;
    g_mixer.volumeMax = control.Bounds.dwMaximum;
    g_mixer.volumeId = control.dwControlID;
    return 1;
}

int FindMuteControl() noexcept {
    if (g_mixer.muteId != kNoControl) return 1;
    MIXERCONTROLA control{};
    if (!FindMixerControl(MIXERCONTROL_CONTROLTYPE_MUTE, control)) return 0;
    g_mixer.muteId = control.dwControlID;
    return 1;
}

int ReadVolumeLevel(unsigned& level) noexcept {
    return OnRoute([&] { return MixerReadLevel(level); },
                   [&](IAudioEndpointVolume& v) {
                       float scalar = 0.0f;
                       const HRESULT hr = v.GetMasterVolumeLevelScalar(&scalar);
                       if (SUCCEEDED(hr)) level = LevelFromScalar(scalar);
                       return OutcomeOf(hr);
                   });
}

int WriteVolumeLevel(unsigned level) noexcept {
    return OnRoute([&] { return MixerWriteLevel(level); },
                   [&](IAudioEndpointVolume& v) {
                       return OutcomeOf(v.SetMasterVolumeLevelScalar(ScalarFromLevel(level), nullptr));
                   });
}

int ReadMute(unsigned& value) noexcept {
    return OnRoute([&] { return MixerReadMute(value); },
                   [&](IAudioEndpointVolume& v) {
                       BOOL muted = FALSE;
                       const HRESULT hr = v.GetMute(&muted);
                       if (SUCCEEDED(hr)) value = muted ? 1 : 0;
                       return OutcomeOf(hr);
                   });
}

int WriteMute(unsigned value) noexcept {
    return OnRoute([&] { return MixerWriteMute(value); },
                   [&](IAudioEndpointVolume& v) { return OutcomeOf(v.SetMute(value ? TRUE : FALSE, nullptr)); });
}

int ChangeVolume(int step) noexcept {
    unsigned level = 0;
    if (!ReadVolumeLevel(level)) return 0;
    return WriteVolumeLevel(SteppedLevel(level, step));
}

int ToggleMute() noexcept {
    unsigned value = 0;
    if (!ReadMute(value)) return 0;
    return WriteMute(value == 0 ? 1 : 0);
}

VolumeBackend ActiveVolumeBackend() noexcept { return g_backend; }

}  // namespace quor
