#pragma once
#include <span>

#include "platform/TextEntry.h"

// The fixed texts of the estimate layer: messages, document captions, names of the rows the
// calculation inserts, and the remark texts and pieces the calculation writes. Each text is written
// once, in the list below; the code refers to it by name (estimate_texts::Name). Markers %1, %2 are
// filled by vemo::FillText.
#define VEMO_ESTIMATE_TEXTS(X) \
    /* Messages. */ \
    X(MsgMissingPrice, \
      "「%1」 に未入力な単価があります。\n代価表を表示して未入力な単価を確認してください。") \
    X(MsgForeignSekisanFile, \
      "このVemo Ovra 農林版 積算データ ファイルは無効であるか、または現在サポートされてない形式です。") \
    X(MsgOldSekisanFile, \
      "このVemo Ovra 積算データ ファイルは、以前のファイル バージョンです。\n" \
      "ファイル バージョンの更新を適用するには、上書き保存または名前を付けて保存を行ってください。") \
    X(MsgCannotOpenSekisanFile, "積算データ ファイル「%1」を開けません。") \
    X(MsgDamagedSekisanFile, \
      "積算データ ファイル「%1」を読み込めません。\nファイルが途中で切れているか、壊れています。") \
    X(MsgCannotSaveSekisanFile, "積算データ ファイル「%1」を保存できません。") \
    X(MsgReadOnlySekisanFile, \
      "積算データ ファイル「%1」は読み取り専用のため、上書き保存できません。\n" \
      "名前を付けて保存で、別のファイルに保存してください。") \
    /* Rows checked against the moves of user 工種 and 種别 (%1 the estimate's name; a line follows */ \
    /* each heading for each row: names, separator, code before, code(s)). */ \
    X(MsgMovedRowsChecked, \
      "積算データ「%1」の行を、歩掛データの更新でコードが変わった任意の工種・種別と照らし合わせました。\n") \
    X(MsgMovedRowsRepointed, "\n以下の行は、工種・種別コードが変わったため、新しいコードに置き換えました。\n") \
    X(MsgMovedRowsLeft, \
      "\n以下の行は、コードが変わった、または引き継がれなかった任意の工種・種別の行か確かめられないため、" \
      "そのままにしました。\n工種選択・種別選択で選択し直してください。\n") \
    /* The document type. */ \
    X(DocumentName, "積算データ") \
    X(FileNewName, "Vemo Ovra") \
    X(FilterName, "Vemo 農林版 ファイル (*.sei)") \
    X(FileTypeName, "Vemo 農林版 積算データ") \
    /* Units; both make a lump amount. */ \
    X(UnitShiki, "式") \
    X(UnitGyomu, "業務") \
    /* Rows the calculation inserts. */ \
    X(RowDensiKeisanki, "電子計算機使用料") \
    X(RowSeidoKanrihi, "精度管理費") \
    X(RowZairyohi, "材料費等") \
    /* Remarks of the main pass. */ \
    X(RemarkDeleted, "削除されています") \
    X(MarumeSen, "(千円止め)") \
    X(MarumeMan, "(万円止め)") \
    X(MarumeJuMan, "(十万円止め)") \
    X(MarumeHyakuMan, "(百万円止め)") \
    X(MarumeSenMan, "(千万円止め)") \
    X(LabourTotal, "直接人件費    (%1)") \
    X(OwnLabourTotal, "人件費    (%1)") \
    X(NewLabourOpen, "新(") \
    X(ConvLabourOpen, "従(") \
    X(SonotaGenkaRate, "直接人件費の%1") \
    X(OfSokuryohi, "直接測量費の ") \
    X(OfSokuryoSagyohi, "測量作業費の ") \
    X(OfJinkenhi, "直接人件費の ") \
    X(OfBukkenJinkenhi, "人件費の ") \
    X(OfJunChosahiKei, " 純調査費計の") \
    X(OfChosahi, "直接調査費の ") \
    X(Approx, "≒") \
    X(GijutsuEachRate, "各技術経費率で算出") \
    X(GijutsuRate, "直接人件費+諸経費 %1") \
    X(GijutsuRateApprox, "直接人件費+諸経費≒%1") \
    X(IppanRate, "業務原価の%1") \
    X(IppanRateApprox, "業務原価の約%1") \
    /* Remarks of the remark pass. */ \
    X(NotInGenka, "業務原価に含めない") \
    X(NoPrint, "印刷無") \
    X(SeidoOn, "精度管理費有") \
    X(SeidoOff, "精度管理費無") \
    X(DensiOn, "電子計算機使用料有") \
    X(DensiOff, "電子計算機使用料無") \
    X(ZairyoOn, "材料費有") \
    X(ZairyoOff, "材料費無") \
    X(DaikaNumber, "第%1号%2") \
    X(DefaultDaikaName, "一位代価表") \
    X(WeightAverage, "×%1") \
    /* Rate descriptions and day texts. */ \
    X(AllKotei, "全工程,") \
    X(SomeKotei, "一部工程,") \
    X(HeadingHenkaritsu, "変化率") \
    X(HeadingHoseiritsu, "補正率") \
    X(DaysWide, "日，") \
    X(Days, "日,") \
    /* 精度管理費 (電子成果品作成費) formulas by class. */ \
    X(SeidoClass0, "10.0x^0.26(千円) x:直接人件費(千円)") \
    X(SeidoClass1, "0.4x^0.69(千円) x:直接人件費(千円)") \
    X(SeidoClass2, "直接人件費の4.0%(千円)") \
    X(SeidoClass4Soil, "1.6%") \
    X(SeidoClass5, "2.3x^0.44(千円) x:直接人件費(千円)") \
    X(SeidoClass6, "4.7x^0.38(千円) x:直接調査費(千円)") \
    X(SeidoClass7, "0.0215×直接調査費+45451 ") \
    X(SeidoClass8, "直接調査費(千円)×0.02 = (千円)") \
    /* 電子計算機使用料 rates: first table (DensiKeisanki), second table (DensiKeisankiAlt). */ \
    X(DensiSokuryo, "直接人件費の 0.56%") \
    X(DensiBukken, "直接人件費の 1.91%") \
    X(DensiSoil, "直接調査費の 2.14%") \
    X(DensiOther, "直接人件費の 0.63%") \
    X(DensiB, "直接人件費の 1.49%") \
    X(DensiAltSokuryo, "直接人件費の 0.83%") \
    X(DensiAltBukken, "直接人件費の 2.29%") \
    X(DensiAltSoil, "直接調査費の 1.60%") \
    X(DensiAltOther, "直接人件費の 1.33%") \
    X(DensiAltB, "直接人件費の 2.59%") \
    /* Lower remarks of the overhead rows of older files. */ \
    X(ShokeihiRateH26, "平成26年度以前の諸経費率") \
    X(ShokeihiRateH27, "平成27年度の諸経費率") \
    X(ShokeihiRateH29, "平成29年度の諸経費率") \
    X(ShokeihiRateR5, "令和5年度の諸経費率") \
    X(ShokeihiRateR6, "令和6年度の諸経費率") \
    X(IppanRateH26, "平成26年度以前の一般管理費等割合")

namespace estimate_texts {
#define VEMO_DECLARE_TEXT(name, text) inline constexpr char name[] = text;
VEMO_ESTIMATE_TEXTS(VEMO_DECLARE_TEXT)
#undef VEMO_DECLARE_TEXT
}  // namespace estimate_texts

// Every entry of the list above, in its order.
std::span<const TextEntry> EstimateTexts();
