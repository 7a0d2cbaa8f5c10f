#pragma once
// The least of an application object: per-module start-up and end, overridden by each module.
#include <windows.h>

namespace quor {

class WinApp {
public:
    WinApp() noexcept;
    virtual ~WinApp() = default;
    WinApp(const WinApp&) = delete;
    WinApp& operator=(const WinApp&) = delete;

    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance() { return 0; }

    // The one application object of this module, or null before its construction.
    static WinApp* Current() noexcept;
};

}  // namespace quor
