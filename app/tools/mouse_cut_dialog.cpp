#include "app/tools/mouse_cut_dialog.h"

#include <shellapi.h>

#include <algorithm>
#include <optional>
#include <string>

#include "app/framework/code_page_text.h"
#include "app/framework/dialog.h"
#include "app/resources/resource.h"
#include "app/settings/mouse_cut_keys.h"
#include "app/settings/settings_dialog.h"
#include "hooklib/quordll.h"

namespace quor {
namespace {

// The commands' names are code page 932 bytes in the library and in the file, whatever this
// program's code page; the boxes show them, and take them back, through the wide calls. A command
// line is kept in this program's code page, as typed.
constexpr UINT kCommandNameCodePage = QUOR_COMMAND_NAME_CODE_PAGE;

bool IsCommandName(const std::string& text) {
    for (int command = 0;; ++command) {
        const char* name = GetMouseCutCmd(command);
        if (!name || !*name) return false;
        if (text == name) return true;
    }
}

std::wstring ShownText(const std::string& stored) {
    return WideOf(stored, IsCommandName(stored) ? kCommandNameCodePage : CP_ACP);
}

// Null for a command line with a character this program's code page cannot hold: it would be
// stored, and run, with a question mark in its place.
std::optional<std::string> StoredText(const std::wstring& shown) {
    for (int command = 0;; ++command) {
        const char* name = GetMouseCutCmd(command);
        if (!name || !*name) break;
        if (shown == WideOf(name, kCommandNameCodePage)) return name;
    }
    BOOL lost = FALSE;
    if (!shown.empty())
        ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, shown.data(), static_cast<int>(shown.size()), nullptr, 0,
                              nullptr, &lost);
    if (lost) return std::nullopt;
    return BytesOf(shown, CP_ACP);
}

class MouseCutDialog : public Dialog {
public:
    explicit MouseCutDialog(SettingsDialog& settings) : settings_(settings) {}

private:
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM, INT_PTR&) noexcept override {
        switch (msg) {
            case WM_DROPFILES: OnDropFiles(reinterpret_cast<HDROP>(wParam)); return true;  // void OnDropFiles(HDROP)
            case WM_COMMAND:                                                              // void OnCommand(int id)
                if (HIWORD(wParam) != BN_CLICKED) return false;
                if (LOWORD(wParam) == IDC_APPLY) {
                    SaveMouseCuts();
                    return true;
                }
                if (LOWORD(wParam) == IDOK) {
                    if (SaveMouseCuts()) ::EndDialog(hwnd(), IDOK);
                    return true;
                }
                return false;
            default: return false;
        }
    }

    HWND Box(int slot) const noexcept { return Item(kMouseCutKeys[slot].comboId); }
    std::wstring BoxText(int slot) const noexcept {
        const HWND box = Box(slot);
        std::wstring text(static_cast<size_t>(std::max(::GetWindowTextLengthW(box), 0)) + 1, L'\0');
        text.resize(static_cast<size_t>(std::max(::GetWindowTextW(box, text.data(), static_cast<int>(text.size())), 0)));
        return text;
    }

    void OnInitDialog() noexcept override {
        PlaceAtWorkAreaCorner();
        const std::optional<IniDocument> read = settings_.Profile().Read();
        readError_ = read ? 0 : settings_.Profile().LastError();
        const IniDocument file = read.value_or(IniDocument());
        for (int slot = 0; slot < kMouseCutKeyCount; ++slot) {
            for (int command : MouseCutChoices(slot)) {
                const char* name = GetMouseCutCmd(command);
                if (name && *name)
                    ::SendMessageW(Box(slot), CB_ADDSTRING, 0,
                                   reinterpret_cast<LPARAM>(WideOf(name, kCommandNameCodePage).c_str()));
            }
            ::SetWindowTextW(Box(slot), ShownText(settings_.ReadMouseCut(file, kMouseCutKeys[slot].key)).c_str());
        }
        alpha_ = ReadAlpha(file, SettingsSection(instance_));
        ExchangeInt(false, IDC_MC_ALPHA, alpha_);
        if (readError_) settings_.Profile().TellUnreadableOnce(hwnd(), readError_);
    }

    // Every box's text and the opacity into the file, and the texts into the library. Nothing is
    // written when the opacity is out of range or a text is longer than the library can hold;
    // nothing changes when the file does not take them (or could not be read when the dialog
    // opened: the boxes then hold defaults, not the file's texts), and the person is told.
    bool SaveMouseCuts() noexcept {
        int32_t alpha = alpha_;
        if (!ExchangeIntInRange(true, IDC_MC_ALPHA, alpha, 1, 255)) return false;
        std::string texts[kMouseCutKeyCount];
        for (int slot = 0; slot < kMouseCutKeyCount; ++slot) {
            const std::optional<std::string> stored = StoredText(BoxText(slot));
            if (!stored) {
                RefuseText(slot, L"」に、この環境の文字コードでは表せない文字があります。");
                return false;
            }
            texts[slot] = *stored;
            if (texts[slot].size() > kMouseCutTextLimit) {
                RefuseLongText(slot, texts[slot].size());
                return false;
            }
        }
        if (readError_) {
            settings_.Profile().TellNotSaved(hwnd(), readError_);
            return false;
        }
        alpha_ = alpha;
        const std::string section = SettingsSection(instance_);
        IniDocument written;
        const bool saved = settings_.Profile().Update([&](IniDocument& file) {
            for (int slot = 0; slot < kMouseCutKeyCount; ++slot) file.Set(section, kMouseCutKeys[slot].key, texts[slot]);
            file.SetInt(section, "Alpha", alpha_);
            written = file;
        });
        if (!saved) {
            settings_.Profile().TellNotSaved(hwnd(), settings_.Profile().LastError());
            return false;
        }
        settings_.ApplyMouseCuts(written);
        return true;
    }

    void RefuseText(int slot, const wchar_t* why) noexcept {
        const std::wstring text = L"「" + WideOfUtf8(MouseCutBoxName(slot)) + why;
        Message(text.c_str(), MB_OK | MB_ICONEXCLAMATION);
        ::SetFocus(Box(slot));
    }

    // A command line is never cut: the person shortens it.
    void RefuseLongText(int slot, size_t bytes) noexcept {
        wchar_t text[256] = {};
        ::wsprintfW(text, L"「%s」の内容が長すぎます（%d バイト）。\r\n%d バイト以内にしてください。",
                    WideOfUtf8(MouseCutBoxName(slot)).c_str(), static_cast<int>(bytes), static_cast<int>(kMouseCutTextLimit));
        Message(text, MB_OK | MB_ICONEXCLAMATION);
        ::SetFocus(Box(slot));
    }

    // A file dropped onto a box: the box takes its full path (saved with the others later).
    void OnDropFiles(HDROP drop) noexcept {
        POINT cursor{};
        ::GetCursorPos(&cursor);
        for (int slot = 0; slot < kMouseCutKeyCount; ++slot) {
            RECT r{};
            ::GetWindowRect(Box(slot), &r);
            const bool inside = cursor.x > r.left && cursor.x < r.right && cursor.y > r.top && cursor.y < r.bottom;
            if (!inside) continue;
            const UINT length = ::DragQueryFileA(drop, 0, nullptr, 0);
            std::string path(length + 1, '\0');
            if (length > 0 && ::DragQueryFileA(drop, 0, path.data(), length + 1) == length) {
                path.resize(length);
                ::SetWindowTextA(Box(slot), path.c_str());
            }
        }
        ::DragFinish(drop);
    }

    SettingsDialog& settings_;
    int32_t alpha_ = 1;
    unsigned long readError_ = 0;  // the file could not be read when the dialog opened
};

}  // namespace

void RunMouseCutDialog(HINSTANCE instance, SettingsDialog& settings) noexcept {
    MouseCutDialog dialog(settings);
    dialog.RunModal(instance, IDD_MOUSE_CUT, settings.hwnd());
}

}  // namespace quor
