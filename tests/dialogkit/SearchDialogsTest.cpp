// The keyword search dialogs: their texts, the 100-row result grid with its stripes and highlight,
// and the choice a double click makes.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

#include "MasterBuilders.h"
#include "ScriptedDialogs.h"
#include "dialogkit/KoshuSearchDlg.h"
#include "dialogkit/ZairyoTankaSearchDlg.h"

using namespace masterbuild;

namespace {

CSpreadSheet* Grid(QWidget& dlg) { return dlg.findChild<CSpreadSheet*>(QStringLiteral("results")); }

void Search(QWidget& dlg, const QString& keywords) {
    dlg.findChild<CZo_Edit*>(QStringLiteral("keyword"))->setText(keywords);
    dlg.findChild<QPushButton*>(QStringLiteral("search"))->click();
}

// The rows shown, each as "column 1|column 2".
QStringList ShownRows(CSpreadSheet& grid) {
    QStringList rows;
    for (int row = 1; row <= grid.GetMaxRows(); ++row) {
        grid.SetRow(row);
        if (!grid.GetRowHidden()) rows << grid.GetCellText(1, row) + "|" + grid.GetCellText(2, row);
    }
    return rows;
}

COLORREF Back(CSpreadSheet& grid, int col, int row) {
    grid.SetCol(col);
    grid.SetRow(row);
    return grid.GetBackColor();
}

// 業務 2 of the master: 工種 20 "詳細設計" with 種別 201 "詳細設計一般" and 202 "詳細設計特殊", 工種 30
// "設計計画" with 種別 301 "計画一般".
CBukakeGyomu DesignGyomu() {
    CBukakeGyomu gyomu;
    gyomu.m_code = 2;
    CBukakeKoshu& detail = AddKoshu(gyomu, 20, "詳細設計");
    AddShubetsu(detail, 201, "詳細設計一般");
    AddShubetsu(detail, 202, "詳細設計特殊");
    AddShubetsu(AddKoshu(gyomu, 30, "設計計画"), 301, "計画一般");
    return gyomu;
}

}  // namespace

TEST(SearchDialogs, TextsAndTheHiddenOkButton) {
    CKoshuSearchDlg koshu;
    CZairyoTankaSearchDlg zairyo;
    const char* koshuHint = "※検索結果の工種または種別をダブルクリックしてください。";
    const char* zairyoHint = "※検索結果をダブルクリックしてください。";
    for (auto [dlg, hint] : {std::pair<CKeywordSearchDlg*, const char*>{&koshu, koshuHint}, {&zairyo, zairyoHint}}) {
        SCOPED_TRACE(hint);
        EXPECT_EQ(dlg->windowTitle(), QStringLiteral("工種・種別の検索"));
        EXPECT_EQ(dlg->findChild<QPushButton*>(QStringLiteral("search"))->text(), QStringLiteral("検　索"));
        EXPECT_EQ(dlg->findChild<QLabel*>(QStringLiteral("keywordHint"))->text(),
                  QStringLiteral("※キーワードは３つまで指定できます。キーワード間はスペースで区切ってください。"));
        EXPECT_EQ(dlg->findChild<QLabel*>(QStringLiteral("resultHint"))->text(), QString::fromUtf8(hint));
        auto* ok = dlg->findChild<QPushButton*>(QStringLiteral("ok"));
        ASSERT_TRUE(ok);
        EXPECT_FALSE(ok->isVisibleTo(dlg));
        EXPECT_FALSE(ok->isEnabled());
        EXPECT_EQ(Grid(*dlg)->GetMaxRows(), 100);
        EXPECT_EQ(Grid(*dlg)->GetMaxCols(), 2);
    }
    EXPECT_EQ(Grid(koshu)->GetCellText(1, 0), QStringLiteral("工種"));
    EXPECT_EQ(Grid(koshu)->GetCellText(2, 0), QStringLiteral("種別"));
    EXPECT_EQ(Grid(zairyo)->GetCellText(1, 0), QStringLiteral("品名"));
    EXPECT_EQ(Grid(zairyo)->GetCellText(2, 0), QStringLiteral("規格"));
}

TEST(SearchDialogs, RowsShowTheHitsOfTheLastSearch) {
    CKoshuSearchDlg dlg;
    dlg.SetGyomu(DesignGyomu());
    dlg.OnInitDialog();
    CSpreadSheet& grid = *Grid(dlg);
    EXPECT_TRUE(ShownRows(grid).isEmpty());
    EXPECT_EQ(Back(grid, 1, 1), CKeywordSearchDlg::kOddRowColor);
    EXPECT_EQ(Back(grid, 2, 2), CKeywordSearchDlg::kEvenRowColor);
    EXPECT_EQ(CKeywordSearchDlg::kEvenRowColor, 0x80FFFFu);  // red 255, green 255, blue 128

    Search(dlg, QStringLiteral("設計"));
    EXPECT_EQ(ShownRows(grid), (QStringList{"詳細設計|", "設計計画|", "詳細設計|詳細設計一般", "詳細設計|詳細設計特殊"}));
    Search(dlg, QStringLiteral("ｹｲｶｸ　計画"));
    EXPECT_EQ(ShownRows(grid), QStringList());
    Search(dlg, QStringLiteral("計画"));
    EXPECT_EQ(ShownRows(grid), (QStringList{"設計計画|", "設計計画|計画一般"}));
    EXPECT_EQ(grid.GetCellText(1, 3), QString());  // emptied, not only hidden
    // Without a keyword the grid stays as it is.
    Search(dlg, QStringLiteral(" 　"));
    EXPECT_EQ(ShownRows(grid), (QStringList{"設計計画|", "設計計画|計画一般"}));

    // Exactly 100 hits fill the grid; more are dropped.
    CBukakeGyomu many;
    for (int k = 1; k <= 110; ++k) AddKoshu(many, k, "作業" + std::to_string(k));
    dlg.SetGyomu(many);
    Search(dlg, QStringLiteral("作業"));
    const QStringList rows = ShownRows(grid);
    ASSERT_EQ(rows.size(), 100);
    EXPECT_EQ(rows.back(), QStringLiteral("作業100|"));
}

TEST(SearchDialogs, TheClickedCellIsHighlightedAndThePreviousRowRestriped) {
    CKoshuSearchDlg dlg;
    dlg.SetGyomu(DesignGyomu());
    dlg.OnInitDialog();
    Search(dlg, QStringLiteral("設計"));
    CSpreadSheet& grid = *Grid(dlg);
    const COLORREF lit = CKeywordSearchDlg::kHighlightColor;
    EXPECT_EQ(lit, 0xFF80FFu);  // red 255, green 128, blue 255

    emit grid.Click(2, 3);  // the second column lights the first as well
    EXPECT_EQ(Back(grid, 1, 3), lit);
    EXPECT_EQ(Back(grid, 2, 3), lit);
    emit grid.Click(1, 4);
    EXPECT_EQ(Back(grid, 1, 3), CKeywordSearchDlg::kOddRowColor);
    EXPECT_EQ(Back(grid, 2, 3), CKeywordSearchDlg::kOddRowColor);
    EXPECT_EQ(Back(grid, 1, 4), lit);
    EXPECT_EQ(Back(grid, 2, 4), CKeywordSearchDlg::kEvenRowColor);
    bool cancel = false;
    emit grid.LeaveCell(1, 4, 2, 1, cancel);  // moving to another cell lights the new one
    EXPECT_EQ(Back(grid, 1, 4), CKeywordSearchDlg::kEvenRowColor);
    EXPECT_EQ(Back(grid, 1, 1), lit);
    EXPECT_EQ(Back(grid, 2, 1), lit);
}

TEST(SearchDialogs, ADoubleClickChoosesTheRow) {
    struct Row {
        int col, row;
        int koshu, shubetsu;
    };
    // Rows after searching "設計": 1 工種 20, 2 工種 30, 3 種別 201, 4 種別 202, then empty rows.
    const Row rows[] = {
        {1, 3, 20, kUnset}, {2, 3, 20, 201}, {2, 4, 20, 202}, {2, 1, 20, kUnset},
        {1, 2, 30, kUnset}, {1, 5, kUnset, kUnset}, {2, 100, kUnset, kUnset},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::to_string(r.col) + "," + std::to_string(r.row));
        ScriptedDialogs dialogs;
        dialogs.Expect<CKoshuSearchDlg>([&](CKoshuSearchDlg& dlg) {
            Search(dlg, QStringLiteral("設計"));
            emit Grid(dlg)->DblClick(r.col, r.row);
            return IDOK;
        });
        CKoshuSearchDlg dlg;
        dlg.SetGyomu(DesignGyomu());
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(dlg.GetKoshuCode(), r.koshu);
        EXPECT_EQ(dlg.GetShubetsuCode(), r.shubetsu);
    }
}

TEST(SearchDialogs, MaterialSearchChoosesAnArticle) {
    CZairyoTankaFile file;
    AddZairyoItem(file, 1000, 0, "杭", 100).m_spec = "木製 L=1.0m";
    AddZairyoItem(file, 1001, 0, "ペンキ", 200).m_spec = "白";
    AddZairyoItem(file, 1002, 1, "木製杭", 300);
    struct Row {
        int row;
        int id;
    };
    for (const Row& r : {Row{1, 1000}, Row{2, 1002}, Row{3, kUnset}}) {
        SCOPED_TRACE(r.row);
        ScriptedDialogs dialogs;
        dialogs.Expect<CZairyoTankaSearchDlg>([&](CZairyoTankaSearchDlg& dlg) {
            Search(dlg, QStringLiteral("ﾓｸｾｲ 木製"));
            EXPECT_EQ(ShownRows(*Grid(dlg)), QStringList());
            Search(dlg, QStringLiteral("木製"));
            EXPECT_EQ(ShownRows(*Grid(dlg)), (QStringList{"杭|木製 L=1.0m", "木製杭|"}));
            emit Grid(dlg)->DblClick(2, r.row);
            return IDOK;
        });
        CZairyoTankaSearchDlg dlg;
        dlg.SetZairyoTankaFile(file);
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(dlg.GetItemId(), r.id);
    }
}
