// The unit-price editor: the grid it fills, the trades its cells and buttons write, the column
// moves, and the 歩掛 references that follow a changed or deleted trade id.
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
#include "masteredit/TankaEditDlg.h"

using namespace masterbuild;

namespace {

// Three trades; column 20 (grid column 22) holds a title and one price only when full is set.
CTankaFile Tanka(bool full = false) {
    CTankaFile f;
    for (int i = 0; i < 19; ++i) f.m_columnTitles[i] = "R" + std::to_string(i + 1);
    AddTankaRow(f, 1001, "技師長", {50000, 51000, kUnset, 53000});
    AddTankaRow(f, 1002, "主任技師", {40000});
    AddTankaRow(f, 1005, "測量助手", {20000, 21000}).m_kind = 1;
    if (full) {
        f.m_columnTitles[19] = "R20";
        f.GetRow(1)->m_prices[19] = 49000;
    }
    return f;
}

// One detail that refers to trade 1002 in two slots.
CBukakeFile Bukake() {
    CBukakeFile f;
    CBukakeDetail& d = AddShubetsu(AddKoshu(AddGyomu(f, 1), 100), 1).GetDetail();
    d.m_shokushu[0] = 1002;
    d.m_shokushu[4] = 1002;
    return f;
}

class TankaEditor : public ::testing::Test {
protected:
    void Open(const CTankaFile& tanka) {
        dialog = std::make_unique<CTankaEditDlg>();
        dialog->SetBukakeFile(Bukake());
        dialog->SetTankaFile(tanka);
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get(), kHangMs));
        grid = dialog->findChild<CSpreadSheet*>("grid");
        ASSERT_NE(grid, nullptr);
    }
    QPushButton* Button(const char* name) { return dialog->findChild<QPushButton*>(name); }
    const CTankaFile& File() { return dialog->GetTankaFile(); }
    // A name dialog that types code and answers OK.
    static void ExpectNameDialog(ScriptedDialogs& dialogs, int code, const char* name = nullptr) {
        dialogs.Expect<CNameEditDlg>([code, name](CNameEditDlg& d) {
            d.findChild<CZo_Edit*>("code")->setText(QString::number(code));
            if (name) d.findChild<CZo_Edit*>("name")->setText(Tx(name));
            return IDOK;
        });
    }

    ScriptedHost host;
    std::unique_ptr<CTankaEditDlg> dialog;
    CSpreadSheet* grid = nullptr;
};

}  // namespace

TEST_F(TankaEditor, OneRowPerTradeUnderTheColumnTitles) {
    Open(Tanka());
    EXPECT_EQ(dialog->windowTitle(), Tx("単価ファイル編集"));
    QStringList labels;
    for (QLabel* label : dialog->findChildren<QLabel*>()) labels << label->text();
    EXPECT_TRUE(labels.contains(Tx("単価データ一覧 :")));
    EXPECT_EQ(grid->GetMaxCols(), 23);
    EXPECT_EQ(grid->GetMaxRows(), 3);
    EXPECT_EQ(grid->GetCellText(3, 0), Tx("R1"));
    EXPECT_EQ(grid->GetCellText(21, 0), Tx("R19"));
    EXPECT_EQ(grid->GetCellText(22, 0), QString());
    EXPECT_EQ(grid->GetCellText(1, 1), Tx("技師長"));
    EXPECT_EQ(grid->GetCellText(3, 1), Tx("50000"));
    EXPECT_EQ(grid->GetCellText(5, 1), QString());  // an unset price
    EXPECT_EQ(grid->GetCellText(6, 1), Tx("53000"));
    EXPECT_EQ(grid->GetCellText(1, 3), Tx("測量助手"));

    const std::pair<const char*, const char*> buttons[] = {
        {"title", "タイトル変更..."}, {"change", "職種変更..."}, {"add", "職種追加..."},
        {"insert", "職種挿入..."},    {"delete", "職種削除"},    {"clear", "クリア"},
        {"colinsert", "列挿入"},      {"coldelete", "列削除"},   {"preview", "印刷ﾌﾟﾚﾋﾞｭｰ"},
        {"print", "印刷..."},         {"ok", "保存して終了"},    {"cancel", "ｷｬﾝｾﾙ"}};
    for (const auto& [name, text] : buttons) {
        ASSERT_NE(Button(name), nullptr) << name;
        EXPECT_EQ(Button(name)->text(), Tx(text)) << name;
    }
    // On a name cell: the trade commands and the list print, not the column ones.
    for (const char* name : {"change", "add", "insert", "delete", "clear", "preview", "print"})
        EXPECT_TRUE(Button(name)->isEnabled()) << name;
    for (const char* name : {"title", "colinsert", "coldelete"}) EXPECT_FALSE(Button(name)->isEnabled()) << name;
    emit grid->Click(7, 2);
    for (const char* name : {"title", "colinsert", "coldelete"}) EXPECT_TRUE(Button(name)->isEnabled()) << name;
    EXPECT_FALSE(grid->testAttribute(Qt::WA_InputMethodEnabled));
    emit grid->BlockSelected(3, 1, 4, 2);
    for (const char* name : {"title", "colinsert", "coldelete", "change", "add", "insert", "delete"})
        EXPECT_FALSE(Button(name)->isEnabled()) << name;
}

// The name, unit and remarks columns are headed by what they hold; a title longer than its column is
// shown whole, on lines that each fit the column, while the stored title stays as typed.
TEST_F(TankaEditor, HeadingsShowWholeTitles) {
    CTankaFile tanka = Tanka();
    tanka.m_columnTitles[0] = "令和7年度 技術者単価（見本）";
    Open(tanka);
    EXPECT_EQ(grid->GetCellText(1, 0), Tx("職種名称"));
    EXPECT_EQ(grid->GetCellText(2, 0), Tx("単位"));
    EXPECT_EQ(grid->GetCellText(23, 0), Tx("備考"));
    EXPECT_EQ(grid->GetCellText(4, 0), Tx("R2"));

    const QStringList lines = grid->GetCellText(3, 0).split(QLatin1Char('\n'));
    EXPECT_GE(lines.size(), 2);
    EXPECT_EQ(lines.join(QString()).remove(QLatin1Char(' ')), Tx("令和7年度技術者単価（見本）"));
    for (const QString& line : lines)
        EXPECT_LE(grid->fontMetrics().horizontalAdvance(line), grid->columnWidth(2)) << line.toStdString();
    EXPECT_EQ(File().m_columnTitles[0], "令和7年度 技術者単価（見本）");
}

TEST_F(TankaEditor, ATypedEmptyPriceStoresZeroAndClearStoresUnset) {
    Open(Tanka());
    grid->SetCellText(4, 1, Tx("\\1,234"));
    emit grid->Change(4, 1);
    EXPECT_EQ(File().GetRow(0)->m_prices[1], 1234);
    grid->SetCellText(3, 2, QString());
    emit grid->Change(3, 2);
    EXPECT_EQ(File().GetRow(1)->m_prices[0], 0);
    grid->SetCellText(23, 2, Tx("備考"));
    emit grid->Change(23, 2);
    EXPECT_EQ(File().GetRow(1)->m_remarks, "備考");

    emit grid->BlockSelected(3, 1, 4, 3);
    Button("clear")->click();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(File().GetRow(i)->m_prices[0], kUnset) << i;
        EXPECT_EQ(File().GetRow(i)->m_prices[1], kUnset) << i;
        EXPECT_EQ(grid->GetCellText(3, i + 1), QString()) << i;
    }
    EXPECT_EQ(File().GetRow(0)->m_prices[3], 53000);
    EXPECT_EQ(File().GetRow(0)->m_name, "技師長");
}

TEST_F(TankaEditor, ColumnInsertAndDeleteAtTheLastPriceColumn) {
    struct Case {
        const char* what;
        const char* button;
        bool full;     // the last column holds a title and a price
        int answer;    // to the question; 0 when none is asked
        bool changes;
    };
    const Case cases[] = {
        {"insert, last column empty", "colinsert", false, 0, true},
        {"insert over a filled last column, No", "colinsert", true, IDNO, false},
        {"insert over a filled last column, Yes", "colinsert", true, IDYES, true},
        {"delete, No", "coldelete", true, IDNO, false},
        {"delete, Yes", "coldelete", true, IDYES, true},
    };
    for (const Case& c : cases) {
        const CTankaFile before = Tanka(c.full);
        Open(before);
        host.messages.clear();
        if (c.answer) host.answers = {c.answer};
        emit grid->Click(22, 2);
        Button(c.button)->click();
        if (!c.answer) {
            EXPECT_TRUE(host.messages.empty()) << c.what;
        } else {
            const char* question = std::string(c.button) == "coldelete" ? masteredittext::kAskDeleteColumn
                                                                         : masteredittext::kAskDropLastColumn;
            EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{question}) << c.what;
        }
        if (!c.changes) {
            EXPECT_TRUE(File() == before) << c.what;
            continue;
        }
        // Columns 3 to 21 unchanged, column 22 cleared in every row.
        for (int p = 0; p < 19; ++p) EXPECT_EQ(File().m_columnTitles[p], before.m_columnTitles[p]) << c.what << p;
        EXPECT_EQ(File().m_columnTitles[19], "") << c.what;
        EXPECT_EQ(grid->GetCellText(22, 0), QString()) << c.what;
        for (int i = 0; i < 3; ++i) {
            for (int p = 0; p < 19; ++p) EXPECT_EQ(File().GetRow(i)->m_prices[p], before.GetRow(i)->m_prices[p]);
            EXPECT_EQ(File().GetRow(i)->m_prices[19], kUnset) << c.what << i;
        }
    }
    // In the middle: the titles and prices move one column right, the new column empty.
    Open(Tanka());
    emit grid->Click(4, 1);
    Button("colinsert")->click();
    EXPECT_EQ(File().m_columnTitles[1], "");
    EXPECT_EQ(File().m_columnTitles[2], "R2");
    EXPECT_EQ(File().GetRow(0)->m_prices[1], kUnset);
    EXPECT_EQ(File().GetRow(0)->m_prices[2], 51000);
    EXPECT_EQ(File().GetRow(0)->m_prices[4], 53000);
    EXPECT_EQ(grid->GetCellText(5, 1), Tx("51000"));
}

TEST_F(TankaEditor, AnIdChangeRewritesTheBukakeReferencesOnlyWhenAgreedAndNeverToAUsedId) {
    const std::string kQuestion = std::string(mastertext::kTankaCodeUsedBefore) + "1" + mastertext::kTankaCodeUsedAfter;
    struct Case {
        const char* what;
        int code;
        std::vector<int> answers;
        std::vector<std::string> messages;
        int32_t tradeId;     // of row 2 afterwards
        int32_t reference;   // in the 歩掛 copy afterwards
        int flag;
    };
    const Case cases[] = {
        {"declined", 1010, {IDNO}, {kQuestion}, 1010, 1002, 0},
        {"accepted", 1010, {IDYES}, {kQuestion}, 1010, 1010, 1},
        {"the id of another trade", 1005, {}, {masteredittext::kCodeInUse}, 1002, 1002, 0},
        {"outside 1000 to 1999", 2000, {}, {masteredittext::kTankaCodeOutOfRange}, 1002, 1002, 0},
    };
    for (const Case& c : cases) {
        Open(Tanka());
        host.messages.clear();
        host.answers.assign(c.answers.begin(), c.answers.end());
        emit grid->Click(1, 2);
        ScriptedDialogs dialogs;
        ExpectNameDialog(dialogs, c.code, "主任");
        Button("change")->click();
        EXPECT_EQ(host.MessageTexts(), c.messages) << c.what;
        EXPECT_EQ(File().GetRow(1)->m_id, c.tradeId) << c.what;
        EXPECT_EQ(File().GetRow(1)->m_name, c.tradeId == c.code ? "主任" : "主任技師") << c.what;
        const CBukakeDetail& detail = dialog->GetBukakeFile().FindShubetsu(1, 100, 1)->GetDetail();
        EXPECT_EQ(detail.m_shokushu[0], c.reference) << c.what;
        EXPECT_EQ(detail.m_shokushu[4], c.reference) << c.what;
        EXPECT_EQ(dialog->IsBukakeChanged(), c.flag) << c.what;
    }
}

TEST_F(TankaEditor, DeleteAsksThenRemovesTheTradeAndItsReferences) {
    Open(Tanka());
    emit grid->Click(1, 2);
    host.answers = {IDNO};
    Button("delete")->click();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "単価データ ' 主任技師 ' を削除してよろしいですか？");
    EXPECT_EQ(host.messages[0].caption, "確認");
    EXPECT_TRUE(File() == Tanka());

    host.answers = {IDYES, IDYES};
    Button("delete")->click();
    ASSERT_EQ(File().GetCount(), 2);
    EXPECT_EQ(File().GetRow(1)->m_id, 1005);
    EXPECT_EQ(dialog->GetBukakeFile().FindShubetsu(1, 100, 1)->GetDetail().m_shokushu[0], kUnset);
    EXPECT_EQ(dialog->IsBukakeChanged(), 1);
    // The last row deleted: the row above becomes current.
    emit grid->Click(1, 2);
    host.answers = {IDYES};
    Button("delete")->click();
    EXPECT_EQ(File().GetCount(), 1);
    EXPECT_EQ(dialog->CurrentRow(), 1);
}

TEST_F(TankaEditor, AddAndInsertTakeTheFirstFreeIdAndAFullRangeAddsNothing) {
    Open(Tanka());
    emit grid->Click(1, 2);
    {
        ScriptedDialogs dialogs;
        dialogs.Expect<CNameEditDlg>([](CNameEditDlg& d) {
            EXPECT_EQ(d.GetCode(), 1000);
            d.findChild<CZo_Edit*>("name")->setText(Tx("新職種"));
            return IDOK;
        });
        Button("insert")->click();
    }
    ASSERT_EQ(File().GetCount(), 4);
    EXPECT_EQ(File().GetRow(1)->m_id, 1000);
    EXPECT_EQ(File().GetRow(1)->m_name, "新職種");
    EXPECT_EQ(File().GetRow(2)->m_id, 1002);

    CTankaFile full;
    for (int id = 1000; id <= 1999; ++id) AddTankaRow(full, id, "T", {});
    Open(full);
    host.messages.clear();
    Button("add")->click();
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{masteredittext::kNoFreeTankaCode});
    EXPECT_EQ(File().GetCount(), 1000);
}
