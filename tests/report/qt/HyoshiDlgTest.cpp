// The cover-sheet dialog offscreen: labels and enabling from the form's twin, the history combos,
// the clear questions, the amount list, the entry-only mode, the form choice, what OK keeps, and the
// preview, print and closing while its preview is open.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>

#include "EstimateBuilders.h"
#include "EstimateFormTemplate.h"
#include "MasterBuilders.h"
#include "RecordingReportOutput.h"
#include "ScriptedHost.h"
#include "TempFolder.h"
#include "XlsTestSupport.h"
#include "dialogkit/Tx.h"
#include "dialogkit/ZoEdit.h"
#include "dialogkit/SpreadSheet.h"
#include "estimate/SekisanItemList.h"
#include "platform/Cp932.h"
#include "report/EraDate.h"
#include "report/PrintFormText.h"
#include "report/ReportTexts.h"
#include "report/qt/HyoshiDlg.h"

using estimate_test::ItemListBuilder;

namespace {

QStringList Offered(const QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
    return items;
}

class HyoshiDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        data = masterbuild::SampleHyoshiData();
        tanka = masterbuild::SampleTankaFile();
        forms = {dir / "ｶﾗｰA4形式.xlsx", dir / "ﾓﾉｸﾛA4通常形式.xlsx"};
        for (const std::string& form : forms)
            WriteTestFile(form, estimateform::BuildForm({estimateform::PlainSheet("表紙", estimateform::HyoshiCells())}));
    }
    // A twin for a form: lines 0 to 24 (missing ones empty).
    void WriteTwin(const std::string& form, const std::vector<std::string>& lines) {
        std::string text;
        for (size_t i = 0; i < 25; ++i) text += (i < lines.size() ? lines[i] : "") + "\r\n";
        WriteTestFile(PrintFormTextPath(form), vemo::Utf8ToCp932(text));
    }
    std::unique_ptr<CHyoshiDlg> Open(int mode = CHyoshiDlg::Normal, int formIndex = 0) {
        auto dlg = std::make_unique<CHyoshiDlg>();
        dlg->SetFormList(forms);
        dlg->SetFormIndex(formIndex);
        dlg->SetMode(mode);
        dlg->SetHyoshiData(data);
        dlg->SetTankaFile(&tanka);
        dlg->SetItemList(list.get());
        dlg->OnInitDialog();
        return dlg;
    }
    template <class W = QWidget>
    static W* Child(QWidget& dlg, const char* name) {
        W* w = dlg.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    static QComboBox* Combo(QWidget& dlg, const char* name) { return Child<QComboBox>(dlg, name); }
    static CSpreadSheet* Spare(QWidget& dlg) { return Child<CSpreadSheet>(dlg, "spare"); }
    static void Leave(QComboBox* combo, const QString& text) {
        combo->setEditText(text);
        QFocusEvent out(QEvent::FocusOut);
        QApplication::sendEvent(combo, &out);
    }

    ScriptedHost host;
    TempFolder dir;
    CHyoshiData data;
    CTankaFile tanka;
    std::vector<std::string> forms;
    std::unique_ptr<CSekisanItemList> list;
};

TEST_F(HyoshiDlgTest, WithoutATwinTheStandardLabelsAndEveryFieldEnabled) {
    auto dlg = Open();
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("表紙設定・印刷"));
    const std::pair<const char*, const char*> labels[] = {
        {"printTitleLabel", "印刷表題 ："}, {"numberLabel", "No. ："},    {"dateLabel", "日付 ："},
        {"address1Label", "宛名1 ："},      {"address2Label", "宛名2 ："}, {"spareLabel", "文章予備 ："},
        {"subjectLabel", "業務名称 ："},    {"placeLabel", "箇所名 ："},  {"amountLabel", "見積金額 ："}};
    for (auto [name, text] : labels) EXPECT_EQ(Child<QLabel>(*dlg, name)->text(), QString::fromUtf8(text)) << name;
    for (const char* name : {"printTitle", "address1", "address2", "subject", "place", "amount", "number", "date",
                             "clearPrintTitle", "clearPlace", "preview", "print", "forms"})
        EXPECT_TRUE(Child(*dlg, name)->isEnabled()) << name;
    CSpreadSheet* spare = Spare(*dlg);
    for (int row = 1; row <= 10; ++row) {
        spare->SetCol(1);
        spare->SetRow(row);
        EXPECT_FALSE(spare->GetLock()) << row;
        EXPECT_EQ(spare->GetBackColor(), 0xFFFFFFu) << row;
        EXPECT_EQ(spare->GetCellText(0, row), QString()) << row;
        EXPECT_EQ(spare->GetCellText(1, row), Tx(data.m_spare[static_cast<size_t>(row - 1)])) << row;
    }
    EXPECT_EQ(Child<QPushButton>(*dlg, "ok")->text(), QStringLiteral("保存して終了"));
    EXPECT_EQ(Child<QPushButton>(*dlg, "cancel")->text(), QStringLiteral("ｷｬﾝｾﾙ"));
    EXPECT_EQ(Child<CZo_Edit>(*dlg, "number")->text(), Tx(data.m_number));
    EXPECT_EQ(Child<CZo_Edit>(*dlg, "date")->text(), Tx(data.m_date));
}

TEST_F(HyoshiDlgTest, TheTwinLabelsAndEnablesFieldsAndSpareLines) {
    std::vector<std::string> lines = {"表題", "番号", "", "御中", "", "予備行", "二行目", "", "四行目"};
    lines.resize(15, "");
    lines[14] = "十行目";
    lines.insert(lines.end(), {"件名", "", "金額"});
    WriteTwin(forms[1], lines);
    data.m_date = "令和 7 年  1 月  1 日";
    auto dlg = Open(CHyoshiDlg::Normal, 1);
    EXPECT_EQ(Child<QLabel>(*dlg, "printTitleLabel")->text(), QStringLiteral("表題"));
    EXPECT_EQ(Child<QLabel>(*dlg, "spareLabel")->text(), QStringLiteral("予備行"));
    EXPECT_EQ(Child<QLabel>(*dlg, "subjectLabel")->text(), QStringLiteral("件名"));
    EXPECT_EQ(Child<QLabel>(*dlg, "placeLabel")->text(), QString());
    const std::pair<const char*, bool> enabled[] = {
        {"printTitle", true},  {"clearPrintTitle", true}, {"number", true},   {"date", false},
        {"address1", true},    {"clearAddress1", true},   {"address2", false}, {"clearAddress2", false},
        {"subject", true},     {"clearSubject", true},    {"place", false},    {"clearPlace", false},
        {"amount", true}};
    for (auto [name, on] : enabled) EXPECT_EQ(Child(*dlg, name)->isEnabled(), on) << name;
    // Spare line n goes with twin line 4 + n; rows 2 to 10 are labelled by theirs.
    CSpreadSheet* spare = Spare(*dlg);
    const bool editable[10] = {true, true, false, true, false, false, false, false, false, true};
    for (int row = 1; row <= 10; ++row) {
        spare->SetCol(1);
        spare->SetRow(row);
        EXPECT_EQ(spare->GetLock(), !editable[row - 1]) << row;
        EXPECT_EQ(spare->GetBackColor(), editable[row - 1] ? 0xFFFFFFu : 0xC0C0C0u) << row;
        EXPECT_EQ(spare->GetForeColor(), editable[row - 1] ? 0x000000u : 0xC0C0C0u) << row;
    }
    EXPECT_EQ(spare->GetCellText(0, 1), QString());
    EXPECT_EQ(spare->GetCellText(0, 2), QStringLiteral("二行目"));
    EXPECT_EQ(spare->GetCellText(0, 10), QStringLiteral("十行目"));
    // A disabled date still keeps the stored date, which OK keeps.
    EXPECT_EQ(Child<CZo_Edit>(*dlg, "date")->text(), Tx(data.m_date));
    dlg->Gather();
    CHyoshiData kept;
    dlg->GetHyoshiData(kept);
    EXPECT_EQ(kept.m_date, data.m_date);

    // Checking the other form takes its labels at once; unchecking the chosen one keeps it.
    QListWidget* list = Child<QListWidget>(*dlg, "forms");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("ｶﾗｰA4形式.xlsx"));
    EXPECT_EQ(list->item(1)->checkState(), Qt::Checked);
    list->item(0)->setCheckState(Qt::Checked);
    EXPECT_EQ(list->item(1)->checkState(), Qt::Unchecked);
    EXPECT_EQ(dlg->GetFormIndex(), 0);
    EXPECT_EQ(Child<QLabel>(*dlg, "printTitleLabel")->text(), QStringLiteral("印刷表題 ："));
    EXPECT_TRUE(Child(*dlg, "place")->isEnabled());
    list->item(0)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(list->item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(dlg->GetFormIndex(), 0);
}

TEST_F(HyoshiDlgTest, FormIndexPastTheListAndNoForms) {
    auto dlg = Open(CHyoshiDlg::Normal, 7);
    EXPECT_EQ(dlg->GetFormIndex(), 1);
    EXPECT_EQ(Child<QListWidget>(*dlg, "forms")->item(1)->checkState(), Qt::Checked);
    forms.clear();
    auto none = Open();
    EXPECT_EQ(Child<QListWidget>(*none, "forms")->count(), 0);
    none->OnPreview();  // no form: nothing to build
    EXPECT_FALSE(none->Job().HasWorkbook());
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(HyoshiDlgTest, HistoriesNewestFirstSharedAddressesAtMostTwenty) {
    data = CHyoshiData();
    for (const char* t : {"概算書", "", "御見積書"}) data.AddHistory(CHyoshiData::kHistoryPrintTitle, t);
    for (const char* t : {"農林事務所長", "土地改良区"}) data.AddHistory(CHyoshiData::kHistoryAddress, t);
    data.m_address1 = "土地改良区";
    auto dlg = Open();
    QComboBox* title = Combo(*dlg, "printTitle");
    EXPECT_EQ(Offered(title), (QStringList{"御見積書", "概算書"}));
    EXPECT_EQ(title->currentText(), QString());  // the stored title is empty
    EXPECT_EQ(Offered(Combo(*dlg, "address1")), (QStringList{"土地改良区", "農林事務所長"}));
    EXPECT_EQ(Offered(Combo(*dlg, "address2")), (QStringList{"土地改良区", "農林事務所長"}));
    EXPECT_EQ(Combo(*dlg, "address1")->currentText(), QStringLiteral("土地改良区"));

    // A new 宛名2 goes to the front of the shared list, offered in 宛名1 too.
    Leave(Combo(*dlg, "address2"), QStringLiteral("市長"));
    EXPECT_EQ(Offered(Combo(*dlg, "address1")), (QStringList{"市長", "土地改良区", "農林事務所長"}));
    EXPECT_EQ(Combo(*dlg, "address1")->currentText(), QStringLiteral("土地改良区"));
    EXPECT_EQ(Combo(*dlg, "address2")->currentText(), QStringLiteral("市長"));
    // An entry already there moves to the front; an empty text or the stored one changes nothing.
    Leave(title, QStringLiteral("概算書"));
    EXPECT_EQ(Offered(title), (QStringList{"概算書", "御見積書"}));
    Leave(title, QString());
    Leave(Combo(*dlg, "address2"), QStringLiteral("市長"));
    EXPECT_EQ(Offered(title), (QStringList{"概算書", "御見積書"}));
    EXPECT_EQ(Offered(Combo(*dlg, "address2")), (QStringList{"市長", "土地改良区", "農林事務所長"}));
    // At most twenty entries.
    QComboBox* place = Combo(*dlg, "place");
    for (int i = 1; i <= 25; ++i) Leave(place, QStringLiteral("地区%1").arg(i));
    EXPECT_EQ(place->count(), 20);
    EXPECT_EQ(place->itemText(0), QStringLiteral("地区25"));
    EXPECT_EQ(place->itemText(19), QStringLiteral("地区6"));
    CHyoshiData kept;
    dlg->GetHyoshiData(kept);
    EXPECT_EQ(kept.m_place, "地区25");
    EXPECT_EQ(kept.m_address2, "市長");
}

TEST_F(HyoshiDlgTest, ClearingAskedForEachComboAndRemovesOnYes) {
    const std::pair<const char*, const char*> buttons[] = {
        {"clearPrintTitle", "印刷表題の履歴から選択されている文字列をクリアしてよろしいですか？"},
        {"clearAddress1", "宛名1の履歴から選択されている文字列をクリアしてよろしいですか？"},
        {"clearAddress2", "宛名2の履歴から選択されている文字列をクリアしてよろしいですか？"},
        {"clearSubject", "件名の履歴から選択されている文字列をクリアしてよろしいですか？"},
        {"clearPlace", "箇所名の履歴から選択されている文字列をクリアしてよろしいですか？"}};
    const char* combos[] = {"printTitle", "address1", "address2", "subject", "place"};
    for (size_t i = 0; i < std::size(buttons); ++i) {
        SCOPED_TRACE(buttons[i].first);
        data.AddHistory(i == 0 ? 0 : i <= 2 ? 1 : static_cast<int>(i) - 1, "消す文字");
        auto dlg = Open();
        QComboBox* combo = Combo(*dlg, combos[i]);
        combo->setEditText(QStringLiteral("消す文字"));
        const int before = combo->count();
        host.answers = {IDNO};
        Child<QPushButton>(*dlg, buttons[i].first)->click();
        EXPECT_EQ(combo->count(), before);
        host.answers = {IDYES};
        Child<QPushButton>(*dlg, buttons[i].first)->click();
        EXPECT_EQ(combo->count(), before - 1);
        EXPECT_FALSE(Offered(combo).contains(QStringLiteral("消す文字")));
        ASSERT_EQ(host.messages.size(), 2u);
        for (const auto& m : host.messages) {
            EXPECT_EQ(m.text, buttons[i].second);
            EXPECT_EQ(m.buttons, MsgButtons::YesNo);
        }
        host.messages.clear();
    }
}

TEST_F(HyoshiDlgTest, TheAmountListOffersTheEstimatesTotals) {
    list = std::make_unique<CSekisanItemList>();
    ItemListBuilder(*list)
        .Gyomu(1, "測量業務").Koshu(10, "基準点").Amount(500).Koshu(95, "測量計").Amount(1234567)
        .Koshu(97, "").Amount(3)
        .Gyomu(2, "設計").Koshu(97, "改め計").Amount(1000)
        .Summary(95, "合計").Amount(1235567)
        .Summary(99, "業務委託料計").Amount(7)  // no tax row before: without tax
        .Summary(98, "消費税相当額").Amount(123556)
        .Summary(97, "改メ計").Amount(-25)
        .Summary(99, "業務委託料計").Amount(1359123)
        .Summary(99, "").Amount(9);
    const std::vector<std::string> expected = {
        "￥１，２３４，５６７－ （消費税含まず）", "￥１，０００－ （消費税含まず）", "￥１，２３５，５６７－ （消費税含まず）",
        "￥７－ （消費税含まず）", "￥－２５－ （消費税含まず）", "￥１，３５９，１２３－ （消費税含む）"};
    EXPECT_EQ(CHyoshiDlg::AmountTexts(*list), expected);
    auto dlg = Open();
    QStringList offered;
    for (const std::string& text : expected) offered << Tx(text);
    EXPECT_EQ(Offered(Combo(*dlg, "amount")), offered);
    EXPECT_EQ(Combo(*dlg, "amount")->currentText(), Tx(data.m_amount));
    // Without an estimate the list is empty and the stored amount still shown.
    list.reset();
    auto none = Open();
    EXPECT_EQ(Combo(*none, "amount")->count(), 0);
    EXPECT_EQ(Combo(*none, "amount")->currentText(), Tx(data.m_amount));
}

TEST_F(HyoshiDlgTest, EntryOnlyModeTakesTheDataOnly) {
    auto dlg = Open(CHyoshiDlg::EntryOnly);
    EXPECT_EQ(Child<QPushButton>(*dlg, "ok")->text(), QStringLiteral("OK"));
    for (const char* name : {"preview", "print", "forms"}) EXPECT_FALSE(Child(*dlg, name)->isEnabled()) << name;
    for (const char* name : {"printTitle", "amount", "number", "date", "cancel"})
        EXPECT_TRUE(Child(*dlg, name)->isEnabled()) << name;
}

TEST_F(HyoshiDlgTest, DateOfTodayWhenNoneIsStoredAndOnRequest) {
    data.m_date.clear();
    auto dlg = Open();
    EXPECT_EQ(Child<CZo_Edit>(*dlg, "date")->text(), Tx(TodayReiwaDateText()));
    Child<CZo_Edit>(*dlg, "date")->setText(QStringLiteral("別の日"));
    Child<QPushButton>(*dlg, "getDate")->click();
    EXPECT_EQ(Child<CZo_Edit>(*dlg, "date")->text(), Tx(TodayReiwaDateText()));
}

TEST_F(HyoshiDlgTest, OkGathersEveryFieldAndPutsTheTextsInTheirHistories) {
    auto dlg = Open();
    Combo(*dlg, "printTitle")->setEditText(QStringLiteral("概算書"));
    Combo(*dlg, "address1")->setEditText(QStringLiteral("宛一"));
    Combo(*dlg, "address2")->setEditText(QStringLiteral("宛二"));
    Combo(*dlg, "subject")->setEditText(QStringLiteral("用水路"));
    Combo(*dlg, "place")->setEditText(QStringLiteral("南地区"));
    Combo(*dlg, "amount")->setEditText(QStringLiteral("￥１０－"));
    Child<CZo_Edit>(*dlg, "number")->setText(QStringLiteral("No.9"));
    Spare(*dlg)->SetCellText(1, 10, QStringLiteral("最後の行"));
    QSignalSpy finished(dlg.get(), &QDialog::finished);
    dlg->accept();
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    CHyoshiData kept;
    dlg->GetHyoshiData(kept);
    EXPECT_EQ(kept.m_printTitle, "概算書");
    EXPECT_EQ(kept.m_address1, "宛一");
    EXPECT_EQ(kept.m_address2, "宛二");
    EXPECT_EQ(kept.m_subject, "用水路");
    EXPECT_EQ(kept.m_place, "南地区");
    EXPECT_EQ(kept.m_amount, "￥１０－");
    EXPECT_EQ(kept.m_number, "No.9");
    EXPECT_EQ(kept.m_spare[9], "最後の行");
    EXPECT_EQ(kept.m_spare[0], data.m_spare[0]);
    EXPECT_EQ(kept.GetHistoryItem(CHyoshiData::kHistoryPrintTitle, 0), "概算書");
    EXPECT_EQ(kept.GetHistoryItem(CHyoshiData::kHistoryAddress, 0), "宛二");
    EXPECT_EQ(kept.GetHistoryItem(CHyoshiData::kHistoryAddress, 1), "宛一");
    EXPECT_EQ(kept.GetHistoryItem(CHyoshiData::kHistorySubject, 0), "用水路");
    EXPECT_EQ(kept.GetHistoryItem(CHyoshiData::kHistoryPlace, 0), "南地区");
}

TEST_F(HyoshiDlgTest, PreviewAndPrintTheCoverSheetAndRefuseClosingMeanwhile) {
    RecordingReportOutput output;
    auto dlg = Open(CHyoshiDlg::Normal, 1);
    Combo(*dlg, "subject")->setEditText(QStringLiteral("見せる件名"));
    Child<QPushButton>(*dlg, "preview")->click();
    ASSERT_EQ(output.calls, std::vector<std::string>{"show VemoOvra 表紙 印刷プレビュー"});
    ASSERT_TRUE(dlg->Job().IsPreviewOpen());
    EXPECT_EQ(dlg->Job().GetTemplatePath(), forms[1]);
    std::string bytes;
    ASSERT_TRUE(dlg->Job().Engine().BuildXlsx(bytes));
    xlstest::Output out(bytes);
    EXPECT_EQ(out.SheetNames(), std::vector<std::string>{"表紙"});
    EXPECT_EQ(out.Value(0, "A16"), "見せる件名");
    EXPECT_EQ(out.Value(0, "A22"), tanka.m_company[3]);

    // Meanwhile: a second preview raises the first; print, OK and Cancel are refused.
    QSignalSpy finished(dlg.get(), &QDialog::finished);
    Child<QPushButton>(*dlg, "preview")->click();
    Child<QPushButton>(*dlg, "print")->click();
    Child<QPushButton>(*dlg, "ok")->click();
    Child<QPushButton>(*dlg, "cancel")->click();
    EXPECT_EQ(finished.count(), 0);
    EXPECT_EQ(output.calls, (std::vector<std::string>{"show VemoOvra 表紙 印刷プレビュー", "raise VemoOvra 表紙 印刷プレビュー"}));
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>(3, reporttext::kPreviewOpenMessage));

    // Closed, it prints (after the printer choice) and closes.
    output.CloseWindow(dlg->Job());
    Child<QPushButton>(*dlg, "print")->click();
    EXPECT_EQ(output.calls.back(), "print 1");
    Child<QPushButton>(*dlg, "cancel")->click();
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(dlg->result(), QDialog::Rejected);
}

}  // namespace
