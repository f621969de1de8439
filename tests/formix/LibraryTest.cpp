// Tests of the shared library Formix as the program links it: only Execute and CheckWord exported.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

#include "formix/Formix.h"

// The shared library as the program links it.

TEST(FormixLibrary, ExportsOnlyExecuteAndCheckWord) {
    const std::string command = std::string("nm -D --defined-only '") + FORMIX_LIBRARY_FILE + "'";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::set<std::string> names;
    char line[1024];
    while (std::fgets(line, sizeof line, pipe) != nullptr) {
        std::string text(line);
        if (!text.empty() && text.back() == '\n') {
            text.pop_back();
        }
        names.insert(text.substr(text.rfind(' ') + 1));
    }
    ASSERT_EQ(pclose(pipe), 0);
    EXPECT_EQ(names, (std::set<std::string>{"CheckWord", "Execute"}));
}

TEST(FormixLibrary, CallsThroughTheExports) {
    EXPECT_EQ(Execute(nullptr), 0.0);
    EXPECT_EQ(CheckWord(nullptr), 0);
    EXPECT_EQ(Execute("FL2(1.5*1.5)"), 22 * 0.1);
    EXPECT_EQ(Execute("0.5*2.5+0.2"), 1.45);
    EXPECT_EQ(CheckWord("FL2(H1*1.5)"), 1);
    EXPECT_EQ(CheckWord("2*-3"), 0);
}
