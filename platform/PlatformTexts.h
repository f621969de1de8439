#pragma once
#include <span>

#include "platform/TextEntry.h"

// The fixed texts of the platform layer: the program's name for hosts without a user, the reasons
// a file operation failed (each followed by the path, then ": " and the system's error text), the
// reasons a file is refused unread (shown to the user; %1 is a size in MB) and the reasons an
// archive or a text conversion gives up. Each is written once, here; the code refers
// to it by name (platformtext::kCannotOpen).
#define VEMO_PLATFORM_TEXTS(X)                                                    \
    X(kAppName, "Vemo Ovra 農林版")                                               \
    /* File operations */                                                         \
    X(kCannotOpen, "cannot open ")                                                \
    X(kCannotRead, "cannot read ")                                                \
    X(kCannotCreateTemporary, "cannot create a temporary file in ")               \
    X(kCannotWrite, "cannot write ")                                              \
    X(kCannotSetMode, "cannot set the mode of ")                                  \
    X(kCannotFlush, "cannot flush ")                                              \
    X(kCannotClose, "cannot close ")                                              \
    X(kCannotReplace, "cannot replace ")                                          \
    X(kCannotFollowLink, "cannot follow the link ")                               \
    X(kErrorDetailSeparator, ": ")                                                \
    /* Why a file is not read, shown after the message of the file's kind */      \
    X(kNotARegularFile, "通常のファイルではありません（フォルダー、名前付きパイプ、デバイスなど）。") \
    X(kFileTooLarge, "ファイルが大きすぎます（%1 MB を超えています）。")                \
    /* Archives */                                                                \
    X(kWriteOnLoadingArchive, "write on a loading archive")                       \
    X(kReadOnStoringArchive, "read on a storing archive")                         \
    X(kUnexpectedEndOfFile, "unexpected end of file")                             \
    X(kTextTooLong, "text too long for the archive")                              \
    X(kTextBeyondEnd, "text length beyond the end of the file")                   \
    X(kNegativeCount, "negative element count")                                   \
    X(kCountBeyondEnd, "element count beyond the end of the file")                \
    /* Text conversion (the two encodings go after Before and after Between) */   \
    X(kNoConverterBefore, "iconv cannot convert from ")                           \
    X(kNoConverterBetween, " to ")

namespace platformtext {
#define VEMO_PLATFORM_TEXT_CONSTANT(name, text) inline constexpr char name[] = text;
VEMO_PLATFORM_TEXTS(VEMO_PLATFORM_TEXT_CONSTANT)
#undef VEMO_PLATFORM_TEXT_CONSTANT
}  // namespace platformtext

// Every platform text with its name, in the order of the list above.
std::span<const TextEntry> PlatformTexts();
