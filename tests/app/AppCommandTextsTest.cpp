#include <gtest/gtest.h>

#include <map>
#include <string>

#include "app/AppCommandTexts.h"

namespace {

// Every text of the application's commands, exactly as the program shows it.
const TextEntry kExpected[] = {
    {"kAboutCaption", "バージョン情報"},
    {"kAboutTitle", "Vemo Ovra  農林版  令和7年度積算基準対応版"},
    {"kVersionBefore", "Ver "},
    {"kVersionReportHeading", " [各ファイルの データバージョン]"},
    {"kVersionReportLineBreak", "\r\n"},
    {"kVersionBukake", "\t歩掛データ\t\t\t"},
    {"kVersionBukakeUnknown", "\t歩掛データ\t\t\t不明"},
    {"kVersionHenkaritsu", "\t変化率・補正率データ\t\t"},
    {"kVersionHenkaritsuUnknown", "\t変化率・補正率データ\t\t不明"},
    {"kVersionTanka", "\t単価データ\t\t\t"},
    {"kVersionTankaUnknown", "\t単価データ\t\t\t不明"},
    {"kVersionShokeihi", "\t諸経費データ\t\t\t"},
    {"kVersionShokeihiUnknown", "\t諸経費データ\t\t\t不明"},
    {"kVersionProgramKingaku", "\tプログラム金額データ\t\t"},
    {"kVersionProgramKingakuUnknown", "\tプログラム金額データデータ\t不明"},
    {"kVersionZairyoTanka", "\t材料単価データ\t\t"},
    {"kVersionZairyoTankaUnknown", "\t材料単価データ\t\t不明"},
    {"kDetailsExpand", "詳細 >>"},
    {"kDetailsCollapse", "詳細 <<"},
    {"kReadmeButton", "Readme表示"},
    {"kOk", "OK"},
    {"kManualMissing", "\nが見つかりません。\nファイルの有無を確認してください。"},
    {"kSupportUrl", "https://www.zorva.co.jp/vemo/support/"},
    {"kTechInfoUrl", "https://www.zorva.co.jp/vemo/gijutsu/"},
    {"kAskEnableBukken", "物件調査を使用可能にしますか？"},
    {"kAskOverwriteTankaFile", "単価データ ファイルを書き換えてよろしいですか？"},
    {"kOptionCaption", "オプション"},
    {"kSeidoCalcGroup", "測量－精度管理費算出方法"},
    {"kSeidoCalc0", "精度管理費＝（直接人件費＋労務費＋機械経費）×精度管理費係数"},
    {"kSeidoCalc1", "精度管理費＝（直接人件費＋機械経費）×精度管理係数"},
    {"kShokeihiCalcGroup", "設計－直接人件費算出方法"},
    {"kShokeihiCalc0", "電子計算機使用料を含めて計算"},
    {"kShokeihiCalc1", "電子計算機使用料を含めずに計算"},
    {"kSekouCalcGroup", "測量－施工管理費算出方法"},
    {"kSekouCalc0", "施工管理費を一括して計上"},
    {"kSekouCalc1", "施工管理費を個別に選択設定して計上"},
    {"kGijyutuCalcGroup", "設計(従来の積算)－技術経費率の違うものを選択した場合の算出方法"},
    {"kGijyutuCalc0", "下記の技術経費率にて統一して算出"},
    {"kGijyutuCalc1", "個々の技術経費率にて個別に算出"},
    {"kDefGijyutuCalc0", "一番高い技術経費率にて算出"},
    {"kDefGijyutuCalc1", "合計金額が最大となる技術経費率にて算出"},
    {"kDensiDsp0", "各種別内に含めて表示"},
    {"kDensiDsp1", "専用行にまとめて表示"},
    {"kDaikaOnGroup", "土質調査(一般)－単価の出典元の表示方法"},
    {"kDaikaOn0", "代価表に表示する"},
    {"kDaikaOn1", "代価表には表示しない（総括表で表示する）"},
    {"kMarumeDspGroup", "全体－丸め桁の表示"},
    {"kMarumeDsp0", "丸め桁を表示しない"},
    {"kMarumeDsp1", "丸め桁を摘要欄に表示"},
    {"kSeidoDspGroup", "測量－精度管理費表示方法"},
    {"kSeidoDsp0", "各種別内に含めて表示"},
    {"kSeidoDsp1", "専用行にまとめて表示"},
    {"kZairyoDspGroup", "物件調査－材料費表示方法"},
    {"kZairyoDsp0", "各種別内に含めて表示"},
    {"kZairyoDsp1", "専用行にまとめて表示"},
    {"kDouroCalcGroup", "測量・設計－単価の端数計算方法"},
    {"kDouroCalc0", "従来の計算方法（小数点以下切捨て）"},
    {"kDouroCalc1", "平成30年「設計業務等標準積算基準書の"},
    {"kDouroCalc1More", "解説」に準拠（有効数字4桁(5桁目切捨て））"},
    {"kHoseiMarumeKetaBefore", "設計の補正後の数量の丸め桁 小数第"},
    {"kHoseiMarumeKetaAfter", "位"},
    {"kHoseiMarumeKind0", "四捨五入"},
    {"kHoseiMarumeKind1", "切捨て"},
    {"kHoseiMarumeKind2", "切上げ"},
    {"kShameiCaption", "社名入力及び選択単価の初期設定"},
    {"kCompanyGroup", "会社概要"},
    {"kPostalCodeLabel", "郵便番号 :"},
    {"kAddressLabel", "住所 :"},
    {"kCompanyNameLabel", "社名 :"},
    {"kRepresentativeLabel", "代表者名 :"},
    {"kTelLabel", "TEL :"},
    {"kFaxLabel", "FAX :"},
    {"kFooterCheck", "印刷時にフッタに社名を入れる"},
    {"kTankaGroup", "単価データ"},
    {"kDefaultColumnLabel", "選択単価の初期設定 :"},
    {"kColumnNotSet", "未設定"},
    {"kTravelCheck", "旅費交通費積上方式"},
    {"kTaxLabel", "消費税 :"},
    {"kTaxUnit", "(%)"},
    {"kSaveAndClose", "保存して終了"},
    {"kCancel", "ｷｬﾝｾﾙ"},
    {"kKanaPane", "ｶﾅ"},
    {"kCapsPane", "CAP"},
    {"kNumPane", "NUM"},
    {"kScrollPane", "SCRL"},
};

}  // namespace

TEST(AppCommandTexts, EveryTextVerbatim) {
    std::map<std::string, std::string> actual;
    for (const TextEntry& entry : AppCommandTexts())
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
    EXPECT_EQ(AppCommandTexts().size(), std::size(kExpected));
}
