#pragma once
// The one block of memory that every process mapping the library shares.
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "hooklib/window/alpha_table.h"
#include "hooklib/window/frame_insets.h"
#include "hooklib/window/geometry.h"

namespace quor {

constexpr int kTextSlot = 256;
constexpr int kIgnoreEntries = 64;
constexpr int kMouseCutSlots = 24;
constexpr int kCommandEntries = 64;
constexpr int kCommandCount = 34;
constexpr int kWindowTable = 256;
constexpr int kStatMouseCount = 5;
constexpr int kStatKeyboardCount = 26;

// The notification-icon record exactly as the shell takes it at cbSize 520:
// NOTIFYICONDATAA up to and including guidItem.
struct NotifyIconRecord {
    DWORD cbSize;
    HWND hWnd;
    UINT uID;
    UINT uFlags;
    UINT uCallbackMessage;
    HICON hIcon;
    CHAR szTip[128];
    DWORD dwState;
    DWORD dwStateMask;
    CHAR szInfo[256];
    UINT uTimeout;
    CHAR szInfoTitle[64];
    DWORD dwInfoFlags;
    GUID guidItem;
};

struct SharedBlock {
    // Settings, written only through the exported setters.
    int32_t UnAvailable;
    int32_t AllowSnap;
    int32_t AllowSnapInside;
    int32_t Snap;
    int32_t AllowOut;
    int32_t AllowTaskBar;
    int32_t SizeExt;
    int32_t AutoArrange;
    int32_t DeskIconText;
    int32_t DeskIconTextBk;
    uint32_t DeskIconTextColor;
    int32_t ExpUp;
    int32_t ExpRename;
    int32_t Transparent;
    int32_t Redirect;
    int32_t RedirectActive;
    int32_t Volume;
    int32_t VolumeDelta;
    int32_t VD;
    int32_t DisableClose;
    int32_t DisableMax;
    int32_t DisableMin;
    int32_t TaskTray;
    int32_t ShowDesk;
    int32_t DisableKeyAlt;
    int32_t DisableKeyWin;
    int32_t DisableKeyIns;
    int32_t DisableKeyMenu;
    int32_t DisableKeyCaps;
    int32_t DisableKeyHankaku;
    int32_t DisableKeyKana;
    int32_t DisableKeyF1;
    int32_t SoftLaser;
    int32_t IgnoreMouse;
    int32_t IgnoreKeyboard;
    int32_t Alpha;
    int32_t nIgnore;
    int32_t nIgnoreExe;

    char Ignore[kIgnoreEntries][kTextSlot];
    char IgnoreExe[kIgnoreEntries][kTextSlot];
    char MouseCut[kMouseCutSlots][kTextSlot];
    char MouseCutCmd[kCommandEntries][kTextSlot];

    // Statistics.
    uint32_t StatMouse[kStatMouseCount];
    uint32_t StatKeyboard[kStatKeyboardCount];
    double StatMouseMove;
    uint32_t StatTotalTime;

    // Library handles and identifiers.
    HHOOK MouseHook;
    HHOOK MessageHook;
    HHOOK WindowHook;
    HHOOK KeyboardHook;
    HHOOK LLMouseHook;
    HINSTANCE DllInstance;
    HWND DeskListView;
    HWND DummyWnd;
    UINT RollMsg;
    UINT UnrollMsg;
    UINT RenameMsg;
    UINT TrayStyleMsg;  // carries a restored window's saved extended style to its own thread
    UINT TrayHideMsg;   // hides a window sent to the notification area once its minimize is done
    UINT ListViewMsg;   // sets a list view's view in its own thread (QUOR_LIST_VIEW_MESSAGE)

    // Mouse dispatcher.
    int32_t SwallowRButtonUp;

    // Low-level mouse hook.
    int32_t LastMouseX;
    int32_t LastMouseY;
    int64_t LastActivity;

    // Drag engine and caption clicks.
    uint8_t MoveArmed;
    uint8_t Moving;
    uint8_t SizeArmed;
    uint8_t Sizing;
    uint8_t DragIsChild;
    // The dragged window belongs to another thread than the mouse hook that armed the drag (a
    // program the library cannot be mapped into, whose hook calls come back to the hooks' thread):
    // the low-level mouse hook drives the drag, and no capture is taken.
    uint8_t DragFromHookThread;
    // The mouse buttons down, as the low-level mouse hook saw them go (bit 0 left, bit 1 right):
    // unlike the asynchronous key state, never behind the events.
    uint8_t ButtonsDownLowLevel;
    HWND DragWnd;
    HWND CaptureWnd;  // the window the engine gave the mouse capture to, until it is released
    DWORD CaptureTick;  // GetTickCount when it did
    POINT DragGrip;
    int32_t SizeTop;
    int32_t SizeRight;
    int32_t SizeBottom;
    int32_t SizeLeft;
    SIZE MinTrack;
    DWORD LastCaptionClick;
    POINT LastCaptionPoint;
    int32_t DblClkCx;
    int32_t DblClkCy;
    DWORD LastCaptionDblClk;

    // Snap targets collected when a drag starts.
    HMONITOR DragMonitor;
    Rect DragArea;
    POINT ChildOffset;
    Insets DragInsets;  // the dragged window's rectangle minus its visible frame
    Rect SnapRect[kWindowTable];
    int32_t nSnapRect;

    // Rolled-up windows and wheel transparency.
    HWND RolledWnd[kWindowTable];
    int32_t RolledHeight[kWindowTable];
    DWORD RolledThread[kWindowTable];  // thread of each rolled window: a recycled handle is not it
    int32_t nRolled;
    AlphaEntry AlphaTable[kWindowTable];
    int32_t nAlphaTable;

    // Windows minimized into the notification area.
    HWND TrayWnd[kWindowTable];
    LONG_PTR TrayExStyle[kWindowTable];
    DWORD TrayHiddenTick[kWindowTable];  // GetTickCount when each window went behind its icon
    NotifyIconRecord TrayIcon[kWindowTable];
    int32_t TrayHigh;

    // Virtual screens.
    int32_t VDScreen;
    HWND HiddenWnd[kWindowTable];
    int32_t nHidden;
    HWND HiddenWndSaved[kWindowTable];
    int32_t nHiddenSaved;

    // Laser pointer.
    int32_t LaserState;

    // Set by tests only: every drag takes the path of a window of another thread.
    int32_t CrossThreadDragForTests;
};

static_assert(sizeof(RECT) == sizeof(Rect) && offsetof(RECT, bottom) == offsetof(Rect, bottom));
static_assert(sizeof(POINT) == 8 && sizeof(SIZE) == 8);
static_assert(sizeof(HWND) == 8 && sizeof(HHOOK) == 8 && sizeof(HMONITOR) == 8 && sizeof(LONG_PTR) == 8);
static_assert(sizeof(AlphaEntry) == 8);
static_assert(sizeof(Insets) == 16);
static_assert(sizeof(NotifyIconRecord) == 520);
static_assert(offsetof(NotifyIconRecord, guidItem) == offsetof(NOTIFYICONDATAA, guidItem));
static_assert(offsetof(NotifyIconRecord, szTip) == offsetof(NOTIFYICONDATAA, szTip));
static_assert(sizeof(SharedBlock::StatMouseMove) == 8 && sizeof(SharedBlock::LastActivity) == 8);
static_assert(sizeof(DWORD) == 4 && sizeof(UINT) == 4 && sizeof(COLORREF) == 4);

// A count read from the block, which any process can write: read once, and kept within its table.
inline int CountOf(const int32_t& count, int capacity) noexcept {
    const int32_t n = __atomic_load_n(&count, __ATOMIC_RELAXED);
    return n < 0 ? 0 : (n > capacity ? capacity : n);
}

// The block of this process's mapping of the library.
SharedBlock& Block() noexcept;

// The library's module handle in this process (the block's DllInstance is the last attacher's).
HINSTANCE ThisModule() noexcept;
void SetThisModule(HINSTANCE module) noexcept;

}  // namespace quor
