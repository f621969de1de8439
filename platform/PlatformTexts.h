#pragma once
#include <span>

#include "platform/TextEntry.h"

// The fixed texts of the platform layer: the program's name for hosts without a user, the reasons
// a file operation failed (each naming the path, then the separator and the system's error text), the
// reasons a file is refused unread (shown to the user; %1 is a size in MB) and the reasons an
// archive or a text conversion gives up. Each is written once, here; the code refers
// to it by name (platformtext::kCannotOpen).
#define VEMO_PLATFORM_TEXTS(X)                                                    \
    X(kAppName, "Vemo Ovra 農林版")                                               \
    /* File operations: %1 is the path; the system's reason follows after the separator */ \
    X(kCannotOpen, "「%1」を開けません")                                           \
    X(kCannotRead, "「%1」を読み取れません")                                       \
    X(kCannotCreateTemporary, "フォルダー「%1」に一時ファイルを作成できません")    \
    X(kCannotWrite, "「%1」の一時ファイルに書き込めません")                          \
    X(kCannotSetMode, "「%1」の一時ファイルのアクセス権を設定できません")            \
    X(kCannotFlush, "「%1」の一時ファイルの内容をディスクに確定できません")          \
    X(kCannotClose, "「%1」の一時ファイルを閉じられません")                          \
    X(kCannotReplace, "「%1」を新しい内容に置き換えられません")                    \
    X(kCannotFollowLink, "リンク「%1」のリンク先をたどれません")                   \
    X(kErrorDetailSeparator, "：")                                                \
    /* Why a file is not read, shown after the message of the file's kind */      \
    X(kNotARegularFile, "通常のファイルではありません（フォルダー、名前付きパイプ、デバイスなど）。") \
    X(kFileTooLarge, "ファイルが大きすぎます（%1 MB を超えています）。")                \
    /* Archives */                                                                \
    X(kWriteOnLoadingArchive, "読み込み中のアーカイブに書き込もうとしました。")   \
    X(kReadOnStoringArchive, "書き込み中のアーカイブから読み込もうとしました。")   \
    X(kUnexpectedEndOfFile, "ファイルが途中で終わっています。")                   \
    X(kTextTooLong, "文字列が長すぎてファイルに書き込めません。")                 \
    X(kTextBeyondEnd, "文字列の長さがファイルの終わりを越えています。")           \
    X(kNegativeCount, "要素の数が負の値です。")                                   \
    X(kCountBeyondEnd, "要素の数がファイルの終わりを越えています。")              \
    /* Text conversion (%1 and %2: the two encodings) */                          \
    X(kNoConverter, "文字コードを %1 から %2 に変換できません（iconv）。")

namespace platformtext {
#define VEMO_PLATFORM_TEXT_CONSTANT(name, text) inline constexpr char name[] = text;
VEMO_PLATFORM_TEXTS(VEMO_PLATFORM_TEXT_CONSTANT)
#undef VEMO_PLATFORM_TEXT_CONSTANT
}  // namespace platformtext

// Every platform text with its name, in the order of the list above.
std::span<const TextEntry> PlatformTexts();
