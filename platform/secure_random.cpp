#include "platform/secure_random.h"

#include <windows.h>

#include <ntsecapi.h>

#include <algorithm>

namespace quor {

bool FillSecureRandom(uint8_t* bytes, size_t count) noexcept {
    // The system's cryptographic generator as advapi32 offers it (RtlGenRandom), which the
    // program already imports, rather than bcrypt.dll, which it does not.
    while (count > 0) {
        const ULONG part = static_cast<ULONG>(std::min<size_t>(count, 1u << 20));
        if (!::RtlGenRandom(bytes, part)) return false;
        bytes += part;
        count -= part;
    }
    return true;
}

}  // namespace quor
