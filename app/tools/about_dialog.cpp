#include "app/tools/about_dialog.h"

#include <objbase.h>
#include <shellapi.h>

#include <new>

#include "app/framework/dialog.h"
#include "app/resources/resource.h"
#include "platform/unique_any.h"

namespace quor {
namespace {

class AboutDialog : public Dialog {
private:
    void OnInitDialog() noexcept override { PlaceAtWorkAreaCorner(); }
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM, INT_PTR&) noexcept override {
        if (msg == WM_COMMAND && LOWORD(wParam) == IDC_ABOUT_HOME_PAGE) {
            OpenHomePage(instance_);
            return true;
        }
        return false;
    }
};

}  // namespace

void RunAboutDialog(HINSTANCE instance, HWND owner) noexcept {
    AboutDialog dialog;
    dialog.RunModal(instance, IDD_ABOUT, owner);
}

namespace {

// The shell may take seconds to start a browser; the program's windows must not freeze that long,
// so a thread of its own asks the shell.
DWORD WINAPI OpenAddress(void* parameter) {
    char* address = static_cast<char*>(parameter);
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    ::ShellExecuteA(nullptr, "open", address, nullptr, nullptr, SW_SHOW);
    if (SUCCEEDED(com)) ::CoUninitialize();
    delete[] address;
    return 0;
}

}  // namespace

void OpenHomePage(HINSTANCE instance) noexcept {
    char address[512] = {};
    const int length = ::LoadStringA(instance, IDS_HOME_PAGE, address, sizeof address);
    if (length <= 0) return;
    char* copy = new (std::nothrow) char[length + 1];
    if (!copy) return;
    ::lstrcpynA(copy, address, length + 1);
    unique_handle thread(::CreateThread(nullptr, 0, &OpenAddress, copy, 0, nullptr));
    if (!thread) delete[] copy;
}

}  // namespace quor
