// The 歩掛 import dialog (masteredit/BukakeImportDlg): both halves on their own copies, the 工種 and
// 種別 imports with their questions, and the manual 歩掛 import (master/MasterImport) run end to end
// through it.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "MasterBuilders.h"
#include "ScriptedDialogs.h"
#include "ScriptedHost.h"
#include "ScriptedMasterDialogs.h"
#include "UpdateFixture.h"
#include "dialogkit/Tx.h"
#include "masteredit/BukakeDetailDlg.h"
#include "masteredit/BukakeImportDlg.h"
#include "masteredit/BukakeShikiDetailDlg.h"
#include "masteredit/EditorList.h"
#include "masteredit/KoshuShubetsuLists.h"
#include "masteredit/MasterEditTexts.h"
#include "master/MasterImport.h"
#include "master/MasterTexts.h"

using namespace masterbuild;
namespace t = masteredittext;

namespace {

CBukakeFile Source() {
    CBukakeFile file;
    CBukakeGyomu& survey = AddGyomu(file, 6, "区画整理測量");
    CBukakeKoshu& kijun = AddKoshu(survey, 101, "基準点測量");
    AddShubetsu(kijun, 1, "3級基準点測量").m_coefficient = 300;
    AddShubetsu(kijun, 2, "4級基準点測量");
    AddShubetsu(AddKoshu(survey, 120, "他社工種"), 1, "他社種別");
    AddKoshu(survey, 69, "共通");
    AddKoshu(survey, 91, "諸経費");
    AddShubetsu(AddKoshu(AddGyomu(file, 2, "設計"), 301, "他社設計"), 1, "他社詳細設計").m_coefficient = 250;
    return file;
}

CBukakeFile Dest() {
    CBukakeFile file;
    CBukakeGyomu& survey = AddGyomu(file, 6, "区画整理測量");
    AddShubetsu(AddKoshu(survey, 101, "基準点測量"), 1, "自社3級");
    AddKoshu(survey, 102, "水準測量");
    AddKoshu(survey, 69, "共通");
    AddKoshu(survey, 91, "諸経費");
    AddGyomu(file, 2, "設計");
    AddShubetsu(AddKoshu(AddGyomu(file, 4, "土質一般"), 401, "ボーリング"), 1, "機械ボーリング").m_coefficient = 150;
    return file;
}

class BukakeImport : public ::testing::Test {
protected:
    void SetUp() override {
        dialog = std::make_unique<CBukakeImportDlg>();
        dialog->SetGyomuCodes({6, 2, 7, 3, 4, 5});
        dialog->SetSourceFile(source);
        dialog->SetDestFile(Dest());
        dialog->OnInitDialog();
    }
    CEditorList* List(const char* name) { return dialog->findChild<CEditorList*>(name); }
    QPushButton* Button(const char* name) { return dialog->findChild<QPushButton*>(name); }
    void Click(const char* list, int index) { List(list)->setCurrentItem(List(list)->topLevelItem(index)); }
    void ChooseGyomu(int index) {
        auto* combo = dialog->findChild<QComboBox*>("gyomu");
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    std::vector<int32_t> DestCodes(int gyomu) {
        std::vector<int32_t> codes;
        const CBukakeGyomu& g = *dialog->DestFile().FindGyomu(gyomu);
        for (int i = 0; i < g.GetCount(); ++i) codes.push_back(g.GetKoshu(i)->m_code);
        return codes;
    }
    // Imports the chosen source 工種 answering the questions in turn.
    void ImportKoshu(std::deque<int> answers) {
        host.messages.clear();
        host.answers = std::move(answers);
        Button("importKoshu")->click();
    }
    void ImportShubetsu(std::deque<int> answers) {
        host.messages.clear();
        host.answers = std::move(answers);
        Button("importShubetsu")->click();
    }

    const CBukakeFile source = Source();
    ScriptedHost host;
    std::unique_ptr<CBukakeImportDlg> dialog;
};

}  // namespace

TEST_F(BukakeImport, OpensWithBothHalvesOnTheFirstBusinessOfTheDestination) {
    EXPECT_EQ(dialog->windowTitle(), Tx("歩掛ファイルのインポート"));
    EXPECT_EQ(dialog->findChild<QComboBox*>("gyomu")->count(), 3);
    EXPECT_EQ(List("sourceKoshuList")->Title(), Tx("インポート元 工種データ一覧(4)"));
    EXPECT_EQ(List("sourceShubetsuList")->Title(), Tx("インポート元 種別データ一覧(2)"));
    EXPECT_EQ(List("destKoshuList")->Title(), Tx("インポート先 工種データ一覧(4)"));
    EXPECT_EQ(List("destShubetsuList")->Title(), Tx("インポート先 種別データ一覧(1)"));
    EXPECT_EQ(dialog->findChild<QLabel*>("sourceCoefficient")->text(), Tx("精度管理係数 : 3.00"));
    EXPECT_TRUE(Button("importKoshu")->isEnabled());
    EXPECT_TRUE(Button("importShubetsu")->isEnabled());
    // Only 設計 and 区画整理設計 name their coefficient 技術経費 here; 土質一般 shows none.
    ChooseGyomu(1);
    EXPECT_EQ(dialog->findChild<QLabel*>("sourceCoefficient")->text(), Tx("技術経費　　 : -.--"));
    Click("sourceKoshuList", 0);
    Click("sourceShubetsuList", 0);
    EXPECT_EQ(dialog->findChild<QLabel*>("sourceCoefficient")->text(), Tx("技術経費　　 : 2.50"));
    ChooseGyomu(2);
    EXPECT_EQ(dialog->findChild<QLabel*>("destCoefficient")->text(), Tx("　　　　　　 : -.--"));
    EXPECT_EQ(dialog->findChild<QLabel*>("sourceCoefficient")->text(), Tx("　　　　　　 : -.--"));
    Click("destKoshuList", 0);
    Click("destShubetsuList", 0);
    EXPECT_EQ(dialog->findChild<QLabel*>("destCoefficient")->text(), Tx("　　　　　　 : -.--"));
}

TEST_F(BukakeImport, ABusinessWithoutDestinationKoshuDisablesBothImports) {
    ChooseGyomu(1);
    for (const char* name : {"sourceKoshuList", "sourceShubetsuList", "destKoshuList", "destShubetsuList"})
        EXPECT_EQ(List(name)->ChosenIndex(), -1) << name;
    EXPECT_FALSE(Button("importKoshu")->isEnabled());
    EXPECT_FALSE(Button("importShubetsu")->isEnabled());
    EXPECT_FALSE(Button("destKoshuDelete")->isEnabled());
    EXPECT_TRUE(Button("destKoshuNew")->isEnabled());
}

TEST_F(BukakeImport, AKoshuTheDestinationLacksGoesBeforeItsAnchorWithItsCode) {
    Click("sourceKoshuList", 1);
    ImportKoshu({IDYES});
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{"工種データ ' 他社工種 ' をインポートしますか？"});
    EXPECT_EQ(DestCodes(6), (std::vector<int32_t>{101, 102, 120, 69, 91}));
    EXPECT_EQ(List("destKoshuList")->ChosenIndex(), 2);
    EXPECT_EQ(dialog->DestFile().FindKoshu(6, 120)->GetShubetsu(0)->m_name, "他社種別");
    EXPECT_TRUE(dialog->SourceFile() == source);
}

TEST_F(BukakeImport, ANamesakeIsOverwrittenAddedBesideOrKept) {
    const std::string exists = "既に工種データ ' 基準点測量 ' が存在します。\n上書きしてよろしいですか？";
    const std::string add = "新たに工種データ ' 基準点測量 ' を追加しますか？";
    const CBukakeFile before = dialog->DestFile();
    ImportKoshu({IDYES, IDNO, IDNO});  // both refused
    EXPECT_EQ(host.MessageTexts(), (std::vector<std::string>{"工種データ ' 基準点測量 ' をインポートしますか？", exists, add}));
    EXPECT_TRUE(dialog->DestFile() == before);
    ImportKoshu({IDNO});
    EXPECT_TRUE(dialog->DestFile() == before);

    ImportKoshu({IDYES, IDNO, IDYES});  // added beside under a fresh code of its 種類
    EXPECT_EQ(DestCodes(6), (std::vector<int32_t>{101, 102, 100, 69, 91}));
    EXPECT_EQ(dialog->DestFile().FindKoshu(6, 100)->m_name, "インポート～基準点測量");
    EXPECT_EQ(List("destKoshuList")->ChosenIndex(), 2);

    ImportKoshu({IDYES, IDYES});  // overwritten in place
    EXPECT_EQ(DestCodes(6), (std::vector<int32_t>{101, 102, 100, 69, 91}));
    EXPECT_EQ(dialog->DestFile().FindKoshu(6, 101)->GetCount(), 2);
    EXPECT_EQ(List("destKoshuList")->ChosenIndex(), 0);
    EXPECT_TRUE(dialog->SourceFile() == source);
}

TEST_F(BukakeImport, AShubetsuOverwriteChangesOnlyTheDestination) {
    ImportShubetsu({IDYES, IDYES});
    EXPECT_EQ(host.MessageTexts(),
              (std::vector<std::string>{"種別データ ' 3級基準点測量 ' をインポートしますか？",
                                        "既に種別データ ' 3級基準点測量 ' が存在します。\n上書きしてよろしいですか？"}));
    const CBukakeKoshu& dest = *dialog->DestFile().FindKoshu(6, 101);
    ASSERT_EQ(dest.GetCount(), 1);
    EXPECT_EQ(dest.GetShubetsu(0)->m_name, "3級基準点測量");
    EXPECT_EQ(dest.GetShubetsu(0)->m_coefficient, 300);
    EXPECT_TRUE(dialog->SourceFile() == source);

    ImportShubetsu({IDYES, IDNO, IDYES});
    ASSERT_EQ(dest.GetCount(), 2);
    EXPECT_EQ(dest.GetShubetsu(1)->m_name, "インポート～3級基準点測量");
    EXPECT_EQ(dest.GetShubetsu(1)->m_code, 2);
    EXPECT_EQ(List("destShubetsuList")->ChosenIndex(), 1);
    // A 種別 without a namesake goes last with its own code.
    Click("sourceShubetsuList", 1);
    dialog->DestFile().FindKoshu(6, 101)->RemoveShubetsu(1);
    ImportShubetsu({IDYES});
    EXPECT_EQ(dest.GetShubetsu(1)->m_code, 2);
    EXPECT_EQ(dest.GetShubetsu(1)->m_name, "4級基準点測量");
}

TEST_F(BukakeImport, AFullRangeAddsNothing) {
    CBukakeFile dest = Dest();
    for (int32_t code = 2; code <= 999; ++code) AddShubetsu(*dest.FindKoshu(6, 101), code);
    dialog->SetDestFile(dest);
    ChooseGyomu(0);
    ImportShubetsu({IDYES, IDNO, IDYES});
    EXPECT_EQ(host.messages.back().text, t::kNoFreeShubetsuCode);
    EXPECT_TRUE(dialog->DestFile() == dest);
}

TEST_F(BukakeImport, TheDestinationMovesItsOwnKoshu) {
    Button("destKoshuDown")->click();
    EXPECT_EQ(DestCodes(6), (std::vector<int32_t>{102, 101, 69, 91}));
    EXPECT_EQ(List("destKoshuList")->ChosenIndex(), 1);
    EXPECT_TRUE(dialog->SourceFile() == source);
    Button("sourceKoshuDown")->click();
    EXPECT_EQ(dialog->SourceFile().FindGyomu(6)->GetKoshu(1)->m_code, 101);
}

// 詳細設定 of either half opens the layout the editor would and takes back the detail into that half.
TEST_F(BukakeImport, DetailSettingsFollowTheEditorsRule) {
    CBukakeFile dest = Dest();
    dest.FindKoshu(4, 401)->GetShubetsu(0)->GetDetail().m_bukakeType = 4;
    dialog->SetDestFile(dest);
    ChooseGyomu(0);
    // The detail dialogs name materials from the material prices the import was given.
    CZairyoTankaFile zairyo;
    AddZairyoItem(zairyo, 1000, 0, "砂", 100);
    dialog->SetZairyoTankaFile(zairyo);
    ScriptedDialogs dialogs;
    dialogs.Expect<CBukakeDetailDlg>([](CBukakeDetailDlg& d) {
        int changed = 0;
        const CZairyoTankaFile& given = d.GetZairyoTankaFile(&changed);
        EXPECT_NE(given.FindItem(1000), nullptr);
        d.findChild<CZo_Edit*>("formula")->setText(Tx("H2"));
        return IDOK;
    });
    Button("sourceDetail")->click();
    EXPECT_EQ(dialog->SourceFile().FindKoshu(6, 101)->GetShubetsu(0)->GetDetail().m_formula, "H2");
    EXPECT_EQ(dialog->DestFile().FindKoshu(6, 101)->GetShubetsu(0)->GetDetail().m_formula, "1");
    ChooseGyomu(2);
    dialogs.Expect<CBukakeShikiDetailDlg>([](CBukakeShikiDetailDlg& d) {
        d.findChild<CZo_Edit*>("formula")->setText(Tx("H3"));
        return IDOK;
    });
    Button("destDetail")->click();
    EXPECT_EQ(dialog->DestFile().FindKoshu(4, 401)->GetShubetsu(0)->GetDetail().m_formula, "H3");
}

// The manual 歩掛 import with the real dialog: a 工種 of the other file goes into the user's 設計.
TEST(BukakeImportCommand, ImportsFromAnotherFileAndSavesAfterTheQuestion) {
    updatetest::UpdateProgram f;
    const std::string other = f.root / "他社/歩掛データ.soa";
    CBukakeFile otherFile;
    AddShubetsu(AddKoshu(AddGyomu(otherFile, 2, "設計"), 160, "他社の設計"), 1, "他社の種別");
    updatetest::WriteMaster(other, otherFile);
    const std::string otherBytes = ReadTestFile(other);
    ScriptedHost host;
    auto store = f.Start();
    ASSERT_EQ(store->GetBukakeFile().FindKoshu(2, 160), nullptr);
    ScriptedMasterDialogs masterDialogs;
    masterDialogs.bukakeImport = [] { return std::make_unique<CBukakeImportDlg>(); };
    ScriptedDialogs dialogs;
    dialogs.Expect<CBukakeImportDlg>([](CBukakeImportDlg& d) {
        EXPECT_EQ(d.findChild<QComboBox*>("gyomu")->currentText(), Tx("設計"));
        EXPECT_EQ(d.findChild<CEditorList*>("sourceKoshuList")->EntryText(0), Tx("他社の設計"));
        d.findChild<QPushButton*>("importKoshu")->click();
        return IDOK;
    });
    host.answers = {IDYES, IDYES, IDYES};
    host.fileAnswers = {other};
    CMasterImporter importer(*store);
    EXPECT_EQ(importer.OnBukakeImportManual(), 1);
    EXPECT_EQ(host.MessageTexts(), (std::vector<std::string>{mastertext::kAskImportBukakeManually,
                                                             "工種データ ' 他社の設計 ' をインポートしますか？",
                                                             mastertext::kAskOverwriteBukakeFile}));
    ASSERT_NE(store->GetBukakeFile().FindKoshu(2, 160), nullptr);
    EXPECT_TRUE(updatetest::LoadFile<CBukakeFile>(f.masters + "/歩掛データ.soa") == store->GetBukakeFile());
    EXPECT_EQ(ReadTestFile(other), otherBytes);
}
