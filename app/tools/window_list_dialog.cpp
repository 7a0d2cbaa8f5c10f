#include "app/tools/window_list_dialog.h"

#include <psapi.h>

#include <cstdint>
#include <string>
#include <utility>

#include "app/framework/dialog.h"
#include "app/resources/resource.h"
#include "app/tools/window_list_rules.h"
#include "platform/unique_any.h"

namespace quor {
namespace {

constexpr int kMaxTitle = 1024;
constexpr int kMaxClassName = 256;
constexpr int kMaxModulePath = 256;
constexpr int32_t kInitialAlpha = 100;

// The window's title in the system's code page, at most 1024 characters, read as the window
// keeps it: nothing is asked of the window, which may belong to a busy thread of this program.
std::string TitleOf(HWND window) noexcept {
    wchar_t wide[kMaxTitle + 1] = {};
    const int length = ::InternalGetWindowText(window, wide, kMaxTitle + 1);
    if (length <= 0) return {};
    char title[(kMaxTitle + 1) * 2] = {};
    const int bytes = ::WideCharToMultiByte(CP_ACP, 0, wide, length, title, sizeof title, nullptr, nullptr);
    return std::string(title, bytes > 0 ? static_cast<size_t>(bytes) : 0);
}

// The file of the module that made the window, in its own process; empty when that process
// cannot be opened for reading (another user's, a more privileged one) or the name cannot be read.
std::string ExecutableOf(HWND window) noexcept {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    const unique_handle process(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid));
    if (!process) return {};
    const auto module = reinterpret_cast<HMODULE>(::GetWindowLongPtrA(window, GWLP_HINSTANCE));
    char path[kMaxModulePath + 1] = {};
    const DWORD length = ::GetModuleFileNameExA(process.get(), module, path, kMaxModulePath);
    return std::string(path, length);
}

// Some buttons act on the window through calls that wait for its thread (its place, its size and its
// extended style are read back at once). The dialog never waits on a window that does not answer,
// which would freeze it and every window of this program: a window of another thread must
// answer a first message within a fifth of a second. Showing, maximizing, minimizing and the
// z-order are then queued to the window's thread, without waiting for it to take them, and
// without taking the keyboard from the dialog.
constexpr wchar_t kNotResponding[] = L"選択したウィンドウが応答していないため、操作できませんでした。";

bool Answers(HWND window) noexcept {
    if (!::IsWindow(window)) return false;
    if (::GetWindowThreadProcessId(window, nullptr) == ::GetCurrentThreadId()) return true;
    DWORD_PTR ignored = 0;
    // Not SMTO_BLOCK: this thread keeps taking the hooks' calls while it waits.
    return ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 200, &ignored) != 0;
}

ScreenRect WorkArea() noexcept {
    RECT work{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return {work.left, work.top, work.right, work.bottom};
}

// Places a window at screen coordinates; a child's are turned into its parent's client ones. An
// owned top-level window (whose GetParent is its owner) keeps screen coordinates.
void MoveWindowTo(HWND window, int32_t x, int32_t y, int32_t width, int32_t height) noexcept {
    const HWND parent = ::GetAncestor(window, GA_PARENT);
    if (parent && parent != ::GetDesktopWindow()) {
        POINT p{x, y};
        ::ScreenToClient(parent, &p);
        x = p.x;
        y = p.y;
    }
    ::MoveWindow(window, x, y, width, height, TRUE);
}

// What the dialog's controls show.
struct WindowListFields {
    int32_t showPopups = 0;
    int32_t showChildren = 0;
    int32_t showMinimized = 0;
    int32_t showHidden = 0;
    std::string executable;
    std::string className;
    std::string style;
    std::string exStyle;
    int32_t maximized = 0;
    int32_t minimized = 0;
    int32_t topmost = 0;
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t alpha = 0;
    int32_t layered = 0;
};

class WindowListDialog : public Dialog {
private:
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM, INT_PTR&) noexcept override {
        switch (msg) {
            case WM_COMMAND:  // void OnCommand(int id, int notification)
                return OnCommand(LOWORD(wParam), HIWORD(wParam));
            default:
                return false;
        }
    }

    bool OnCommand(int id, int notification) noexcept {
        if (id == IDC_WL_LIST) {
            if (notification == LBN_SELCHANGE) ShowWindowProperties();
            return true;
        }
        if (notification != BN_CLICKED) return false;
        switch (id) {
            case IDC_WL_CLOSE: ::EndDialog(hwnd(), IDOK); return true;
            case IDC_WL_REFRESH:
            case IDC_WL_SHOW_POPUPS:
            case IDC_WL_SHOW_CHILDREN:
            case IDC_WL_SHOW_MINIMIZED:
            case IDC_WL_SHOW_HIDDEN: RefreshWindowList(); return true;
            case IDC_WL_MAXIMIZED: OnMaximize(); return true;
            case IDC_WL_MINIMIZED: OnMinimize(); return true;
            case IDC_WL_TOPMOST: OnTopmost(); return true;
            case IDC_WL_CHANGE_RECT: OnChangeRect(); return true;
            case IDC_WL_RESIZE: OnResize(); return true;
            case IDC_WL_MOVE: OnMove(); return true;
            case IDC_WL_CENTRE: OnCentre(); return true;
            case IDC_WL_LAYERED: OnLayered(); return true;
            default: return false;
        }
    }

    void ExchangeFilters(bool save, WindowListFields& f) noexcept {
        ExchangeCheck(save, IDC_WL_SHOW_POPUPS, f.showPopups);
        ExchangeCheck(save, IDC_WL_SHOW_CHILDREN, f.showChildren);
        ExchangeCheck(save, IDC_WL_SHOW_MINIMIZED, f.showMinimized);
        ExchangeCheck(save, IDC_WL_SHOW_HIDDEN, f.showHidden);
    }

    // False when a number box holds no integer (it then says so and has the focus).
    bool DoDataExchange(bool save, WindowListFields& f) noexcept {
        ExchangeFilters(save, f);
        ExchangeText(save, IDC_WL_EXECUTABLE, f.executable);
        ExchangeText(save, IDC_WL_CLASS, f.className);
        ExchangeText(save, IDC_WL_STYLE, f.style);
        ExchangeText(save, IDC_WL_EX_STYLE, f.exStyle);
        ExchangeCheck(save, IDC_WL_MAXIMIZED, f.maximized);
        ExchangeCheck(save, IDC_WL_MINIMIZED, f.minimized);
        ExchangeCheck(save, IDC_WL_TOPMOST, f.topmost);
        ExchangeCheck(save, IDC_WL_LAYERED, f.layered);
        for (const auto& [id, value] : {std::pair{IDC_WL_LEFT, &f.left}, std::pair{IDC_WL_TOP, &f.top},
                                        std::pair{IDC_WL_RIGHT, &f.right}, std::pair{IDC_WL_BOTTOM, &f.bottom},
                                        std::pair{IDC_WL_X, &f.x}, std::pair{IDC_WL_Y, &f.y},
                                        std::pair{IDC_WL_WIDTH, &f.width}, std::pair{IDC_WL_HEIGHT, &f.height},
                                        std::pair{IDC_WL_ALPHA, &f.alpha}})
            if (!ExchangeInt(save, id, *value)) return false;
        return true;
    }

    // Reads every control before a button acts; the members change only when all could be read.
    bool ReadControls() noexcept {
        WindowListFields read = fields_;
        if (!DoDataExchange(true, read)) return false;
        fields_ = std::move(read);
        return true;
    }

    void OnInitDialog() noexcept override {
        PlaceAtWorkAreaCorner();
        DoDataExchange(false, fields_);
        RefreshWindowList();
        ShowWindowProperties();
    }

    HWND List() const noexcept { return Item(IDC_WL_LIST); }

    HWND SelectedWindow() const noexcept {
        const LRESULT index = ::SendMessageA(List(), LB_GETCURSEL, 0, 0);
        if (index == LB_ERR) return nullptr;
        return reinterpret_cast<HWND>(::SendMessageA(List(), LB_GETITEMDATA, index, 0));
    }

    bool IsListed(HWND window) const noexcept {
        const std::string title = TitleOf(window);
        const ListedWindowFacts facts{::IsWindowVisible(window) != FALSE, ::IsIconic(window) != FALSE,
                                      static_cast<uint32_t>(::GetWindowLongPtrA(window, GWL_STYLE)), title};
        const WindowListFilters filters{fields_.showPopups != 0, fields_.showChildren != 0,
                                        fields_.showMinimized != 0, fields_.showHidden != 0};
        return IsListedWindow(facts, filters);
    }

    void Add(HWND window, bool descendant) noexcept {
        const std::string entry = WindowListEntry(TitleOf(window), descendant);
        const LRESULT index = ::SendMessageA(List(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        if (index >= 0) ::SendMessageA(List(), LB_SETITEMDATA, index, reinterpret_cast<LPARAM>(window));
    }

    static BOOL CALLBACK AddTopLevel(HWND window, LPARAM self) noexcept {
        auto* dialog = reinterpret_cast<WindowListDialog*>(self);
        if (!dialog->IsListed(window)) return TRUE;
        dialog->Add(window, false);
        if (dialog->fields_.showChildren) ::EnumChildWindows(window, AddDescendant, self);
        return TRUE;
    }

    static BOOL CALLBACK AddDescendant(HWND window, LPARAM self) noexcept {
        auto* dialog = reinterpret_cast<WindowListDialog*>(self);
        if (dialog->IsListed(window)) dialog->Add(window, true);
        return TRUE;
    }

    void RefreshWindowList() noexcept {
        const int remembered = static_cast<int>(::SendMessageA(List(), LB_GETCURSEL, 0, 0));
        // Only the filters: the number boxes are written anew from the window selected.
        ExchangeFilters(true, fields_);
        ::SendMessageA(List(), LB_RESETCONTENT, 0, 0);
        ::EnumWindows(AddTopLevel, reinterpret_cast<LPARAM>(this));
        const int count = static_cast<int>(::SendMessageA(List(), LB_GETCOUNT, 0, 0));
        const int selection = SelectionAfterRefresh(remembered, count);
        if (selection < 0) return;
        ::SendMessageA(List(), LB_SETCURSEL, selection, 0);
        ShowWindowProperties();
    }

    void ShowWindowProperties() noexcept {
        const HWND window = SelectedWindow();
        if (!window) return;
        RECT r{};
        ::GetWindowRect(window, &r);
        fields_.left = r.left;
        fields_.top = r.top;
        fields_.right = r.right;
        fields_.bottom = r.bottom;
        fields_.x = r.left;
        fields_.y = r.top;
        fields_.width = r.right - r.left;
        fields_.height = r.bottom - r.top;
        const auto exStyle = static_cast<uint32_t>(::GetWindowLongPtrA(window, GWL_EXSTYLE));
        fields_.maximized = ::IsZoomed(window) ? 1 : 0;
        fields_.minimized = ::IsIconic(window) ? 1 : 0;
        fields_.topmost = (exStyle & WS_EX_TOPMOST) ? 1 : 0;
        char className[kMaxClassName + 1] = {};
        ::GetClassNameA(window, className, sizeof className);
        fields_.className = className;
        fields_.style = WindowStyleText(static_cast<uint32_t>(::GetWindowLongPtrA(window, GWL_STYLE)));
        fields_.exStyle = WindowStyleText(exStyle);
        fields_.executable = ExecutableOf(window);
        fields_.alpha = kInitialAlpha;
        fields_.layered = (exStyle & WS_EX_LAYERED) ? 1 : 0;
        // The selected window's top-level ancestor comes up just below the dialog.
        HWND outermost = window;
        while (const HWND parent = ::GetParent(outermost)) outermost = parent;
        if (Answers(outermost))
            ::SetWindowPos(outermost, HWND_TOP, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
        ::SetWindowPos(hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        DoDataExchange(false, fields_);
    }

    // Reads the controls for a push-like button. Without a window to act on (or with a number box
    // that holds none) the button shows its state from before the click again.
    HWND PrepareToggle(int id, int32_t WindowListFields::*state) noexcept {
        int32_t before = fields_.*state;
        const HWND window = QuietActionTarget();
        if (!window) {
            fields_.*state = before;
            ExchangeCheck(false, id, before);
            if (notResponding_) Message(kNotResponding, MB_OK | MB_ICONEXCLAMATION);
        }
        return window;
    }

    void OnMaximize() noexcept {
        if (const HWND window = PrepareToggle(IDC_WL_MAXIMIZED, &WindowListFields::maximized))
            ::ShowWindowAsync(window, fields_.maximized ? SW_MAXIMIZE : SW_RESTORE);
    }

    void OnMinimize() noexcept {
        if (const HWND window = PrepareToggle(IDC_WL_MINIMIZED, &WindowListFields::minimized))
            ::ShowWindowAsync(window, fields_.minimized ? SW_MINIMIZE : SW_RESTORE);
    }

    void OnTopmost() noexcept {
        if (const HWND window = PrepareToggle(IDC_WL_TOPMOST, &WindowListFields::topmost))
            ::SetWindowPos(window, fields_.topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
    }

    void OnLayered() noexcept {
        const HWND window = PrepareToggle(IDC_WL_LAYERED, &WindowListFields::layered);
        if (!window) return;
        const auto exStyle = ::GetWindowLongPtrA(window, GWL_EXSTYLE);
        if (exStyle & WS_EX_LAYERED) {
            ::SetWindowLongPtrA(window, GWL_EXSTYLE, exStyle & ~WS_EX_LAYERED);
            ::RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_ALLCHILDREN | RDW_ERASE | RDW_INVALIDATE);
        } else {
            ::SetWindowLongPtrA(window, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
            ::SetLayeredWindowAttributes(window, 0, static_cast<BYTE>(fields_.alpha & 0xFF), LWA_ALPHA);
        }
        // The button follows the window, whatever it held before.
        fields_.layered = (::GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_LAYERED) ? 1 : 0;
        ExchangeCheck(false, IDC_WL_LAYERED, fields_.layered);
    }

    // The window selected, with the controls read; null when either is missing or the window does
    // not answer, which the person is told: the button did nothing.
    HWND ActionTarget() noexcept {
        const HWND window = QuietActionTarget();
        if (notResponding_) Message(kNotResponding, MB_OK | MB_ICONEXCLAMATION);
        return window;
    }

    // As ActionTarget, with the telling left to the caller (notResponding_).
    HWND QuietActionTarget() noexcept {
        notResponding_ = false;
        const HWND window = ReadControls() ? SelectedWindow() : nullptr;
        if (!window || Answers(window)) return window;
        notResponding_ = ::IsWindow(window) != FALSE;
        return nullptr;
    }

    void OnChangeRect() noexcept {
        const HWND window = ActionTarget();
        if (!window) return;
        MoveWindowTo(window, fields_.left, fields_.top, fields_.right - fields_.left, fields_.bottom - fields_.top);
        ShowWindowProperties();
    }

    void OnResize() noexcept {
        const HWND window = ActionTarget();
        if (!window) return;
        MoveWindowTo(window, fields_.left, fields_.top, fields_.width, fields_.height);
        ShowWindowProperties();
    }

    void OnMove() noexcept {
        const HWND window = ActionTarget();
        if (!window) return;
        MoveTo(window);
    }

    void MoveTo(HWND window) noexcept {
        MoveWindowTo(window, fields_.x, fields_.y, fields_.right - fields_.left, fields_.bottom - fields_.top);
        ShowWindowProperties();
    }

    void OnCentre() noexcept {
        const HWND window = ActionTarget();
        if (!window) return;
        RECT r{};
        ::GetWindowRect(window, &r);
        const ScreenPoint place = CentredPosition(WorkArea(), r.right - r.left, r.bottom - r.top);
        fields_.x = place.x;
        fields_.y = place.y;
        ExchangeInt(false, IDC_WL_X, fields_.x);
        ExchangeInt(false, IDC_WL_Y, fields_.y);
        MoveTo(window);
    }

    WindowListFields fields_;
    bool notResponding_ = false;  // the last button's window did not answer
};

}  // namespace

void RunWindowListDialog(HINSTANCE instance, HWND owner) noexcept {
    WindowListDialog dialog;
    dialog.RunModal(instance, IDD_WINDOW_LIST, owner);
}

}  // namespace quor
