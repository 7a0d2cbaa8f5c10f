#pragma once
// Edits of the block's window tables by several programs at once. Each program reads a table's
// count, changes an entry and writes the count back: two doing so together would lose one
// change. The lock is a named mutex, held only for those few stores and never waited on for long.
// It is a help, not a condition: a program that cannot open the mutex, or that finds it held past
// the wait (its holder suspended or hung), makes its edit all the same, as it would without one.
#include <windows.h>

namespace quor {

class TableLock {
public:
    TableLock() noexcept;
    ~TableLock();
    TableLock(const TableLock&) = delete;
    TableLock& operator=(const TableLock&) = delete;

private:
    HANDLE held_ = nullptr;
};

}  // namespace quor
