#include "hooklib/commands/rename_assistant.h"

#include <commctrl.h>

#include <atomic>
#include <cstdint>
#include <cwchar>

#include "hooklib/commands/rename_selection.h"
#include "hooklib/core/key_state.h"
#include "hooklib/core/shared_block.h"

namespace quor {
namespace {

// The edit box's procedure before ours, kept per edit box in a table of this process (the
// library's ordinary data is its own in each process): each edit box goes back to its own
// procedure, and no process ever calls an address saved in another. The look-up on every message
// of the edit box asks nothing of the system.
constexpr int kSavedProcs = 32;
constexpr int kTextCapacity = 1024;

struct SavedProc {
    std::atomic<HWND> edit;
    WNDPROC previous;
};
SavedProc g_savedProcs[kSavedProcs];

// Marks a slot taken while its procedure is written, so that no look-up matches it half-written.
const HWND kFilling = reinterpret_cast<HWND>(~static_cast<uintptr_t>(0));

WNDPROC PreviousProc(HWND edit) noexcept {
    for (const SavedProc& saved : g_savedProcs)
        if (saved.edit.load(std::memory_order_acquire) == edit) return saved.previous;
    return nullptr;
}

void ForgetPreviousProc(HWND edit) noexcept {
    for (SavedProc& saved : g_savedProcs) {
        HWND expected = edit;
        saved.edit.compare_exchange_strong(expected, nullptr, std::memory_order_acq_rel);
    }
}

// False when every slot is taken: the edit box is then left as it is.
bool SavePreviousProc(HWND edit, WNDPROC previous) noexcept {
    for (SavedProc& saved : g_savedProcs) {
        HWND expected = nullptr;
        if (!saved.edit.compare_exchange_strong(expected, kFilling, std::memory_order_acq_rel)) continue;
        saved.previous = previous;
        saved.edit.store(edit, std::memory_order_release);
        return true;
    }
    return false;
}

// Once an edit box of this process runs our procedure, the library stays in the process: the
// hooks may be removed while the edit box is still open.
void KeepLibraryInProcess() noexcept {
    HMODULE self = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                         reinterpret_cast<LPCWSTR>(&RenameEditProc), &self);
}

// Gives the edit box its own procedure back, unless another subclass went on top of ours since;
// that one still calls us, and we go on passing its messages to the saved procedure.
void DetachFrom(HWND edit, WNDPROC previous) noexcept {
    if (::GetWindowLongPtrW(edit, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&RenameEditProc)) return;
    ::SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    ForgetPreviousProc(edit);
}

TextSelection SelectionOf(HWND edit) noexcept {
    DWORD start = 0, end = 0;
    ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end)};
}

void Select(HWND edit, TextSelection s) noexcept { ::SendMessageW(edit, EM_SETSEL, s.start, s.end); }

// The text in the edit box's own characters (UTF-16 units, which its selection counts in), or
// -1 when it does not fit the buffer.
int ReadText(HWND edit, wchar_t (&text)[kTextCapacity]) noexcept {
    const auto length = ::SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0);
    if (length < 0 || length >= kTextCapacity) return -1;
    text[0] = L'\0';
    return static_cast<int>(::SendMessageW(edit, WM_GETTEXT, kTextCapacity, reinterpret_cast<LPARAM>(text)));
}

// WM_KEYDOWN: true when the assistant took the key.
bool HandleKey(HWND edit, WPARAM key) noexcept {
    switch (key) {
        case VK_PRIOR:
        case VK_UP:
        case VK_F3: EditNeighbourLabel(::GetParent(edit), false); return true;
        case VK_NEXT:
        case VK_DOWN:
        case VK_F4: EditNeighbourLabel(::GetParent(edit), true); return true;
        case VK_LEFT: return CollapseSelection(edit, false) == 1;
        case VK_RIGHT: return CollapseSelection(edit, true) == 1;
        case VK_F2: CycleNameSelection(edit); return true;
        default: return false;
    }
}

}  // namespace

int StartRenameAssistant(HWND edit) noexcept {
    const auto current = edit ? reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(edit, GWLP_WNDPROC)) : nullptr;
    if (current == nullptr || current == &RenameEditProc) return 1;
    // A procedure saved for an earlier window of this handle, whose WM_NCDESTROY never reached us.
    ForgetPreviousProc(edit);
    if (!SavePreviousProc(edit, current)) return 1;
    KeepLibraryInProcess();
    ::SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RenameEditProc));
    // It arrives once the list view has put the item's name in the edit box and selected it.
    ::PostMessageW(edit, Block().RenameMsg, kFirstSelection, 0);
    return 1;
}

LRESULT CALLBACK RenameEditProc(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    const WNDPROC previous = PreviousProc(edit);
    // Never a procedure we did not save for this very edit box.
    if (previous == nullptr) return ::DefWindowProcW(edit, msg, wParam, lParam);
    switch (msg) {
        case WM_DESTROY: DetachFrom(edit, previous); break;
        case WM_NCDESTROY: ForgetPreviousProc(edit); break;
        case WM_KEYDOWN:
            // Moving to a neighbour destroys this edit box: nothing of it is used afterwards.
            if (HandleKey(edit, wParam)) return 0;
            break;
        default:
            if (msg != 0 && msg == Block().RenameMsg) {
                if (wParam == kFirstSelection)
                    SelectName(edit);
                else
                    CycleNameSelection(edit);
                return 0;
            }
            break;
    }
    return ::CallWindowProcW(previous, edit, msg, wParam, lParam);
}

namespace {

// The edit box's text length and the place of its last dot (-1 for none); false when unreadable.
bool MeasureName(HWND edit, int& length, int& lastDot) noexcept {
    wchar_t text[kTextCapacity];
    length = ReadText(edit, text);
    if (length < 0) return false;
    const wchar_t* dot = std::wcsrchr(text, L'.');
    lastDot = dot ? static_cast<int>(dot - text) : -1;
    return true;
}

}  // namespace

void SelectName(HWND edit) noexcept {
    int length = 0, lastDot = -1;
    if (MeasureName(edit, length, lastDot)) Select(edit, FirstNameSelection(length, lastDot));
}

int CycleNameSelection(HWND edit) noexcept {
    int length = 0, lastDot = -1;
    if (MeasureName(edit, length, lastDot)) Select(edit, NextNameSelection(length, lastDot, SelectionOf(edit)));
    return 1;
}

int EditNeighbourLabel(HWND listView, bool below) noexcept {
    const auto current = static_cast<int>(::SendMessageW(listView, LVM_GETSELECTIONMARK, 0, 0));
    const auto next =
        static_cast<int>(::SendMessageW(listView, LVM_GETNEXTITEM, current, below ? LVNI_BELOW : LVNI_ABOVE));
    // Some list views answer with an index past their last item where there is none.
    const auto count = static_cast<int>(::SendMessageW(listView, LVM_GETITEMCOUNT, 0, 0));
    if (next < 0 || next >= count || next == current) return 0;
    ::SendMessageW(listView, LVM_SETSELECTIONMARK, 0, next);
    // Starting the new edit ends the current one, whose edit box is destroyed meanwhile.
    if (::SendMessageW(listView, LVM_EDITLABELW, next, 0) == 0)
        ::SendMessageW(listView, LVM_SETSELECTIONMARK, 0, current);
    return 1;
}

int CollapseSelection(HWND edit, bool toRight) noexcept {
    if (IsKeyHeld(VK_SHIFT) || IsKeyHeld(VK_CONTROL)) return 0;
    wchar_t text[kTextCapacity];
    const int length = ReadText(edit, text);
    if (length < 0) return 0;
    const int caret = CollapsedCaret(length, SelectionOf(edit), toRight);
    if (caret < 0) return 0;
    Select(edit, {caret, caret});
    return 1;
}

}  // namespace quor
