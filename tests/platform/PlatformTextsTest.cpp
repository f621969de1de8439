// Tests of platform/PlatformTexts.h.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/PlatformTexts.h"

namespace {

// Every text of the platform layer, exactly as the program shows or reports it.
const TextEntry kExpected[] = {
    {"kAppName", "Vemo Ovra 農林版"},
    {"kCannotOpen", "cannot open "},
    {"kCannotRead", "cannot read "},
    {"kCannotCreateTemporary", "cannot create a temporary file in "},
    {"kCannotWrite", "cannot write "},
    {"kCannotSetMode", "cannot set the mode of "},
    {"kCannotFlush", "cannot flush "},
    {"kCannotClose", "cannot close "},
    {"kCannotReplace", "cannot replace "},
    {"kErrorDetailSeparator", ": "},
    {"kWriteOnLoadingArchive", "write on a loading archive"},
    {"kReadOnStoringArchive", "read on a storing archive"},
    {"kUnexpectedEndOfFile", "unexpected end of file"},
    {"kTextTooLong", "text too long for the archive"},
    {"kTextBeyondEnd", "text length beyond the end of the file"},
    {"kNegativeCount", "negative element count"},
    {"kCountBeyondEnd", "element count beyond the end of the file"},
    {"kNoConverterBefore", "iconv cannot convert from "},
    {"kNoConverterBetween", " to "},
};

}  // namespace

TEST(PlatformTexts, EveryTextVerbatim) {
    std::map<std::string, std::string> actual;
    for (const TextEntry& entry : PlatformTexts())
        EXPECT_TRUE(actual.emplace(entry.name, entry.text).second) << "twice: " << entry.name;
    std::map<std::string, std::string> expected;
    for (const TextEntry& entry : kExpected) expected.emplace(entry.name, entry.text);

    for (const auto& [name, text] : expected) {
        auto it = actual.find(name);
        if (it == actual.end())
            ADD_FAILURE() << "missing: " << name;
        else
            EXPECT_EQ(it->second, text) << name;
    }
    for (const auto& [name, text] : actual)
        if (!expected.count(name)) ADD_FAILURE() << "extra: " << name << " = " << text;
    EXPECT_EQ(PlatformTexts().size(), std::size(kExpected));
}
