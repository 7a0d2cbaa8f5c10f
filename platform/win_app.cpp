#include "platform/win_app.h"

namespace quor {
namespace {
WinApp* g_current = nullptr;
}

WinApp::WinApp() noexcept { g_current = this; }

WinApp* WinApp::Current() noexcept { return g_current; }

}  // namespace quor
