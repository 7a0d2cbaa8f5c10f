#include "hooklib/commands/laser_cursor.h"

#include <windows.h>

#include "hooklib/core/shared_block.h"

namespace quor {

void RestoreCursors() noexcept {
    ::SystemParametersInfoA(SPI_SETCURSORS, 0, nullptr, 0);
    Block().LaserState = 0;
}

}  // namespace quor
