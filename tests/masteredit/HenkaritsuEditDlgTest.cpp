// The rate editor and its record list: the groups offered, the record commands, the codes they
// give and refuse, and the 歩掛 references that follow a changed or deleted code.
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
#include "masteredit/EditorList.h"
#include "masteredit/HenkaritsuDetailDlg.h"
#include "masteredit/HenkaritsuEditDlg.h"
#include "masteredit/HenkaritsuRecordList.h"
#include "masteredit/MasterEditTexts.h"
#include "master/MasterTexts.h"

using namespace masterbuild;
using List = CHenkaritsuRecordList;

namespace {

// 業務 6 with records 1 "地形", 2 "勾配", 3 "面積"; 業務 2 with record 5 "設計補正"; 業務 4 empty.
CHenkaritsuFile Rates() {
    CHenkaritsuFile f;
    CHenkaritsuGyomu& g6 = AddGroup(f, 6, "区画整理測量");
    AddTableRecord(g6, 1, "地形");
    AddTableRecord(g6, 2, "勾配");
    AddTableRecord(g6, 3, "面積");
    AddTableRecord(AddGroup(f, 2, "設計"), 5, "設計補正");
    AddGroup(f, 4, "土質");
    AddGroup(f, 40, "範囲外");
    return f;
}

// Three details of 業務 6 use rate 2.
CBukakeFile Bukake() {
    CBukakeFile f;
    CBukakeKoshu& k = AddKoshu(AddGyomu(f, 6), 100);
    for (int s = 1; s <= 3; ++s) AddShubetsu(k, s).GetDetail().m_henkaritsu[static_cast<size_t>(s - 1)] = 2;
    return f;
}

std::string RewriteQuestion(int count) {
    return mastertext::kHenkaritsuCodeUsedBefore + std::to_string(count) + mastertext::kHenkaritsuCodeUsedAfter;
}

class RateEditor : public ::testing::Test {
protected:
    void Open(const CHenkaritsuFile& rates = Rates()) {
        dialog = std::make_unique<CHenkaritsuEditDlg>();
        dialog->SetHenkaritsuFile(rates);
        dialog->SetBukakeFile(Bukake());
        dialog->SetGyomuCodes({6, 2, 7, 3, 4});
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get(), kHangMs));
        records = dialog->Records();
        combo = dialog->findChild<QComboBox*>("gyomu");
    }
    void ChooseGyomu(int index) {
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    void Choose(int index) {
        records->List()->SetChosenIndex(index);
        records->List()->ShowChosen();
    }
    std::vector<int32_t> Codes(int gyomu) {
        std::vector<int32_t> codes;
        const CHenkaritsuGyomu* g = dialog->GetHenkaritsuFile().FindGyomu(gyomu);
        for (int i = 0; i < g->GetSize(); ++i) codes.push_back(g->GetRecord(i)->m_code);
        return codes;
    }
    const CHenkaritsuRecord& RecordAt(int gyomu, int index) {
        return *dialog->GetHenkaritsuFile().FindGyomu(gyomu)->GetRecord(index);
    }
    int32_t Use(int shubetsu) {
        return dialog->GetBukakeFile().FindShubetsu(6, 100, shubetsu)->GetDetail().m_henkaritsu[static_cast<size_t>(
            shubetsu - 1)];
    }
    // A name dialog that sees what it is offered, types a code (and a name) and closes.
    static void ExpectName(ScriptedDialogs& dialogs, int code, int close = IDOK,
                           std::function<void(CNameEditDlg&)> look = {}) {
        dialogs.Expect<CNameEditDlg>([=](CNameEditDlg& d) {
            if (look) look(d);
            d.findChild<CZo_Edit*>("code")->setText(QString::number(code));
            return close;
        });
    }

    ScriptedHost host;
    std::unique_ptr<CHenkaritsuEditDlg> dialog;
    CHenkaritsuRecordList* records = nullptr;
    QComboBox* combo = nullptr;
};

}  // namespace

TEST_F(RateEditor, OffersTheGroupsOfTheGivenCodesAndListsTheFirst) {
    Open();
    EXPECT_EQ(dialog->windowTitle(), Tx("変化率・補正率ファイル編集"));
    QStringList names;
    for (int i = 0; i < combo->count(); ++i) names << combo->itemText(i);
    EXPECT_EQ(names, (QStringList{Tx("区画整理測量"), Tx("設計"), Tx("土質")}));
    EXPECT_EQ(records->List()->Title(), Tx("変化率・補正率データ一覧(3)"));
    EXPECT_EQ(records->List()->EntryText(1), Tx("勾配"));
    EXPECT_EQ(records->ChosenIndex(), 0);
    const std::pair<List::Command, const char*> texts[] = {
        {List::kDetail, "詳細設定..."}, {List::kRename, "名前の変更..."}, {List::kCreate, "新規作成..."},
        {List::kCopy, "コピー..."},     {List::kInsert, "挿入..."},       {List::kDelete, "削除"},
        {List::kMoveUp, "上へ移動"},    {List::kMoveDown, "下へ移動"}};
    for (const auto& [command, text] : texts) {
        EXPECT_EQ(records->Button(command)->text(), Tx(text));
        EXPECT_TRUE(records->Button(command)->isEnabled()) << text;
    }
    EXPECT_TRUE(dialog->findChild<QPushButton*>("preview")->isEnabled());
    EXPECT_TRUE(dialog->findChild<QPushButton*>("print")->isEnabled());
}

// A click on the empty space of the list chooses no record: every record button but 新規作成 is disabled.
TEST_F(RateEditor, AClickOnEmptyListSpaceChoosesNone) {
    Open();
    CEditorList* list = records->List();
    const QPoint empty(10, list->viewport()->height() - 5);
    ASSERT_EQ(list->itemAt(empty), nullptr);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, empty);
    EXPECT_EQ(records->ChosenIndex(), -1);
    for (List::Command command : {List::kDetail, List::kRename, List::kCopy, List::kInsert, List::kDelete,
                                  List::kMoveUp, List::kMoveDown})
        EXPECT_FALSE(records->Button(command)->isEnabled()) << command;
    EXPECT_TRUE(records->Button(List::kCreate)->isEnabled());
}

TEST_F(RateEditor, AnIndexPastTheNewGroupsEndMovesToItsLastRecord) {
    Open();
    Choose(2);
    ChooseGyomu(1);  // 設計: one record
    EXPECT_EQ(records->ChosenIndex(), 0);
    EXPECT_EQ(records->ChosenRecord()->m_name, "設計補正");
    ChooseGyomu(2);  // 土質: empty
    EXPECT_EQ(records->ChosenIndex(), -1);
    EXPECT_EQ(records->List()->Title(), Tx("変化率・補正率データ一覧(0)"));
    for (List::Command c : {List::kDetail, List::kRename, List::kCopy, List::kInsert, List::kDelete, List::kMoveUp,
                            List::kMoveDown})
        EXPECT_FALSE(records->Button(c)->isEnabled()) << c;
    EXPECT_TRUE(records->Button(List::kCreate)->isEnabled());
    // A new record in the empty group takes the first user code and becomes the chosen one.
    ScriptedDialogs dialogs;
    ExpectName(dialogs, 1000, IDOK, [](CNameEditDlg& d) {
        EXPECT_EQ(d.GetCode(), 1000);
        EXPECT_EQ(d.GetUserCreated(), 1);
        d.findChild<CZo_Edit*>("name")->setText(QStringLiteral("新規"));
    });
    records->Button(List::kCreate)->click();
    EXPECT_EQ(Codes(4), std::vector<int32_t>{1000});
    EXPECT_EQ(RecordAt(4, 0).m_userCreated, 1);
    EXPECT_EQ(records->ChosenIndex(), 0);
}

TEST_F(RateEditor, ACodeChangeAsksWithTheUseCountAndTheFlagStaysSet) {
    Open();
    Choose(1);  // 勾配, code 2
    ScriptedDialogs dialogs;
    ExpectName(dialogs, 1500);
    host.answers = {IDYES};
    records->OnRename();
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{RewriteQuestion(3)});
    EXPECT_EQ(Use(1), 1500);
    EXPECT_EQ(Use(3), 1500);
    EXPECT_EQ(RecordAt(6, 1).m_code, 1500);
    EXPECT_EQ(dialog->IsBukakeChanged(), 1);

    // A code used nowhere asks nothing and leaves the flag set.
    host.messages.clear();
    Choose(0);
    ExpectName(dialogs, 1600);
    records->OnRename();
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(RecordAt(6, 0).m_code, 1600);
    EXPECT_EQ(dialog->IsBukakeChanged(), 1);
}

TEST_F(RateEditor, ARefusedRewriteStillRenamesButLeavesTheFlag) {
    Open();
    Choose(1);
    ScriptedDialogs dialogs;
    ExpectName(dialogs, 1500);
    host.answers = {IDNO};
    records->OnRename();
    EXPECT_EQ(RecordAt(6, 1).m_code, 1500);
    EXPECT_EQ(Use(1), 2);
    EXPECT_EQ(dialog->IsBukakeChanged(), 0);
}

TEST_F(RateEditor, CodesInUseOrOutOfRangeAreRefused) {
    struct Case {
        const char* what;
        int code;
        const char* refusal;
    };
    const Case cases[] = {
        {"another record's code", 3, masteredittext::kCodeInUse},
        {"zero", 0, masteredittext::kHenkaritsuCodeOutOfRange},
        {"above the user range", 2001, masteredittext::kHenkaritsuCodeOutOfRange},
    };
    for (const Case& c : cases) {
        Open();
        Choose(1);
        ScriptedDialogs dialogs;
        ExpectName(dialogs, c.code);
        records->OnRename();
        EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{c.refusal}) << c.what;
        EXPECT_EQ(Codes(6), (std::vector<int32_t>{1, 2, 3})) << c.what;
        EXPECT_EQ(Use(1), 2) << c.what;
        host.messages.clear();
        // A new record is refused the same way and not added.
        ExpectName(dialogs, c.code);
        records->OnCreate();
        EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{c.refusal}) << c.what;
        EXPECT_EQ(Codes(6).size(), 3u) << c.what;
        host.messages.clear();
    }
}

TEST_F(RateEditor, AFullUserRangeIsToldAndNothingIsAdded) {
    CHenkaritsuFile rates = Rates();
    for (int code = 1000; code <= 2000; ++code) AddTableRecord(*rates.FindGyomu(6), code);
    Open(rates);
    for (List::Command c : {List::kCreate, List::kCopy, List::kInsert}) {
        host.messages.clear();
        records->Button(c)->click();  // no name dialog opens
        EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{masteredittext::kNoFreeHenkaritsuCode}) << c;
        EXPECT_EQ(Codes(6).size(), 1004u) << c;
    }
}

TEST_F(RateEditor, DeleteRewritesTheUsesToUnsetAndKeepsTheIndexInside) {
    Open();
    Choose(1);
    host.answers = {IDYES, IDYES};
    records->Button(List::kDelete)->click();
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].text, "変化率・補正率データ ' 勾配 ' を削除してよろしいですか？");
    EXPECT_EQ(host.messages[0].caption, "確認");
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(host.messages[1].text, RewriteQuestion(3));
    EXPECT_EQ(Codes(6), (std::vector<int32_t>{1, 3}));
    EXPECT_EQ(Use(2), kUnset);
    EXPECT_EQ(dialog->IsBukakeChanged(), 1);
    EXPECT_EQ(records->ChosenIndex(), 1);

    // The last record deleted: the index steps back; the group emptied: none.
    host.answers = {IDYES};
    records->OnDelete();
    EXPECT_EQ(records->ChosenIndex(), 0);
    host.answers = {IDNO};
    records->OnDelete();  // declined
    EXPECT_EQ(Codes(6), std::vector<int32_t>{1});
    host.answers = {IDYES};
    records->OnDelete();
    EXPECT_EQ(records->ChosenIndex(), -1);
    EXPECT_FALSE(records->Button(List::kDelete)->isEnabled());
}

TEST_F(RateEditor, MovesChangeNothingAtEitherEnd) {
    Open();
    Choose(0);
    records->OnMoveUp();
    EXPECT_EQ(Codes(6), (std::vector<int32_t>{1, 2, 3}));
    EXPECT_EQ(records->ChosenIndex(), 0);
    records->OnMoveDown();
    EXPECT_EQ(Codes(6), (std::vector<int32_t>{2, 1, 3}));
    EXPECT_EQ(records->ChosenIndex(), 1);
    Choose(2);
    records->OnMoveDown();
    EXPECT_EQ(Codes(6), (std::vector<int32_t>{2, 1, 3}));
    records->OnMoveUp();
    EXPECT_EQ(Codes(6), (std::vector<int32_t>{2, 3, 1}));
    EXPECT_EQ(records->ChosenIndex(), 1);
    EXPECT_EQ(records->List()->EntryText(1), Tx("面積"));
}

TEST_F(RateEditor, CopyAndInsertTakeUserCodes) {
    CHenkaritsuFile rates = Rates();
    rates.FindGyomu(6)->GetRecord(2)->SetCell(1, 1, 900);
    Open(rates);
    Choose(2);
    ScriptedDialogs dialogs;
    ExpectName(dialogs, 1000, IDOK, [](CNameEditDlg& d) {
        EXPECT_EQ(d.GetName(), Tx("コピー～面積"));
        EXPECT_EQ(d.GetCode(), 1000);
    });
    records->OnCopy();
    EXPECT_EQ(Codes(6), (std::vector<int32_t>{1, 2, 3, 1000}));
    EXPECT_EQ(RecordAt(6, 3).m_name, "コピー～面積");
    EXPECT_EQ(RecordAt(6, 3).GetCell(1, 1), 900);
    EXPECT_EQ(RecordAt(6, 3).m_userCreated, 1);
    EXPECT_EQ(records->ChosenIndex(), 3);

    Choose(1);
    ExpectName(dialogs, 1001, IDOK, [](CNameEditDlg& d) { EXPECT_EQ(d.GetName(), QString()); });
    records->OnInsert();
    EXPECT_EQ(Codes(6), (std::vector<int32_t>{1, 1001, 2, 3, 1000}));
    EXPECT_EQ(records->ChosenIndex(), 1);
    // Cancel adds nothing.
    ExpectName(dialogs, 1002, IDCANCEL);
    records->OnCreate();
    EXPECT_EQ(Codes(6).size(), 5u);
}

TEST_F(RateEditor, TheDetailDialogGetsTheRecordAndTheBusinessAndGivesItBackOnOk) {
    Open();
    Choose(2);
    ScriptedDialogs dialogs;
    for (int close : {IDCANCEL, IDOK})
        dialogs.Expect<CHenkaritsuDetailDlg>([close](CHenkaritsuDetailDlg& d) {
            EXPECT_EQ(d.Record().m_name, "面積");
            d.findChild<QComboBox*>("type")->setCurrentIndex(0);
            emit d.findChild<QComboBox*>("type")->activated(0);
            return close;
        });
    records->OnDetail();
    EXPECT_EQ(RecordAt(6, 2).m_type, 1);
    emit records->List()->Opened(2);  // a double-click
    EXPECT_EQ(RecordAt(6, 2).m_type, 0);
}

TEST_F(RateEditor, WithoutCodesNothingIsListed) {
    dialog = std::make_unique<CHenkaritsuEditDlg>();
    dialog->SetHenkaritsuFile(Rates());
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get(), kHangMs));
    EXPECT_EQ(dialog->Records()->ChosenIndex(), -1);
    EXPECT_EQ(dialog->Records()->List()->Count(), 0);
    EXPECT_FALSE(dialog->Records()->Button(List::kCreate)->isEnabled());
}
