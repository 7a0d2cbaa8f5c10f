#include "platform/volume_change_events.h"

#include <atomic>
#include <new>

namespace quor {
namespace {

const IID kIUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID kIAudioEndpointVolumeCallback = {0x657804FA, 0xD6AD, 0x4496, {0x8A, 0x60, 0x35, 0x27, 0x52, 0xAF, 0x4F, 0x89}};
const IID kIMMNotificationClient = {0x7991EEC9, 0x7E89, 0x4D85, {0x83, 0x90, 0x6C, 0x70, 0x3C, 0xEC, 0x60, 0xC0}};

// A callback object of one interface that posts its news to a window; its references may be
// dropped by Core Audio's thread.
template <typename Interface, const IID& kInterfaceId>
class PostingCallback : public Interface {
public:
    PostingCallback(HWND window, UINT message) noexcept : window_(window), message_(message) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override {
        if (!out) return E_POINTER;
        if (iid == kIUnknown || iid == kInterfaceId) {
            *out = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() noexcept override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() noexcept override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

protected:
    virtual ~PostingCallback() = default;
    void Post(WPARAM news) const noexcept { ::PostMessageW(window_, message_, news, 0); }

private:
    std::atomic<ULONG> references_{1};
    HWND window_;
    UINT message_;
};

}  // namespace

// Posts one message per change of the speakers' volume or mute.
class VolumeChangeEvents::Callback final
    : public PostingCallback<IAudioEndpointVolumeCallback, kIAudioEndpointVolumeCallback> {
public:
    using PostingCallback::PostingCallback;
    HRESULT STDMETHODCALLTYPE OnNotify(PAUDIO_VOLUME_NOTIFICATION_DATA) noexcept override {
        Post(0);
        return S_OK;
    }
};

// Posts one message when the default speakers change; the other news of devices is not needed.
class VolumeChangeEvents::DeviceWatch final : public PostingCallback<IMMNotificationClient, kIMMNotificationClient> {
public:
    using PostingCallback::PostingCallback;
    HRESULT STDMETHODCALLTYPE OnDefaultDeviceChanged(EDataFlow flow, ERole role, LPCWSTR) noexcept override {
        if (flow == eRender && role == eConsole) Post(kDefaultSpeakersChanged);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnDeviceStateChanged(LPCWSTR, DWORD) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnDeviceAdded(LPCWSTR) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnDeviceRemoved(LPCWSTR) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnPropertyValueChanged(LPCWSTR, const PROPERTYKEY) noexcept override { return S_OK; }
};

bool VolumeChangeEvents::Start(HWND window, UINT message) noexcept {
    Stop();
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    comStarted_ = SUCCEEDED(com);
    if (FAILED(com) && com != RPC_E_CHANGED_MODE) return false;
    window_ = window;
    message_ = message;
    // The watch of the default speakers first: there may be none yet.
    if (SUCCEEDED(OpenDeviceEnumerator(enumerator_))) {
        watch_ = new (std::nothrow) DeviceWatch(window, message);
        if (watch_ && FAILED(enumerator_->RegisterEndpointNotificationCallback(watch_))) {
            watch_->Release();
            watch_ = nullptr;
        }
    }
    return FollowDefaultSpeakers();
}

bool VolumeChangeEvents::FollowDefaultSpeakers() noexcept {
    StopFollowingSpeakers();
    if (!window_ || FAILED(OpenDefaultEndpointVolume(volume_))) return false;
    callback_ = new (std::nothrow) Callback(window_, message_);
    if (!callback_ || FAILED(volume_->RegisterControlChangeNotify(callback_))) {
        StopFollowingSpeakers();
        return false;
    }
    return true;
}

void VolumeChangeEvents::StopFollowingSpeakers() noexcept {
    if (callback_) {
        // A callback the audio system did not let go of (its device gone) is left to it: freeing
        // it here could pull it from under a call.
        const bool unregistered = volume_ && SUCCEEDED(volume_->UnregisterControlChangeNotify(callback_));
        if (unregistered || !volume_) callback_->Release();
        callback_ = nullptr;
    }
    volume_.reset();
}

void VolumeChangeEvents::Stop() noexcept {
    StopFollowingSpeakers();
    if (watch_) {
        const bool unregistered = enumerator_ && SUCCEEDED(enumerator_->UnregisterEndpointNotificationCallback(watch_));
        if (unregistered || !enumerator_) watch_->Release();
        watch_ = nullptr;
    }
    enumerator_.reset();
    window_ = nullptr;
    if (comStarted_) ::CoUninitialize();
    comStarted_ = false;
}

}  // namespace quor
