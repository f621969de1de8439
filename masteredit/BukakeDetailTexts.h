#pragma once
// A section of the editors' text table (masteredit/MasterEditTexts.h): the code includes that header, which
// gives every text of the list below its name.

// The fixed texts of the 歩掛 detail dialogs and their sub-dialogs (費目 settings and auxiliary
// formulas): captions, labels, buttons, grid headings, the entries of the 歩掛データ タイプ list, the
// refusals at OK and the pieces of the amount labels.
#define VEMO_BUKAKE_DETAIL_TEXTS(X)                                                                            \
    /* Shared by the detail dialogs */                                                                         \
    X(kBukakeDetailCaption, "歩掛データ詳細設定")                                                              \
    X(kShubetsuNameLabel, "種別名 :")                                                                          \
    X(kFormulaLabel, "式 :")                                                                                   \
    X(kHenkaritsuSlotLabel, "H%d :")                                                                           \
    X(kBukakeTypeLabel, "歩掛データ タイプ :")                                                                 \
    X(kHenkaritsuPrefix, "(変化率)")                                                                           \
    X(kHoseiritsuPrefix, "(補正率)")                                                                           \
    X(kKingakuBefore, " 金額 ： ")                                                                             \
    X(kGokeiBefore, " 合計 ： ")                                                                               \
    X(kSankoKingakuButton, "参考金額")                                                                         \
    X(kNoRoundingCheck, "単価の端数計算方法では丸めない")                                                      \
    X(kFormulaMissing, "式が入力されていません。式が空白だと正しく計算されません。\n式を入力してください。")   \
    X(kFormulaInvalid, "入力された式は無効です。式が無効だと正しく計算されません。\nもう一度式を確認してください。") \
    X(kMachineRateLabel, "機械経費率(%) :")                                                                    \
    X(kMaterialRateLabel, "材料費率(%) :")                                                                     \
    /* Detail settings */                                                                                      \
    X(kSakugyoKubunHeading, "作業区分")                                                                        \
    X(kGaigyoEntry, "外業")                                                                                    \
    X(kNaigyoEntry, "内業")                                                                                    \
    X(kLineTotalHeading, "計")                                                                                 \
    X(kShokushuSetButton, "職種名称設定...")                                                                   \
    X(kProgramKingakuCheck, "プログラム金額を使用する")                                                        \
    X(kComputerRateLabel, "電子計算機使用料率(%) :")                                                           \
    X(kTsushinRateLabel, "通信運搬費等率(%) :")                                                                \
    X(kHimokuEachRadio, "個別に各費目を設定")                                                                  \
    X(kHimokuRatioRadio, "各費目の直接人件費に対する割合で設定")                                               \
    X(kHimokuSetButton, "設 定")                                                                               \
    X(kUseHojoShikiCheck, "補助式を使用")                                                                      \
    X(kHojoShikiButton, "補助式")                                                                              \
    X(kSeikahinKenteiGroup, "成果品検定料")                                                                    \
    X(kDaikaPreviewButton, "代価 印刷ﾌﾟﾚﾋﾞｭｰ")                                                                 \
    X(kDaikaPrintButton, "代価 印刷...")                                                                       \
    X(kMeisaiPreviewButton, "明細 印刷ﾌﾟﾚﾋﾞｭｰ")                                                                \
    X(kMeisaiPrintButton, "明細 印刷...")                                                                      \
    X(kSakugyoKubunMissing, "入力されてない作業区分が存在します。\n作業区分を入力してください。")             \
    /* Expense detail (土質調査) */                                                                             \
    X(kTankaKindHeading, "単 価 種 別")                                                                        \
    X(kTankaNameHeading, "単 価 名 称")                                                                        \
    X(kQuantityOrFormulaHeading, "数　量　または　式")                                                         \
    X(kLossRateHeading, "損率")                                                                                \
    X(kLegendLabour, "黒：直接人件費")                                                                         \
    X(kLegendRomu, "青：労務費")                                                                               \
    X(kLegendMaterial, "赤紫：材料費")                                                                         \
    X(kLegendMachine, "茶：機械器具損料")                                                                      \
    X(kLegendPower, "緑：動力費・その他")                                                                      \
    X(kLegendZ1, "任意材料費はZ1と記入")                                                                       \
    X(kLegendZ2, "任意機械経費はZ2と記入")                                                                     \
    X(kZ1Group, "Z1 : 任意材料費算出方法の設定")                                                               \
    X(kZ2Group, "Z2 : 任意機械経費算出方法の設定")                                                             \
    X(kZ3Group, "Z3 : 任意その他経費算出方法の設定")                                                           \
    X(kBasisLabour, "直接人件費計により算出")                                                                  \
    X(kBasisRomu, "労務費計により算出")                                                                        \
    X(kBasisMaterial, "材料費計により算出")                                                                    \
    X(kBasisJinkenhi, "人件費計により算出")                                                                    \
    X(kBasisAllSpaced, "人件費 + 材料費 + 機械経費")                                                           \
    X(kBasisTankaName, "該当単価名称により算出")                                                               \
    X(kRowDeleteButton, "行削除")                                                                              \
    X(kRowInsertButton, "行挿入")                                                                              \
    /* 費目 settings */                                                                                        \
    X(kHimokuCaption, "費目データ設定")                                                                        \
    X(kHimokuKindHeading, "費 目 種 別")                                                                       \
    X(kHimokuNameHeading, "費 目 名 称")                                                                       \
    X(kHimokuLegendMaterial, "赤：材料費")                                                                     \
    X(kHimokuLegendMachine, "紫：機械器具損料")                                                                \
    X(kHimokuLegendOther, "青緑：その他経費")                                                                  \
    X(kHimokuLegendZ3, "その他経費はZ3と記入")                                                                 \
    X(kBasisMachine, "機械経費計により算出")                                                                   \
    X(kBasisOther, "その他経費計により算出")                                                                   \
    X(kBasisAll, "人件費+材料費+機械経費計")                                                                   \
    X(kExpenseRateLabel, "経費率(%) :")                                                                        \
    X(kHimokuAddButton, "費目追加")                                                                            \
    X(kHimokuInsertButton, "費目挿入")                                                                         \
    X(kHimokuDeleteButton, "費目削除")                                                                         \
    X(kHimokuUpButton, "費目を上へ移動")                                                                       \
    X(kHimokuDownButton, "費目下へ移動")                                                                       \
    X(kCannotAdd, "これ以上追加する事はできません。")                                                          \
    X(kCannotInsert, "これ以上挿入する事はできません。")                                                       \
    X(kAskDeleteHimoku, "費目データ '%s' を削除してよろしいですか？")                                          \
    /* Auxiliary formulas */                                                                                   \
    X(kHojoShikiTitle, "補助式設定")                                                                           \
    X(kHojoShikiExplainTitle, "　説明")                                                                        \
    X(kHojoShikiExplain1, "補助式は歩掛データ詳細設定ダイアログの式に対する")                                  \
    X(kHojoShikiExplain2, "補助的な設定を行います。補助式を利用する場合は必ず")                                \
    X(kHojoShikiExplain3, "Ｓ１に有効な式を登録してください。")                                                \
    X(kHojoS1, "Ｓ１：")                                                                                       \
    X(kHojoS2, "Ｓ２：")                                                                                       \
    X(kHojoS3, "Ｓ３：")                                                                                       \
    X(kHojoS4, "Ｓ４：")                                                                                       \
    X(kHojoS5, "Ｓ５：")                                                                                       \
    X(kHojoS6, "Ｓ６：")                                                                                       \
    X(kHojoS7, "Ｓ７：")                                                                                       \
    X(kHojoS8, "Ｓ８：")                                                                                       \
    X(kHojoS1Missing, "補助式1（Ｓ１）に正しい式が入力されていません。式を入力してください。")                 \
    X(kHojoInvalid, "補助式%d（Ｓ%d）は無効です。\nもう一度式を確認してください。")                            \
    /* 歩掛データ タイプ, by stored value */                                                                   \
    X(kBukakeType0, "通常タイプ")                                                                              \
    X(kBukakeType1, "側道橋タイプ")                                                                            \
    X(kBukakeType2, "護岸タイプ")                                                                              \
    X(kBukakeType3, "河川計画タイプ")                                                                          \
    X(kBukakeType4, "土質調査標準タイプ")                                                                      \
    X(kBukakeType5, "土質調査式数量タイプ")                                                                    \
    X(kBukakeType6, "物件調査通勤タイプ")                                                                      \
    X(kBukakeType7, "物件調査往復費タイプ")                                                                    \
    X(kBukakeType8, "物件調査滞在費タイプ")                                                                    \
    X(kBukakeType9, "物件調査運搬費タイプ")                                                                    \
    X(kBukakeType10, "区画整理αＲタイプ")                                                                     \
    X(kBukakeType11, "区画整理αβＲタイプ")                                                                   \
    X(kBukakeType12, "区画整理Ｒタイプ")                                                                       \
    X(kBukakeType13, "補正式タイプ(H8に設定)")                                                                 \
    X(kBukakeType13Short, "補正式タイプ")                                                                      \
    X(kBukakeType14, "区画設計α１")                                                                           \
    X(kBukakeType15, "区画設計α２")                                                                           \
    X(kBukakeType16, "区画設計α３")                                                                           \
    X(kBukakeType17, "区画設計α４")                                                                           \
    X(kBukakeType18, "区画設計β２")                                                                           \
    X(kBukakeType19, "区画設計α２β１")                                                                       \
    X(kBukakeType20, "区画設計α４β１")                                                                       \
    X(kBukakeType21, "区画設計α４β２")                                                                       \
    X(kBukakeType22, "タイトル(何も処理しない)")                                                               \
    X(kBukakeType23, "ﾎﾞｰﾘﾝｸﾞ孔番号ﾀｲﾌﾟ")                                                                       \
    X(kBukakeType24, "区画設計β１")                                                                           \
    X(kBukakeType25, "区画設計α５")                                                                           \
    X(kBukakeType26, "区画設計α５'")                                                                          \
    X(kBukakeType27, "道路タイプ")                                                                             \
    X(kBukakeType28, "橋梁タイプ")                                                                             \
    X(kBukakeType29, "設計書作成ﾏﾆｭｱﾙﾀｲﾌﾟ")                                                                     \
    X(kBukakeType30, "測量1区分タイプ")                                                                        \
    X(kBukakeType31, "測量複数区分タイプ")                                                                     \
    X(kBukakeType32, "区画設計β１'")                                                                          \
    X(kBukakeType33, "区画設計β２'")
