// Tests of the LibreOffice reader of the oracle tests (tests/report/OracleSupport.cpp).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <variant>
#include <vector>

#include "OracleSupport.h"
#include "TempFolder.h"

namespace {

// A stand-in for soffice that dies of SIGABRT on its first `crashes` runs (as soffice does now and
// then when several start at once) and then converts: each input x.xlsx becomes x.fods in the
// --outdir folder, one sheet "S" holding 7 in A1. It counts its runs in the file "runs" beside it.
std::string FakeSoffice(const TempFolder& bin, int crashes) {
    const std::string path = bin / "soffice";
    WriteTestFile(path,
                  "#!/bin/sh\n"
                  "runs=$(cat '" + (bin / "runs") + "' 2>/dev/null || echo 0)\n"
                  "runs=$((runs + 1))\n"
                  "echo $runs > '" + (bin / "runs") + "'\n"
                  "if [ $runs -le " + std::to_string(crashes) + " ]; then\n"
                  "  echo 'Fatal exception: Signal 6'\n"
                  "  kill -ABRT $$\n"
                  "fi\n"
                  "while [ $# -gt 0 ]; do\n"
                  "  case \"$1\" in\n"
                  "    --outdir) out=$2; shift ;;\n"
                  "    *.xlsx) printf '%s' '<office:document><office:body><office:spreadsheet>"
                  "<table:table table:name=\"S\"><table:table-row><table:table-cell office:value-type=\"float\" "
                  "office:value=\"7\"/></table:table-row></table:table></office:spreadsheet></office:body>"
                  "</office:document>' > \"$out/$(basename \"$1\" .xlsx).fods\" ;;\n"
                  "  esac\n"
                  "  shift\n"
                  "done\n");
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    return path;
}

TEST(OracleSupport, ASofficeThatCrashesIsRunOnceMoreButNoMore) {
    const struct {
        int crashes;
        bool read;
        const char* runs;
    } cases[] = {
        {0, true, "1\n"},
        {1, true, "2\n"},
        {2, false, "2\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.crashes);
        TempFolder bin, work;
        WriteTestFile(work / "book.xlsx", "not read by the stand-in");
        std::vector<oracle::Sheet> sheets;
        std::string why;
        EXPECT_EQ(oracle::ReadWithLibreOffice(FakeSoffice(bin, c.crashes), work / "book.xlsx", work.Path(), sheets, why),
                  c.read)
            << why;
        EXPECT_EQ(ReadTestFile(bin / "runs"), c.runs);
        if (c.read) {
            ASSERT_EQ(sheets.size(), 1u);
            EXPECT_EQ(sheets[0].name, "S");
            EXPECT_EQ(sheets[0].values.at({1, 1}), oracle::Value(7.0));
        } else {
            EXPECT_NE(why.find("Fatal exception: Signal 6"), std::string::npos) << why;
        }
    }
}

}  // namespace
