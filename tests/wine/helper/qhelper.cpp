// Test helper: a window (or a desktop, folder or MDI stand-in) in a process of its own,
// which counts the messages it receives and answers the tests' queries.
#include <windows.h>
#include <commctrl.h>
#include <mmsystem.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "tests/wine/support/bench_support.h"

namespace {

std::map<UINT, int> g_counts[2];
std::map<UINT, WPARAM> g_lastWParam[2];
std::map<UINT, LPARAM> g_lastLParam[2];
std::map<UINT, int> g_firstSeen[2];
int g_seen = 0;
HWND g_top = nullptr;
HWND g_list = nullptr;
WNDPROC g_listProc = nullptr;
int g_minCx = 0, g_minCy = 0;
DWORD g_lastMousePos = 0;
std::vector<std::string> g_items;
int g_ownEditProc = 0;
int g_ownProcBack = 0, g_ownProcNotBack = 0, g_ownProcMessages = 0;

void Record(int which, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (g_counts[which][msg]++ == 0) g_firstSeen[which][msg] = ++g_seen;
    g_lastWParam[which][msg] = wParam;
    g_lastLParam[which][msg] = lParam;
}

// This process's speakers controls, read and written with winmm directly (not through the
// library): the level a notch or a command left in this process. -1 when there is no mixer.
LRESULT MixerControl(DWORD type, bool write, DWORD value) {
    HMIXER mixer = nullptr;
    if (::mixerOpen(&mixer, 0, 0, 0, MIXER_OBJECTF_MIXER) != MMSYSERR_NOERROR) return -1;
    LRESULT result = -1;
    MIXERLINEA line{};
    line.cbStruct = sizeof line;
    line.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
    MIXERCONTROLA control{};
    control.cbStruct = sizeof control;
    MIXERLINECONTROLSA controls{};
    controls.cbStruct = sizeof controls;
    controls.dwControlType = type;
    controls.cControls = 1;
    controls.cbmxctrl = sizeof control;
    controls.pamxctrl = &control;
    const auto object = reinterpret_cast<HMIXEROBJ>(mixer);
    if (::mixerGetLineInfoA(object, &line, MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_COMPONENTTYPE) == 0) {
        controls.dwLineID = line.dwLineID;
        if (::mixerGetLineControlsA(object, &controls, MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE) == 0) {
            MIXERCONTROLDETAILS details{};
            details.cbStruct = sizeof details;
            details.dwControlID = control.dwControlID;
            details.cChannels = 1;
            details.cbDetails = sizeof value;
            details.paDetails = &value;
            const MMRESULT r = write ? ::mixerSetControlDetails(object, &details, MIXER_OBJECTF_HMIXER)
                                     : ::mixerGetControlDetailsA(object, &details, MIXER_OBJECTF_HMIXER);
            if (r == 0) result = write ? 1 : static_cast<LRESULT>(value);
        }
    }
    ::mixerClose(mixer);
    return result;
}

bool Query(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
        case bench::kQueryLibraryLoaded: result = ::GetModuleHandleA("Quordll.dll") != nullptr; return true;
        case bench::kQueryMessageCount: result = g_counts[lParam ? 1 : 0][static_cast<UINT>(wParam)]; return true;
        case bench::kQueryLastWParam:
            result = static_cast<LRESULT>(g_lastWParam[lParam ? 1 : 0][static_cast<UINT>(wParam)]);
            return true;
        case bench::kQueryFirstSeen: result = g_firstSeen[lParam ? 1 : 0][static_cast<UINT>(wParam)]; return true;
        case bench::kQueryLastLParam: result = g_lastLParam[lParam ? 1 : 0][static_cast<UINT>(wParam)]; return true;
        case bench::kQueryVolume: result = MixerControl(MIXERCONTROL_CONTROLTYPE_VOLUME, false, 0); return true;
        case bench::kCommandSetVolume:
            result = MixerControl(MIXERCONTROL_CONTROLTYPE_VOLUME, true, static_cast<DWORD>(lParam));
            return true;
        case bench::kQueryMute: result = MixerControl(MIXERCONTROL_CONTROLTYPE_MUTE, false, 0); return true;
        case bench::kCommandResetCounts:
            for (int which : {0, 1}) {
                g_counts[which].clear();
                g_firstSeen[which].clear();
            }
            g_seen = 0;
            result = 0;
            return true;
        case bench::kQueryLastMousePos: result = static_cast<LRESULT>(g_lastMousePos); return true;
        case bench::kCommandHang: ::Sleep(static_cast<DWORD>(lParam)); result = 0; return true;
        case bench::kQueryOwnEditProc:
            result = wParam == 0 ? g_ownProcBack : wParam == 1 ? g_ownProcNotBack : g_ownProcMessages;
            return true;
        default: return false;
    }
}

LRESULT CALLBACK TopProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (Query(msg, wParam, lParam, result)) return result;
    Record(0, msg, wParam, lParam);
    if (msg == WM_GETMINMAXINFO && (g_minCx || g_minCy)) {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize = {g_minCx, g_minCy};
        return 0;
    }
    if (msg == WM_SIZE && g_list && ::GetParent(g_list) == hwnd) {
        ::MoveWindow(g_list, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
    }
    // No system menu on a right click: a menu would take the input the next test step injects.
    if (msg == WM_CONTEXTMENU) return 0;
    // A label edit ends: the new name is taken, as a file list takes a rename.
    if (msg == WM_NOTIFY) {
        const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
        if (hdr->code == LVN_ENDLABELEDITA) return reinterpret_cast<const NMLVDISPINFOA*>(lParam)->item.pszText != nullptr;
        if (hdr->code == LVN_ENDLABELEDITW) return reinterpret_cast<const NMLVDISPINFOW*>(lParam)->item.pszText != nullptr;
    }
    if (msg == WM_DESTROY) ::PostQuitMessage(0);
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK ListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Record(1, msg, wParam, lParam);
    return ::CallWindowProcA(g_listProc, hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK ChildProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Record(1, msg, wParam, lParam);
    return ::DefMDIChildProcA(hwnd, msg, wParam, lParam);
}

void Register(const char* cls, WNDPROC proc) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = cls;
    wc.style = CS_DBLCLKS;
    ::RegisterClassA(&wc);
}

HWND CreateListView(HWND parent, bool report) {
    RECT rc{};
    ::GetClientRect(parent, &rc);
    DWORD style = WS_CHILD | WS_VISIBLE | (report ? LVS_REPORT : LVS_ICON) | (g_items.empty() ? 0 : LVS_EDITLABELS);
    HWND list = ::CreateWindowExA(0, WC_LISTVIEWA, "", style, 0, 0, rc.right, rc.bottom, parent, nullptr,
                                  ::GetModuleHandleA(nullptr), nullptr);
    // Items with icons, so that the icon and the label are separate parts of an item.
    HIMAGELIST images = ::ImageList_Create(report ? 16 : 32, report ? 16 : 32, ILC_COLOR32 | ILC_MASK, 1, 1);
    ::ImageList_AddIcon(images, ::LoadIconA(nullptr, IDI_APPLICATION));
    ::SendMessageA(list, LVM_SETIMAGELIST, report ? LVSIL_SMALL : LVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
    if (report) {
        LVCOLUMNA col{};
        col.mask = LVCF_WIDTH | LVCF_TEXT;
        col.cx = 200;
        col.pszText = const_cast<char*>("name");
        ::SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&col));
    }
    const int itemCount = g_items.empty() ? 3 : static_cast<int>(g_items.size());
    for (int i = 0; i < itemCount; ++i) {
        char text[260];
        std::snprintf(text, sizeof text, "%s", g_items.empty() ? ("item" + std::to_string(i)).c_str() : g_items[i].c_str());
        LVITEMA item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = i;
        item.iImage = 0;
        item.pszText = text;
        ::SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        if (!report) ::SendMessageA(list, LVM_SETITEMPOSITION, i, MAKELPARAM(20, 20 + 100 * i));
    }
    g_listProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ListProc)));
    return list;
}

// The label-edit box's procedure of the helper's own; two of them, so that each process can have
// a different one. Counts how it was found at WM_DESTROY: back in place, or not.
constexpr char kOwnPrevious[] = "QHelper.Previous";

template <int N>
LRESULT CALLBACK OwnEditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto previous = reinterpret_cast<WNDPROC>(::GetPropA(hwnd, kOwnPrevious));
    // Only the procedure this process installed counts: the other one is never meant to run here.
    const WNDPROC installed = g_ownEditProc == 1 ? OwnEditProc<1> : OwnEditProc<2>;
    if (installed == &OwnEditProc<N>) ++g_ownProcMessages;
    // As current shells do: the list view selecting all of a file's name selects it without its
    // extension.
    if (g_ownEditProc == 3 && msg == EM_SETSEL && wParam == 0 && static_cast<LONG_PTR>(lParam) == -1) {
        wchar_t text[512] = {};
        ::GetWindowTextW(hwnd, text, 512);
        if (const wchar_t* dot = std::wcsrchr(text, L'.')) lParam = dot - text;
    }
    if (msg == WM_DESTROY) {
        const bool back = ::GetWindowLongPtrW(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(installed);
        ++(back ? g_ownProcBack : g_ownProcNotBack);
        if (back) ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    }
    return ::CallWindowProcW(previous, hwnd, msg, wParam, lParam);
}

// A hook of this thread runs before any global one: the edit box is ours first.
LRESULT CALLBACK SubclassNewEdits(int code, WPARAM wParam, LPARAM lParam) {
    const auto* c = reinterpret_cast<const CWPSTRUCT*>(lParam);
    char cls[64] = {};
    if (code == HC_ACTION && c->message == WM_CREATE && ::GetClassNameA(c->hwnd, cls, sizeof cls) &&
        std::strcmp(cls, "Edit") == 0) {
        const WNDPROC own = g_ownEditProc == 1 ? OwnEditProc<1> : OwnEditProc<2>;
        ::SetPropA(c->hwnd, kOwnPrevious,
                   reinterpret_cast<HANDLE>(::SetWindowLongPtrW(c->hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own))));
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK PlainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND g_mdiClient = nullptr;

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (Query(msg, wParam, lParam, result)) return result;
    Record(0, msg, wParam, lParam);
    if (msg == WM_DESTROY) ::PostQuitMessage(0);
    return ::DefFrameProcA(hwnd, g_mdiClient, msg, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 17) {
        std::fprintf(stderr,
                     "usage: qhelper kind class title style exstyle l t r b report mincx mincy peek count "
                     "owneditproc items\n");
        return 2;
    }
    const std::string kind = argv[1];
    const char* cls = argv[2];
    const char* title = argv[3];
    DWORD style = std::strtoul(argv[4], nullptr, 10);
    DWORD exStyle = std::strtoul(argv[5], nullptr, 10);
    RECT r{std::atoi(argv[6]), std::atoi(argv[7]), std::atoi(argv[8]), std::atoi(argv[9])};
    const bool report = std::atoi(argv[10]) != 0;
    g_minCx = std::atoi(argv[11]);
    g_minCy = std::atoi(argv[12]);
    // 0 takes each message at once; 1 peeks at it first; more peeks first and takes it that many
    // milliseconds, less one, later (a message sent meanwhile comes between the peek and the taking).
    const int peek = std::atoi(argv[13]);
    const bool peekFirst = peek != 0;
    const DWORD peekPause = peek > 1 ? static_cast<DWORD>(peek - 1) : 0;
    const int count = std::atoi(argv[14]);
    g_ownEditProc = std::atoi(argv[15]);
    for (const char* p = argv[16]; *p;) {
        const char* bar = std::strchr(p, '|');
        g_items.emplace_back(p, bar ? bar - p : std::strlen(p));
        p = bar ? bar + 1 : p + std::strlen(p);
    }
    if (g_ownEditProc) ::SetWindowsHookExA(WH_CALLWNDPROC, SubclassNewEdits, nullptr, ::GetCurrentThreadId());

    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    const int w = r.right - r.left, h = r.bottom - r.top;

    if (kind == "desktop") {
        // The shell's desktop host: "Progman", or the class given ("WorkerW").
        const char* host = std::strcmp(cls, "QuorTarget") == 0 ? "Progman" : cls;
        Register(host, TopProc);
        Register("SHELLDLL_DefView", PlainProc);
        g_top = ::CreateWindowExA(exStyle, host, title, style, r.left, r.top, w, h, nullptr, nullptr, instance,
                                  nullptr);
        RECT rc{};
        ::GetClientRect(g_top, &rc);
        HWND view = ::CreateWindowExA(0, "SHELLDLL_DefView", "", WS_CHILD | WS_VISIBLE, 0, 0, rc.right, rc.bottom,
                                      g_top, nullptr, instance, nullptr);
        g_list = CreateListView(view, report);
    } else if (kind == "mdi") {
        Register(cls, FrameProc);
        Register("QuorMdiChild", ChildProc);
        g_top = ::CreateWindowExA(exStyle, cls, title, style, r.left, r.top, w, h, nullptr, nullptr, instance,
                                  nullptr);
        CLIENTCREATESTRUCT ccs{};
        RECT rc{};
        ::GetClientRect(g_top, &rc);
        g_mdiClient = ::CreateWindowExA(0, "MDICLIENT", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                        rc.right, rc.bottom, g_top, nullptr, instance, &ccs);
        // The first child is made last, so that it is the topmost and the one the tests find first.
        for (int i = count; i >= 1; --i) {
            const std::string childTitle = i == 1 ? "child" : "child " + std::to_string(i);
            MDICREATESTRUCTA mcs{};
            mcs.szClass = "QuorMdiChild";
            mcs.szTitle = childTitle.c_str();
            mcs.hOwner = instance;
            mcs.x = 10 + 230 * (i - 1);
            mcs.y = 10;
            mcs.cx = 200;
            mcs.cy = 150;
            mcs.style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
            ::SendMessageA(g_mdiClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs));
        }
    } else if (kind == "owned") {
        Register(cls, TopProc);
        const std::string ownerTitle = std::string(title) + " owner";
        HWND owner = ::CreateWindowExA(0, cls, ownerTitle.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, r.left + 300,
                                       r.top, w, h, nullptr, nullptr, instance, nullptr);
        g_top = ::CreateWindowExA(exStyle, cls, title, style, r.left, r.top, w, h, owner, nullptr, instance, nullptr);
    } else {
        Register(cls, TopProc);
        // The further windows come first: the test finds the helper by its first window, and then
        // all of them exist.
        for (int i = 2; i <= count; ++i) {
            const std::string more = std::string(title) + " " + std::to_string(i);
            const int d = 2 * (i - 1);
            ::CreateWindowExA(exStyle, cls, more.c_str(), style, r.left + d, r.top + d, w, h, nullptr, nullptr,
                              instance, nullptr);
        }
        g_top = ::CreateWindowExA(exStyle, cls, title, style, r.left, r.top, w, h, nullptr, nullptr, instance,
                                  nullptr);
        if (kind == "folder") g_list = CreateListView(g_top, report);
    }
    if (!g_top) return 3;
    ::ShowWindow(g_top, SW_SHOW);
    ::UpdateWindow(g_top);

    MSG msg;
    for (;;) {
        if (peekFirst) {
            while (!::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) ::WaitMessage();
            if (peekPause) ::Sleep(peekPause);
        }
        if (::GetMessageA(&msg, nullptr, 0, 0) <= 0) break;
        if ((msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) ||
            (msg.message >= WM_NCMOUSEMOVE && msg.message <= WM_NCMBUTTONDBLCLK))
            g_lastMousePos = ::GetMessagePos();
        if (msg.message == bench::kCommandHang) {
            ::Sleep(static_cast<DWORD>(msg.lParam));
            continue;
        }
        if (g_mdiClient && ::TranslateMDISysAccel(g_mdiClient, &msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return 0;
}
