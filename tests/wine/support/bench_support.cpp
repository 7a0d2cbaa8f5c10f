#include "tests/wine/support/bench_support.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <atomic>
#include <stdexcept>
#include <algorithm>
#include <cstdlib>
#include <fstream>

namespace bench {
namespace {

// A test killed by its timeout still shows how far it got.
const bool g_unbufferedOutput = [] {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    std::setvbuf(stderr, nullptr, _IONBF, 0);
    return true;
}();

}  // namespace

void PumpPending() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

bool WaitFor(const std::function<bool()>& predicate, int timeoutMs) {
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (predicate()) return true;
        if (static_cast<int>(::GetTickCount() - start) > timeoutMs) return predicate();
        PumpPending();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void Pause(int ms) {
    const DWORD start = ::GetTickCount();
    WaitFor([&] { return static_cast<int>(::GetTickCount() - start) >= ms; }, ms + 1000);
}

bool KeyIsDown(WORD vk) {
    bool down = false;
    std::thread([&] { down = (::GetAsyncKeyState(vk) & 0x8000) != 0; }).join();
    return down;
}

std::string ProgramDir() {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    return dir.substr(0, dir.find_last_of("\\/"));
}

DWORD RunProgram(const std::string& exeAndArguments) {
    const size_t space = exeAndArguments.find(' ');
    const std::string exe = exeAndArguments.substr(0, space);
    const std::string arguments = space == std::string::npos ? "" : exeAndArguments.substr(space);
    std::string cmd = "\"" + ProgramDir() + "\\" + exe + "\"" + arguments;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 999;
    ::CloseHandle(pi.hThread);
    WaitFor([&] { return ::WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0; }, 30000);
    DWORD code = 999;
    ::GetExitCodeProcess(pi.hProcess, &code);
    ::CloseHandle(pi.hProcess);
    return code;
}

namespace {

struct FindArgs {
    DWORD pid;
    const char* cls;
    const char* title;
    HWND found;
};

BOOL CALLBACK FindOwnedWindow(HWND hwnd, LPARAM lParam) {
    auto* args = reinterpret_cast<FindArgs*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    char cls[256] = {}, title[256] = {};
    ::GetClassNameA(hwnd, cls, sizeof cls);
    ::GetWindowTextA(hwnd, title, sizeof title);
    if (pid == args->pid && strcmp(cls, args->cls) == 0 && strcmp(title, args->title) == 0) {
        args->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

std::string Quote(const std::string& s) { return "\"" + s + "\""; }

// The helper copy that runs with Wine's audio drivers turned off for it (the bench sets that for
// its program name), so that its winmm has no mixer: a machine without sound.
const char kSilentHelper[] = "qsilent.exe";

LRESULT Ask(HWND window, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutA(window, msg, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result)) return -1;
    return static_cast<LRESULT>(result);
}

}  // namespace

TargetProcess::TargetProcess(const WindowSpec& spec) {
    char numbers[256];
    std::snprintf(numbers, sizeof numbers, " %lu %lu %ld %ld %ld %ld %d %d %d %d %d", spec.style, spec.exStyle,
                  spec.rect.left, spec.rect.top, spec.rect.right, spec.rect.bottom, spec.reportView ? 1 : 0,
                  spec.minTrackCx, spec.minTrackCy, spec.peekFirst ? 1 + spec.peekPauseMs : 0, spec.windowCount);
    std::string items;
    for (const std::string& item : spec.items) items += (items.empty() ? "" : "|") + item;
    std::string cmd = Quote(ProgramDir() + "\\" + (spec.noSound ? kSilentHelper : "qhelper.exe")) + " " + spec.kind +
                      " " + Quote(spec.cls) + " " + Quote(spec.title) + numbers + " " +
                      std::to_string(spec.ownEditProc) + " " + Quote(items);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        throw std::runtime_error("cannot start qhelper.exe: error " + std::to_string(::GetLastError()));
    ::CloseHandle(pi.hThread);
    process_.reset(pi.hProcess);
    pid_ = pi.dwProcessId;
    const std::string cls = spec.kind == "desktop" && spec.cls == "QuorTarget" ? "Progman" : spec.cls;
    FindArgs args{pid_, cls.c_str(), spec.title.c_str(), nullptr};
    WaitFor([&] {
        if (::WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0) return true;  // it ended early
        ::EnumWindows(FindOwnedWindow, reinterpret_cast<LPARAM>(&args));
        return args.found != nullptr && ::IsWindowVisible(args.found);
    }, 15000);
    window_ = args.found;
    if (!window_) throw std::runtime_error("the helper window did not appear: " + spec.title);
    // The helper answers once its window is fully built.
    Ask(window_, WM_NULL);
}

DWORD TargetProcess::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (process_) ::GetExitCodeProcess(process_.get(), &code);
    return code;
}

TargetProcess::~TargetProcess() {
    if (process_) {
        // A helper ends by itself when its window is closed; any other end is a crash, said here
        // whatever the test expected.
        const DWORD code = ExitCode();
        if (code != STILL_ACTIVE && code != 0)
            std::fprintf(stderr, "qhelper (process %lu) ended by itself with code 0x%08lx\n", pid_, code);
        ::TerminateProcess(process_.get(), 0);
        ::WaitForSingleObject(process_.get(), 5000);
    }
}

HWND TargetProcess::listView() const {
    HWND view = ::FindWindowExA(window_, nullptr, "SHELLDLL_DefView", nullptr);
    return ::FindWindowExA(view ? view : window_, nullptr, "SysListView32", nullptr);
}

HWND TargetProcess::mdiClient() const { return ::FindWindowExA(window_, nullptr, "MDICLIENT", nullptr); }

HWND TargetProcess::mdiChild() const { return ::FindWindowExA(mdiClient(), nullptr, nullptr, nullptr); }

LRESULT TargetProcess::OwnEditProc(WPARAM what) const { return Ask(window_, kQueryOwnEditProc, what); }

bool TargetProcess::LibraryLoaded() const { return Ask(window_, kQueryLibraryLoaded) == 1; }

int TargetProcess::Count(UINT msg, bool listView) const {
    return static_cast<int>(Ask(window_, kQueryMessageCount, msg, listView ? 1 : 0));
}

void TargetProcess::ResetCounts() const { Ask(window_, kCommandResetCounts); }

int TargetProcess::FirstSeen(UINT msg, bool listView) const {
    return static_cast<int>(Ask(window_, kQueryFirstSeen, msg, listView ? 1 : 0));
}

LPARAM TargetProcess::LastLParam(UINT msg, bool listView) const {
    return Ask(window_, kQueryLastLParam, msg, listView ? 1 : 0);
}

int TargetProcess::Volume() const { return static_cast<int>(Ask(window_, kQueryVolume)); }
bool TargetProcess::SetVolume(int level) const { return Ask(window_, kCommandSetVolume, 0, level) == 1; }
int TargetProcess::Mute() const { return static_cast<int>(Ask(window_, kQueryMute)); }

void TargetProcess::Hang(int ms) const {
    ::PostMessageA(window_, kCommandHang, 0, ms);
    // Busy from when it takes the message: it then answers nothing. The probe is a query, which
    // the helper does not count among the messages it received.
    WaitFor([&] {
        DWORD_PTR r = 0;
        return !::SendMessageTimeoutA(window_, kQueryLastMousePos, 0, 0, SMTO_ABORTIFHUNG, 20, &r);
    }, 2000);
}

namespace {

struct ClassWindows {
    DWORD pid;
    std::string cls;
    std::vector<HWND> found;
};

BOOL CALLBACK AddClassWindow(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<ClassWindows*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    char cls[256] = {};
    ::GetClassNameA(hwnd, cls, sizeof cls);
    if (pid == search->pid && search->cls == cls) search->found.push_back(hwnd);
    return TRUE;
}

}  // namespace

std::vector<HWND> TargetProcess::windows() const {
    char cls[256] = {};
    ::GetClassNameA(window_, cls, sizeof cls);
    ClassWindows search{pid_, cls, {}};
    ::EnumWindows(AddClassWindow, reinterpret_cast<LPARAM>(&search));
    // EnumWindows reports from the top of the Z order down.
    return {search.found.rbegin(), search.found.rend()};
}

bool TargetProcess::Activate() const {
    RECT client{};
    ::GetClientRect(window_, &client);
    POINT p{client.right / 2, client.bottom / 2};
    ::ClientToScreen(window_, &p);
    Click(p.x, p.y);
    return WaitFor([&] { return ::GetForegroundWindow() == window_; });
}

void TargetProcess::SyncInput() const {
    RECT client{};
    ::GetClientRect(window_, &client);
    POINT marker{client.right / 2, client.bottom / 2};
    ::ClientToScreen(window_, &marker);
    // Two different points, so the last one is a real move whatever the cursor did before.
    MoveMouse(marker.x + 1, marker.y + 1);
    MoveMouse(marker.x, marker.y);
    WaitForMouseAt(window_, marker, 3000);
}

namespace {

void Send(INPUT input) { ::SendInput(1, &input, sizeof input); }

// Normalized coordinates: the platform maps n in 0..65535 to the pixel n * size / 65536,
// rounded down, so the smallest n for a pixel is the quotient rounded up.
LONG Normalized(int pixel, int size) {
    return static_cast<LONG>((static_cast<long long>(pixel) * 65536 + size - 1) / size);
}

// A move to (x, y), with `flags` (a button's change) in the same event.
INPUT MoveTo(int x, int y, DWORD flags = 0) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
    in.mi.dx = Normalized(x, ::GetSystemMetrics(SM_CXSCREEN));
    in.mi.dy = Normalized(y, ::GetSystemMetrics(SM_CYSCREEN));
    return in;
}

void RawMove(int x, int y) { Send(MoveTo(x, y)); }

void RawButton(DWORD flag) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flag;
    Send(in);
}

// The press and the release each carry their place, sent in one call. Wine moves the cursor to
// the X pointer's place when a window appears, goes or changes under that pointer; a button
// event without a place of its own could land there (seen: a release on the close button of a
// window just maximized under the parked pointer), which loses the click.
void RawClick(int x, int y, DWORD down, DWORD up) {
    INPUT click[2] = {MoveTo(x, y, down), MoveTo(x, y, up)};
    ::SendInput(2, click, sizeof click[0]);
}

// This thread may hold the library's low-level hooks, which the platform calls on it for every
// injected event: the input is injected from a thread of its own while this one pumps.
template <typename F>
void OnInputThread(F f) {
    std::atomic<bool> done{false};
    std::thread input([&] {
        f();
        done = true;
    });
    WaitFor([&] { return done.load(); }, 30000);
    input.join();
    PumpPending();
}

}  // namespace

void MoveMouse(int x, int y) {
    OnInputThread([=] { RawMove(x, y); });
}

void MouseButton(DWORD flag) {
    OnInputThread([=] { RawButton(flag); });
}

void Click(int x, int y, DWORD down, DWORD up) {
    OnInputThread([=] { RawClick(x, y, down, up); });
}

void DoubleClick(int x, int y, DWORD down, DWORD up) {
    OnInputThread([=] {
        RawClick(x, y, down, up);
        RawClick(x, y, down, up);
    });
}

bool WaitForCapture(HWND window, int timeoutMs) {
    return WaitFor([&] { return CaptureIn(window) != nullptr; }, timeoutMs);
}

HWND CaptureIn(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndCapture;
}

void PressAndMoveAway(POINT press, POINT to, bool release) {
    OnInputThread([=] {
        RawMove(press.x, press.y);
        RawButton(MOUSEEVENTF_LEFTDOWN);
        RawMove(to.x, to.y);
        if (release) RawButton(MOUSEEVENTF_LEFTUP);
    });
}

bool WaitForMouseAt(HWND window, POINT pt, int timeoutMs) {
    HWND top = ::GetAncestor(window, GA_ROOT);
    return WaitFor([&] {
        const LRESULT pos = Ask(top, kQueryLastMousePos);
        return static_cast<short>(LOWORD(pos)) == pt.x && static_cast<short>(HIWORD(pos)) == pt.y;
    }, timeoutMs);
}

void Drag(POINT from, POINT to, int steps, HWND window) {
    OnInputThread([=] {
        RawMove(from.x, from.y);
        RawButton(MOUSEEVENTF_LEFTDOWN);
        // A slow machine is given the time it takes to take the press: the wait ends once it did.
        if (window) WaitForCapture(window, 3000);
        // Each step waits until the window's thread took it, as a hand moves at its own pace (the
        // platform's own move loop reports no step: its drag goes on at a second a step).
        for (int i = 1; i <= steps; ++i) {
            const POINT step{from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps};
            RawMove(step.x, step.y);
            if (window) WaitForMouseAt(window, step, 1000);
        }
        RawButton(MOUSEEVENTF_LEFTUP);
    });
}

void Wheel(int x, int y, int delta) {
    OnInputThread([=] {
        RawMove(x, y);
        INPUT in{};
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = MOUSEEVENTF_WHEEL;
        in.mi.mouseData = static_cast<DWORD>(delta);
        Send(in);
    });
}

void Key(WORD vk, bool down) {
    OnInputThread([=] {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = vk;
        in.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
        in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
        Send(in);
    });
}

bool NotificationIconRegistered(HWND owner, UINT id) {
    NOTIFYICONDATAA icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = owner;
    icon.uID = id;
    return ::Shell_NotifyIconA(NIM_MODIFY, &icon) != FALSE;
}

RECT WindowRect(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return r;
}

bool IsAbove(HWND upper, HWND lower) {
    for (HWND w = ::GetWindow(upper, GW_HWNDNEXT); w; w = ::GetWindow(w, GW_HWNDNEXT))
        if (w == lower) return true;
    return false;
}

RECT ListItemRect(HWND list, int item, int code) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(list, &pid);
    quor::unique_handle process(::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
    RECT r{code, 0, 0, 0};
    void* remote = ::VirtualAllocEx(process.get(), nullptr, sizeof r, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    ::WriteProcessMemory(process.get(), remote, &r, sizeof r, nullptr);
    ::SendMessageA(list, 0x1000 + 14 /* LVM_GETITEMRECT */, item, reinterpret_cast<LPARAM>(remote));
    ::ReadProcessMemory(process.get(), remote, &r, sizeof r, nullptr);
    ::VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
    ::MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::wstring ListItemText(HWND list, int item, int column) {
    constexpr int kChars = 1024;
    DWORD pid = 0;
    ::GetWindowThreadProcessId(list, &pid);
    quor::unique_handle process(::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
    if (!process) return L"";
    const size_t size = sizeof(LVITEMW) + kChars * sizeof(wchar_t);
    auto* remote =
        static_cast<char*>(::VirtualAllocEx(process.get(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    if (!remote) return L"";
    LVITEMW query{};
    query.iSubItem = column;
    query.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(LVITEMW));
    query.cchTextMax = kChars;
    std::wstring text(kChars, L'\0');
    DWORD_PTR length = 0;
    if (::WriteProcessMemory(process.get(), remote, &query, sizeof query, nullptr) &&
        ::SendMessageTimeoutW(list, LVM_GETITEMTEXTW, item, reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, 5000,
                              &length) &&
        ::ReadProcessMemory(process.get(), remote + sizeof(LVITEMW), text.data(), kChars * sizeof(wchar_t), nullptr))
        text.resize(std::min<size_t>(length, kChars - 1));
    else
        text.clear();
    ::VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
    return text;
}

POINT HitPoint(HWND window, int hitCode) {
    const RECT r = WindowRect(window);
    const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    // The region to scan for each code: rows y0..y1 and columns x0..x1 (either direction).
    int x0 = cx, x1 = cx, y0 = cy, y1 = cy;
    switch (hitCode) {
        case HTCAPTION: y0 = r.top; y1 = r.top + 60; x0 = cx - 40; x1 = cx; break;
        case HTMINBUTTON: case HTMAXBUTTON: case HTCLOSE:
            y0 = r.top; y1 = r.top + 40; x0 = r.right - 1; x1 = r.right - 160; break;
        case HTTOP: y0 = r.top; y1 = r.top + 10; break;
        case HTBOTTOM: y0 = r.bottom - 1; y1 = r.bottom - 10; break;
        case HTLEFT: x0 = r.left; x1 = r.left + 10; break;
        case HTRIGHT: x0 = r.right - 1; x1 = r.right - 10; break;
        case HTBOTTOMRIGHT: x0 = r.right - 1; x1 = r.right - 10; y0 = r.bottom - 1; y1 = r.bottom - 10; break;
        case HTTOPLEFT: x0 = r.left; x1 = r.left + 10; y0 = r.top; y1 = r.top + 10; break;
        default: break;
    }
    const int dy = y1 >= y0 ? 1 : -1, dx = x1 >= x0 ? 1 : -1;
    for (int y = y0; y != y1 + dy; y += dy)
        for (int x = x0; x != x1 + dx; x += dx)
            if (Ask(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == hitCode) return {x, y};
    return {-1, -1};
}

int LayeredAlpha(HWND window) {
    if (!(::GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_LAYERED)) return 255;
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!::GetLayeredWindowAttributes(window, nullptr, &alpha, &flags) || !(flags & LWA_ALPHA)) return 255;
    return alpha;
}

RECT WorkArea() {
    RECT r{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
    return r;
}

MessageBoxWatcher::MessageBoxWatcher() : thread_([this] { Run(); }) {}

MessageBoxWatcher::~MessageBoxWatcher() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    thread_.join();
}

std::vector<MessageBoxWatcher::Box> MessageBoxWatcher::boxes() const {
    std::lock_guard lock(mutex_);
    return boxes_;
}

namespace {

struct BoxSearch {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindBox(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<BoxSearch*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    char cls[64] = {};
    ::GetClassNameA(hwnd, cls, sizeof cls);
    if (pid == search->pid && strcmp(cls, "#32770") == 0 && ::IsWindowVisible(hwnd)) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

void MessageBoxWatcher::Run() {
    HWND pressed = nullptr;
    for (;;) {
        {
            std::lock_guard lock(mutex_);
            if (stop_) return;
        }
        BoxSearch search{::GetCurrentProcessId(), nullptr};
        ::EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
        if (search.found && search.found != pressed) {
            char caption[256] = {}, text[1024] = {};
            ::GetWindowTextA(search.found, caption, sizeof caption);
            ::GetDlgItemTextA(search.found, 0xFFFF, text, sizeof text);
            {
                std::lock_guard lock(mutex_);
                boxes_.push_back({caption, text});
            }
            pressed = search.found;
            ::PostMessageA(search.found, WM_COMMAND, IDOK, 0);
        } else if (!search.found) {
            pressed = nullptr;
        }
        ::Sleep(20);
    }
}

namespace {

HMODULE LibraryOrDefault(HMODULE library) { return library ? library : ::GetModuleHandleA("Quordll.dll"); }

IMAGE_NT_HEADERS* NtHeaders(HMODULE module) {
    auto* base = reinterpret_cast<BYTE*>(module);
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    return reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
}

IMAGE_SECTION_HEADER* FindSection(HMODULE module, const char* name) {
    IMAGE_NT_HEADERS* nt = NtHeaders(module);
    IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
    for (unsigned i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section)
        if (strncmp(reinterpret_cast<const char*>(section->Name), name, IMAGE_SIZEOF_SHORT_NAME) == 0)
            return section;
    return nullptr;
}

}  // namespace

quor::SharedBlock& Block(HMODULE library) {
    HMODULE module = LibraryOrDefault(library);
    if (!module) throw std::runtime_error("Quordll.dll is not mapped");
    IMAGE_SECTION_HEADER* section = FindSection(module, ".QUOR");
    if (!section || section->Misc.VirtualSize < sizeof(quor::SharedBlock))
        throw std::runtime_error("no .QUOR section of the block's size");
    return *reinterpret_cast<quor::SharedBlock*>(reinterpret_cast<BYTE*>(module) + section->VirtualAddress);
}

DWORD SectionCharacteristics(HMODULE library, const char* name) {
    IMAGE_SECTION_HEADER* section = FindSection(LibraryOrDefault(library), name);
    return section ? section->Characteristics : 0;
}

void* PatchImport(HMODULE library, const char* dll, const char* function, void* replacement) {
    HMODULE module = LibraryOrDefault(library);
    auto* base = reinterpret_cast<BYTE*>(module);
    const IMAGE_DATA_DIRECTORY& dir = NtHeaders(module)->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* desc = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); desc->Name; ++desc) {
        if (_stricmp(reinterpret_cast<const char*>(base + desc->Name), dll) != 0) continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + desc->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + desc->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (strcmp(reinterpret_cast<const char*>(byName->Name), function) != 0) continue;
            DWORD old = 0;
            ::VirtualProtect(&slots->u1.Function, sizeof(void*), PAGE_READWRITE, &old);
            void* previous = reinterpret_cast<void*>(slots->u1.Function);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            ::VirtualProtect(&slots->u1.Function, sizeof(void*), old, &old);
            return previous;
        }
    }
    throw std::runtime_error(std::string("import not found: ") + function);
}

ScreenShot::ScreenShot(const RECT& area)
    : width_(std::max<int>(0, area.right - area.left)), height_(std::max<int>(0, area.bottom - area.top)) {
    pixels_.assign(static_cast<size_t>(width_) * height_, 0);
    if (pixels_.empty()) return;
    const HDC screen = ::GetDC(nullptr);
    const HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP bitmap = ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits) {
        const HGDIOBJ old = ::SelectObject(memory, bitmap);
        ::BitBlt(memory, 0, 0, width_, height_, screen, area.left, area.top, SRCCOPY);
        ::GdiFlush();
        std::memcpy(pixels_.data(), bits, pixels_.size() * sizeof(uint32_t));
        ::SelectObject(memory, old);
    }
    if (bitmap) ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
}

COLORREF ScreenShot::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    const uint32_t p = pixels_[static_cast<size_t>(y) * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

std::string ScreenShot::Save(const std::string& name) const {
    const char* benchDir = std::getenv("QUOR_BENCH_DIR");
    if (!benchDir || benchDir[0] != '/' || pixels_.empty()) return "";
    const std::string unixDir = std::string(benchDir) + "/screenshots";
    std::string dir = "Z:" + unixDir;
    std::replace(dir.begin(), dir.end(), '/', '\\');
    ::CreateDirectoryA(dir.c_str(), nullptr);
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width_;
    header.biHeight = -height_;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    const DWORD bytes = static_cast<DWORD>(pixels_.size() * sizeof(uint32_t));
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + bytes;
    std::ofstream out(dir + "\\" + name + ".bmp", std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    // Opaque: the capture leaves the unused fourth byte at zero, which some viewers take as alpha.
    std::vector<uint32_t> opaque(pixels_);
    for (uint32_t& p : opaque) p |= 0xFF000000u;
    out.write(reinterpret_cast<const char*>(opaque.data()), bytes);
    return out ? unixDir + "/" + name + ".bmp" : "";
}

namespace {

// The display's own picture of a screen rectangle, saved as PNG by ImageMagick's "import" (a
// Unix program, which Wine starts like any other): it shows every process's windows as a person
// sees them. The Wine desktop sits at the display's origin.
std::string SaveDisplayShot(const RECT& r, const std::string& name) {
    const char* benchDir = std::getenv("QUOR_BENCH_DIR");
    if (!benchDir || benchDir[0] != '/') return "";
    const std::string unixPath = std::string(benchDir) + "/screenshots/" + name + ".png";
    std::string dir = "Z:" + std::string(benchDir) + "/screenshots";
    std::replace(dir.begin(), dir.end(), '/', '\\');
    ::CreateDirectoryA(dir.c_str(), nullptr);
    const std::string windowsPath = dir + "\\" + name + ".png";
    ::DeleteFileA(windowsPath.c_str());
    char geometry[64] = {};
    std::snprintf(geometry, sizeof geometry, "%ldx%ld+%ld+%ld", r.right - r.left, r.bottom - r.top, r.left, r.top);
    std::string cmd = "Z:\\usr\\bin\\import -window root -crop " + std::string(geometry) + " +repage \"" + unixPath + "\"";
    STARTUPINFOA si{sizeof si};
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return "";
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    // Wine does not follow a Unix program to its end: the finished file tells (PNG ends with the
    // same twelve bytes, its end chunk, every time).
    const auto finished = [&] {
        std::ifstream in(windowsPath, std::ios::binary | std::ios::ate);
        if (!in || in.tellg() < 12) return false;
        in.seekg(-8, std::ios::end);
        char end[8] = {};
        in.read(end, 8);
        return std::memcmp(end, "IEND\xAE\x42\x60\x82", 8) == 0;
    };
    return WaitFor(finished, 15000) ? unixPath : "";
}

}  // namespace

std::string SaveWindowShot(HWND window, const std::string& name) {
    // What was painted last reaches the screen first.
    ::RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    ::Sleep(200);
    std::string path = SaveDisplayShot(WindowRect(window), name);
    if (path.empty()) path = ScreenShot(WindowRect(window)).Save(name);
    if (!path.empty()) std::printf("screenshot of the window: %s\n", path.c_str());
    return path;
}

}  // namespace bench
