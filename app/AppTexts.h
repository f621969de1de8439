#pragma once
#include <span>

#include "platform/TextEntry.h"
#include "app/AppCommandTexts.h"
#include "app/RowBukakeTexts.h"
#include "app/SelectionTexts.h"
#include "app/SettingTexts.h"
#include "app/ViewTextList.h"

// The fixed texts of the program: the main window's caption, the estimate file dialogs, the
// messages, the message-box buttons, the progress window, the splash window, the estimate window's
// header and the master-data folder dialogs. Each is written once, here; the code refers to it by
// name (apptext::kMainCaption). A text starting with "\n" follows a path; texts named …Before and
// …After go on either side of a name or a path; a text with %1, %2 … is a format whose numbered
// places take the values. Texts a lower layer already has are not repeated: the program's name is
// platformtext::kAppName, the status bar's idle text mastertext::kStatusHelpHint, the OK and ｷｬﾝｾﾙ
// buttons and the action names dialogtext::k…; the command texts live in the command table.
#define VEMO_APP_TEXTS(X)                                                                                      \
    /* The main window, and the estimate files' dialogs */                                                     \
    /* Two blanks after "Ovra", an ideographic space before "令和" */                                          \
    X(kMainCaption, "Vemo Ovra  農林版　令和7年度積算基準対応版")                                              \
    /* The caption while an estimate window is maximised: the caption (%1) and the window's name (%2) */      \
    X(kMaximisedCaption, "%1 - [%2]")                                                                          \
    X(kOpenTitle, "開く")                                                                                      \
    X(kSaveAsTitle, "名前を付けて保存")                                                                        \
    X(kSaveCopyTitle, "コピーを保存")                                                                          \
    X(kDefaultOpenName, "無題.sei")                                                                            \
    X(kEstimateFilter, "Vemo 農林版 ﾌｧｲﾙ (*.sei)|*.sei|旧Vemo 農林版 ﾌｧｲﾙ (*.seb)|*.seb|全てのﾌｧｲﾙ (*.*)|*.*||") \
    X(kAskSaveChangesAfter, " への変更を保存しますか?")                                                        \
    /* The estimate window: its header (件名, 箇所名, master data, material prices, rows), the word */         \
    /* for an empty entry, and the mark of unsaved changes after the title */                                  \
    X(kEstimateHeader, "件名 : %1\n箇所名 : %2\nマスター データ : %3\n材料単価 : %4\n行数 : %5")               \
    X(kModifiedMark, " *")                                                                                     \
    /* A recent file in the ファイル menu: the folders left out after the root, or the middle of a long name */ \
    X(kRecentFileEllipsis, "...")                                                                              \
    /* The material prices an estimate names */                                                                \
    X(kEstimateZairyoTankaUnreadable, "\nの材料単価データを読み込めませんでした。\n共通の材料単価データを使用します。") \
    /* Settings dialogs run from the menus, and the business areas of this edition */                          \
    X(kTableWidthCaption, "表の幅の調整")                                                                      \
    /* The cover-sheet command: the question before the cover file is rewritten */                             \
    X(kAskOverwriteHyoshiFile, "表紙データ ファイルを書き換えてよろしいですか？")                              \
    X(kGyomuAreaText, "区画整理 測量／区画整理 設計／物件調査／土質調査 版")                                   \
    /* Message-box buttons (OK is the dialogs' own) */                                                         \
    X(kMessageBoxCancel, "キャンセル")                                                                         \
    X(kMessageBoxYes, "はい(&Y)")                                                                              \
    X(kMessageBoxNo, "いいえ(&N)")                                                                             \
    /* The progress window: its caption when none is given, and its percent before the first step */           \
    X(kProgressCaption, "進捗状況")                                                                            \
    X(kProgressStartPercent, " 0 %")                                                                           \
    /* The splash window (the version number follows) */                                                       \
    X(kVersionPrefix, "Version ")                                                                              \
    /* Master-data folder dialog: the controls */                                                              \
    X(kDataFolderLabel, "データ参照先 ：:")                                                                    \
    X(kMasterListHeader, "マスターデータ一覧")                                                                 \
    X(kSwitchDataFolderButton, "データ参照先切換")                                                             \
    X(kUpFolderButton, "１つ上のフォルダ")                                                                     \
    X(kMasterFolderIncomplete, "選択したデータ参照先には、必要なデータファイルがありません。")                 \
    X(kMasterDataNote, "※マスター データとは、歩掛ファイル、変化率ファイルを指します。")                       \
    X(kChooseDataFolderTitle, "「データ格納」　フォルダを選択して下さい")                                      \
    /* Master-data folder dialog: the files a folder lacks, a heading and one line each */                     \
    X(kMissingFilesHeading, "データ参照先には、以下のファイルがありません。\n\n")                              \
    X(kMissingBukakeLine, "歩掛データ.soa\u3000  \u3000\u3000\u3000\u3000がありません。\n")                    \
    X(kMissingHenkaritsuLine, "変化率データ.soa\u3000\u3000\u3000\u3000\u3000がありません。\n")                \
    X(kMissingTankaLine, "単価データ.daa\u3000\u3000\u3000\u3000\u3000\u3000がありません。\n")                 \
    X(kMissingShokeihiLine, "諸経費データ.daa\u3000\u3000\u3000\u3000\u3000がありません。\n")                  \
    X(kMissingProgramKingakuLine, "プログラム金額データ.daa\u3000がありません。\n")                            \
    X(kMissingZairyoTankaLine, "材料単価データがありません。\n")                                               \
    /* Master-data folder dialog: renaming, copying and deleting a folder (the copy's proposed name */         \
    /* is the prefix and the folder's name; the path goes between Before and After) */                         \
    X(kEnterFileName, "ファイル名を入力してください。")                                                        \
    X(kFolderNameInvalid, "この名前はフォルダ名に使用できません。\n「\\」「/」を含まない名前を入力してください。") \
    X(kFolderNameTaken, "同じ名前のフォルダまたはファイルが既にあります。\n別の名前を入力してください。")      \
    X(kCannotRenameCurrentFolder, "このフォルダは、現在設定されているフォルダです。\nフォルダ名を変更することはできません。") \
    X(kRenameFolderFailed, "フォルダ名を変更できませんでした。")                                               \
    X(kCopyNamePrefix, "コピー ～ ")                                                                           \
    X(kCopyFolderFailed, "フォルダをコピーできませんでした。")                                                 \
    X(kSelectFolderToDelete, "削除するフォルダを選択してください。")                                           \
    X(kCannotDeleteCurrentFolder,                                                                              \
      "このフォルダは、現在設定されているフォルダです。\n削除するには、設定フォルダを変更する必要があります。") \
    X(kAskDeleteFolderBefore, "フォルダ ' ")                                                                   \
    X(kSelectDirectory, "ディレクトリを選択してください。")                                                    \
    /* Master-data selection for an estimate made with other master data (its folder, then the */              \
    /* current one, go under the first and third lines) */                                                     \
    X(kMasterSelectCaption, "マスターデータ選択")                                                              \
    X(kMasterSelectOld, "このデータが参照しているマスターデータは、")                                          \
    X(kMasterSelectBut, "ですが、")                                                                            \
    X(kMasterSelectNew, "データ参照先を現在設定されている、下記のマスターデータに変更します。")                \
    X(kSelectedFolderIncomplete, "選択フォルダには、歩掛データ、変化率データが存在しません。")             \
    /* Start-up: stored paths that are gone, replaced by the program's own (a heading, then for each */        \
    /* the stored path (%1) and the one now used (%2)) */                                                     \
    X(kReplacedPathsHeading, "以下のデータが見つからないため、プログラムに付属のデータを使用します。\n\n")   \
    X(kReplacedPathLine, "%1\n\u3000→ %2\n")

namespace apptext {
#define VEMO_APP_TEXT_CONSTANT(name, text) inline constexpr char name[] = text;
VEMO_APP_TEXTS(VEMO_APP_TEXT_CONSTANT)
VEMO_APP_COMMAND_TEXTS(VEMO_APP_TEXT_CONSTANT)
VEMO_SELECTION_TEXTS(VEMO_APP_TEXT_CONSTANT)
VEMO_SETTING_TEXTS(VEMO_APP_TEXT_CONSTANT)
VEMO_VIEW_TEXTS(VEMO_APP_TEXT_CONSTANT)
VEMO_ROW_BUKAKE_TEXTS(VEMO_APP_TEXT_CONSTANT)
#undef VEMO_APP_TEXT_CONSTANT
}  // namespace apptext

// Every program text with its name, in the order of the list above.
std::span<const TextEntry> AppTexts();
