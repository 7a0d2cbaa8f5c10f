#include "platform/desktop_window.h"

namespace quor {
namespace {

HWND ListViewUnder(HWND host) noexcept {
    const HWND view = host ? ::FindWindowExA(host, nullptr, "SHELLDLL_DefView", nullptr) : nullptr;
    return view ? ::FindWindowExA(view, nullptr, "SysListView32", nullptr) : nullptr;
}

}  // namespace

HWND FindDesktopListView() noexcept {
    if (const HWND list = ListViewUnder(::FindWindowExA(nullptr, nullptr, "Progman", nullptr))) return list;
    for (HWND worker = nullptr; (worker = ::FindWindowExA(nullptr, worker, "WorkerW", nullptr)) != nullptr;)
        if (const HWND list = ListViewUnder(worker)) return list;
    return nullptr;
}

}  // namespace quor
