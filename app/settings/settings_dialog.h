#pragma once
// The settings dialog: modeless, made once at start-up and then shown and hidden; it owns the
// settings record, reads it from the file, pushes it into the library and writes it back.
#include <windows.h>

#include <string>

#include "app/framework/dialog.h"
#include "app/framework/profile_file.h"
#include "app/settings/settings_record.h"
#include "app/tools/icon_layout.h"

namespace quor {

// The settings file's main section, as the program's string table names it.
std::string SettingsSection(HINSTANCE instance);

class SettingsDialog : public Dialog {
public:
    // What the dialog asks of the program that owns it.
    class Host {
    public:
        virtual void ShowTrayIcon(bool show) noexcept = 0;
        virtual const ProfileFile& Profile() const noexcept = 0;

    protected:
        ~Host() = default;
    };

    explicit SettingsDialog(Host& host) : host_(host) {}

    bool Create(HINSTANCE instance, HWND owner) noexcept;

    // The file's values into the record and the controls, and pushed. When the file cannot be
    // read, the record stays as it was last read (the defaults, if it never was), and it is not
    // saved until a read succeeds.
    void LoadSettings() noexcept;
    // The last reading of the file failed: the reason, or 0.
    unsigned long LoadError() const noexcept { return loadError_; }
    // The controls' values into the record and pushed; false (nothing pushed) when a numeric box
    // holds no integer.
    bool ApplySettings() noexcept;
    // The desktop's icon view as the record has it (it needs the hooks in Explorer, and a new
    // Explorer shows its own).
    void ApplyDesktopView() noexcept { MatchDesktopView(record_.SmallIcon != 0); }
    // The record into the file, every key in order, and the icon layouts; false (with the reason
    // in SaveError()) when the file was not written.
    bool SaveSettings() noexcept;
    unsigned long SaveError() const noexcept { return saveError_; }
    // Reads the file afresh and shows the dialog where it was left, in front.
    void Open() noexcept;

    const SettingsRecord& record() const noexcept { return record_; }
    const ProfileFile& Profile() const noexcept { return host_.Profile(); }
    // The 24 shortcut texts and the opacity of this (saved) file pushed into the library.
    void ApplyMouseCuts(const IniDocument& file) noexcept;
    // The text of a shortcut key in the file as read, with its default; a key outside the table
    // gives the name of command 0.
    std::string ReadMouseCut(const IniDocument& file, const std::string& key) const;
    // Says which shortcuts of the file were too long to set (they run nothing), once for each
    // such finding; nothing when all were set.
    void TellRefusedShortcuts(HWND owner) noexcept;
    bool RefusedShortcuts() const noexcept { return !refusedCuts_.empty(); }
    // The settings applied, then the mouse-shortcut dialog, modal, parented to this one.
    void OpenMouseShortcuts() noexcept;
    bool mouseCutOpen() const noexcept { return mouseCutOpen_; }

private:
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) noexcept override;
    bool DoDataExchange(bool save) noexcept;
    // The 24 shortcut texts of the file, pushed slot by slot.
    void LoadMouseCuts(const IniDocument& file, const std::string& section) noexcept;
    void OnCommand(int id) noexcept;
    void ApplyEnablingRule(int clicked) noexcept;
    void ChooseColour(int32_t& setting) noexcept;
    bool DrawSwatch(const DRAWITEMSTRUCT& item) noexcept;
    // The desktop's view follows SmallIcon, each view with its icons where they were in it.
    void MatchDesktopView(bool small) noexcept;
    // The icons of the view shown into its table, and both tables into the file (when they came
    // from it).
    bool SaveIconLayout(HWND list) noexcept;

    Host& host_;
    SettingsRecord record_{};
    bool loaded_ = false;          // the record came from the file
    unsigned long loadError_ = 0;
    unsigned long saveError_ = 0;
    bool mouseCutOpen_ = false;  // the mouse-shortcut dialog is open
    std::wstring refusedCuts_;      // the shortcuts of the file too long to set, a line each
    std::wstring toldRefusedCuts_;  // as last told
    IconLayoutTable largeIcons_;
    IconLayoutTable smallIcons_;
};

}  // namespace quor
