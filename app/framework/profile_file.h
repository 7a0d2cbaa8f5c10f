#pragma once
// The program's settings file, read whole and replaced whole: every writer (settings, statistics,
// and the sections of the later dialogs) goes through Update, so a save cut short (the program
// killed, a full disk) leaves the previous file as it was, and nobody's keys are lost. A file
// saved as Unicode (UTF-16 or UTF-8 with a byte-order mark) is read as the system's profile
// functions read it and written back in its own encoding; a file without a mark is bytes of the
// program's code page.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/framework/ini_document.h"

namespace quor {

class ProfileFile {
public:
    explicit ProfileFile(std::wstring path) : path_(std::move(path)) {}

    // The file as it is now; empty when it is missing. Null when it is there but cannot be read
    // (another program holding it without sharing, tried again a few times over a short while):
    // the reason is then in LastError().
    std::optional<IniDocument> Read() const;
    // Reads the file afresh, lets `change` edit it, writes a complete copy beside it and puts the
    // copy in the file's place in one step, keeping the file's attributes and security, and
    // writing through a link to the file it names. False when nothing was written, with the
    // reason in LastError(): also when the file is there but could not be read, since writing
    // then would lose every key of it.
    bool Update(const std::function<void(IniDocument&)>& change) const;

    const std::wstring& path() const { return path_; }
    unsigned long LastError() const { return lastError_; }

    // Says that the file could not be read, that the program runs on defaults and leaves the file
    // as it is: once in the program's life, however often the reading fails.
    void TellUnreadableOnce(HWND owner, unsigned long error) const;
    // Says that what was to be saved is not in the file, and why.
    void TellNotSaved(HWND owner, unsigned long error) const;

private:
    std::wstring path_;
    mutable unsigned long lastError_ = 0;
    mutable bool toldUnreadable_ = false;
};

// The whole of a small file as bytes.
struct FileContents {
    enum class State { kRead, kMissing, kUnreadable } state;  // unreadable: locked, failing, over 16 MiB
    std::string text;
    unsigned long error = 0;  // the system's reason, when not read
};
FileContents ReadSmallFile(const std::wstring& path);

// A file of this name in the folder of the running program.
std::wstring FileBesideProgram(const wchar_t* name);

// The system's words for an error code, on one line.
std::wstring SystemReason(unsigned long error);

}  // namespace quor
