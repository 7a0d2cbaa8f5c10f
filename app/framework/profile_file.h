#pragma once
// The program's settings file, read whole and replaced whole: every writer (settings, statistics,
// and the sections of the later dialogs) goes through Update, so a save cut short (the program
// killed, a full disk) leaves the previous file as it was, and nobody's keys are lost.
#include <functional>
#include <optional>
#include <string>

#include "app/framework/ini_document.h"

namespace quor {

class ProfileFile {
public:
    explicit ProfileFile(std::wstring path) : path_(std::move(path)) {}

    // The file as it is now; empty when it is missing or unreadable.
    IniDocument Read() const;
    // Reads the file afresh, lets `change` edit it, writes a complete copy beside it and puts the
    // copy in the file's place in one step. False when nothing was written: also when the file is
    // there but could not be read, since writing then would lose every key of it.
    bool Update(const std::function<void(IniDocument&)>& change) const;

    const std::wstring& path() const { return path_; }

private:
    std::wstring path_;
};

// The whole of a small file as bytes.
struct FileContents {
    enum class State { kRead, kMissing, kUnreadable } state;  // unreadable: locked, failing, over 16 MiB
    std::string text;
};
FileContents ReadSmallFile(const std::wstring& path);

// A file of this name in the folder of the running program.
std::wstring FileBesideProgram(const wchar_t* name);

}  // namespace quor
