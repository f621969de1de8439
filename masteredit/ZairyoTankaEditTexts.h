#pragma once
// A section of the master editors' text table (masteredit/MasterEditTexts.h): the code includes that
// header, which gives every text of the list below its name.

// The fixed texts of the material-price file editor and its launcher. Texts named …Before go in
// front of an item's name and are followed by kDeleteAfter.
#define VEMO_ZAIRYO_TANKA_EDIT_TEXTS(X)                                                                        \
    X(kZairyoTankaEditCaptionBefore, "材料単価ファイル編集－[")                                                \
    X(kZairyoTankaEditCaptionAfter, "]")                                                                       \
    X(kZairyoTitleLabel, "タイトル :")                                                                         \
    X(kHinmeiChangeButton, "品名変更...")                                                                      \
    X(kHinmeiAddButton, "品名追加...")                                                                         \
    X(kHinmeiInsertButton, "品名挿入...")                                                                      \
    X(kHinmeiDeleteButton, "品名削除")                                                                         \
    X(kHinmeiUpButton, "品名 上へ移動")                                                                        \
    X(kHinmeiDownButton, "品名 下へ移動")                                                                      \
    X(kOpenZairyoTankaButton, "材料単価を開く...")                                                             \
    X(kDeleteZairyoBefore, "材料費 ' ")                                                                        \
    X(kDeleteDoryokuBefore, "動力費 ' ")                                                                       \
    X(kDeleteKikaiBefore, "機械器具損料 ' ")                                                                   \
    X(kDeleteSokuryoZairyoBefore, "測量材料費 ' ")                                                             \
    X(kDeleteSokuryoKikaiBefore, "測量機械経費 ' ")                                                            \
    X(kDeleteSokuryoSonotaBefore, "測量その他経費 ' ")                                                         \
    X(kAskSaveZairyoTanka, "現在の材料単価データを保存しますか？")                                             \
    X(kNoFreeZairyoCode, "使用できる品名コード（1000～1999）が残っていません。\n新しい材料単価データは追加できません。") \
    X(kZairyoCodeOutOfRange, "品名コードは 1000～1999 の範囲で入力してください。")                             \
    X(kRecalcAfterZairyoTankaEdit, "編集した材料単価をお見積りに反映させるため再計算ボタンを押してください。")
