#pragma once
// A section of the program's text table (app/AppTexts.h): the code includes that header, which gives every
// text of the list below its name.

// The fixed texts of the estimate's selection dialogs (業務, 工種 and 種別) and of the title
// dialog: captions, list titles, hints, legends, the coefficient lines and the question. Each is
// written once, here; the code refers to it by name (apptext::kAddButton). Texts with %1 take a
// value (FillText).
#define VEMO_SELECTION_TEXTS(X)                                                                              \
    /* The buttons between the two lists */                                                                  \
    X(kAddButton, "追加 ->")                                                                                  \
    X(kRemoveButton, "<- 削除")                                                                               \
    /* 業務 selection */                                                                                     \
    X(kGyomuSelectCaption, "業務選択")                                                                        \
    X(kGyomuSelectHint, "歩掛業務を選んで追加ボタンを押して下さい。")                                         \
    X(kGyomuChosenListTitle, "選択歩掛業務データ一覧")                                                        \
    /* 工種 selection */                                                                                     \
    X(kKoshuSelectCaption, "工種選択")                                                                        \
    X(kKoshuSelectHint, "歩掛工種を選んで追加ボタンを押して下さい。")                                         \
    X(kKoshuMasterListTitle, "歩掛工種データ一覧")                                                            \
    X(kKoshuChosenListTitle, "選択工種データ一覧")                                                            \
    X(kConventionalNote, "従来の積算手法を追加した場合は､｢諸経費｣｢技術経費｣も追加してください。")           \
    /* 種別 selection */                                                                                     \
    X(kShubetsuSelectCaption, "種別選択")                                                                     \
    X(kShubetsuSelectHint, "歩掛種別を選んで追加ボタンを押して下さい。")                                      \
    X(kShubetsuMasterListTitle, "歩掛種別データ一覧")                                                         \
    X(kShubetsuChosenListTitle, "選択種別データ一覧")                                                         \
    X(kSeidoCoefficient, "精度管理係数 : %1")                                                                 \
    X(kGijutsuCoefficient, "技術経費　　 : %1")                                                               \
    X(kNoCoefficient, "　　　　　　 : -.--")                                                                  \
    X(kAskShubetsuAgain, "技術経費の異なる種別データが選択されています。\nもう一度、種別データを選択しますか？") \
    /* Colour legends of the list icons: as the dialogs open, then as the 業務 sets them */                  \
    X(kLegendNewStandard, "※ 黄色 ： 新しい積算手法標準添付歩掛り")                                         \
    X(kLegendNewUser, "※ 水色 ： 新しい積算手法ﾕｰｻﾞｰ作成歩掛り")                                             \
    X(kLegendNewZenchiren, "※ 緑色 ： 新しい積算手法全地連版歩掛り")                                         \
    X(kLegendConventionalZenchiren, "※ 緑色 ： 従来の積算手法全地連版歩掛り")                                \
    X(kLegendConventional, "※ 茶色 ： 従来の積算手法歩掛り")                                                 \
    X(kLegendConventionalUser, "※ 紫色 ： 従来の積算手法ﾕｰｻﾞｰ作成歩掛り")                                   \
    /* Title dialog */                                                                                       \
    X(kKenmeiCaption, "件名入力")                                                                             \
    X(kKenmeiNewCaption, "件名の新規作成")                                                                    \
    X(kKenmeiChangeCaption, "件名の変更")                                                                     \
    X(kPrintTitleLabel, "印刷表題 :")                                                                         \
    X(kKenmeiLabel, "件名 :")                                                                                 \
    X(kKashomeiLabel, "箇所名 :")                                                                             \
    X(kDefaultPrintTitle, "御　　見　　積　　書")
