#include "app/tools/auto_raise_dialog.h"

#include <cstdint>

#include "app/framework/dialog.h"
#include "app/resources/resource.h"
#include "app/tools/preferences_mask.h"
#include "platform/unique_any.h"

namespace quor {
namespace {

inline void close_key(HKEY key) noexcept { ::RegCloseKey(key); }
using unique_hkey = unique_any<HKEY, close_key>;

constexpr char kDesktopKey[] = "Control Panel\\Desktop";
constexpr char kMaskValue[] = "UserPreferencesMask";
constexpr char kTimeoutValue[] = "ActiveWndTrkTimeout";
constexpr int32_t kDefaultDelay = 500;
constexpr int32_t kMaxDelay = 10000;

unique_hkey OpenDesktopKey(REGSAM access) noexcept {
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &key,
                          nullptr) != ERROR_SUCCESS)
        return unique_hkey();
    return unique_hkey(key);
}

// The whole binary value, however long; empty when there is none or it is of another type.
PreferencesMask ReadMask(HKEY key) noexcept {
    // A value that grows between asking its size and reading it is asked again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        DWORD type = 0, size = 0;
        if (::RegQueryValueExA(key, kMaskValue, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return {};
        if (type != REG_BINARY || size == 0) return {};
        PreferencesMask bytes(size);
        const LONG read = ::RegQueryValueExA(key, kMaskValue, nullptr, &type, bytes.data(), &size);
        if (read == ERROR_MORE_DATA) continue;
        if (read != ERROR_SUCCESS || type != REG_BINARY) return {};
        bytes.resize(size);
        return bytes;
    }
    return {};
}

bool ReadDelay(HKEY key, int32_t& delay) noexcept {
    DWORD value = 0, type = 0, size = sizeof value;
    if (::RegQueryValueExA(key, kTimeoutValue, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        size != sizeof value)
        return false;
    delay = static_cast<int32_t>(value);
    return true;
}

class AutoRaiseDialog : public Dialog {
private:
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM, INT_PTR&) noexcept override {
        switch (msg) {
            case WM_COMMAND:  // void OnCommand(int id, int notification)
                if (LOWORD(wParam) == IDOK && HIWORD(wParam) == BN_CLICKED) {
                    OnOK();
                    return true;
                }
                return false;
            default:
                return false;
        }
    }

    bool DoDataExchange(bool save) noexcept {
        if (!ExchangeIntInRange(save, IDC_AR_DELAY, delay_, 0, kMaxDelay)) return false;
        ExchangeCheck(save, IDC_AR_ENABLED, enabled_);
        return true;
    }

    void OnInitDialog() noexcept override {
        if (const unique_hkey key = OpenDesktopKey(KEY_QUERY_VALUE)) {
            enabled_ = IsAutoRaiseEnabled(MaskOrDefault(ReadMask(key.get()))) ? 1 : 0;
            if (!ReadDelay(key.get(), delay_)) delay_ = kDefaultDelay;
        } else {
            Message(L"Error", MB_OK);
        }
        DoDataExchange(false);
    }

    void OnOK() noexcept {
        if (!DoDataExchange(true)) return;
        const bool enabled = enabled_ != 0;
        if (const unique_hkey key = OpenDesktopKey(KEY_QUERY_VALUE | KEY_SET_VALUE)) {
            // The value is read again here, so that only the two bits change from what it holds now.
            const PreferencesMask mask = WithAutoRaise(ReadMask(key.get()), enabled);
            if (::RegSetValueExA(key.get(), kMaskValue, 0, REG_BINARY, mask.data(), static_cast<DWORD>(mask.size())) !=
                ERROR_SUCCESS)
                Message(L"Error\r\nCan't write to registry", MB_OK);
            const DWORD delay = static_cast<DWORD>(delay_);
            if (::RegSetValueExA(key.get(), kTimeoutValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&delay),
                                 sizeof delay) != ERROR_SUCCESS)
                Message(L"Error\r\nCan't write to registry", MB_OK);
        } else {
            Message(L"Error\r\nCan't open registry", MB_OK);
        }
        // These actions take their value in the pointer argument itself.
        const auto asPointer = [](uintptr_t value) { return reinterpret_cast<PVOID>(value); };
        ::SystemParametersInfoA(SPI_SETACTIVEWINDOWTRACKING, 0, asPointer(enabled ? 1 : 0), 0);
        ::SystemParametersInfoA(SPI_SETACTIVEWNDTRKZORDER, 0, asPointer(enabled ? 1 : 0), 0);
        ::SystemParametersInfoA(SPI_SETACTIVEWNDTRKTIMEOUT, 0, asPointer(static_cast<uint32_t>(delay_)), 0);
        // Every window hears of the change without this thread waiting on any of them (the
        // system's own broadcast would wait on each, a hung one without end).
        for (const UINT action : {SPI_SETACTIVEWINDOWTRACKING, SPI_SETACTIVEWNDTRKZORDER, SPI_SETACTIVEWNDTRKTIMEOUT})
            ::SendNotifyMessageA(HWND_BROADCAST, WM_SETTINGCHANGE, action, 0);
        ::EndDialog(hwnd(), IDOK);
    }

    int32_t enabled_ = 0;
    int32_t delay_ = 0;
};

}  // namespace

void RunAutoRaiseDialog(HINSTANCE instance, HWND owner) noexcept {
    AutoRaiseDialog dialog;
    dialog.RunModal(instance, IDD_AUTO_RAISE, owner);
}

}  // namespace quor
