#include "hooklib/core/table_lock.h"

#include <sddl.h>

#include <atomic>

#include "platform/unique_any.h"

namespace quor {
namespace {

// Longer than any edit takes; a program that holds the lock longer is busy or hung, and is not
// waited for.
constexpr DWORD kTableLockWaitMs = 200;

// Every program the hooks reach shares the block, whatever its rights (a program run as
// administrator, a sandboxed one at low integrity): each must be able to open the mutex, whoever
// made it first.
HANDLE CreateTableMutex() noexcept {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!::ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;GA;;;WD)S:(ML;;NW;;;LW)", SDDL_REVISION_1,
                                                                &descriptor, nullptr))
        descriptor = nullptr;
    const unique_local ownedDescriptor(descriptor);
    SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
    return ::CreateMutexA(descriptor ? &attributes : nullptr, FALSE, "Quorvelle Block Tables");
}

// One handle for the process, opened on first use (not while the library attaches) and closed
// when the library leaves. A failed open is tried again at the next edit.
std::atomic<HANDLE> g_mutex{nullptr};

struct MutexCloser {
    ~MutexCloser() {
        if (const HANDLE h = g_mutex.exchange(nullptr)) ::CloseHandle(h);
    }
} g_mutexCloser;

HANDLE TableMutex() noexcept {
    if (const HANDLE h = g_mutex.load()) return h;
    HANDLE made = CreateTableMutex();
    if (!made) return nullptr;
    HANDLE expected = nullptr;
    // Two threads of one program may open it at once: one handle is kept.
    if (!g_mutex.compare_exchange_strong(expected, made)) {
        ::CloseHandle(made);
        return expected;
    }
    return made;
}

}  // namespace

TableLock::TableLock() noexcept {
    const HANDLE mutex = TableMutex();
    if (!mutex) return;
    // Abandoned: its last holder ended in the middle of an edit, which is only a few stores.
    const DWORD waited = ::WaitForSingleObject(mutex, kTableLockWaitMs);
    if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) held_ = mutex;
}

TableLock::~TableLock() {
    if (held_) ::ReleaseMutex(held_);
}

}  // namespace quor
