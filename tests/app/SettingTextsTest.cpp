// Every fixed text of the setting dialogs, verbatim: a changed, missing or extra text fails.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "app/SettingTexts.h"

namespace {

const TextEntry kExpected[] = {
    {"kSettingCancel", "ｷｬﾝｾﾙ"},
    {"kIkkatsuTemplateCaption", "電子計算機使用料一括設定"},
    {"kIkkatsuTemplateFirst", "精度管理費有り"},
    {"kIkkatsuTemplateSecond", "精度管理費無し"},
    {"kIkkatsuWordSeido", "精度管理費"},
    {"kIkkatsuWordDenshi", "電子計算機使用料"},
    {"kIkkatsuWordZairyo", "材料費"},
    {"kIkkatsuWordChokusetsu", "直接経費の取り扱い"},
    {"kIkkatsuCaptionSuffix", "一括設定"},
    {"kIkkatsuFirstSuffix", "有り"},
    {"kIkkatsuSecondSuffix", "無し"},
    {"kIkkatsuChokusetsuFirst", "直接経費を業務原価に含む"},
    {"kIkkatsuChokusetsuSecond", "直接経費を業務原価に含めない"},
    {"kDaikaNoCaption", "代価No.設定"},
    {"kDaikaNoBefore", "第"},
    {"kDaikaNoAfter", "号"},
    {"kDaikaNoHint", "※取り消す場合は空白にしてください。"},
    {"kDaikaNoSerial", "連続割付"},
    {"kDaikaNoDefaultTitle", "一位代価表"},
    {"kMarumeCaption", "丸め設定"},
    {"kMarumeGroup", "金額を以下で丸める"},
    {"kMarumeNone", "丸め なし"},
    {"kMarumeTens", "十の位で丸める"},
    {"kMarumeHundreds", "百の位で丸める"},
    {"kMarumeThousands", "千の位で丸める"},
    {"kMarumeTenThousands", "万の位で丸める"},
    {"kMarumeHundredThousands", "十万の位で丸める"},
    {"kMarumeMillions", "百万の位で丸める"},
    {"kMarumeTenMillions", "千万の位で丸める"},
    {"kTaniCaption", "単位入力"},
    {"kTaniLabel", "単位 :"},
    {"kTankaSettingCaption", "単価設定"},
    {"kTankaSettingGroup", "単価データ"},
    {"kTankaSettingLabel", "選択単価 :"},
    {"kTankaSettingUntitled", "未設定"},
    {"kKeisanKubunCaption", "計算区分設定"},
    {"kKeisanKubunHeading", "計算区分"},
    {"kSagyoKubunHeading", "作業区分"},
    {"kKeisanKubunNameLabel", "< 種 別 名 称 ＞"},
    {"kKeisanKubunSelectAll", "全選択"},
    {"kKeisanKubunClearAll", "全解除"},
    {"kProgramSelectCaption", "プログラム金額選択"},
    {"kProgramSelectListLabel", "プログラム金額データ一覧 :"},
    {"kProgramSelectUse", "プログラム金額を使用する"},
    {"kProgramName1Heading", "プログラム名1"},
    {"kProgramName2Heading", "プログラム名2"},
    {"kProgramCondition1Heading", "利用条件1"},
    {"kProgramCondition2Heading", "利用条件2"},
    {"kProgramFeeHeading", "利用料金"},
    {"kHenkaritsuCaption", "変化率・補正率設定"},
    {"kHenkaritsuNameLabel", "名称 :"},
    {"kHenkaritsuNameDesign", "変化率・補正率データ名"},
    {"kHenkaritsuUseTable", "表を使用"},
    {"kHenkaritsuUseFormula", "式を使用"},
    {"kHenkaritsuKubunNote", "※区分によって率が違います。"},
    {"kHenkaritsuFormulaNameLabel", "式名称 :"},
    {"kHenkaritsuFormulaLabel", "式 :"},
    {"kHenkaritsuApplyNote", "既存の掛率と新に入力する掛率の計算方法を選択してください。"},
    {"kHenkaritsuApplyReplace", "新に入力する掛率をそのまま適用する。"},
    {"kHenkaritsuApplyMultiply", "既存の掛率×新に入力する掛率を適用する。"},
    {"kHenkaritsuLLLabel", "LL = "},
    {"kHenkaritsuRemarksLabel", "備考 :"},
    {"kHenkaritsuNext", "次へ"},
    {"kHenkaritsuBack", "戻る"},
    {"kGuidedCaption", "確認"},
    {"kGuidedKeisanKubunQuestion", "計算対象の計算区分を選択しますか？"},
    {"kGuidedSingleChoiceNote", "計算対象に単一選択の計算区分が含まれています。\nその場合は計算区分を１つ選択してください。"},
    {"kGuidedSuryoEachQuestion", "数量を個別に入力しますか？"},
    {"kGuidedSuryoNameOpen", "「"},
    {"kGuidedSuryoNameClose", "」"},
    {"kGuidedSuryoTitleSuffix", " 数量入力"},
    {"kGuidedSuryoBulkTitle", "数量一括入力"},
    {"kKakeritsuOverflowOpen", "「"},
    {"kKakeritsuOverflowClose", "」の掛率は積が大きすぎるため、変更しませんでした。"},
    {"kNameLowerEditedPrompt", "'費目／工種／種別'の下段の文字列がユーザーによって変更されています。\n更新してよろしいですか？"},
    {"kRemarkUpperEditedPrompt", "'摘要'の上段の文字列がユーザーによって変更されています。\n更新してよろしいですか？"},
    {"kRemarkLowerEditedPrompt", "'摘要'の下段の文字列がユーザーによって変更されています。\n更新してよろしいですか？"},
};

}  // namespace

TEST(SettingTexts, EveryTextVerbatim) {
    std::map<std::string, std::string> actual;
    for (const TextEntry& entry : SettingTexts())
        EXPECT_TRUE(actual.emplace(entry.name, entry.text).second) << "twice: " << entry.name;
    std::map<std::string, std::string> expected;
    for (const TextEntry& entry : kExpected) expected.emplace(entry.name, entry.text);

    for (const auto& [name, text] : expected) {
        auto it = actual.find(name);
        if (it == actual.end())
            ADD_FAILURE() << "missing: " << name;
        else
            EXPECT_EQ(it->second, text) << name;
    }
    for (const auto& [name, text] : actual)
        if (!expected.count(name)) ADD_FAILURE() << "extra: " << name << " = " << text;
    EXPECT_EQ(SettingTexts().size(), std::size(kExpected));
}
