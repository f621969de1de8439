// Every fixed text of the estimate layer, name and text verbatim: a changed text, a renamed,
// missing or extra entry, or a name listed twice fails.
#include <gtest/gtest.h>

#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "TextTableCheck.h"
#include "estimate/EstimateTexts.h"

namespace {

const TextEntry kExpected[] = {
    {"MsgMissingPrice", "「%1」 に未入力な単価があります。\n代価表を表示して未入力な単価を確認してください。"},
    {"MsgForeignSekisanFile",
     "このVemo Ovra 農林版 積算データ ファイルは無効であるか、または現在サポートされてない形式です。"},
    {"MsgOldSekisanFile",
     "このVemo Ovra 積算データ ファイルは、以前のファイル バージョンです。\n"
     "ファイル バージョンの更新を適用するには、上書き保存または名前を付けて保存を行ってください。"},
    {"MsgCannotOpenSekisanFile", "積算データ ファイル「%1」を開けません。"},
    {"MsgDamagedSekisanFile",
     "積算データ ファイル「%1」を読み込めません。\nファイルが途中で切れているか、壊れています。"},
    {"MsgCannotSaveSekisanFile", "積算データ ファイル「%1」を保存できません。"},
    {"MsgReadOnlySekisanFile",
     "積算データ ファイル「%1」は読み取り専用のため、上書き保存できません。\n名前を付けて保存で、別のファイルに保存してください。"},
    {"DocumentName", "積算データ"},
    {"FileNewName", "Vemo Ovra"},
    {"FilterName", "Vemo 農林版 ファイル (*.sei)"},
    {"FileTypeName", "Vemo 農林版 積算データ"},
    {"UnitShiki", "式"},
    {"UnitGyomu", "業務"},
    {"RowDensiKeisanki", "電子計算機使用料"},
    {"RowSeidoKanrihi", "精度管理費"},
    {"RowZairyohi", "材料費等"},
    {"RemarkDeleted", "削除されています"},
    {"MarumeSen", "(千円止め)"},
    {"MarumeMan", "(万円止め)"},
    {"MarumeJuMan", "(十万円止め)"},
    {"MarumeHyakuMan", "(百万円止め)"},
    {"MarumeSenMan", "(千万円止め)"},
    {"LabourTotal", "直接人件費    (%1)"},
    {"OwnLabourTotal", "人件費    (%1)"},
    {"NewLabourOpen", "新("},
    {"ConvLabourOpen", "従("},
    {"SonotaGenkaRate", "直接人件費の%1"},
    {"OfSokuryohi", "直接測量費の "},
    {"OfJinkenhi", "直接人件費の "},
    {"OfBukkenJinkenhi", "人件費の "},
    {"OfJunChosahiKei", " 純調査費計の"},
    {"OfChosahi", "直接調査費の "},
    {"Approx", "≒"},
    {"GijutsuEachRate", "各技術経費率で算出"},
    {"GijutsuRate", "直接人件費+諸経費 %1"},
    {"GijutsuRateApprox", "直接人件費+諸経費≒%1"},
    {"IppanRate", "業務原価の%1"},
    {"IppanRateApprox", "業務原価の約%1"},
    {"NotInGenka", "業務原価に含めない"},
    {"NoPrint", "印刷無"},
    {"SeidoOn", "精度管理費有"},
    {"SeidoOff", "精度管理費無"},
    {"DensiOn", "電子計算機使用料有"},
    {"DensiOff", "電子計算機使用料無"},
    {"ZairyoOn", "材料費有"},
    {"ZairyoOff", "材料費無"},
    {"DaikaNumber", "第%1号%2"},
    {"DefaultDaikaName", "一位代価表"},
    {"WeightAverage", "×%1"},
    {"AllKotei", "全工程,"},
    {"SomeKotei", "一部工程,"},
    {"HeadingHenkaritsu", "変化率"},
    {"HeadingHoseiritsu", "補正率"},
    {"DaysWide", "日，"},
    {"Days", "日,"},
    {"SeidoClass0", "10.0x^0.26(千円) x:直接人件費(千円)"},
    {"SeidoClass1", "0.4x^0.69(千円) x:直接人件費(千円)"},
    {"SeidoClass2", "直接人件費の4.0%(千円)"},
    {"SeidoClass4Soil", "1.6%"},
    {"SeidoClass5", "2.3x^0.44(千円) x:直接人件費(千円)"},
    {"SeidoClass6", "4.7x^0.38(千円) x:直接調査費(千円)"},
    {"SeidoClass7", "0.0215×直接調査費+45451 "},
    {"SeidoClass8", "直接調査費(千円)×0.02 = (千円)"},
    {"DensiSokuryo", "直接人件費の 0.56%"},
    {"DensiBukken", "直接人件費の 1.91%"},
    {"DensiSoil", "直接調査費の 2.14%"},
    {"DensiOther", "直接人件費の 0.63%"},
    {"DensiB", "直接人件費の 1.49%"},
    {"DensiAltSokuryo", "直接人件費の 0.83%"},
    {"DensiAltBukken", "直接人件費の 2.29%"},
    {"DensiAltSoil", "直接調査費の 1.60%"},
    {"DensiAltOther", "直接人件費の 1.33%"},
    {"DensiAltB", "直接人件費の 2.59%"},
    {"ShokeihiRateH26", "平成26年度以前の諸経費率"},
    {"ShokeihiRateH27", "平成27年度の諸経費率"},
    {"ShokeihiRateH29", "平成29年度の諸経費率"},
    {"ShokeihiRateR5", "令和5年度の諸経費率"},
    {"ShokeihiRateR6", "令和6年度の諸経費率"},
    {"IppanRateH26", "平成26年度以前の一般管理費等割合"},
};

}  // namespace

TEST(EstimateTexts, EveryEntryVerbatim) { ExpectTextTable(EstimateTexts(), kExpected); }
