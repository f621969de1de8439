// The rate import dialog: importing a source record with and without a namesake, the codes an added
// record gets, the import button, and the 歩掛 copy that only the destination side rewrites.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include "EventWait.h"
#include "MasterBuilders.h"
#include "ScriptedDialogs.h"
#include "ScriptedHost.h"
#include "dialogkit/NameEditDlg.h"
#include "dialogkit/Tx.h"
#include "dialogkit/ZoEdit.h"
#include "masteredit/EditorList.h"
#include "masteredit/HenkaritsuImportDlg.h"
#include "masteredit/HenkaritsuRecordList.h"
#include "masteredit/MasterEditTexts.h"

using namespace masterbuild;
using List = CHenkaritsuRecordList;

namespace {

// Source 業務 6: 1 "地形" (shipped), 1500 "自社" (the user's), 7 "新規"; 業務 2 has no group.
CHenkaritsuFile Source() {
    CHenkaritsuFile f;
    CHenkaritsuGyomu& g = AddGroup(f, 6, "区画整理測量");
    AddTableRecord(g, 1, "地形").SetCell(1, 1, 1100);
    AddTableRecord(g, 1500, "自社").m_userCreated = 1;
    AddTableRecord(g, 7, "新規");
    return f;
}
// Destination 業務 6: 1 "旧地形", 2 "勾配", 1500 "旧自社"; 業務 2: 5 "設計補正".
CHenkaritsuFile Dest() {
    CHenkaritsuFile f;
    CHenkaritsuGyomu& g = AddGroup(f, 6, "区画整理測量");
    AddTableRecord(g, 1, "旧地形");
    AddTableRecord(g, 2, "勾配");
    AddTableRecord(g, 1500, "旧自社").m_userCreated = 1;
    AddTableRecord(AddGroup(f, 2, "設計"), 5, "設計補正");
    return f;
}
// One detail of 業務 6 uses rate 2 in its first slot.
CBukakeFile Bukake() {
    CBukakeFile f;
    AddShubetsu(AddKoshu(AddGyomu(f, 6), 100), 1).GetDetail().m_henkaritsu[0] = 2;
    return f;
}

class RateImport : public ::testing::Test {
protected:
    void SetUp() override {
        dialog = std::make_unique<CHenkaritsuImportDlg>();
        dialog->SetGyomuCodes({6, 2, 7, 3, 4});
        dialog->SetBukakeFile(Bukake());
        dialog->SetSourceFile(Source());
        dialog->SetDestFile(Dest());
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get(), kHangMs));
        source = dialog->SourceRecords();
        dest = dialog->DestRecords();
        importButton = dialog->findChild<QPushButton*>("import");
    }
    void ChooseSource(int index) {
        source->List()->SetChosenIndex(index);
        source->List()->ShowChosen();
        emit source->List()->Chosen(index);
    }
    std::vector<std::pair<int32_t, std::string>> DestRecords(int gyomu = 6) {
        std::vector<std::pair<int32_t, std::string>> records;
        const CHenkaritsuGyomu* g = dialog->Dest().FindGyomu(gyomu);
        for (int i = 0; i < g->GetSize(); ++i) records.emplace_back(g->GetRecord(i)->m_code, g->GetRecord(i)->m_name);
        return records;
    }
    CBukakeFile BukakeCopy() {
        CBukakeFile f;
        dialog->GetBukakeFile(f);
        return f;
    }

    ScriptedHost host;
    std::unique_ptr<CHenkaritsuImportDlg> dialog;
    CHenkaritsuRecordList* source = nullptr;
    CHenkaritsuRecordList* dest = nullptr;
    QPushButton* importButton = nullptr;
};

using Records = std::vector<std::pair<int32_t, std::string>>;

}  // namespace

TEST_F(RateImport, ShowsBothSidesOfTheChosenBusiness) {
    EXPECT_EQ(dialog->windowTitle(), Tx("変化率・補正率ファイルのインポート"));
    EXPECT_EQ(importButton->text(), Tx("変化率・補正率データのインポート"));
    EXPECT_EQ(source->List()->Title(), Tx("インポート元 変化率・補正率データ一覧(3)"));
    EXPECT_EQ(dest->List()->Title(), Tx("インポート先 変化率・補正率データ一覧(3)"));
    EXPECT_TRUE(importButton->isEnabled());

    // 設計 has no source group: the source side is empty and nothing can be imported.
    auto* combo = dialog->findChild<QComboBox*>("gyomu");
    combo->setCurrentIndex(1);
    emit combo->activated(1);
    EXPECT_EQ(source->ChosenIndex(), -1);
    EXPECT_FALSE(importButton->isEnabled());
    for (List::Command c : {List::kDetail, List::kRename, List::kCopy, List::kDelete})
        EXPECT_FALSE(source->Button(c)->isEnabled()) << c;
    EXPECT_TRUE(dest->Button(List::kRename)->isEnabled());
    EXPECT_EQ(dest->ChosenIndex(), 0);

    // Its 新規作成 is usable all the same: the record starts the group in the source copy, and can
    // be imported from there.
    ASSERT_TRUE(source->Button(List::kCreate)->isEnabled());
    ScriptedDialogs dialogs;
    dialogs.Expect<CNameEditDlg>([](CNameEditDlg& d) {
        EXPECT_EQ(d.GetCode(), 1000);
        d.findChild<CZo_Edit*>("name")->setText(Tx("手入力"));
        return IDOK;
    });
    source->Button(List::kCreate)->click();
    const CHenkaritsuGyomu* started = dialog->Source().FindGyomu(2);
    ASSERT_NE(started, nullptr);
    EXPECT_EQ(started->m_name, "設計");
    ASSERT_EQ(started->GetSize(), 1);
    EXPECT_EQ(started->GetRecord(0)->m_name, "手入力");
    EXPECT_EQ(source->ChosenIndex(), 0);
    EXPECT_TRUE(importButton->isEnabled());
}

TEST_F(RateImport, ImportWithAndWithoutANamesake) {
    struct Case {
        const char* what;
        int sourceIndex;
        std::deque<int> answers;
        std::vector<std::string> questions;
        Records after;
        int chosen;  // the destination index afterwards
    };
    const Case cases[] = {
        {"no namesake", 2, {IDYES},
         {"変化率・補正率データ ' 新規 ' をインポートしますか？"},
         {{1, "旧地形"}, {2, "勾配"}, {1500, "旧自社"}, {7, "新規"}}, 3},
        {"overwrite", 0, {IDYES, IDYES},
         {"変化率・補正率データ ' 地形 ' をインポートしますか？",
          "既に変化率・補正率データ ' 地形 ' が存在します。\n上書きしてよろしいですか？"},
         {{1, "地形"}, {2, "勾配"}, {1500, "旧自社"}}, 0},
        // A shipped record is added with the first free code from 1, a user record from 1000.
        {"add a shipped record", 0, {IDYES, IDNO, IDYES},
         {"変化率・補正率データ ' 地形 ' をインポートしますか？",
          "既に変化率・補正率データ ' 地形 ' が存在します。\n上書きしてよろしいですか？",
          "新たに変化率・補正率データ ' 地形 ' を追加しますか？"},
         {{1, "旧地形"}, {2, "勾配"}, {1500, "旧自社"}, {3, "インポート～地形"}}, 3},
        {"add a user record", 1, {IDYES, IDNO, IDYES},
         {"変化率・補正率データ ' 自社 ' をインポートしますか？",
          "既に変化率・補正率データ ' 自社 ' が存在します。\n上書きしてよろしいですか？",
          "新たに変化率・補正率データ ' 自社 ' を追加しますか？"},
         {{1, "旧地形"}, {2, "勾配"}, {1500, "旧自社"}, {1000, "インポート～自社"}}, 3},
        {"both refused", 0, {IDYES, IDNO, IDNO}, {}, {{1, "旧地形"}, {2, "勾配"}, {1500, "旧自社"}}, 0},
        {"import refused", 2, {IDNO}, {}, {{1, "旧地形"}, {2, "勾配"}, {1500, "旧自社"}}, 0},
    };
    for (const Case& c : cases) {
        SetUp();
        ChooseSource(c.sourceIndex);
        host.messages.clear();
        host.answers = c.answers;
        importButton->click();
        EXPECT_TRUE(host.answers.empty()) << c.what;
        if (!c.questions.empty()) {
            EXPECT_EQ(host.MessageTexts(), c.questions) << c.what;
        }
        for (const ScriptedHost::Message& m : host.messages) EXPECT_EQ(m.icon, MsgIcon::Question) << c.what;
        EXPECT_EQ(DestRecords(), c.after) << c.what;
        EXPECT_EQ(dest->ChosenIndex(), c.chosen) << c.what;
        EXPECT_TRUE(dialog->Source() == Source()) << c.what;
        EXPECT_EQ(dialog->IsBukakeChanged(), 0) << c.what;
    }
    // The overwritten record is a full copy of the source's.
    SetUp();
    ChooseSource(0);
    host.answers = {IDYES, IDYES};
    importButton->click();
    EXPECT_TRUE(*dialog->Dest().FindGyomu(6)->GetRecord(0) == *Source().FindGyomu(6)->GetRecord(0));
}

TEST_F(RateImport, OnlyTheDestinationsCodeChangesRewriteTheBukakeCopy) {
    // The source's record 1 renamed to 2: no question, the 歩掛 copy untouched.
    ScriptedDialogs dialogs;
    dialogs.Expect<CNameEditDlg>([](CNameEditDlg& d) {
        d.findChild<CZo_Edit*>("code")->setText(QStringLiteral("2"));
        return IDOK;
    });
    source->OnRename();
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(dialog->Source().FindGyomu(6)->GetRecord(0)->m_code, 2);
    EXPECT_TRUE(BukakeCopy() == Bukake());
    EXPECT_EQ(dialog->IsBukakeChanged(), 0);

    // The destination's record 2 deleted: its use becomes unset.
    dest->List()->SetChosenIndex(1);
    host.answers = {IDYES, IDYES};
    dest->OnDelete();
    EXPECT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(BukakeCopy().FindShubetsu(6, 100, 1)->GetDetail().m_henkaritsu[0], kUnset);
    EXPECT_EQ(dialog->IsBukakeChanged(), 1);
}
