#include "app/tools/password_dialog.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "app/framework/dialog.h"
#include "app/resources/resource.h"
#include "app/tools/password_alphabet.h"
#include "platform/clipboard.h"
#include "platform/secure_random.h"

namespace quor {
namespace {

constexpr wchar_t kNoRandomBytes[] = L"乱数を得られなかったため、パスワードを生成できませんでした。";

struct PasswordInputs {
    int32_t count = 10;
    int32_t length = 8;
    int32_t useCapital = 0;
    int32_t useSmall = 0;
    int32_t useNumeral = 0;
};

// The five inputs, their controls and their settings keys, in the order the keys are written.
struct PasswordInput {
    int32_t PasswordInputs::*value;
    int control;
    bool checkBox;
    const char* key;
    int fallback;
};
constexpr PasswordInput kInputs[] = {
    {&PasswordInputs::count, IDC_PW_COUNT, false, "PasswordNum", 10},
    {&PasswordInputs::length, IDC_PW_CHARS, false, "PasswordNumChar", 8},
    {&PasswordInputs::useCapital, IDC_PW_CAPITAL, true, "UseCapital", 1},
    {&PasswordInputs::useSmall, IDC_PW_SMALL, true, "UseSmall", 1},
    {&PasswordInputs::useNumeral, IDC_PW_NUMERAL, true, "UseNumeral", 1},
};

class DeviceContext {
public:
    explicit DeviceContext(HWND window) noexcept : window_(window), dc_(::GetDC(window)) {}
    ~DeviceContext() {
        if (dc_) ::ReleaseDC(window_, dc_);
    }
    DeviceContext(const DeviceContext&) = delete;
    DeviceContext& operator=(const DeviceContext&) = delete;
    HDC get() const noexcept { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

class PasswordDialog : public Dialog {
public:
    PasswordDialog(const ProfileFile& profile, const std::string& section) : profile_(profile), section_(section) {}

private:
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM, INT_PTR&) noexcept override {
        switch (msg) {
            case WM_COMMAND:  // void OnCommand(UINT id, UINT code)
                if (HIWORD(wParam) != BN_CLICKED) return false;
                if (LOWORD(wParam) == IDC_PW_GENERATE) {
                    OnGenerate();
                    return true;
                }
                if (LOWORD(wParam) == IDC_PW_COPY) {
                    OnCopy();
                    return true;
                }
                return false;
            default: return false;
        }
    }

    bool DoDataExchange(bool save) noexcept {
        for (const PasswordInput& input : kInputs) {
            if (input.checkBox)
                ExchangeCheck(save, input.control, inputs_.*input.value);
            else if (!ExchangeInt(save, input.control, inputs_.*input.value))
                return false;
        }
        return true;
    }

    void OnInitDialog() noexcept override {
        PlaceAtWorkAreaCorner();
        // A file that cannot be read gives the defaults, which are then not written over the
        // values it holds.
        const std::optional<IniDocument> read = profile_.Read();
        fromFile_ = read.has_value();
        if (!fromFile_) profile_.TellUnreadableOnce(hwnd(), profile_.LastError());
        const IniDocument file = read.value_or(IniDocument());
        for (const PasswordInput& input : kInputs)
            inputs_.*input.value = file.GetInt(section_, input.key, input.fallback);
        DoDataExchange(false);
    }

    void OnGenerate() noexcept {
        // A box that holds no number has been reported; the previous values stand in for all five.
        const PasswordInputs previous = inputs_;
        if (!DoDataExchange(true)) inputs_ = previous;
        if (!ClampToMaximum(inputs_.length, kMaxPasswordLength)) ExchangeInt(false, IDC_PW_CHARS, inputs_.length);
        // A count so large that the program would stall for it
        // is cut to a thousand as well.
        if (!ClampToMaximum(inputs_.count, kMaxPasswordCount)) ExchangeInt(false, IDC_PW_COUNT, inputs_.count);

        const bool filled = FillList();
        SaveInputs();
        if (!filled) Message(kNoRandomBytes, MB_OK | MB_ICONEXCLAMATION);
    }

    // The list anew, with its first password selected; false (and an empty list) when the system's
    // generator gave no random bytes.
    bool FillList() noexcept {
        const HWND list = Item(IDC_PW_LIST);
        PasswordGenerator generator(PasswordAlphabet(inputs_.useCapital, inputs_.useSmall, inputs_.useNumeral),
                                    FillSecureRandom);
        ::SendMessageA(list, LB_RESETCONTENT, 0, 0);
        ::SendMessageA(list, WM_SETREDRAW, FALSE, 0);
        bool filled = true;
        int widest = 0;
        {
            DeviceContext dc(list);
            const HGDIOBJ previousFont =
                ::SelectObject(dc.get(), reinterpret_cast<HGDIOBJ>(::SendMessageA(list, WM_GETFONT, 0, 0)));
            for (int i = 0; i < inputs_.count; ++i) {
                const std::optional<std::string> password = generator.Generate(inputs_.length);
                if (!password) {
                    filled = false;
                    break;
                }
                ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(password->c_str()));
                SIZE size{};
                ::GetTextExtentPoint32A(dc.get(), password->c_str(), static_cast<int>(password->size()), &size);
                if (size.cx > widest) widest = size.cx;
            }
            ::SelectObject(dc.get(), previousFont);
        }
        if (!filled) ::SendMessageA(list, LB_RESETCONTENT, 0, 0);
        // Long passwords can be scrolled into view.
        ::SendMessageA(list, LB_SETHORIZONTALEXTENT, filled ? widest + 4 : 0, 0);
        if (::SendMessageA(list, LB_GETCOUNT, 0, 0) > 0) {
            // In a list of several selections the current item is the caret, not the selection.
            ::SendMessageA(list, LB_SETCARETINDEX, 0, FALSE);
            ::SendMessageA(list, LB_SETANCHORINDEX, 0, 0);
            ::SendMessageA(list, LB_SETSEL, TRUE, 0);
        }
        ::SendMessageA(list, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(list, nullptr, TRUE);
        return filled;
    }

    void SaveInputs() noexcept {
        if (!fromFile_) return;
        const PasswordInputs values = inputs_;
        profile_.Update([&](IniDocument& file) {
            for (const PasswordInput& input : kInputs) file.SetInt(section_, input.key, values.*input.value);
        });
    }

    void OnCopy() noexcept {
        const HWND list = Item(IDC_PW_LIST);
        const LRESULT selected = ::SendMessageA(list, LB_GETSELCOUNT, 0, 0);
        std::vector<int> items(selected > 0 ? static_cast<size_t>(selected) : 0);
        if (!items.empty()) {
            const LRESULT got =
                ::SendMessageA(list, LB_GETSELITEMS, items.size(), reinterpret_cast<LPARAM>(items.data()));
            items.resize(got > 0 ? std::min(static_cast<size_t>(got), items.size()) : 0);
        }
        std::vector<std::string> passwords;
        passwords.reserve(items.size());
        for (const int item : items) {
            const LRESULT length = ::SendMessageA(list, LB_GETTEXTLEN, item, 0);
            if (length < 0) continue;
            std::string text(static_cast<size_t>(length) + 1, '\0');
            const LRESULT got = ::SendMessageA(list, LB_GETTEXT, item, reinterpret_cast<LPARAM>(text.data()));
            text.resize(got > 0 ? static_cast<size_t>(got) : 0);
            passwords.push_back(std::move(text));
        }
        if (CopyTextToClipboard(PasswordCopyText(passwords)) == ClipboardCopy::kFailed)
            Message(kClipboardRefused, MB_OK | MB_ICONEXCLAMATION);
    }

    const ProfileFile& profile_;
    bool fromFile_ = false;  // the inputs came from the file, and may go back to it
    const std::string section_;
    PasswordInputs inputs_;
};

}  // namespace

void RunPasswordDialog(HINSTANCE instance, HWND owner, const ProfileFile& profile, const std::string& section) noexcept {
    PasswordDialog dialog(profile, section);
    dialog.RunModal(instance, IDD_PASSWORDS, owner);
}

}  // namespace quor
