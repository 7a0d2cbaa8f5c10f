#include "app/framework/profile_file.h"

#include <windows.h>

#include <algorithm>

#include "platform/unique_any.h"

namespace quor {
namespace {

// Far larger than any settings file: a file beyond it is not one of ours, and is read as empty.
constexpr LONGLONG kMaxProfileBytes = 16 * 1024 * 1024;

bool WriteAll(HANDLE file, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(text.size() - done, 1 << 20));
        if (!::WriteFile(file, text.data() + done, chunk, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return true;
}

}  // namespace

FileContents ReadSmallFile(const std::wstring& path) {
    using State = FileContents::State;
    unique_hfile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD error = ::GetLastError();
        const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return {missing ? State::kMissing : State::kUnreadable, {}};
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size) || size.QuadPart > kMaxProfileBytes) return {State::kUnreadable, {}};
    std::string text(static_cast<size_t>(size.QuadPart), '\0');
    size_t done = 0;
    while (done < text.size()) {
        DWORD read = 0;
        if (!::ReadFile(file.get(), text.data() + done, static_cast<DWORD>(text.size() - done), &read, nullptr))
            return {State::kUnreadable, {}};
        if (read == 0) break;  // the file became shorter meanwhile
        done += read;
    }
    text.resize(done);
    return {State::kRead, std::move(text)};
}

IniDocument ProfileFile::Read() const {
    const FileContents contents = ReadSmallFile(path_);
    return IniDocument(contents.text);
}

bool ProfileFile::Update(const std::function<void(IniDocument&)>& change) const {
    const FileContents contents = ReadSmallFile(path_);
    if (contents.state == FileContents::State::kUnreadable) return false;
    IniDocument document(contents.text);
    change(document);
    const std::wstring copy = path_ + L".new";
    {
        unique_hfile file(
            ::CreateFileW(copy.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return false;
        if (!WriteAll(file.get(), document.Text()) || !::FlushFileBuffers(file.get())) {
            file.reset();
            ::DeleteFileW(copy.c_str());
            return false;
        }
    }
    if (::MoveFileExW(copy.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    ::DeleteFileW(copy.c_str());
    return false;
}

std::wstring FileBesideProgram(const wchar_t* name) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return name;
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);  // a longer path than MAX_PATH
    }
    const size_t slash = path.find_last_of(L"\\/");
    return path.substr(0, slash == std::wstring::npos ? 0 : slash + 1) + name;
}

}  // namespace quor
