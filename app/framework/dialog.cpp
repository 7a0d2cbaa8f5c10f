#include "app/framework/dialog.h"

#include "app/framework/dialog_integer.h"

namespace quor {
namespace {

// The standard message for a numeric box that holds no integer, under the program's title
// (string 128 of its resources).
constexpr wchar_t kNotAnInteger[] = L"整数を入力してください。";
constexpr wchar_t kOutOfRange[] = L"%d から %d までの整数を入力してください。";
constexpr int kTitleString = 128;

}  // namespace

Dialog::~Dialog() {
    if (hwnd_ && !modal_) ::DestroyWindow(hwnd_);
}

bool Dialog::CreateModeless(HINSTANCE instance, int templateId, HWND owner) noexcept {
    instance_ = instance;
    modal_ = false;
    return ::CreateDialogParamW(instance, MAKEINTRESOURCEW(templateId), owner, StaticProc,
                                reinterpret_cast<LPARAM>(this)) != nullptr;
}

INT_PTR Dialog::RunModal(HINSTANCE instance, int templateId, HWND owner) noexcept {
    instance_ = instance;
    modal_ = true;
    const INT_PTR result =
        ::DialogBoxParamW(instance, MAKEINTRESOURCEW(templateId), owner, StaticProc, reinterpret_cast<LPARAM>(this));
    hwnd_ = nullptr;
    return result;
}

INT_PTR CALLBACK Dialog::StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    if (msg == WM_INITDIALOG) {
        auto* self = reinterpret_cast<Dialog*>(lParam);
        self->hwnd_ = hwnd;
        ::SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    }
    auto* self = reinterpret_cast<Dialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!self) return FALSE;
    INT_PTR result = 0;
    const bool handled = self->HandleMessage(msg, wParam, lParam, result);
    if (msg == WM_NCDESTROY) self->hwnd_ = nullptr;
    if (!handled) {
        if (msg == WM_INITDIALOG) {
            self->OnInitDialog();
            return TRUE;
        }
        // A modal dialog that does not take OK or Cancel itself ends with it.
        const bool endsModal = self->modal_ && msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED &&
                               (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL);
        if (!endsModal) return FALSE;
        ::EndDialog(hwnd, LOWORD(wParam));
        return TRUE;
    }
    // Messages with results of their own return them directly; the rest through DWLP_MSGRESULT.
    switch (msg) {
        case WM_INITDIALOG:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSCROLLBAR:
            return result;
        default:
            ::SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
            return TRUE;
    }
}

bool Dialog::ExchangeInt(bool save, int id, int32_t& value) noexcept {
    char text[64] = {};
    if (!save) {
        wsprintfA(text, "%d", value);
        ::SetDlgItemTextA(hwnd_, id, text);
        return true;
    }
    ::GetDlgItemTextA(hwnd_, id, text, sizeof text);
    if (ParseDialogInteger(text, value)) return true;
    RefuseEntry(id, kNotAnInteger);
    return false;
}

bool Dialog::ExchangeIntInRange(bool save, int id, int32_t& value, int32_t low, int32_t high) noexcept {
    int32_t read = value;
    if (!ExchangeInt(save, id, read)) return false;
    if (!save) return true;
    if (read < low || read > high) {
        wchar_t text[96] = {};
        ::wsprintfW(text, kOutOfRange, low, high);
        RefuseEntry(id, text);
        return false;
    }
    value = read;
    return true;
}

void Dialog::RefuseEntry(int id, const wchar_t* text) noexcept {
    Message(text, MB_OK | MB_ICONEXCLAMATION);
    ::SetFocus(Item(id));
    ::SendMessageA(Item(id), EM_SETSEL, 0, -1);
}

int Dialog::Message(const wchar_t* text, UINT type) noexcept {
    wchar_t title[64] = {};
    ::LoadStringW(instance_, kTitleString, title, 64);
    return ::MessageBoxW(hwnd_, text, title[0] ? title : nullptr, type);
}

void Dialog::ExchangeText(bool save, int id, std::string& value) noexcept {
    if (!save) {
        ::SetDlgItemTextA(hwnd_, id, value.c_str());
        return;
    }
    const HWND control = Item(id);
    const int length = ::GetWindowTextLengthA(control);
    value.assign(length > 0 ? static_cast<size_t>(length) + 1 : 1, '\0');
    const int got = ::GetWindowTextA(control, value.data(), static_cast<int>(value.size()));
    value.resize(got > 0 ? static_cast<size_t>(got) : 0);
}

void Dialog::PlaceAtWorkAreaCorner() noexcept {
    RECT work{}, r{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    ::GetWindowRect(hwnd_, &r);
    ::SetWindowPos(hwnd_, HWND_TOPMOST, work.right - (r.right - r.left), work.bottom - (r.bottom - r.top), 0, 0,
                   SWP_NOSIZE | SWP_HIDEWINDOW);
}

void Dialog::ExchangeCheck(bool save, int id, int32_t& value) noexcept {
    if (save)
        value = ::IsDlgButtonChecked(hwnd_, id) == BST_CHECKED ? 1 : 0;
    else
        ::CheckDlgButton(hwnd_, id, value ? BST_CHECKED : BST_UNCHECKED);
}

}  // namespace quor
