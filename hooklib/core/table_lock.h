#pragma once
// Edits of the block's window tables by several programs at once. Each program reads a table's
// count, changes an entry and writes the count back: two doing so together would lose one
// change. The lock is a named mutex, held only for those few stores and never waited on for long:
// a program that cannot have it in time does not edit the table.
#include <windows.h>

namespace quor {

class TableLock {
public:
    TableLock() noexcept;
    ~TableLock();
    TableLock(const TableLock&) = delete;
    TableLock& operator=(const TableLock&) = delete;
    explicit operator bool() const noexcept { return held_; }

private:
    bool held_ = false;
};

}  // namespace quor
