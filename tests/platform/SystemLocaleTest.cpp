// Tests of platform/SystemLocale.h.
#include <gtest/gtest.h>

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "CommaLocale.h"
#include "platform/SystemLocale.h"

TEST(SystemLocale, TheSystemsTextsFollowTheUserWhileNumbersStayInTheCLocale) {
    const std::string comma = CommaLocaleName();
    ASSERT_NE(std::setlocale(LC_ALL, comma.c_str()), nullptr);
    const std::string german = std::strerror(ENOENT);
    // A German desktop: every category as its environment says, as the GUI toolkit sets them.
    ASSERT_EQ(::setenv("LC_ALL", comma.c_str(), 1), 0);
    vemo::UseProgramLocale();
    char number[8];
    std::snprintf(number, sizeof number, "%.1f", 1.5);
    EXPECT_STREQ(number, "1.5");
    EXPECT_EQ(std::strerror(ENOENT), german);
    ::unsetenv("LC_ALL");
    std::setlocale(LC_ALL, "C");
}
