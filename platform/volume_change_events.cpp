#include "platform/volume_change_events.h"

#include <atomic>
#include <new>

namespace quor {
namespace {

const IID kIUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID kIAudioEndpointVolumeCallback = {0x657804FA, 0xD6AD, 0x4496, {0x8A, 0x60, 0x35, 0x27, 0x52, 0xAF, 0x4F, 0x89}};

}  // namespace

// Posts one message per change; its references may be dropped by Core Audio's thread.
class VolumeChangeEvents::Callback final : public IAudioEndpointVolumeCallback {
public:
    Callback(HWND window, UINT message) noexcept : window_(window), message_(message) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override {
        if (!out) return E_POINTER;
        if (iid == kIUnknown || iid == kIAudioEndpointVolumeCallback) {
            *out = static_cast<IAudioEndpointVolumeCallback*>(this);
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
    HRESULT STDMETHODCALLTYPE OnNotify(PAUDIO_VOLUME_NOTIFICATION_DATA) noexcept override {
        ::PostMessageW(window_, message_, 0, 0);
        return S_OK;
    }

private:
    ~Callback() = default;
    std::atomic<ULONG> references_{1};
    HWND window_;
    UINT message_;
};

bool VolumeChangeEvents::Start(HWND window, UINT message) noexcept {
    Stop();
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    comStarted_ = SUCCEEDED(com);
    if (FAILED(com) && com != RPC_E_CHANGED_MODE) return false;
    if (FAILED(OpenDefaultEndpointVolume(volume_))) {
        Stop();
        return false;
    }
    callback_ = new (std::nothrow) Callback(window, message);
    if (!callback_ || FAILED(volume_->RegisterControlChangeNotify(callback_))) {
        Stop();
        return false;
    }
    return true;
}

void VolumeChangeEvents::Stop() noexcept {
    if (callback_) {
        if (volume_) volume_->UnregisterControlChangeNotify(callback_);
        callback_->Release();
        callback_ = nullptr;
    }
    volume_.reset();
    if (comStarted_) ::CoUninitialize();
    comStarted_ = false;
}

}  // namespace quor
