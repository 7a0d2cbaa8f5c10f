#include "app/framework/dialog_integer.h"

namespace quor {

bool ParseDialogInteger(const char* text, int32_t& value) {
    const char* p = text;
    while (*p == ' ' || *p == '\t') ++p;
    bool negative = false;
    if (*p == '-' || *p == '+') negative = *p++ == '-';
    int64_t result = 0;
    int digits = 0;
    for (; *p >= '0' && *p <= '9'; ++p, ++digits) {
        result = result * 10 + (*p - '0');
        if (result > static_cast<int64_t>(INT32_MAX) + 1) return false;
    }
    while (*p == ' ' || *p == '\t') ++p;
    if (digits == 0 || *p != '\0') return false;
    if (negative) result = -result;
    if (result > INT32_MAX || result < INT32_MIN) return false;
    value = static_cast<int32_t>(result);
    return true;
}

}  // namespace quor
