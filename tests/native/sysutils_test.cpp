#include "base/SysUtils.h"
#include <gtest/gtest.h>
TEST(SysUtils, Placeholder) {
    EXPECT_EQ(rtl::Trim("  a "), "a");
}
