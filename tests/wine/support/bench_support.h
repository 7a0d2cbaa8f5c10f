#pragma once
// Windows-side test helpers: other processes with windows, injected input, waiting,
// message boxes, and a view of the library's shared block.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "hooklib/core/shared_block.h"
#include "platform/unique_any.h"

namespace bench {

// Handles the messages waiting in this thread's queue.
void PumpPending();

// Polls `predicate` until it holds or `timeoutMs` passes; pumps this thread's messages meanwhile.
bool WaitFor(const std::function<bool()>& predicate, int timeoutMs = 5000);

// Folder of the running test program (where the deliverables and the helper are).
std::string ProgramDir();

// Runs a program of that folder with its arguments, waits for its end and returns its exit code.
DWORD RunProgram(const std::string& exeAndArguments);

// Messages a helper window answers (sent by tests).
enum HelperQuery : UINT {
    kQueryLibraryLoaded = WM_APP + 1,  // -> 1 when Quordll.dll is mapped in the helper's process
    kQueryMessageCount = WM_APP + 2,   // wParam message id, lParam 0 window / 1 list view -> count
    kCommandHang = WM_APP + 3,         // posted: the helper's thread sleeps lParam milliseconds
    kCommandResetCounts = WM_APP + 4,
    kQueryLastWParam = WM_APP + 5,     // wParam message id, lParam as above -> last wParam seen
    kQueryLastMousePos = WM_APP + 6,   // -> MAKELONG(x, y) screen position of the last mouse message taken
    kQueryFirstSeen = WM_APP + 7,      // wParam message id, lParam as above -> order in which it was
                                       // first received since the last reset (1, 2...), 0 for never
    kQueryLastLParam = WM_APP + 8,     // wParam message id, lParam as above -> last lParam seen
    kQueryVolume = WM_APP + 9,         // -> the helper's own speakers level 0-65535 (winmm), -1 without
    kCommandSetVolume = WM_APP + 10,   // lParam level -> 1 when set
    kQueryMute = WM_APP + 11,          // -> the helper's own speakers mute 0/1, -1 without
    kQueryOwnEditProc = WM_APP + 12,   // wParam 0: label-edit boxes whose own procedure was back in
                                       // place at WM_DESTROY; 1: those whose was not; 2: messages
                                       // the own procedures handled
};

struct WindowSpec {
    std::string cls = "QuorTarget";
    std::string title = "target";
    DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    DWORD exStyle = 0;
    RECT rect{100, 100, 500, 400};
    // Kinds: "window" plain top-level; "desktop" Progman > SHELLDLL_DefView > SysListView32;
    // "folder" a top-level window holding a list view; "mdi" an MDI frame with one child.
    std::string kind = "window";
    bool reportView = false;
    int minTrackCx = 0;  // answers WM_GETMINMAXINFO when nonzero
    int minTrackCy = 0;
    // The message loop peeks at each message (PM_NOREMOVE) before it takes it, as many programs'
    // loops do: every hook call is then made twice for one message.
    bool peekFirst = false;
    // With peekFirst: the loop takes each message this long after it peeked at it, so that a message
    // sent meanwhile is handled between the two.
    int peekPauseMs = 0;
    // Kind "window": this many top-level windows, the one on top titled `title`, the others
    // `title` + " 2", " 3"..., each placed 2 pixels right of and below `rect`'s place the more.
    // Kind "mdi": this many children, "child", "child 2"..., 230 pixels apart in a row.
    int windowCount = 1;
    // Kind "owned": a main window titled `title` + " owner", and the window found, titled `title`,
    // owned by it.
    // Started with Wine's audio drivers turned off for it: the helper's process has no mixer.
    bool noSound = false;
    // Kind "folder": the list view's items, in code page 932, instead of "item0".."item2"; their
    // labels can then be edited, and a rename is accepted.
    std::vector<std::string> items;
    // Kind "folder": each label-edit box gets a window procedure of the helper's own (1 or 2: two
    // different procedures) before any global hook sees the box made; 3: procedure 2, which also
    // selects the name without its extension when the list view selects all, as current shells do.
    int ownEditProc = 0;
};

// A plain top-level window with this title and screen rectangle.
inline WindowSpec WindowAt(const char* title, RECT rect) {
    WindowSpec spec;
    spec.title = title;
    spec.rect = rect;
    return spec;
}

// A window in a helper process of its own; the process ends with this object.
class TargetProcess {
public:
    explicit TargetProcess(const WindowSpec& spec);
    ~TargetProcess();
    TargetProcess(const TargetProcess&) = delete;
    TargetProcess& operator=(const TargetProcess&) = delete;

    HWND window() const { return window_; }
    // Every top-level window of the helper's own class, from the bottom of the Z order up.
    std::vector<HWND> windows() const;
    HWND listView() const;  // the list view of "desktop" and "folder" kinds
    HWND mdiChild() const;  // the child of the "mdi" kind
    HWND mdiClient() const;
    DWORD processId() const { return pid_; }
    // STILL_ACTIVE while the helper runs; its exit code once it ended.
    DWORD ExitCode() const;
    bool LibraryLoaded() const;
    int Count(UINT msg, bool listView = false) const;
    int FirstSeen(UINT msg, bool listView = false) const;
    LPARAM LastLParam(UINT msg, bool listView = false) const;
    int Volume() const;
    bool SetVolume(int level) const;
    int Mute() const;
    LRESULT OwnEditProc(WPARAM what) const;
    // Keeps the helper's thread busy for `ms` milliseconds, from now on.
    void Hang(int ms) const;
    // Clicks the middle of the client area and waits until the window is in the foreground.
    bool Activate() const;
    void ResetCounts() const;
    // Moves the cursor to a marker point in the client area and waits until the helper has
    // taken that move from its queue, so all input injected before it has been handled.
    void SyncInput() const;

private:
    quor::unique_handle process_;
    DWORD pid_ = 0;
    HWND window_ = nullptr;
};

// Injected input (SendInput), as a user would produce it.
void MoveMouse(int x, int y);
void MouseButton(DWORD downOrUpFlag);
void Click(int x, int y, DWORD down = MOUSEEVENTF_LEFTDOWN, DWORD up = MOUSEEVENTF_LEFTUP);
void DoubleClick(int x, int y, DWORD down = MOUSEEVENTF_LEFTDOWN, DWORD up = MOUSEEVENTF_LEFTUP);
// Presses at `from`, moves to `to` in steps and releases. With `window`, waits after the press
// until the window's thread has taken it (some window of that thread holds the capture), as a
// user's hand would give it time to.
void Drag(POINT from, POINT to, int steps = 8, HWND window = nullptr);
bool WaitForCapture(HWND window, int timeoutMs = 1000);
// The window holding the mouse capture in the thread of `window`, or null.
HWND CaptureIn(HWND window);
// One burst of input, as a quick hand gives it: the left button goes down at `press` and the
// mouse is at `to` (and, with `release`, the button up again there) before any program has taken
// the press.
void PressAndMoveAway(POINT press, POINT to, bool release = false);
// Waits until the helper owning `window` has taken a mouse message at `pt` from its queue.
bool WaitForMouseAt(HWND window, POINT pt, int timeoutMs = 2000);
void Wheel(int x, int y, int delta);
void Key(WORD vk, bool down);

// Waits `ms` milliseconds, taking this thread's messages meanwhile.
void Pause(int ms);

// Whether the key is down now, as the system holds it (asked from a thread that never asked before:
// under Wine a thread that asked less than 50 ms ago may be answered from its own copy).
bool KeyIsDown(WORD vk);

// A key held while the scope lasts. A hand holds a key a moment before it clicks with it: under
// Wine, a program that read the keyboard's state less than 50 ms before is told from its own copy
// that the key is up, whatever happened since. And Wine sets its modifier keys to the X server's
// whenever one of its windows takes the X focus, which lets go of a modifier pressed as injected
// input only: one let go while the hand settles is pressed again.
class HeldKey {
public:
    explicit HeldKey(WORD vk) : vk_(vk) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            Key(vk_, true);
            Pause(60);
            if (KeyIsDown(vk_)) break;
        }
    }
    ~HeldKey() { Key(vk_, false); }
    HeldKey(const HeldKey&) = delete;
    HeldKey& operator=(const HeldKey&) = delete;

private:
    WORD vk_;
};

RECT WindowRect(HWND window);
// Whether the shell holds a notification icon of this window and id (it modifies only those).
bool NotificationIconRegistered(HWND owner, UINT id);
// Whether `upper` lies above `lower` in the Z order.
bool IsAbove(HWND upper, HWND lower);
// Screen rectangle of part `code` (LVIR_ICON, LVIR_BOUNDS...) of a list-view item in another
// process: the query's record is placed in that process's memory.
RECT ListItemRect(HWND list, int item, int code);
// The text of a list-view cell (item, subitem `column`) in another process, up to 1023 characters:
// the query's record and its buffer are placed in that process's memory.
std::wstring ListItemText(HWND list, int item, int column);
// A screen point of the window whose non-client hit test gives `hitCode` (HTCAPTION, HTCLOSE,
// HTBOTTOMRIGHT...), found by asking the window; {-1, -1} when there is none.
POINT HitPoint(HWND window, int hitCode);
// The alpha set with SetLayeredWindowAttributes, or 255 for a window that is not layered.
int LayeredAlpha(HWND window);
RECT WorkArea();

// Watches this process for message boxes, records caption and text, and presses OK.
class MessageBoxWatcher {
public:
    struct Box {
        std::string caption;
        std::string text;
    };
    MessageBoxWatcher();
    ~MessageBoxWatcher();
    std::vector<Box> boxes() const;

private:
    void Run();
    mutable std::mutex mutex_;
    std::vector<Box> boxes_;
    bool stop_ = false;
    std::thread thread_;
};

// The shared block as this process maps it, found through the library's ".QUOR" section.
quor::SharedBlock& Block(HMODULE library = nullptr);
// The section's characteristics (for the image checks).
DWORD SectionCharacteristics(HMODULE library, const char* name);

// The pixels of a screen rectangle as they are now (what a person sees there).
class ScreenShot {
public:
    explicit ScreenShot(const RECT& area);
    int width() const { return width_; }
    int height() const { return height_; }
    // RGB of the pixel at (x, y) of the rectangle, as a COLORREF.
    COLORREF Pixel(int x, int y) const;
    // Writes a BMP file named `name`.bmp into the bench's "screenshots" folder and returns its
    // path in the bench's own (Unix) terms, or "" when it could not be written.
    std::string Save(const std::string& name) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> pixels_;  // top-down rows of 0x00RRGGBB
};

// Saves the window as it shows on the screen (see ScreenShot::Save); prints the path.
std::string SaveWindowShot(HWND window, const std::string& name);

// Replaces, in this process only, the library's import of `function` from `dll`.
// Returns the previous address so the replacement can forward to it.
void* PatchImport(HMODULE library, const char* dll, const char* function, void* replacement);

}  // namespace bench
