// The program-amount editor: the grid it fills, the records its cells and buttons write, the
// question before a deletion and the checks of a changed code.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "EventWait.h"
#include "MasterBuilders.h"
#include "ScriptedDialogs.h"
#include "ScriptedHost.h"
#include "dialogkit/NameEditDlg.h"
#include "dialogkit/SpreadSheet.h"
#include "dialogkit/Tx.h"
#include "masteredit/MasterEditTexts.h"
#include "masteredit/ProgramKingakuEditDlg.h"

using namespace masterbuild;

namespace {

CProgramKingakuFile Master() {
    CProgramKingakuFile f;
    CProgramKingakuRecord& r = AddProgram(f, 1, "構造計算", 35000);
    r.m_name2 = "(橋梁)";
    r.m_condition1 = "1橋あたり";
    r.m_condition2 = "電算";
    CProgramKingakuRecord& s = AddProgram(f, 5, "測量計算", kUnset);
    s.m_condition2 = "点数";
    CProgramKingakuRecord& t = AddProgram(f, 2, "図化", 12000);
    t.m_condition2 = "面積";
    return f;
}

class ProgramKingakuEditor : public ::testing::Test {
protected:
    void Open(const CProgramKingakuFile& master) {
        dialog = std::make_unique<CProgramKingakuEditDlg>();
        dialog->SetProgramKingakuFile(master);
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get(), kHangMs));
        grid = dialog->findChild<CSpreadSheet*>("grid");
        ASSERT_NE(grid, nullptr);
    }
    QPushButton* Button(const char* name) { return dialog->findChild<QPushButton*>(name); }
    const CProgramKingakuFile& File() { return dialog->GetProgramKingakuFile(); }
    // The texts of a grid row, columns 1 to 5.
    QStringList Row(int row) {
        QStringList texts;
        for (int col = 1; col <= 5; ++col) texts << grid->GetCellText(col, row);
        return texts;
    }
    bool Hidden(int row) {
        grid->SetRow(row);
        return grid->GetRowHidden();
    }

    ScriptedHost host;
    std::unique_ptr<CProgramKingakuEditDlg> dialog;
    CSpreadSheet* grid = nullptr;
};

}  // namespace

TEST_F(ProgramKingakuEditor, OneRowPerRecordAndTheRowsBeyondHidden) {
    Open(Master());
    EXPECT_EQ(dialog->windowTitle(), Tx("プログラム金額ファイル編集"));
    QStringList labels;
    for (QLabel* label : dialog->findChildren<QLabel*>()) labels << label->text();
    EXPECT_TRUE(labels.contains(Tx("プログラム金額データ一覧 :")));
    EXPECT_EQ(Row(0), (QStringList{Tx("プログラム名1"), Tx("プログラム名2"), Tx("利用条件1"), Tx("利用条件2"), Tx("利用料金")}));
    EXPECT_EQ(Row(1), (QStringList{Tx("構造計算"), Tx("(橋梁)"), Tx("1橋あたり"), Tx("電算"), Tx("35000")}));
    EXPECT_EQ(Row(2), (QStringList{Tx("測量計算"), "", "", Tx("点数"), ""}));
    EXPECT_EQ(Row(3), (QStringList{Tx("図化"), "", "", Tx("面積"), Tx("12000")}));
    EXPECT_GE(grid->GetMaxRows(), 99);
    for (int row = 1; row <= grid->GetMaxRows(); ++row) EXPECT_EQ(Hidden(row), row > 3) << row;
    EXPECT_EQ(grid->GetActiveCol(), 1);
    EXPECT_EQ(grid->GetActiveRow(), 1);

    const std::pair<const char*, const char*> buttons[] = {
        {"new", "新規"}, {"insert", "挿入"}, {"delete", "削除"}, {"clear", "クリア"},
        {"change", "変更"}, {"ok", "保存して終了"}, {"cancel", "ｷｬﾝｾﾙ"}};
    for (const auto& [name, text] : buttons) {
        ASSERT_NE(Button(name), nullptr) << name;
        EXPECT_EQ(Button(name)->text(), Tx(text)) << name;
        EXPECT_TRUE(Button(name)->isEnabled()) << name;
    }
    // 変更 waits for F5.
    EXPECT_FALSE(Button("change")->isVisible());
    dialog->activateWindow();
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_F5);
    EXPECT_TRUE(Button("change")->isVisible());

    // The input method is on for the names and conditions, off for the fee.
    emit grid->Click(5, 2);
    EXPECT_FALSE(grid->testAttribute(Qt::WA_InputMethodEnabled));
    emit grid->Click(3, 2);
    EXPECT_TRUE(grid->testAttribute(Qt::WA_InputMethodEnabled));
}

TEST_F(ProgramKingakuEditor, WithNoRecordsOnlyNewAndTheClosingButtonsAreEnabled) {
    Open(CProgramKingakuFile());
    for (const char* name : {"insert", "delete", "clear", "change"}) EXPECT_FALSE(Button(name)->isEnabled()) << name;
    for (const char* name : {"new", "ok", "cancel"}) EXPECT_TRUE(Button(name)->isEnabled()) << name;
    EXPECT_TRUE(Hidden(1));

    Button("new")->click();
    ASSERT_EQ(File().GetCount(), 1);
    const CProgramKingakuRecord& record = *File().GetRecord(0);
    EXPECT_EQ(record.m_code, 1);
    EXPECT_EQ(record.m_name1, "");
    EXPECT_EQ(record.m_fee, kUnset);
    EXPECT_FALSE(Hidden(1));
    EXPECT_TRUE(Hidden(2));
    for (const char* name : {"insert", "delete", "clear", "change"}) EXPECT_TRUE(Button(name)->isEnabled()) << name;
}

TEST_F(ProgramKingakuEditor, TypedCellsWriteTheirRecord) {
    Open(Master());
    grid->SetCellText(5, 2, Tx("1,234,500"));
    emit grid->Change(5, 2);
    EXPECT_EQ(File().GetRecord(1)->m_fee, 1234500);
    grid->SetCellText(5, 3, QString());
    emit grid->Change(5, 3);
    EXPECT_EQ(File().GetRecord(2)->m_fee, 0);
    grid->SetCellText(3, 1, Tx("1基あたり"));
    emit grid->Change(3, 1);
    EXPECT_EQ(File().GetRecord(0)->m_condition1, "1基あたり");
    // A row without a record writes nothing.
    const CProgramKingakuFile before = File();
    grid->SetCellText(1, 4, Tx("迷子"));
    emit grid->Change(1, 4);
    EXPECT_TRUE(File() == before);
}

TEST_F(ProgramKingakuEditor, ClearEmptiesTheBlockInTheGridAndTheRecords) {
    struct Case {
        const char* what;
        int col, row, col2, row2;
        bool byKey;
        std::vector<int> clearedRows;  // 1-based
    };
    const Case cases[] = {
        {"columns 4 and 5 of rows 1 and 2", 4, 1, 5, 2, false, {1, 2}},
        {"the Delete key", 4, 1, 5, 2, true, {1, 2}},
        {"a block reaching past the records", 5, 99, 4, 2, false, {2, 3}},
    };
    const CProgramKingakuFile master = Master();
    for (const Case& c : cases) {
        Open(master);
        emit grid->BlockSelected(c.col, c.row, c.col2, c.row2);
        if (c.byKey) {
            short key = 46;
            emit grid->KeyDown(key, 0);
        } else {
            Button("clear")->click();
        }
        for (int row = 1; row <= 3; ++row) {
            const bool cleared = std::find(c.clearedRows.begin(), c.clearedRows.end(), row) != c.clearedRows.end();
            const CProgramKingakuRecord& record = *File().GetRecord(row - 1);
            const CProgramKingakuRecord& original = *master.GetRecord(row - 1);
            EXPECT_EQ(record.m_condition2, cleared ? "" : original.m_condition2) << c.what << row;
            EXPECT_EQ(record.m_fee, cleared ? kUnset : original.m_fee) << c.what << row;
            EXPECT_EQ(record.m_name1, original.m_name1) << c.what << row;
            EXPECT_EQ(record.m_condition1, original.m_condition1) << c.what << row;
            if (cleared) {
                EXPECT_EQ(Row(row).mid(3), (QStringList{"", ""})) << c.what << row;
            }
        }
        EXPECT_EQ(File().GetCount(), 3) << c.what;
    }
    // The Delete key inside the cell editor belongs to the editor.
    Open(Master());
    emit grid->BlockSelected(4, 1, 5, 2);
    grid->setFocus();
    grid->SelectCell(4, 1);
    grid->SetEditMode(true);
    ASSERT_TRUE(grid->GetEditMode());
    short key = 46;
    emit grid->KeyDown(key, 0);
    EXPECT_EQ(File().GetRecord(0)->m_condition2, "電算");
}

TEST_F(ProgramKingakuEditor, DeleteAsksAndRemovesTheCurrentRecord) {
    Open(Master());
    emit grid->Click(2, 2);
    host.answers = {IDNO};
    Button("delete")->click();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "プログラム金額データ ' 測量計算 ' を削除してよろしいですか？");
    EXPECT_EQ(host.messages[0].caption, "確認");
    EXPECT_EQ(host.messages[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_TRUE(File() == Master());

    host.answers = {IDYES};
    Button("delete")->click();
    ASSERT_EQ(File().GetCount(), 2);
    EXPECT_EQ(File().GetRecord(1)->m_code, 2);
    EXPECT_EQ(Row(2)[0], Tx("図化"));
    EXPECT_TRUE(Hidden(3));
    // The last record deleted: the new last row is current.
    host.answers = {IDYES};
    Button("delete")->click();
    EXPECT_EQ(File().GetCount(), 1);
    EXPECT_EQ(dialog->CurrentRow(), 1);
}

TEST_F(ProgramKingakuEditor, InsertPutsAnEmptyRecordBeforeTheCurrentRow) {
    Open(Master());
    emit grid->Click(1, 2);
    Button("insert")->click();
    ASSERT_EQ(File().GetCount(), 4);
    EXPECT_EQ(File().GetRecord(1)->m_code, 3);  // the first free code
    EXPECT_EQ(File().GetRecord(1)->m_name1, "");
    EXPECT_EQ(File().GetRecord(2)->m_code, 5);
    EXPECT_EQ(Row(2), (QStringList{"", "", "", "", ""}));
    EXPECT_EQ(dialog->CurrentRow(), 2);
}

TEST_F(ProgramKingakuEditor, AFullCodeRangeAddsNothing) {
    CProgramKingakuFile full;
    for (int code = 1; code <= 99; ++code) AddProgram(full, code, "P" + std::to_string(code), code);
    for (const char* button : {"new", "insert"}) {
        Open(full);
        host.messages.clear();
        Button(button)->click();
        EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{masteredittext::kNoFreeProgramCode}) << button;
        EXPECT_TRUE(File() == full) << button;
    }
}

TEST_F(ProgramKingakuEditor, ChangeRenamesAndRecodesButRefusesABadCode) {
    struct Case {
        const char* what;
        int code;  // typed in the name dialog; kUnset leaves the field empty
        const char* refusal;
    };
    const Case cases[] = {
        {"own code", 5, nullptr},
        {"free code", 50, nullptr},
        {"code of another record", 2, masteredittext::kCodeInUse},
        {"zero", 0, masteredittext::kProgramCodeOutOfRange},
        {"past 99", 100, masteredittext::kProgramCodeOutOfRange},
        {"-1", -1, masteredittext::kProgramCodeOutOfRange},
        {"empty", kUnset, masteredittext::kProgramCodeOutOfRange},
    };
    for (const Case& c : cases) {
        Open(Master());
        host.messages.clear();
        emit grid->Click(1, 2);
        ScriptedDialogs dialogs;
        dialogs.Expect<CNameEditDlg>([&c](CNameEditDlg& d) {
            EXPECT_EQ(d.windowTitle(), Tx("名前の変更"));
            EXPECT_EQ(d.GetName(), Tx("測量計算"));
            EXPECT_EQ(d.GetCode(), 5);
            d.findChild<CZo_Edit*>("name")->setText(Tx("測量計算2"));
            CZo_Edit* code = d.findChild<CZo_Edit*>("code");
            if (c.code == kUnset)
                code->setText(QString());
            else
                code->setText(QString::number(c.code));
            return IDOK;
        });
        dialog->OnChange();
        const CProgramKingakuRecord& record = *File().GetRecord(1);
        if (c.refusal) {
            EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{c.refusal}) << c.what;
            EXPECT_TRUE(File() == Master()) << c.what;
        } else {
            EXPECT_TRUE(host.messages.empty()) << c.what;
            EXPECT_EQ(record.m_name1, "測量計算2") << c.what;
            EXPECT_EQ(record.m_code, c.code) << c.what;
            EXPECT_EQ(Row(2)[0], Tx("測量計算2")) << c.what;
        }
    }
}
