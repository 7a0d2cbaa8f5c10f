#pragma once
// Waiting on another thread without stopping the calls other threads make to this one.
#include <windows.h>

namespace quor {

// Waits for `object` at most `waitMs` (INFINITE: without a limit), taking meanwhile only the
// messages other threads send to this thread (the input hooks' calls among them, and whatever the
// awaited thread sends here): this thread's own input and posted messages wait, so none of its
// code runs again in the middle of the caller. True when the object was signalled in time.
bool WaitTakingSentMessages(HANDLE object, DWORD waitMs) noexcept;
// The same for the first of `count` objects (at most MAXIMUM_WAIT_OBJECTS - 1): its index, or -1
// when none was signalled in time.
int WaitTakingSentMessages(const HANDLE* objects, DWORD count, DWORD waitMs) noexcept;

}  // namespace quor
