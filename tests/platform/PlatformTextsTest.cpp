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
    {"kCannotOpen", "「%1」を開けません"},
    {"kCannotRead", "「%1」を読み取れません"},
    {"kCannotCreateTemporary", "フォルダー「%1」に一時ファイルを作成できません"},
    {"kCannotWrite", "「%1」の一時ファイルに書き込めません"},
    {"kCannotSetMode", "「%1」の一時ファイルのアクセス権を設定できません"},
    {"kCannotFlush", "「%1」の一時ファイルの内容をディスクに確定できません"},
    {"kCannotClose", "「%1」の一時ファイルを閉じられません"},
    {"kCannotReplace", "「%1」を新しい内容に置き換えられません"},
    {"kCannotFollowLink", "リンク「%1」のリンク先をたどれません"},
    {"kErrorDetailSeparator", "："},
    {"kNotARegularFile", "通常のファイルではありません（フォルダー、名前付きパイプ、デバイスなど）。"},
    {"kFileTooLarge", "ファイルが大きすぎます（%1 MB を超えています）。"},
    {"kWriteOnLoadingArchive", "読み込み中のアーカイブに書き込もうとしました。"},
    {"kReadOnStoringArchive", "書き込み中のアーカイブから読み込もうとしました。"},
    {"kUnexpectedEndOfFile", "ファイルが途中で終わっています。"},
    {"kTextTooLong", "文字列が長すぎてファイルに書き込めません。"},
    {"kTextBeyondEnd", "文字列の長さがファイルの終わりを越えています。"},
    {"kNegativeCount", "要素の数が負の値です。"},
    {"kCountBeyondEnd", "要素の数がファイルの終わりを越えています。"},
    {"kNoConverter", "文字コードを %1 から %2 に変換できません（iconv）。"},
};

}  // namespace

TEST(PlatformTexts, EveryTextVerbatim) { ExpectTextTable(PlatformTexts(), kExpected); }
