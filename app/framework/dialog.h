#pragma once
// The least of a dialog framework: modeless and modal dialogs from templates of the program's
// resources, each a C++ object whose HandleMessage sees the dialog's messages, and data exchange
// between the controls and plain integers.
#include <windows.h>

#include <cstdint>
#include <string>

namespace quor {

class Dialog {
public:
    Dialog() = default;
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Creates the dialog hidden (without WS_VISIBLE in its template) and returns at once.
    bool CreateModeless(HINSTANCE instance, int templateId, HWND owner) noexcept;
    // Runs the dialog until it ends; returns the EndDialog result, or -1 when it could not start.
    INT_PTR RunModal(HINSTANCE instance, int templateId, HWND owner) noexcept;

    HWND hwnd() const noexcept { return hwnd_; }
    HWND Item(int id) const noexcept { return ::GetDlgItem(hwnd_, id); }

protected:
    // TRUE when the message was handled (the dialog manager then does nothing more with it), with
    // `result` the message's own result where it has one.
    virtual bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) noexcept = 0;
    // WM_INITDIALOG when HandleMessage leaves it: the dialog fills its controls here, and the focus
    // then goes to its first control.
    virtual void OnInitDialog() noexcept {}

    // Data exchange, towards the controls (save false) or from them (save true). An edit box that
    // holds no integer says so with the standard message, takes the focus, and gives false.
    bool ExchangeInt(bool save, int id, int32_t& value) noexcept;
    // The same, and a number outside `low` to `high` is refused with the standard range message.
    bool ExchangeIntInRange(bool save, int id, int32_t& value, int32_t low, int32_t high) noexcept;
    void ExchangeCheck(bool save, int id, int32_t& value) noexcept;
    // The control's text in the system's code page, whole (no length limit).
    void ExchangeText(bool save, int id, std::string& value) noexcept;

    // Moves the (hidden) dialog so that its bottom-right corner meets the work area's, topmost;
    // a modal dialog shows itself when its initialisation ends.
    void PlaceAtWorkAreaCorner() noexcept;
    // A message box of this program, titled with its name; returns the button pressed.
    int Message(const wchar_t* text, UINT type) noexcept;

    HINSTANCE instance_ = nullptr;

private:
    // Refuses the control's entry: the message, then the focus on the control with its text selected.
    void RefuseEntry(int id, const wchar_t* text) noexcept;
    static INT_PTR CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    HWND hwnd_ = nullptr;
    bool modal_ = false;
};

}  // namespace quor
