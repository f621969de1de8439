#pragma once
// A section of the master editors' text table (masteredit/MasterEditTexts.h): the code includes that
// header, which gives every text of the list below its name.

// The fixed texts of the 歩掛 file editor, its 工種 and 種別 change dialogs and the 歩掛 import:
// captions, labels, buttons, list titles, the coefficient line, the legends and the questions.
// Texts named …Before go in front of an entry's name and are followed by the matching …After (the
// deletions by kDeleteAfter). A coefficient line is a prefix followed by the coefficient ("%1.2f")
// or by kNoCoefficient.
#define VEMO_BUKAKE_EDIT_TEXTS(X)                                                                             \
    /* 歩掛 file editor */                                                                                    \
    X(kBukakeEditCaption, "歩掛ファイル編集")                                                                \
    X(kKoshuListTitle, "工種データ一覧")                                                                     \
    X(kShubetsuListTitle, "種別データ一覧")                                                                  \
    X(kKoshuChangeButton, "工種変更...")                                                                     \
    X(kKoshuNewButton, "新規工種...")                                                                        \
    X(kKoshuCopyButton, "工種コピー...")                                                                     \
    X(kKoshuDeleteButton, "工種削除")                                                                        \
    X(kKoshuUpButton, "工種 上へ移動")                                                                       \
    X(kKoshuDownButton, "工種 下へ移動")                                                                     \
    X(kShubetsuChangeButton, "種別変更...")                                                                  \
    X(kShubetsuNewButton, "新規種別...")                                                                     \
    X(kShubetsuCopyButton, "種別コピー...")                                                                  \
    X(kShubetsuInsertButton, "種別挿入...")                                                                  \
    X(kShubetsuDeleteButton, "種別削除")                                                                     \
    X(kShubetsuUpButton, "種別 上へ移動")                                                                    \
    X(kShubetsuDownButton, "種別 下へ移動")                                                                  \
    X(kDetailButton, "詳細設定")                                                                             \
    X(kSeidoKeisuPrefix, "精度管理係数 : ")                                                                  \
    X(kGijutsuKeihiPrefix, "技術経費　　 : ")                                                                \
    X(kOtherKeisuPrefix, "　　　　　　 : ")                                                                  \
    X(kNoCoefficient, "-.--")                                                                                \
    X(kLegendNewStandard, " ※ 黄色 ： 新しい積算手法標準添付歩掛り")                                        \
    X(kLegendNewUser, " ※ 水色 ： 新しい積算手法ﾕｰｻﾞｰ作成歩掛り")                                           \
    X(kLegendNewZenchiren, " ※ 緑色 ： 新しい積算手法全地連版歩掛り")                                       \
    X(kLegendStandard, " ※ 黄色 ： 標準添付歩掛り")                                                         \
    X(kLegendUser, " ※ 水色 ： ﾕｰｻﾞｰ作成歩掛り")                                                            \
    X(kLegendZenchiren, " ※ 緑色 ： 全地連版歩掛り")                                                        \
    X(kLegendOldStandard, " ※ 茶色 ： 従来の積算手法標準添付歩掛り")                                        \
    X(kLegendOldUser, " ※ 紫色 ： 従来の積算手法ﾕｰｻﾞｰ作成歩掛り")                                           \
    X(kKoshuDataBefore, "工種データ ' ")                                                                   \
    X(kShubetsuDataBefore, "種別データ ' ")                                                                \
    X(kCopyNamePrefix, "コピー～")                                                                           \
    X(kNoFreeKoshuCode, "使用できる工種コードが残っていません。\n新しい工種データは追加できません。")      \
    X(kNoFreeShubetsuCode,                                                                                   \
      "使用できる種別コード（1～999）が残っていません。\n新しい種別データは追加できません。")                \
    /* The launcher */                                                                                       \
    X(kAskOverwriteZairyoTankaFile, "材料単価が編集されています。材料単価ファイルを書き換えてよろしいですか？") \
    /* 工種 change dialog */                                                                                 \
    X(kKoshuEditCaption, "工種変更")                                                                         \
    X(kKoshuNewCaption, "工種データの新規作成")                                                              \
    X(kKoshuChangeCaption, "工種データの変更")                                                               \
    X(kKoshuCopyCaption, "工種データのコピー")                                                               \
    X(kKoshuNameLabel, "工種名 :")                                                                           \
    X(kKindGroup, "種類")                                                                                    \
    X(kConventionalCheck, "従来の積算手法")                                                                  \
    X(kRyohiCheck, "旅費交通費の率を用いた積算（調査・計画業務）")                                                       \
    X(kDenshiKindLabel, "電子成果品作成費種類 ：")                                                           \
    X(kAnzenKindLabel, "安全費種類 ：")                                                                      \
    X(kKindPriced, "人件費・歩掛あり")                                                                       \
    X(kKindLump, "人件費・諸経費対象・直接金額入力・歩掛なし")                                             \
    X(kKind16RateA, "直接経費・諸経費対象・率入力")                                                          \
    X(kKind16AmountA, "直接経費・諸経費対象・直接金額入力")                                                  \
    X(kKind16RateB, "一般管理費等・諸経費対象外・率入力")                                                    \
    X(kKind16AmountB, "一般管理費等・諸経費対象外・直接金額入力")                                            \
    X(kKindOldDesignLump, "人件費・諸経費対象・歩掛なし")                                                    \
    X(kKindOldDesignRateA, "人件費・諸経費対象外・率入力")                                                   \
    X(kKindOldDesignAmountA, "人件費・諸経費対象外・直接金額入力")                                           \
    X(kKindOldRateB, "直接経費・諸経費対象外・率入力")                                                 \
    X(kKindOldAmountB, "直接経費・諸経費対象外・直接金額入力")                                         \
    X(kKindDesignLump, "人件費・その他原価対象・歩掛なし")                                                   \
    X(kKindDesignRateA, "人件費・その他原価対象外・率入力")                                                  \
    X(kKindDesignAmountA, "人件費・その他原価対象外・直接金額入力")                                          \
    X(kKindDesignRateB, "直接経費・その他原価対象外・率入力")                                                \
    X(kKindDesignAmountB, "直接経費・その他原価対象外・直接金額入力")                                        \
    X(kKindIndirectRate, "間接業務費・諸経費対象外・率入力")                                               \
    X(kKindIndirectAmount, "間接業務費・諸経費対象外・直接金額入力")                                       \
    X(kKindBukkenLump, "人件費・歩掛なし")                                                                   \
    X(kKindBukkenRate, "直接経費・率入力")                                                                   \
    X(kKindBukkenAmount, "直接経費・直接金額入力")                                                           \
    X(kKindBukkenClearedLump, "その他原価対象・歩掛なし")                                                    \
    X(kKindBukkenClearedRate, "その他原価対象外・率入力")                                                    \
    X(kKindBukkenClearedAmount, "その他原価対象外・直接金額入力")                                            \
    X(kKindSoilLump, "直接調査費・諸経費対象・直接金額入力・歩掛なし")                                       \
    X(kKindSoilRateA, "間接調査費・諸経費対象・率入力")                                                      \
    X(kKindSoilAmountA, "間接調査費・諸経費対象・直接金額入力")                                              \
    X(kKindOtherRateA, "直接費・諸経費対象･率入力")                                                          \
    X(kKindOtherAmountA, "直接費・諸経費対象･直接金額入力")                                                  \
    X(kKindOtherRateB, "直接経費・諸経費対象外･率入力")                                                      \
    X(kKindOtherAmountB, "直接経費・諸経費対象外･直接金額入力")                                              \
    X(kKoshuDenshiItems,                                                                                     \
      "概略・予備・詳細以外の場合|概略・予備・詳細の場合|軟弱地盤|電子成果品作成費なし|"                    \
      "土質調査一般（H29年度以前）|測量の場合|土質調査一般(機械ボーリング)|土質調査一般（弾性波探査）|"     \
      "土質調査一般（全国標準積算資料）")                                                                    \
    X(kAnzenItems, "安全費無し|安全費橋梁定期点検")                                                          \
    /* 種別 change dialog */                                                                                 \
    X(kShubetsuEditCaption, "種別変更")                                                                      \
    X(kShubetsuNewCaption, "種別データの新規作成")                                                           \
    X(kShubetsuChangeCaption, "種別データの変更")                                                            \
    X(kShubetsuCopyCaption, "種別データのコピー")                                                            \
    X(kShubetsuInsertCaption, "種別データの挿入")                                                            \
    X(kSeidoKeisuLabel, "精度管理係数 :")                                                                    \
    X(kGijutsuKeihiLabel, "技術経費 :")                                                                      \
    X(kGyomuKeisuLabel, "業務別表示 :")                                                                      \
    X(kMethodLabel, "農水省積算方式種類 :")                                                                  \
    X(kMethodItems, "新しい積算手法(H27年度以降)|従来の積算手法(H26年度以前)")                               \
    X(kShubetsuDenshiItems,                                                                                  \
      "実施設計以外の場合|実施設計の場合|軟弱地盤|電子成果品作成費なし|H26年度以前の報告書作成費|"          \
      "測量の場合|土質調査一般(機械ボーリング)|土質調査一般（弾性波探査）")                                  \
    /* 歩掛 import */                                                                                        \
    X(kBukakeImportCaption, "歩掛ファイルのインポート")                                                      \
    X(kSourceKoshuListTitle, "インポート元 工種データ一覧")                                                  \
    X(kSourceShubetsuListTitle, "インポート元 種別データ一覧")                                               \
    X(kDestKoshuListTitle, "インポート先 工種データ一覧")                                                    \
    X(kDestShubetsuListTitle, "インポート先 種別データ一覧")                                                 \
    X(kImportKoshuButton, "工種データのインポート")                                                          \
    X(kImportShubetsuButton, "種別データのインポート")                                                       \
    X(kImportNamePrefix, "インポート～")                                                                     \
    X(kAskImportAfter, " ' をインポートしますか？")                                                          \
    X(kExistsKoshuBefore, "既に工種データ ' ")                                                               \
    X(kExistsShubetsuBefore, "既に種別データ ' ")                                                            \
    X(kExistsAfter, " ' が存在します。\n上書きしてよろしいですか？")                                         \
    X(kAddKoshuBefore, "新たに工種データ ' ")                                                                \
    X(kAddShubetsuBefore, "新たに種別データ ' ")                                                             \
    X(kAddAfter, " ' を追加しますか？")
