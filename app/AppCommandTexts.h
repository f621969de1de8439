#pragma once
// A section of the program's text table (app/AppTexts.h): the code includes that header, which gives every
// text of the list below its name.

// The fixed texts of the application's own commands and their dialogs: the about box, help and
// the web pages, the 物件調査 switch, the options dialog, the company-name and initial unit-price
// dialog and the keyboard-state panes. Each is written once, here; the code refers to it by name
// (apptext::kAskEnableBukken). A text starting with "\n" follows a path; texts named …Before go
// in front of a number. File names are not texts: they stay with the code that builds the paths.
#define VEMO_APP_COMMAND_TEXTS(X)                                                                              \
    /* About box */                                                                                            \
    X(kAboutCaption, "バージョン情報")                                                                         \
    X(kAboutTitle, "Vemo Ovra  農林版  令和7年度積算基準対応版")                                               \
    X(kVersionBefore, "Ver ")                                                                                  \
    X(kVersionReportHeading, " [各ファイルの データバージョン]")                                               \
    X(kVersionReportLineBreak, "\r\n")                                                                         \
    X(kVersionBukake, "\t歩掛データ\t\t\t")                                                                    \
    X(kVersionBukakeUnknown, "\t歩掛データ\t\t\t不明")                                                         \
    X(kVersionHenkaritsu, "\t変化率・補正率データ\t\t")                                                        \
    X(kVersionHenkaritsuUnknown, "\t変化率・補正率データ\t\t不明")                                             \
    X(kVersionTanka, "\t単価データ\t\t\t")                                                                     \
    X(kVersionTankaUnknown, "\t単価データ\t\t\t不明")                                                          \
    X(kVersionShokeihi, "\t諸経費データ\t\t\t")                                                                \
    X(kVersionShokeihiUnknown, "\t諸経費データ\t\t\t不明")                                                     \
    X(kVersionProgramKingaku, "\tプログラム金額データ\t\t")                                                    \
    X(kVersionProgramKingakuUnknown, "\tプログラム金額データデータ\t不明")                                     \
    X(kVersionZairyoTanka, "\t材料単価データ\t\t")                                                             \
    X(kVersionZairyoTankaUnknown, "\t材料単価データ\t\t不明")                                                  \
    X(kDetailsExpand, "詳細 >>")                                                                               \
    X(kDetailsCollapse, "詳細 <<")                                                                             \
    X(kReadmeButton, "Readme表示")                                                                             \
    /* Help, the web pages and the 物件調査 switch */                                                          \
    X(kSupportUrl, "https://www.zorva.co.jp/vemo/support/")                                                    \
    X(kTechInfoUrl, "https://www.zorva.co.jp/vemo/gijutsu/")                                                   \
    /* The desktop could not open the manual (its path in front) or a web page (its address in front) */       \
    X(kCannotOpenFileAfter, "\nを開けませんでした。\nこのファイルを開くプログラムが設定されているか確認してください。") \
    X(kCannotOpenPageAfter, "\nを開けませんでした。\nWeb ブラウザーが設定されているか確認してください。")   \
    X(kAskEnableBukken, "物件調査を使用可能にしますか？")                                                      \
    /* Editor launchers */                                                                                     \
    /* Options dialog */                                                                                       \
    X(kOptionCaption, "オプション")                                                                            \
    X(kSeidoCalcGroup, "測量－精度管理費算出方法")                                                             \
    X(kSeidoCalc0, "精度管理費＝（直接人件費＋労務費＋機械経費）×精度管理費係数")                             \
    X(kSeidoCalc1, "精度管理費＝（直接人件費＋機械経費）×精度管理係数")                                       \
    X(kShokeihiCalcGroup, "設計－直接人件費算出方法")                                                          \
    X(kShokeihiCalc0, "電子計算機使用料を含めて計算")                                                          \
    X(kShokeihiCalc1, "電子計算機使用料を含めずに計算")                                                        \
    X(kSekouCalcGroup, "測量－施工管理費算出方法")                                                             \
    X(kSekouCalc0, "施工管理費を一括して計上")                                                                 \
    X(kSekouCalc1, "施工管理費を個別に選択設定して計上")                                                       \
    X(kGijyutuCalcGroup, "設計(従来の積算)－技術経費率の違うものを選択した場合の算出方法")                     \
    X(kGijyutuCalc0, "下記の技術経費率にて統一して算出")                                                       \
    X(kGijyutuCalc1, "個々の技術経費率にて個別に算出")                                                         \
    X(kDefGijyutuCalc0, "一番高い技術経費率にて算出")                                                          \
    X(kDefGijyutuCalc1, "合計金額が最大となる技術経費率にて算出")                                              \
    X(kDensiDsp0, "各種別内に含めて表示")                                                                      \
    X(kDensiDsp1, "専用行にまとめて表示")                                                                      \
    X(kDaikaOnGroup, "土質調査(一般)－単価の出典元の表示方法")                                                 \
    X(kDaikaOn0, "代価表に表示する")                                                                           \
    X(kDaikaOn1, "代価表には表示しない（総括表で表示する）")                                                   \
    X(kMarumeDspGroup, "全体－丸め桁の表示")                                                                   \
    X(kMarumeDsp0, "丸め桁を表示しない")                                                                       \
    X(kMarumeDsp1, "丸め桁を摘要欄に表示")                                                                     \
    X(kSeidoDspGroup, "測量－精度管理費表示方法")                                                              \
    X(kZairyoDspGroup, "物件調査－材料費表示方法")                                                             \
    X(kDouroCalcGroup, "測量・設計－単価の端数計算方法")                                                       \
    X(kDouroCalc0, "従来の計算方法（小数点以下切捨て）")                                                       \
    X(kDouroCalc1, "平成30年「設計業務等標準積算基準書の")                                                     \
    X(kDouroCalc1More, "解説」に準拠（有効数字4桁(5桁目切捨て））")                                           \
    X(kHoseiMarumeKetaBefore, "設計の補正後の数量の丸め桁 小数第")                                             \
    X(kHoseiMarumeKetaAfter, "位")                                                                             \
    X(kHoseiMarumeKind0, "四捨五入")                                                                           \
    X(kHoseiMarumeKind1, "切捨て")                                                                             \
    X(kHoseiMarumeKind2, "切上げ")                                                                             \
    /* Company-name and initial unit-price dialog */                                                           \
    X(kShameiCaption, "社名入力及び選択単価の初期設定")                                                        \
    X(kCompanyGroup, "会社概要")                                                                               \
    X(kPostalCodeLabel, "郵便番号 :")                                                                          \
    X(kAddressLabel, "住所 :")                                                                                 \
    X(kCompanyNameLabel, "社名 :")                                                                             \
    X(kRepresentativeLabel, "代表者名 :")                                                                      \
    X(kTelLabel, "TEL :")                                                                                      \
    X(kFaxLabel, "FAX :")                                                                                      \
    X(kFooterCheck, "印刷時にフッタに社名を入れる")                                                            \
    X(kDefaultColumnLabel, "選択単価の初期設定 :")                                                             \
    X(kTravelCheck, "旅費交通費積上方式")                                                                      \
    X(kTaxLabel, "消費税 :")                                                                                   \
    /* Keyboard-state panes of the status bar (kana, caps lock, num lock, scroll lock) */                      \
    X(kKanaPane, "ｶﾅ")                                                                                         \
    X(kCapsPane, "CAP")                                                                                        \
    X(kNumPane, "NUM")                                                                                         \
    X(kScrollPane, "SCRL")
