#include "hooklib/commands/laser_cursor.h"

#include <windows.h>

#include "hooklib/core/shared_block.h"

namespace quor {
namespace {

constexpr DWORD kStandardArrow = 32512;  // OCR_NORMAL

}  // namespace

void InstallLaserCursor() noexcept {
    if (HCURSOR dot = ::LoadCursorW(ThisModule(), MAKEINTRESOURCEW(kLaserCursorId))) {
        // The system takes the copy it is given; a copy it refused is ours to free.
        HCURSOR copy = static_cast<HCURSOR>(::CopyIcon(dot));
        if (copy && !::SetSystemCursor(copy, kStandardArrow)) ::DestroyCursor(copy);
    }
    Block().LaserState = 1;
}

void RestoreCursors() noexcept {
    ::SystemParametersInfoA(SPI_SETCURSORS, 0, nullptr, 0);
    Block().LaserState = 0;
}

}  // namespace quor
