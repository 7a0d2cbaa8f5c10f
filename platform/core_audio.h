#pragma once
// The default speakers' endpoint volume (Core Audio), and a reference that releases what it holds.
#include <windows.h>
#include <mmdeviceapi.h>
#include <endpointvolume.h>

namespace quor {

template <typename T>
class ComRef {
public:
    ComRef() noexcept = default;
    ~ComRef() { reset(); }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    T** put() noexcept {
        reset();
        return &p_;
    }
    void** put_void() noexcept { return reinterpret_cast<void**>(put()); }
    T* get() const noexcept { return p_; }
    T* operator->() const noexcept { return p_; }
    T& operator*() const noexcept { return *p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }
    void reset() noexcept {
        if (p_) p_->Release();
        p_ = nullptr;
    }

private:
    T* p_ = nullptr;
};

// The system's list of sound devices; COM must be started in the calling thread.
HRESULT OpenDeviceEnumerator(ComRef<IMMDeviceEnumerator>& enumerator) noexcept;
// The default render endpoint's volume interface; fails where the system has none. COM must be
// started in the calling thread.
HRESULT OpenDefaultEndpointVolume(ComRef<IAudioEndpointVolume>& volume) noexcept;

}  // namespace quor
