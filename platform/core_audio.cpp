#include "platform/core_audio.h"

namespace quor {
namespace {

// Spelled out: the import libraries of every toolchain do not carry these.
const CLSID kMMDeviceEnumerator = {0xBCDE0395, 0xE52F, 0x467C, {0x8E, 0x3D, 0xC4, 0x57, 0x92, 0x91, 0x69, 0x2E}};
const IID kIMMDeviceEnumerator = {0xA95664D2, 0x9614, 0x4F35, {0xA7, 0x46, 0xDE, 0x8D, 0xB6, 0x36, 0x17, 0xE6}};
const IID kIAudioEndpointVolume = {0x5CDF2C82, 0x841E, 0x4546, {0x97, 0x22, 0x0C, 0xF7, 0x40, 0x78, 0x22, 0x9A}};

}  // namespace

HRESULT OpenDeviceEnumerator(ComRef<IMMDeviceEnumerator>& enumerator) noexcept {
    return ::CoCreateInstance(kMMDeviceEnumerator, nullptr, CLSCTX_INPROC_SERVER, kIMMDeviceEnumerator,
                              enumerator.put_void());
}

HRESULT OpenDefaultEndpointVolume(ComRef<IAudioEndpointVolume>& volume) noexcept {
    ComRef<IMMDeviceEnumerator> enumerator;
    HRESULT hr = OpenDeviceEnumerator(enumerator);
    if (FAILED(hr)) return hr;
    ComRef<IMMDevice> device;
    hr = enumerator->GetDefaultAudioEndpoint(eRender, eConsole, device.put());
    if (FAILED(hr)) return hr;
    return device->Activate(kIAudioEndpointVolume, CLSCTX_INPROC_SERVER, nullptr, volume.put_void());
}

}  // namespace quor
