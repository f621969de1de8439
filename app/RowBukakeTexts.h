#pragma once
// A section of the program's text table (app/AppTexts.h): the code includes that header, which gives every
// text of the list below its name.

// The questions of the estimate view's 歩掛編集 before the edited 歩掛 detail is saved. The copy's name
// prefix, the message when a 工種 has no free 種別 code and the material-price question are the
// master editors' (masteredittext::).
#define VEMO_ROW_BUKAKE_TEXTS(X)                                                                            \
    /* A 種別 the user made: saved into itself */                                                             \
    X(kAskSaveBukakeShubetsu, "該当歩掛データを保存しますか？")                                                \
    /* A 種別 of the master: Yes saves a user copy, No leads to the overwrite question */                      \
    X(kAskCopyShubetsu,                                                                                       \
      "種別データをコピーします。\n\n※「はい」の選択を強くを推奨します。\n「いいえ」の場合は、オリジナルデータが上書きされます。") \
    X(kAskOverwriteOriginalShubetsu, "オリジナルデータを上書き保存しますか？")
