#pragma once
// A section of the master editors' text table (masteredit/MasterEditTexts.h): the code includes that
// header, which gives every text of the list below its name.

// The fixed texts of the 変化率・補正率 editor, its record list, its detail and auxiliary-formula
// dialogs and the rate import. Texts named …Before go in front of a record's name and are followed
// by the …After text of the same question (kDeleteAfter for a deletion); …Prefix texts go in front
// of a name.
#define VEMO_HENKARITSU_EDIT_TEXTS(X)                                                                         \
    /* The editor and its record list */                                                                      \
    X(kHenkaritsuEditCaption, "変化率・補正率ファイル編集")                                                   \
    X(kAskOverwriteHenkaritsuEdit, "変化率･補正率データ ファイルを書き換えてよろしいですか？")                \
    X(kHenkaritsuListTitle, "変化率・補正率データ一覧")                                                       \
    X(kDetailDotsButton, "詳細設定...")                                                                       \
    X(kCopyDotsButton, "コピー...")                                                                           \
    X(kMoveUpButton, "上へ移動")                                                                              \
    X(kMoveDownButton, "下へ移動")                                                                            \
    X(kHenkaritsuRecordBefore, "変化率・補正率データ ' ")                                                     \
    X(kNoFreeHenkaritsuCode,                                                                                  \
      "使用できる変化率・補正率コードが残っていません。\n新しい変化率・補正率データは追加できません。")        \
    X(kHenkaritsuCodeOutOfRange, "変化率・補正率コードは 1～2000 の範囲で入力してください。")                 \
    /* The detail dialog */                                                                                   \
    X(kHenkaritsuDetailCaption, "変化率・補正率データ詳細設定")                                               \
    X(kRecordNameLabel, "名称 :")                                                                             \
    X(kRecordTypeLabel, "タイプ :")                                                                           \
    X(kHoseiritsuType, "補正率")                                                                              \
    X(kHenkaritsuType, "変化率")                                                                              \
    X(kTypeNote, "※注意 式には関係しません。")                                                               \
    X(kUseTableRadio, "表を使用")                                                                             \
    X(kUseFormulaRadio, "式を使用")                                                                           \
    X(kKubunNote, "※区分によって率が違います。")                                                             \
    X(kFormulaNameLabel, "式名称 :")                                                                          \
    X(kLlDefaultLabel, "LLのデフォルト :")                                                                    \
    X(kRecordRemarksLabel, "備考 :")                                                                          \
    X(kUseAuxiliaryCheck, "補助式を使用する")                                                                 \
    X(kStandardButton, "標準")                                                                                \
    X(kKubunButton, "区分率")                                                                                 \
    /* The auxiliary-formula dialog: the row labels S1 to S8 in order */                                      \
    X(kLowerLimitHeading, "下 限 値")                                                                         \
    X(kUpperLimitHeading, "上 限 値")                                                                         \
    X(kAuxFormulaHeading, "補 助 式")                                                                         \
    X(kRangeMark, "～")                                                                                       \
    X(kDefaultAuxLabel, "デフォルト補助式：")                                                                 \
    X(kExplanationFirst, "変化率・補正率データ詳細設定ダイアログで入力されたLL値に")                          \
    X(kExplanationSecond, "によって該当する補助式で計算します。")                                             \
    /* The rate import */                                                                                     \
    X(kHenkaritsuImportCaption, "変化率・補正率ファイルのインポート")                                         \
    X(kImportSourceListTitle, "インポート元 変化率・補正率データ一覧")                                        \
    X(kImportDestListTitle, "インポート先 変化率・補正率データ一覧")                                          \
    X(kImportRecordButton, "変化率・補正率データのインポート")                                                \
    X(kAskOverwriteRecordBefore, "既に変化率・補正率データ ' ")                                               \
    X(kAskAddRecordBefore, "新たに変化率・補正率データ ' ")
