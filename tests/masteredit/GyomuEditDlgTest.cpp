// The common business-list editor: three lists, each on its own master, with rename, create,
// insert and delete, and the checks of the codes the name dialog returns.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>

#include "MasterBuilders.h"
#include "ScriptedDialogs.h"
#include "ScriptedHost.h"
#include "dialogkit/NameEditDlg.h"
#include "dialogkit/Tx.h"
#include "masteredit/EditorList.h"
#include "masteredit/GyomuEditDlg.h"
#include "masteredit/MasterEditTexts.h"

using namespace masterbuild;

namespace {

const char* const kNames[] = {"bukake", "henkaritsu", "shokeihi"};

// Two entries in each list; the first 歩掛 業務 holds 工種 and 種別, the 変化率 group records.
struct Masters {
    CBukakeFile bukake;
    CHenkaritsuFile henkaritsu;
    CShokeihiFile shokeihi;
    Masters() {
        CBukakeGyomu& survey = AddGyomu(bukake, 6, "区画整理測量");
        AddShubetsu(AddKoshu(survey, 101, "基準点測量"), 1, "3級基準点測量");
        AddKoshu(survey, 102, "水準測量");
        AddGyomu(bukake, 2, "設計");
        AddTableRecord(AddGroup(henkaritsu, 6, "区画整理測量"), 1, "地形補正");
        AddGroup(henkaritsu, 3, "物件調査");
        AddShokeihi(shokeihi, 2, "設計", 3500);
        AddShokeihi(shokeihi, 7, "区画整理設計", 3000);
    }
};

class GyomuEditor : public ::testing::Test {
protected:
    void Open(const Masters& m) {
        dialog = std::make_unique<CGyomuEditDlg>();
        dialog->SetBukakeFile(m.bukake);
        dialog->SetHenkaritsuFile(m.henkaritsu);
        dialog->SetShokeihiFile(m.shokeihi);
        dialog->OnInitDialog();
    }
    CEditorList* List(int id) { return dialog->findChild<CEditorList*>(QString::fromLatin1(kNames[id]) + "List"); }
    QPushButton* Button(int id, const char* what) {
        return dialog->findChild<QPushButton*>(QString::fromLatin1(kNames[id]) + QString::fromLatin1(what));
    }
    // The names and codes of a list's master.
    std::vector<std::pair<std::string, int>> Entries(int id) {
        std::vector<std::pair<std::string, int>> out;
        auto add = [&out](const auto* e) { out.emplace_back(e->m_name, e->m_code); };
        if (id == CGyomuEditDlg::kBukake)
            for (int i = 0; i < dialog->GetBukakeFile().GetCount(); ++i) add(dialog->GetBukakeFile().GetGyomu(i));
        if (id == CGyomuEditDlg::kHenkaritsu)
            for (int i = 0; i < dialog->GetHenkaritsuFile().GetSize(); ++i) add(dialog->GetHenkaritsuFile().GetGyomu(i));
        if (id == CGyomuEditDlg::kShokeihi)
            for (int i = 0; i < dialog->GetShokeihiFile().GetCount(); ++i) add(dialog->GetShokeihiFile().GetRecord(i));
        return out;
    }
    bool SameAsOpened(const Masters& m) {
        return dialog->GetBukakeFile() == m.bukake && dialog->GetHenkaritsuFile() == m.henkaritsu &&
               dialog->GetShokeihiFile() == m.shokeihi;
    }

    ScriptedHost host;
    std::unique_ptr<CGyomuEditDlg> dialog;
};

// Answers the name dialog: checks what it was given, types a name and a code (kUnset: no code).
std::function<int(CNameEditDlg&)> NameDialog(const char* title, const char* name, int code, const char* newName,
                                             int newCode, int answer = IDOK) {
    return [=](CNameEditDlg& d) {
        EXPECT_EQ(d.windowTitle(), Tx(title));
        EXPECT_EQ(d.GetName(), Tx(name));
        EXPECT_EQ(d.GetCode(), code);
        d.findChild<CZo_Edit*>("name")->setText(Tx(newName));
        CZo_Edit* field = d.findChild<CZo_Edit*>("code");
        if (newCode == kUnset)
            field->setText(QString());
        else
            field->SetInt(newCode);
        return answer;
    };
}

}  // namespace

TEST_F(GyomuEditor, OpensWithThreeListsEachOnItsFirstEntry) {
    Open(Masters());
    EXPECT_EQ(dialog->windowTitle(), Tx("業務ファイル編集"));
    const char* const titles[] = {"歩掛業務データ一覧(2)", "変化率・補正率業務データ一覧(2)", "諸経費業務データ一覧(2)"};
    const ListStrip strips[] = {ListStrip::Bukake, ListStrip::Henkaritsu, ListStrip::Shokeihi};
    for (int id = 0; id < 3; ++id) {
        CEditorList* list = List(id);
        ASSERT_NE(list, nullptr) << id;
        EXPECT_EQ(list->Title(), Tx(titles[id]));
        EXPECT_EQ(list->Count(), 2);
        EXPECT_EQ(list->EntryText(0), QString::fromStdString(Entries(id)[0].first));
        EXPECT_EQ(list->ChosenIndex(), 0);
        ASSERT_EQ(list->selectedItems().size(), 1);
        EXPECT_EQ(list->selectedItems()[0], list->topLevelItem(0));
        EXPECT_EQ(list->topLevelItem(1)->icon(0).pixmap(16, 16).toImage(),
                  ListStripImages(strips[id])[0].pixmap(16, 16).toImage());
        const std::pair<const char*, const char*> buttons[] = {
            {"Rename", "名前の変更..."}, {"Create", "新規作成..."}, {"Insert", "挿入..."}, {"Delete", "削除"}};
        for (const auto& [what, text] : buttons) {
            EXPECT_EQ(Button(id, what)->text(), Tx(text)) << id << what;
            EXPECT_TRUE(Button(id, what)->isEnabled()) << id << what;
        }
    }
    EXPECT_EQ(dialog->findChild<QPushButton*>("ok")->text(), Tx("保存して終了"));
    EXPECT_EQ(dialog->findChild<QPushButton*>("cancel")->text(), Tx("ｷｬﾝｾﾙ"));
}

// A click on the empty space of a list chooses none there and disables that list's buttons only.
TEST_F(GyomuEditor, AClickOnEmptyListSpaceChoosesNone) {
    for (int id = 0; id < 3; ++id) {
        SCOPED_TRACE(id);
        Open(Masters());
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        CEditorList* list = List(id);
        const QPoint empty(10, list->viewport()->height() - 5);
        ASSERT_EQ(list->itemAt(empty), nullptr);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, empty);
        for (int other = 0; other < 3; ++other) {
            EXPECT_EQ(List(other)->ChosenIndex(), other == id ? -1 : 0) << other;
            for (const char* what : {"Rename", "Insert", "Delete"})
                EXPECT_EQ(Button(other, what)->isEnabled(), other != id) << other << what;
            EXPECT_TRUE(Button(other, "Create")->isEnabled()) << other;
        }
    }
}

TEST_F(GyomuEditor, DeletingTheOnlyEntryDisablesThatListsButtonsOnly) {
    const char* const questions[] = {"歩掛業務データ ' 設計 ' を削除してよろしいですか？",
                                     "変化率・補正率業務データ ' 物件調査 ' を削除してよろしいですか？",
                                     "諸経費業務データ ' 区画整理設計 ' を削除してよろしいですか？"};
    for (int id = 0; id < 3; ++id) {
        // Each list holds one entry.
        Masters m;
        m.bukake.RemoveGyomu(0);
        m.henkaritsu.RemoveGyomu(0);
        m.shokeihi.RemoveRecord(0);
        Open(m);
        host.messages.clear();
        host.answers = {IDNO};
        Button(id, "Delete")->click();
        ASSERT_EQ(host.messages.size(), 1u) << id;
        EXPECT_EQ(host.messages[0].text, questions[id]);
        EXPECT_EQ(host.messages[0].caption, "確認");
        EXPECT_EQ(host.messages[0].buttons, MsgButtons::YesNo);
        EXPECT_EQ(host.messages[0].icon, MsgIcon::Exclamation);
        EXPECT_TRUE(SameAsOpened(m)) << id;

        host.answers = {IDYES};
        Button(id, "Delete")->click();
        EXPECT_TRUE(Entries(id).empty()) << id;
        EXPECT_EQ(List(id)->ChosenIndex(), -1) << id;
        EXPECT_EQ(List(id)->Count(), 0) << id;
        for (int other = 0; other < 3; ++other) {
            const bool emptied = other == id;
            for (const char* what : {"Rename", "Insert", "Delete"})
                EXPECT_EQ(Button(other, what)->isEnabled(), !emptied) << id << other << what;
            EXPECT_TRUE(Button(other, "Create")->isEnabled()) << id << other;
            EXPECT_EQ(Entries(other).size(), emptied ? 0u : 1u) << id << other;
        }
    }
}

TEST_F(GyomuEditor, DeletingABukakeBusinessTakesItsWorkTypesWithIt) {
    Masters m;
    Open(m);
    host.answers = {IDYES};
    Button(CGyomuEditDlg::kBukake, "Delete")->click();
    ASSERT_EQ(dialog->GetBukakeFile().GetCount(), 1);
    EXPECT_EQ(dialog->GetBukakeFile().GetGyomu(0)->m_code, 2);
    EXPECT_EQ(dialog->GetBukakeFile().FindGyomu(6), nullptr);
    // The chosen index stays on the entry that moved up; the other masters are untouched.
    EXPECT_EQ(List(CGyomuEditDlg::kBukake)->ChosenIndex(), 0);
    EXPECT_TRUE(dialog->GetHenkaritsuFile() == m.henkaritsu);
    EXPECT_TRUE(dialog->GetShokeihiFile() == m.shokeihi);
    // Deleting the last entry chooses the one before it.
    Masters again;
    Open(again);
    List(CGyomuEditDlg::kShokeihi)->SetChosenIndex(1);
    host.answers = {IDYES};
    Button(CGyomuEditDlg::kShokeihi, "Delete")->click();
    EXPECT_EQ(List(CGyomuEditDlg::kShokeihi)->ChosenIndex(), 0);
}

TEST_F(GyomuEditor, CreateAndInsertTakeTheFirstFreeCodeAndTheDialogsAnswer) {
    Masters m;
    Open(m);
    ScriptedDialogs dialogs;
    // 新規作成 on the 変化率 list: appended, chosen.
    dialogs.Expect<CNameEditDlg>(NameDialog("新規作成", "", 1, "測量", 1));
    Button(CGyomuEditDlg::kHenkaritsu, "Create")->click();
    EXPECT_EQ(Entries(CGyomuEditDlg::kHenkaritsu),
              (std::vector<std::pair<std::string, int>>{{"区画整理測量", 6}, {"物件調査", 3}, {"測量", 1}}));
    EXPECT_EQ(List(CGyomuEditDlg::kHenkaritsu)->ChosenIndex(), 2);
    EXPECT_EQ(List(CGyomuEditDlg::kHenkaritsu)->Title(), Tx("変化率・補正率業務データ一覧(3)"));
    EXPECT_TRUE(dialog->GetHenkaritsuFile().GetGyomu(2)->GetSize() == 0);

    // 挿入 on the 諸経費 list before its second entry: the new one takes that place.
    List(CGyomuEditDlg::kShokeihi)->SetChosenIndex(1);
    dialogs.Expect<CNameEditDlg>(NameDialog("挿入", "", 1, "物件調査", 3));
    Button(CGyomuEditDlg::kShokeihi, "Insert")->click();
    EXPECT_EQ(Entries(CGyomuEditDlg::kShokeihi),
              (std::vector<std::pair<std::string, int>>{{"設計", 2}, {"物件調査", 3}, {"区画整理設計", 7}}));
    EXPECT_EQ(dialog->GetShokeihiFile().GetRecord(1)->m_rate, kUnset);
    EXPECT_EQ(List(CGyomuEditDlg::kShokeihi)->ChosenIndex(), 1);

    // Cancel adds nothing.
    const CBukakeFile bukake = dialog->GetBukakeFile();
    dialogs.Expect<CNameEditDlg>(NameDialog("新規作成", "", 1, "捨てる", 1, IDCANCEL));
    Button(CGyomuEditDlg::kBukake, "Create")->click();
    EXPECT_TRUE(dialog->GetBukakeFile() == bukake);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(GyomuEditor, RenameStoresNameAndCodeButRefusesABadCode) {
    struct Case {
        const char* what;
        int code;
        const char* refusal;
    };
    const Case cases[] = {
        {"own code", 2, nullptr},
        {"free code", 32, nullptr},
        {"code of another entry", 6, masteredittext::kCodeInUse},
        {"zero", 0, masteredittext::kGyomuCodeOutOfRange},
        {"past 32", 33, masteredittext::kGyomuCodeOutOfRange},
        {"-1", -1, masteredittext::kGyomuCodeOutOfRange},
        {"empty", kUnset, masteredittext::kGyomuCodeOutOfRange},
    };
    for (const Case& c : cases) {
        Masters m;
        Open(m);
        host.messages.clear();
        List(CGyomuEditDlg::kBukake)->SetChosenIndex(1);
        ScriptedDialogs dialogs;
        dialogs.Expect<CNameEditDlg>(NameDialog("名前の変更", "設計", 2, "実施設計", c.code));
        // A double-click opens the rename as the button does.
        emit List(CGyomuEditDlg::kBukake)->Opened(1);
        if (c.refusal) {
            EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{c.refusal}) << c.what;
            EXPECT_TRUE(SameAsOpened(m)) << c.what;
        } else {
            EXPECT_TRUE(host.messages.empty()) << c.what;
            EXPECT_EQ(Entries(CGyomuEditDlg::kBukake)[1], (std::pair<std::string, int>{"実施設計", c.code})) << c.what;
            EXPECT_EQ(List(CGyomuEditDlg::kBukake)->EntryText(1), Tx("実施設計")) << c.what;
        }
    }
}

TEST_F(GyomuEditor, AFullCodeRangeAddsNothingAndOpensNoDialog) {
    Masters m;
    for (int code = 1; code <= 32; ++code)
        if (!m.shokeihi.FindRecord(code)) AddShokeihi(m.shokeihi, code, "業務" + std::to_string(code), kUnset);
    for (const char* what : {"Create", "Insert"}) {
        Open(m);
        host.messages.clear();
        ScriptedDialogs dialogs;  // no dialog expected
        Button(CGyomuEditDlg::kShokeihi, what)->click();
        EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{masteredittext::kNoFreeGyomuCode}) << what;
        EXPECT_TRUE(SameAsOpened(m)) << what;
    }
    // A new code the name dialog changed to one in use is refused as well.
    Open(Masters());
    host.messages.clear();
    ScriptedDialogs dialogs;
    dialogs.Expect<CNameEditDlg>(NameDialog("新規作成", "", 1, "重複", 2));
    Button(CGyomuEditDlg::kBukake, "Create")->click();
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{masteredittext::kCodeInUse});
    EXPECT_TRUE(SameAsOpened(Masters()));
}
