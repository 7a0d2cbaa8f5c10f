#include "app/framework/profile_file.h"

#include <windows.h>

#include <algorithm>

#include "app/framework/code_page_text.h"
#include "platform/unique_any.h"

namespace quor {
namespace {

// Far larger than any settings file: a file beyond it is not one of ours, and is read as empty.
constexpr LONGLONG kMaxProfileBytes = 16 * 1024 * 1024;
// A file held without sharing by a backup or sync tool is usually free again within moments.
constexpr int kReadTries = 5;
constexpr DWORD kReadRetryMs = 100;

constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";
constexpr char kUtf16LeMark[] = "\xFF\xFE";
constexpr char kUtf16BeMark[] = "\xFE\xFF";

enum class Encoding { kAnsi, kUtf8, kUtf16Le, kUtf16Be };

// The text of a file as the document holds it: bytes of the program's code page for a file
// without a mark, UTF-8 for a Unicode one.
struct DecodedText {
    Encoding encoding;
    std::string text;
};

// A Unicode file's names and values as the program's code page has them, as the system's
// profile functions give them to a program of that code page.
std::string Utf8OfAnsi(std::string_view text) { return BytesOf(WideOf(text, CP_ACP), CP_UTF8); }
std::string AnsiOfUtf8(std::string_view text) { return BytesOf(WideOf(text, CP_UTF8), CP_ACP); }

std::wstring WideOfUtf16(std::string_view bytes, bool bigEndian) {
    std::wstring wide(bytes.size() / 2, L'\0');  // an odd last byte is no character
    for (size_t i = 0; i < wide.size(); ++i) {
        const auto first = static_cast<unsigned char>(bytes[2 * i]);
        const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
        wide[i] = static_cast<wchar_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    }
    return wide;
}

std::string Utf16Of(std::wstring_view wide, bool bigEndian) {
    std::string bytes;
    bytes.reserve(wide.size() * 2);
    for (const wchar_t c : wide) {
        const auto high = static_cast<char>((c >> 8) & 0xFF);
        const auto low = static_cast<char>(c & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

DecodedText Decode(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Mark)) return {Encoding::kUtf8, std::string(bytes.substr(3))};
    if (bytes.starts_with(kUtf16LeMark))
        return {Encoding::kUtf16Le, BytesOf(WideOfUtf16(bytes.substr(2), false), CP_UTF8)};
    if (bytes.starts_with(kUtf16BeMark))
        return {Encoding::kUtf16Be, BytesOf(WideOfUtf16(bytes.substr(2), true), CP_UTF8)};
    return {Encoding::kAnsi, std::string(bytes)};
}

std::string Encode(Encoding encoding, const std::string& text) {
    switch (encoding) {
        case Encoding::kUtf8: return kUtf8Mark + text;
        case Encoding::kUtf16Le: return kUtf16LeMark + Utf16Of(WideOf(text, CP_UTF8), false);
        case Encoding::kUtf16Be: return kUtf16BeMark + Utf16Of(WideOf(text, CP_UTF8), true);
        case Encoding::kAnsi: break;
    }
    return text;
}

IniDocument DocumentOf(const DecodedText& decoded) {
    if (decoded.encoding == Encoding::kAnsi) return IniDocument(decoded.text);
    return IniDocument(decoded.text, TextCodec{&Utf8OfAnsi, &AnsiOfUtf8});
}

FileContents ReadWithRetries(const std::wstring& path) {
    FileContents contents = ReadSmallFile(path);
    for (int tried = 1; tried < kReadTries && contents.state == FileContents::State::kUnreadable; ++tried) {
        ::Sleep(kReadRetryMs);
        contents = ReadSmallFile(path);
    }
    return contents;
}

// The file a link names, so that the new copy is made beside it and put in its place; the path
// itself for a plain or missing file.
std::wstring FileBehind(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return path;
    unique_hfile file(::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file) return path;
    std::wstring target(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetFinalPathNameByHandleW(file.get(), target.data(), static_cast<DWORD>(target.size()),
                                                         FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0) return path;
        if (length < target.size()) {
            target.resize(length);
            return target;
        }
        target.resize(length + 1);
    }
}

// Puts the complete copy in the file's place: the file keeps its attributes and security. A
// read-only file is the person's word that it is not to be written.
bool PutInPlace(const std::wstring& copy, const std::wstring& target) {
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return ::MoveFileExW(copy.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (attributes & FILE_ATTRIBUTE_READONLY) {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    if (!::ReplaceFileW(target.c_str(), copy.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
        // The old file may already be out of the way with the copy not yet in its place: the
        // copy, complete, is then put there, so the file is never left missing.
        const DWORD error = ::GetLastError();
        if (::GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES ||
            !::MoveFileExW(copy.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) {
            ::SetLastError(error);
            return false;
        }
    }
    // Where the system does not carry the attributes over, they are set as they were; the archive
    // mark stays as the new file has it, since backup tools read it to see the file changed.
    const DWORD now = ::GetFileAttributesW(target.c_str());
    if (now != INVALID_FILE_ATTRIBUTES && (now & ~FILE_ATTRIBUTE_ARCHIVE) != (attributes & ~FILE_ATTRIBUTE_ARCHIVE)) {
        DWORD wanted = (attributes & ~FILE_ATTRIBUTE_ARCHIVE) | (now & FILE_ATTRIBUTE_ARCHIVE);
        if (wanted != FILE_ATTRIBUTE_NORMAL) wanted &= ~static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL);
        ::SetFileAttributesW(target.c_str(), wanted);
    }
    return true;
}

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
        return {missing ? State::kMissing : State::kUnreadable, {}, error};
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size)) return {State::kUnreadable, {}, ::GetLastError()};
    if (size.QuadPart > kMaxProfileBytes) return {State::kUnreadable, {}, ERROR_FILE_TOO_LARGE};
    std::string text(static_cast<size_t>(size.QuadPart), '\0');
    size_t done = 0;
    while (done < text.size()) {
        DWORD read = 0;
        if (!::ReadFile(file.get(), text.data() + done, static_cast<DWORD>(text.size() - done), &read, nullptr))
            return {State::kUnreadable, {}, ::GetLastError()};
        if (read == 0) break;  // the file became shorter meanwhile
        done += read;
    }
    text.resize(done);
    return {State::kRead, std::move(text), 0};
}

std::optional<IniDocument> ProfileFile::Read() const {
    const FileContents contents = ReadWithRetries(path_);
    lastError_ = contents.error;
    if (contents.state == FileContents::State::kUnreadable) return std::nullopt;
    return DocumentOf(Decode(contents.text));
}

bool ProfileFile::Update(const std::function<void(IniDocument&)>& change) const {
    const std::wstring target = FileBehind(path_);
    const FileContents contents = ReadWithRetries(target);
    lastError_ = contents.error;
    if (contents.state == FileContents::State::kUnreadable) return false;
    const DecodedText decoded = Decode(contents.text);
    IniDocument document = DocumentOf(decoded);
    change(document);
    const std::wstring copy = target + L".new";
    {
        unique_hfile file(
            ::CreateFileW(copy.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) {
            lastError_ = ::GetLastError();
            return false;
        }
        if (!WriteAll(file.get(), Encode(decoded.encoding, document.Text())) || !::FlushFileBuffers(file.get())) {
            lastError_ = ::GetLastError();
            file.reset();
            ::DeleteFileW(copy.c_str());
            return false;
        }
    }
    if (PutInPlace(copy, target)) {
        lastError_ = 0;
        return true;
    }
    lastError_ = ::GetLastError();
    ::DeleteFileW(copy.c_str());
    return false;
}

namespace {

void TellAboutFile(HWND owner, const wchar_t* what, const std::wstring& path, unsigned long error, const wchar_t* then) {
    const std::wstring text = std::wstring(what) + L"\r\n" + path + L"\r\n\r\n" + SystemReason(error) + L"\r\n\r\n" + then;
    ::MessageBoxW(owner, text.c_str(), L"Quorvelle", MB_OK | MB_ICONEXCLAMATION | MB_SETFOREGROUND);
}

}  // namespace

void ProfileFile::TellUnreadableOnce(HWND owner, unsigned long error) const {
    if (toldUnreadable_) return;
    toldUnreadable_ = true;
    TellAboutFile(owner, L"設定ファイルを読めませんでした。", path_, error,
                  L"既定の設定で動きます。このファイルは、読めるようになるまで書き換えません。");
}

void ProfileFile::TellNotSaved(HWND owner, unsigned long error) const {
    TellAboutFile(owner, L"設定ファイルに保存できませんでした。", path_, error,
                  L"設定はこのファイルに保存されていません。");
}

std::wstring SystemReason(unsigned long error) {
    wchar_t* words = nullptr;
    const DWORD length =
        ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, error, 0, reinterpret_cast<wchar_t*>(&words), 0, nullptr);
    std::wstring reason = length > 0 && words ? std::wstring(words, length) : std::wstring();
    if (words) ::LocalFree(words);
    while (!reason.empty() && (reason.back() == L'\r' || reason.back() == L'\n' || reason.back() == L' '))
        reason.pop_back();
    return reason + L"（エラー " + std::to_wstring(error) + L"）";
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
