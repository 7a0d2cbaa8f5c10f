#include "app/framework/dialog_integer.h"

#include <gtest/gtest.h>

namespace quor {
namespace {

TEST(DialogInteger, WholeNumbersOnly) {
    int32_t v = 7;
    EXPECT_TRUE(ParseDialogInteger("20", v));
    EXPECT_EQ(v, 20);
    EXPECT_TRUE(ParseDialogInteger(" -5 ", v));
    EXPECT_EQ(v, -5);
    EXPECT_TRUE(ParseDialogInteger("-2147483648", v));
    EXPECT_EQ(v, INT32_MIN);
    v = 7;
    for (const char* bad : {"", " ", "12abc", "abc", "1.5", "2147483648", "99999999999999999999", "-"})
        EXPECT_FALSE(ParseDialogInteger(bad, v)) << '"' << bad << '"';
    EXPECT_EQ(v, 7) << "a refused text leaves the value alone";
}

}  // namespace
}  // namespace quor
