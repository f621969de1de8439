// Tests of platform/PlatformTexts.h.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "TextTableCheck.h"
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
    {"kCannotFollowLink", "cannot follow the link "},
    {"kErrorDetailSeparator", ": "},
    {"kNotARegularFile", "通常のファイルではありません（フォルダー、名前付きパイプ、デバイスなど）。"},
    {"kFileTooLarge", "ファイルが大きすぎます（%1 MB を超えています）。"},
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

TEST(PlatformTexts, EveryTextVerbatim) { ExpectTextTable(PlatformTexts(), kExpected); }
