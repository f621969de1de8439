#pragma once
// A section of the program's text table (app/AppTexts.h): the code includes that header, which gives every
// text of the list below its name.

// The fixed texts of the view's setting dialogs: captions, labels, radio and button texts, grid
// headings and the words the dialogs put together. Each is written once, here; the code refers to
// it by name (apptext::kDaikaNoCaption). Texts named …Suffix follow a word of the list.
#define VEMO_SETTING_TEXTS(X)                                                                              \
    /* Shared by the dialogs that relabel or add a cancel button */                                        \
    /* One yes/no choice for a whole 業務: the template texts, the words and what follows them */          \
    X(kIkkatsuTemplateCaption, "電子計算機使用料一括設定")                                                 \
    X(kIkkatsuTemplateFirst, "精度管理費有り")                                                             \
    X(kIkkatsuTemplateSecond, "精度管理費無し")                                                            \
    X(kIkkatsuWordChokusetsu, "直接経費の取り扱い")                                                        \
    X(kIkkatsuCaptionSuffix, "一括設定")                                                                   \
    X(kIkkatsuFirstSuffix, "有り")                                                                         \
    X(kIkkatsuSecondSuffix, "無し")                                                                        \
    X(kIkkatsuChokusetsuFirst, "直接経費を業務原価に含む")                                                 \
    X(kIkkatsuChokusetsuSecond, "直接経費を業務原価に含めない")                                            \
    /* 代価 number and title */                                                                            \
    X(kDaikaNoCaption, "代価No.設定")                                                                      \
    X(kDaikaNoAfter, "号")                                                                                 \
    X(kDaikaNoHint, "※取り消す場合は空白にしてください。")                                               \
    X(kDaikaNoSerial, "連続割付")                                                                          \
    /* Rounding of an amount, the eight choices in their order */                                          \
    X(kMarumeCaption, "丸め設定")                                                                          \
    X(kMarumeGroup, "金額を以下で丸める")                                                                  \
    X(kMarumeNone, "丸め なし")                                                                            \
    X(kMarumeTens, "十の位で丸める")                                                                       \
    X(kMarumeHundreds, "百の位で丸める")                                                                   \
    X(kMarumeThousands, "千の位で丸める")                                                                  \
    X(kMarumeTenThousands, "万の位で丸める")                                                               \
    X(kMarumeHundredThousands, "十万の位で丸める")                                                         \
    X(kMarumeMillions, "百万の位で丸める")                                                                 \
    X(kMarumeTenMillions, "千万の位で丸める")                                                              \
    /* Unit */                                                                                             \
    X(kTaniCaption, "単位入力")                                                                            \
    /* Price column of the 単価 master */                                                                  \
    X(kTankaSettingCaption, "単価設定")                                                                    \
    X(kTankaSettingGroup, "単価データ")                                                                    \
    X(kTankaSettingLabel, "選択単価 :")                                                                    \
    X(kTankaSettingUntitled, "未設定")                                                                     \
    /* Calculation classifications of a 種別 row */                                                        \
    X(kKeisanKubunCaption, "計算区分設定")                                                                 \
    X(kKeisanKubunHeading, "計算区分")                                                                     \
    X(kKeisanKubunNameLabel, "< 種 別 名 称 ＞")                                                           \
    X(kKeisanKubunSelectAll, "全選択")                                                                     \
    X(kKeisanKubunClearAll, "全解除")                                                                      \
    /* Program amount of a row */                                                                          \
    X(kProgramSelectCaption, "プログラム金額選択")                                                         \
    /* Change rate of one slot */                                                                          \
    X(kHenkaritsuCaption, "変化率・補正率設定")                                                            \
    X(kHenkaritsuNameDesign, "変化率・補正率データ名")                                                     \
    X(kHenkaritsuApplyNote, "既存の掛率と新に入力する掛率の計算方法を選択してください。")                 \
    X(kHenkaritsuApplyReplace, "新に入力する掛率をそのまま適用する。")                                     \
    X(kHenkaritsuApplyMultiply, "既存の掛率×新に入力する掛率を適用する。")                                 \
    X(kHenkaritsuLLLabel, "LL = ")                                                                         \
    X(kHenkaritsuNext, "次へ")                                                                             \
    X(kHenkaritsuBack, "戻る")                                                                             \
    /* Guided entry of new rows: its questions, their caption and the quantity dialog's titles */          \
    X(kGuidedKeisanKubunQuestion, "計算対象の計算区分を選択しますか？")                                     \
    X(kGuidedSingleChoiceNote,                                                                             \
      "計算対象に単一選択の計算区分が含まれています。\nその場合は計算区分を１つ選択してください。")          \
    X(kGuidedSuryoEachQuestion, "数量を個別に入力しますか？")                                               \
    X(kGuidedSuryoNameClose, "」")                                                                         \
    X(kGuidedSuryoTitleSuffix, " 数量入力")                                                                 \
    X(kGuidedSuryoBulkTitle, "数量一括入力")                                                               \
    /* A 掛率 multiplied beyond what a row can hold: the row keeps its own, named between these */         \
    X(kKakeritsuOverflowClose, "」の掛率は積が大きすぎるため、変更しませんでした。")                        \
    /* Questions before a command rewrites a line the user edited */                                       \
    X(kNameLowerEditedPrompt,                                                                              \
      "'費目／工種／種別'の下段の文字列がユーザーによって変更されています。\n更新してよろしいですか？")      \
    X(kRemarkUpperEditedPrompt, "'摘要'の上段の文字列がユーザーによって変更されています。\n更新してよろしいですか？") \
    X(kRemarkLowerEditedPrompt, "'摘要'の下段の文字列がユーザーによって変更されています。\n更新してよろしいですか？")
