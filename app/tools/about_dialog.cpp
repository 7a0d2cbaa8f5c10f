#include "app/tools/about_dialog.h"

#include <shellapi.h>

#include "app/framework/dialog.h"
#include "app/resources/resource.h"

namespace quor {
namespace {

class AboutDialog : public Dialog {
private:
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM, INT_PTR& result) noexcept override {
        if (msg == WM_INITDIALOG) {
            PlaceAtWorkAreaCorner();
            result = TRUE;  // the focus to the default button
            return true;
        }
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

void OpenHomePage(HINSTANCE instance) noexcept {
    char address[512] = {};
    if (::LoadStringA(instance, IDS_HOME_PAGE, address, sizeof address) <= 0) return;
    ::ShellExecuteA(nullptr, "open", address, nullptr, nullptr, SW_SHOW);
}

}  // namespace quor
