#pragma once
// Small owners for platform handles: one template, one alias per kind.
#include <windows.h>

#include <utility>

namespace quor {

template <typename T, auto Close, T Empty = T{}>
class unique_any {
public:
    unique_any() noexcept = default;
    explicit unique_any(T value) noexcept : value_(value) {}
    unique_any(const unique_any&) = delete;
    unique_any& operator=(const unique_any&) = delete;
    unique_any(unique_any&& other) noexcept : value_(other.release()) {}
    unique_any& operator=(unique_any&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~unique_any() { reset(); }

    T get() const noexcept { return value_; }
    explicit operator bool() const noexcept { return value_ != Empty; }
    T release() noexcept { return std::exchange(value_, Empty); }
    void reset(T value = Empty) noexcept {
        T old = std::exchange(value_, value);
        if (old != Empty) Close(old);
    }

private:
    T value_ = Empty;
};

namespace detail {
inline void close_handle(HANDLE h) noexcept { ::CloseHandle(h); }
inline void destroy_window(HWND h) noexcept { ::DestroyWindow(h); }
inline void unhook(HHOOK h) noexcept { ::UnhookWindowsHookEx(h); }
inline void destroy_menu(HMENU h) noexcept { ::DestroyMenu(h); }
inline void destroy_icon(HICON h) noexcept { ::DestroyIcon(h); }
inline void delete_object(HFONT h) noexcept { ::DeleteObject(h); }
inline void free_library(HMODULE h) noexcept { ::FreeLibrary(h); }
inline void local_free(void* p) noexcept { ::LocalFree(p); }
}  // namespace detail

using unique_handle = unique_any<HANDLE, detail::close_handle>;
using unique_hwnd = unique_any<HWND, detail::destroy_window>;
using unique_hhook = unique_any<HHOOK, detail::unhook>;
using unique_hmenu = unique_any<HMENU, detail::destroy_menu>;
using unique_hicon = unique_any<HICON, detail::destroy_icon>;
using unique_hfont = unique_any<HFONT, detail::delete_object>;
using unique_hmodule = unique_any<HMODULE, detail::free_library>;
using unique_local = unique_any<void*, detail::local_free>;

// A file handle, whose empty value is INVALID_HANDLE_VALUE (not a constant the template can take).
class unique_hfile {
public:
    explicit unique_hfile(HANDLE file = INVALID_HANDLE_VALUE) noexcept : file_(file) {}
    unique_hfile(const unique_hfile&) = delete;
    unique_hfile& operator=(const unique_hfile&) = delete;
    ~unique_hfile() { reset(); }
    HANDLE get() const noexcept { return file_; }
    explicit operator bool() const noexcept { return file_ != INVALID_HANDLE_VALUE && file_ != nullptr; }
    void reset() noexcept {
        if (*this) ::CloseHandle(file_);
        file_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE file_;
};

// Hook procedures run inside other programs: leave their last error as we found it.
class last_error_context {
public:
    last_error_context() noexcept : saved_(::GetLastError()) {}
    last_error_context(const last_error_context&) = delete;
    last_error_context& operator=(const last_error_context&) = delete;
    ~last_error_context() { ::SetLastError(saved_); }

private:
    DWORD saved_;
};

}  // namespace quor
