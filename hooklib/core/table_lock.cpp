#include "hooklib/core/table_lock.h"

#include "platform/unique_any.h"

namespace quor {
namespace {

// Longer than any edit takes; a program that holds the lock longer is busy or hung, and is not
// waited for.
constexpr DWORD kTableLockWaitMs = 200;

// One handle for the process, opened on first use (not while the library attaches).
HANDLE TableMutex() noexcept {
    static const unique_handle mutex(::CreateMutexA(nullptr, FALSE, "Quorvelle Block Tables"));
    return mutex.get();
}

}  // namespace

TableLock::TableLock() noexcept {
    const HANDLE mutex = TableMutex();
    if (!mutex) return;
    // Abandoned: its last holder ended in the middle of an edit, which is only a few stores.
    const DWORD waited = ::WaitForSingleObject(mutex, kTableLockWaitMs);
    held_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

TableLock::~TableLock() {
    if (held_) ::ReleaseMutex(TableMutex());
}

}  // namespace quor
