#include "app/tools/desktop_icons.h"

#include <commctrl.h>

#include <cstddef>

#include "hooklib/quordll.h"
#include "platform/unique_any.h"

namespace quor {
namespace {

// Explorer may be busy: no question to it waits longer than this, and all the questions of one
// capture or restore together no longer than the budget (a thousand icons ask two thousand).
constexpr UINT kExplorerTimeoutMs = 2000;
constexpr DWORD kExplorerBudgetMs = 5000;
constexpr SIZE_T kBlockBytes = 4096;

LRESULT Ask(HWND list, UINT msg, WPARAM wParam, LPARAM lParam, bool& answered) noexcept {
    DWORD_PTR result = 0;
    answered = ::SendMessageTimeoutA(list, msg, wParam, lParam, SMTO_ABORTIFHUNG, kExplorerTimeoutMs, &result) != 0;
    return static_cast<LRESULT>(result);
}

// Two blocks of memory in the list view's process, for the records its messages fill in.
class RemoteBlocks {
public:
    explicit RemoteBlocks(HWND list) noexcept {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(list, &pid);
        process_.reset(::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
        if (!process_) return;
        item_ = ::VirtualAllocEx(process_.get(), nullptr, kBlockBytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        point_ = ::VirtualAllocEx(process_.get(), nullptr, kBlockBytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~RemoteBlocks() {
        if (item_) ::VirtualFreeEx(process_.get(), item_, 0, MEM_RELEASE);
        if (point_) ::VirtualFreeEx(process_.get(), point_, 0, MEM_RELEASE);
    }
    RemoteBlocks(const RemoteBlocks&) = delete;
    RemoteBlocks& operator=(const RemoteBlocks&) = delete;

    bool ready() const noexcept { return item_ && point_; }

    // The item's text, or false when Explorer did not answer.
    bool Text(HWND list, int index, char (&text)[kIconNameBytes + 1]) const noexcept {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = index;
        item.pszText = static_cast<char*>(item_) + sizeof(LVITEMA);
        item.cchTextMax = kIconNameBytes;
        SIZE_T done = 0;
        if (!::WriteProcessMemory(process_.get(), item_, &item, sizeof item, &done)) return false;
        bool answered = false;
        Ask(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(item_), answered);
        text[kIconNameBytes] = '\0';
        return answered && ::ReadProcessMemory(process_.get(), static_cast<char*>(item_) + sizeof(LVITEMA), text,
                                               kIconNameBytes, &done);
    }

    bool Position(HWND list, int index, POINT& at) const noexcept {
        bool answered = false;
        Ask(list, LVM_GETITEMPOSITION, index, reinterpret_cast<LPARAM>(point_), answered);
        SIZE_T done = 0;
        return answered && ::ReadProcessMemory(process_.get(), point_, &at, sizeof at, &done);
    }

private:
    unique_handle process_;
    void* item_ = nullptr;
    void* point_ = nullptr;
};

// The number of icons, or -1 when Explorer did not answer in time.
int ItemCount(HWND list) noexcept {
    bool answered = false;
    const LRESULT count = Ask(list, LVM_GETITEMCOUNT, 0, 0, answered);
    if (!answered) return -1;
    return count > 0 ? static_cast<int>(count) : 0;
}

}  // namespace

bool ShowsSmallIcons(HWND list) noexcept { return (::GetWindowLongPtrA(list, GWL_STYLE) & LVS_SMALLICON) != 0; }

bool SetSmallIcons(HWND list, bool small) noexcept {
    const LONG_PTR style = ::GetWindowLongPtrA(list, GWL_STYLE);
    const LONG_PTR wanted = small ? (style | LVS_SMALLICON) : (style & ~static_cast<LONG_PTR>(LVS_SMALLICON));
    if (style == wanted) return true;
    // Setting another program's style from here would wait on Explorer with no limit: the
    // library's hook sets it in the list view's own thread, and a busy Explorer is waited for a
    // moment at most.
    static const UINT viewMsg = ::RegisterWindowMessageA(QUOR_LIST_VIEW_MESSAGE);
    bool answered = false;
    Ask(list, viewMsg, 0, wanted & LVS_TYPEMASK, answered);
    // Unchanged too when the hooks are not installed yet: the program applies it again after.
    return answered && ::GetWindowLongPtrA(list, GWL_STYLE) == wanted;
}

bool CaptureIconLayout(HWND list, IconLayoutTable& table) {
    if (!list) return false;
    const RemoteBlocks remote(list);
    if (!remote.ready()) return false;
    const int icons = ItemCount(list);
    if (icons < 0) return false;  // a busy Explorer leaves the table as it was
    const int count = std::min(icons, static_cast<int>(kIconLayoutEntries));
    IconLayoutTable captured;
    const DWORD started = ::GetTickCount();
    for (int i = 0; i < count; ++i) {
        if (::GetTickCount() - started > kExplorerBudgetMs) return false;  // the table as it was
        char text[kIconNameBytes + 1] = {};
        POINT at{};
        if (!remote.Position(list, i, at) || !remote.Text(list, i, text)) return false;  // Explorer is not answering
        captured.entries.push_back({text, at.x, at.y});
    }
    table = std::move(captured);
    return true;
}

void RestoreIconLayout(HWND list, const IconLayoutTable& table, const WorkArea& work) {
    if (!list) return;
    const RemoteBlocks remote(list);
    if (!remote.ready()) return;
    const int count = ItemCount(list);
    const DWORD started = ::GetTickCount();
    for (int i = 0; i < count; ++i) {
        if (::GetTickCount() - started > kExplorerBudgetMs) return;
        char text[kIconNameBytes + 1] = {};
        if (!remote.Text(list, i, text)) return;
        const std::optional<IconPlace> place = PlaceOf(table, text, work);
        if (!place) continue;
        bool answered = false;
        Ask(list, LVM_SETITEMPOSITION, i, MAKELPARAM(place->x, place->y), answered);
        if (!answered) return;
    }
    // Icons aligned to the grid stay so; a free layout stays exactly as it was saved.
    bool answered = false;
    const LRESULT extended = Ask(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0, answered);
    if (answered && (extended & LVS_EX_SNAPTOGRID)) Ask(list, LVM_ARRANGE, LVA_SNAPTOGRID, 0, answered);
}

WorkArea IconArea(HWND list) noexcept {
    // The desktop's list view spans every monitor, its origin at the virtual screen's top left.
    RECT client{};
    if (list && ::GetClientRect(list, &client) && client.right > 0 && client.bottom > 0)
        return {client.right, client.bottom};
    return {::GetSystemMetrics(SM_CXVIRTUALSCREEN), ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

}  // namespace quor
