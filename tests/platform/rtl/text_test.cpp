#include "platform/rtl/Text.h"
#include <gtest/gtest.h>

TEST(Utf8, LengthCountsCharactersNotBytes) {
    EXPECT_EQ(rtl::Utf8Length(""), 0u);
    EXPECT_EQ(rtl::Utf8Length("abc"), 3u);
    EXPECT_EQ(rtl::Utf8Length("è€"), 2u);
}
