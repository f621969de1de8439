// The dialogs of the print forms: the page settings (fields, labels and enabling from the form's text
// twin, the print date, OK with empty boxes, the form chosen at once) and the form list (adding,
// deleting, opening).
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include "ScriptedDialogs.h"
#include "ScriptedHost.h"
#include "TempFolder.h"
#include "XlsTestSupport.h"
#include "master/MasterTexts.h"
#include "platform/Cp932.h"
#include "report/EraDate.h"
#include "report/ReportTexts.h"
#include "report/qt/PageSettingDlg.h"
#include "report/qt/PrintFormDlg.h"

namespace {

// One QApplication for every test of the binary, on the offscreen platform.
class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "ReportDialogTests";
        static char* argv[] = {name, nullptr};
        m_app = new QApplication(argc, argv);
    }
    void TearDown() override {
        delete m_app;
        m_app = nullptr;
    }

private:
    QApplication* m_app = nullptr;
};
const auto* g_environment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

template <class W>
W* Child(QWidget& dlg, const char* name) {
    W* w = dlg.findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}
QCheckBox* Box(QWidget& dlg, const char* name) { return Child<QCheckBox>(dlg, name); }
CZo_Edit* Edit(QWidget& dlg, const char* name) { return Child<CZo_Edit>(dlg, name); }

const char* kSixBoxes[] = {"setDate", "printHyoshi", "printGyomuSokatsu", "printSokatsu", "printDaika", "printDaikaMeisai"};

// A twin of 25 lines; lines 18 to 23 as given ("" leaves a line empty).
std::string Twin(const std::vector<std::string>& labels) {
    std::string bytes;
    for (int i = 0; i < 25; ++i) {
        std::string line = i >= 18 && i < 24 ? labels[static_cast<size_t>(i - 18)] : "";
        bytes += vemo::Utf8ToCp932(line) + "\r\n";
    }
    return bytes;
}

// Three forms: the first without a twin, the second with own labels and no 代価表, the third with all.
struct Forms {
    TempFolder dir;
    std::vector<std::string> paths;
    Forms() {
        paths = {dir / "ｶﾗｰA4形式.xlsx", dir / "ﾓﾉｸﾛA4承認形式.xlsx", dir / "全地連ﾓﾉｸﾛA4通常形式.xlsx"};
        for (const auto& p : paths) WriteTestFile(p, "form");
        WriteTestFile(dir / "ﾓﾉｸﾛA4承認形式.txt",
                      Twin({"提出日を印刷する", "表紙を印刷する", "", "総括表・内訳書を印刷する", "", "代価明細表を印刷する"}));
        WriteTestFile(dir / "全地連ﾓﾉｸﾛA4通常形式.txt",
                      Twin({"日付を設定する", "表紙", "業務価格", "総括表", "代価表", "明細表"}));
    }
};

// An estimate's header with that print date.
const CSekisanItemList& Header(const std::string& date) {
    static CSekisanItemList list;
    list.m_strKenmei = "用水路詳細設計";
    list.m_strDate = date;
    return list;
}

}  // namespace

TEST(PageSettingDlg, FillsItsFieldsFromTheSettings) {
    Forms forms;
    CPrintSettings settings;
    settings.printHyoshi = 1;
    settings.setDate = 0;
    settings.printSokatsu = 0;
    settings.printGyomuSokatsu = 1;
    settings.printDaika = 0;
    settings.printDaikaMeisai = 1;
    settings.setStartPage = 1;
    settings.startPage = 5;
    settings.pageBreakPerGyomu = 0;
    settings.omitKingaku = 1;
    settings.daikaStartNo = 12;
    settings.tankaStartNo = kUnset;
    CPageSettingDlg dlg;
    dlg.SetFormList(forms.paths);
    dlg.SetFormType(0);
    dlg.SetSettings(settings);
    dlg.SetItemListHeader(Header("令和 6 年 12 月 24 日"));
    dlg.OnInitDialog();
    struct Row {
        const char* box;
        bool checked;
    } rows[] = {{"printHyoshi", true},       {"setDate", false},          {"printSokatsu", false},
                {"printGyomuSokatsu", true}, {"printDaika", false},       {"printDaikaMeisai", true},
                {"setStartPage", true},      {"pageBreakPerGyomu", false}, {"omitKingaku", true}};
    for (const Row& r : rows) EXPECT_EQ(Box(dlg, r.box)->isChecked(), r.checked) << r.box;
    EXPECT_EQ(Edit(dlg, "startPage")->text(), QStringLiteral("5"));
    EXPECT_EQ(Edit(dlg, "daikaStartNo")->text(), QStringLiteral("12"));
    EXPECT_EQ(Edit(dlg, "tankaStartNo")->text(), QString());  // unset: left empty
    EXPECT_EQ(Edit(dlg, "date")->text(), QStringLiteral("令和 6 年 12 月 24 日"));
    // The form list: one row per form, its file name, the current one checked.
    QTreeWidget* list = Child<QTreeWidget>(dlg, "formList");
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_EQ(list->headerItem()->text(0), QStringLiteral("報告書印刷形式一覧"));
    EXPECT_EQ(list->topLevelItem(1)->text(0), QStringLiteral("ﾓﾉｸﾛA4承認形式.xlsx"));
    EXPECT_EQ(list->topLevelItem(0)->checkState(0), Qt::Checked);
    EXPECT_EQ(list->topLevelItem(1)->checkState(0), Qt::Unchecked);
}

TEST(PageSettingDlg, WithoutADateTheDateIsTodayInTheEra) {
    CPageSettingDlg dlg;
    dlg.SetItemListHeader(Header(""));
    dlg.OnInitDialog();
    EXPECT_EQ(Edit(dlg, "date")->text().toStdString(), TodayReiwaDateText());
    EXPECT_EQ(TodayReiwaDateText(), ReiwaDateText(vemo::LocalToday()));
}

TEST(PageSettingDlg, LabelsAndEnablingFollowTheTwin) {
    Forms forms;
    struct Case {
        int form;
        std::vector<std::string> labels;  // the six boxes in the order of kSixBoxes
        std::vector<bool> enabled;
        bool setDate, printDaika;  // checked after the twin, settings having both off
    } cases[] = {
        {0, {"日付を設定する", "表紙を印刷する", "業務価格総括表を印刷する", "総括表を印刷する", "代価表を印刷する", "代価明細表を印刷する"},
         {true, true, true, true, true, true}, false, false},
        // Line 20 and line 22 empty: 業務価格総括表 and 代価表 disabled, 代価表 unchecked.
        {1, {"提出日を印刷する", "表紙を印刷する", "", "総括表・内訳書を印刷する", "", "代価明細表を印刷する"},
         {true, true, false, true, false, true}, true, false},
        {2, {"日付を設定する", "表紙", "業務価格", "総括表", "代価表", "明細表"}, {true, true, true, true, true, true}, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.form);
        CPrintSettings settings;
        settings.setDate = 0;
        settings.printDaika = 0;
        settings.printDaikaMeisai = 0;
        settings.setStartPage = 0;
        CPageSettingDlg dlg;
        dlg.SetFormList(forms.paths);
        dlg.SetFormType(c.form);
        dlg.SetSettings(settings);
        dlg.OnInitDialog();
        for (size_t i = 0; i < 6; ++i) {
            EXPECT_EQ(Box(dlg, kSixBoxes[i])->text().toStdString(), c.labels[i]) << kSixBoxes[i];
            EXPECT_EQ(Box(dlg, kSixBoxes[i])->isEnabled(), c.enabled[i]) << kSixBoxes[i];
        }
        EXPECT_EQ(Box(dlg, "setDate")->isChecked(), c.setDate);
        EXPECT_EQ(Box(dlg, "printDaika")->isChecked(), c.printDaika);
        // The boxes follow their check boxes.
        EXPECT_EQ(Edit(dlg, "date")->isEnabled(), c.setDate);
        EXPECT_EQ(Edit(dlg, "daikaStartNo")->isEnabled(), c.printDaika);
        EXPECT_EQ(Child<QLabel>(dlg, "daikaAfter")->isEnabled(), c.printDaika);
        EXPECT_FALSE(Edit(dlg, "startPage")->isEnabled());
        EXPECT_FALSE(Child<QLabel>(dlg, "startPageUnit")->isEnabled());
    }
}

TEST(PageSettingDlg, ClicksEnableTheBoxes) {
    CPrintSettings settings;
    settings.setDate = 0;
    settings.printDaika = 0;
    settings.printDaikaMeisai = 0;
    settings.setStartPage = 0;
    CPageSettingDlg dlg;
    dlg.SetSettings(settings);
    dlg.OnInitDialog();
    struct Click {
        const char* box;
        const char* edit;
    } clicks[] = {{"setDate", "date"}, {"printDaikaMeisai", "daikaStartNo"}, {"setStartPage", "startPage"}};
    for (const Click& c : clicks) {
        SCOPED_TRACE(c.box);
        EXPECT_FALSE(Edit(dlg, c.edit)->isEnabled());
        Box(dlg, c.box)->click();
        EXPECT_TRUE(Edit(dlg, c.edit)->isEnabled());
        Box(dlg, c.box)->click();
        EXPECT_FALSE(Edit(dlg, c.edit)->isEnabled());
    }
    // 代価表 as well as 代価明細表 enables the first 一位代価表 number.
    Box(dlg, "printDaika")->click();
    EXPECT_TRUE(Edit(dlg, "daikaStartNo")->isEnabled());
}

TEST(PageSettingDlg, TheTankaNumberOnlyWithTheRoadCalculation) {
    for (bool douro : {false, true}) {
        SCOPED_TRACE(douro);
        CPageSettingDlg dlg;
        dlg.SetDouroCalc(douro);
        dlg.OnInitDialog();
        for (const char* name : {"tankaStartNo", "tankaLabel", "tankaBefore", "tankaAfter"})
            EXPECT_EQ(Child<QWidget>(dlg, name)->isVisibleTo(&dlg), douro) << name;
        EXPECT_EQ(Child<QLabel>(dlg, "tankaLabel")->text(), QStringLiteral("単価表開始番号"));
    }
}

TEST(PageSettingDlg, OkWritesTheSettingsBack) {
    struct Case {
        const char* what;
        const char *startPage, *daika, *tanka;
        CPrintSettings expected;
    } cases[] = {
        {"empty boxes", "", "", "",
         [] {
             CPrintSettings f;
             f.setStartPage = 0;
             f.startPage = kUnset;
             f.daikaStartNo = kUnset;
             f.tankaStartNo = 1;
             return f;
         }()},
        {"numbers", "7", "3", "20",
         [] {
             CPrintSettings f;
             f.startPage = 7;
             f.daikaStartNo = 3;
             f.tankaStartNo = 20;
             return f;
         }()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedDialogs dialogs;
        dialogs.Expect<CPageSettingDlg>([&](CPageSettingDlg& dlg) {
            Edit(dlg, "startPage")->setText(QString::fromUtf8(c.startPage));
            Edit(dlg, "daikaStartNo")->setText(QString::fromUtf8(c.daika));
            Edit(dlg, "tankaStartNo")->setText(QString::fromUtf8(c.tanka));
            Edit(dlg, "date")->setText(QStringLiteral("令和 7 年  5 月  1 日"));
            return IDOK;
        });
        CPageSettingDlg dlg;
        dlg.SetSettings(CPrintSettings());
        dlg.SetItemListHeader(Header("令和 7 年  4 月  1 日"));
        ASSERT_EQ(dlg.DoModal(), IDOK);
        EXPECT_TRUE(dlg.GetSettings() == c.expected);
        CSekisanItemList header;
        dlg.GetItemListHeader(header);
        EXPECT_EQ(header.m_strDate, "令和 7 年  5 月  1 日");
        EXPECT_EQ(header.m_strKenmei, "用水路詳細設計");
    }
    // The check boxes go back as checked.
    ScriptedDialogs dialogs;
    dialogs.Expect<CPageSettingDlg>([](CPageSettingDlg& dlg) {
        for (const char* name : {"printHyoshi", "omitKingaku", "pageBreakPerGyomu", "printSokatsu"}) Box(dlg, name)->click();
        return IDOK;
    });
    CPageSettingDlg dlg;
    ASSERT_EQ(dlg.DoModal(), IDOK);
    CPrintSettings expected;
    expected.printHyoshi = 1;
    expected.omitKingaku = 1;
    expected.pageBreakPerGyomu = 0;
    expected.printSokatsu = 0;
    EXPECT_TRUE(dlg.GetSettings() == expected);
}

TEST(PageSettingDlg, ACheckedFormIsTheFormAtOnceAndStaysAfterCancel) {
    Forms forms;
    int formType = 0;
    std::vector<int> chosen;
    ScriptedDialogs dialogs;
    dialogs.Expect<CPageSettingDlg>([&](CPageSettingDlg& dlg) {
        QTreeWidget* list = Child<QTreeWidget>(dlg, "formList");
        dlg.SetFormChecked(1, true);
        EXPECT_EQ(formType, 1) << "the program's form changes before the dialog closes";
        EXPECT_EQ(list->topLevelItem(0)->checkState(0), Qt::Unchecked);
        EXPECT_EQ(list->topLevelItem(1)->checkState(0), Qt::Checked);
        // The labels of the new form's twin.
        EXPECT_EQ(Box(dlg, "setDate")->text(), QStringLiteral("提出日を印刷する"));
        EXPECT_FALSE(Box(dlg, "printDaika")->isEnabled());
        // Unchecking the current form checks it again.
        dlg.SetFormChecked(1, false);
        EXPECT_EQ(list->topLevelItem(1)->checkState(0), Qt::Checked);
        dlg.SetFormChecked(2, true);
        dlg.SetFormChecked(0, true);
        EXPECT_EQ(Box(dlg, "setDate")->text(), QStringLiteral("日付を設定する"));
        EXPECT_TRUE(Box(dlg, "printDaika")->isEnabled());
        dlg.SetFormChecked(2, true);
        return IDCANCEL;
    });
    CPageSettingDlg dlg;
    dlg.SetFormList(forms.paths);
    dlg.SetFormType(formType);
    dlg.SetFormChosen([&](int form) {
        formType = form;
        chosen.push_back(form);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(chosen, (std::vector<int>{1, 2, 0, 2}));
    EXPECT_EQ(formType, 2);
    EXPECT_EQ(dlg.GetFormType(), 2);
}

TEST(PrintFormDlg, ListsTheFormsWithTheFirstSelected) {
    CPrintFormDlg dlg;
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("印刷フォームの設定"));
    dlg.SetFormList({"/p/フォーム/ｶﾗｰA4形式.xlsx", "/p/自作/様式.xlsx"});
    dlg.OnInitDialog();
    QTreeWidget* list = Child<QTreeWidget>(dlg, "formList");
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->headerItem()->text(0), QStringLiteral("ファイル名"));
    EXPECT_EQ(list->headerItem()->text(1), QStringLiteral("場所"));
    EXPECT_EQ(list->topLevelItem(1)->text(0), QStringLiteral("様式.xlsx"));
    EXPECT_EQ(list->topLevelItem(1)->text(1), QStringLiteral("/p/自作/様式.xlsx"));
    EXPECT_FALSE(list->topLevelItem(0)->icon(0).isNull());
    EXPECT_EQ(dlg.CurrentRow(), 0);
    EXPECT_TRUE(Child<QPushButton>(dlg, "openForm")->isEnabled());
    dlg.SelectRow(-1);
    EXPECT_FALSE(Child<QPushButton>(dlg, "openForm")->isEnabled());
    EXPECT_FALSE(Child<QPushButton>(dlg, "deleteForm")->isEnabled());
}

TEST(PrintFormDlg, AddingAFormTwiceIsRefused) {
    TempFolder dir;
    const std::string form = dir / "自作/様式.xlsx";
    WriteTestFile(form, xlstest::BuildTemplate(xlstest::StandardTemplate()));
    ScriptedHost host;
    host.fileAnswers = {form, form, std::nullopt};
    ScriptedDialogs dialogs;
    dialogs.Expect<CPrintFormDlg>([](CPrintFormDlg& dlg) {
        dlg.OnAddForm();
        EXPECT_EQ(dlg.CurrentRow(), 1) << "the added form is selected";
        dlg.OnAddForm();
        dlg.OnAddForm();  // cancelled
        return IDOK;
    });
    CPrintFormDlg dlg;
    dlg.SetFormList({"/p/フォーム/ｶﾗｰA4形式.xlsx"});
    ASSERT_EQ(dlg.DoModal(), IDOK);
    std::vector<std::string> forms;
    dlg.GetFormList(forms);
    EXPECT_EQ(forms, (std::vector<std::string>{"/p/フォーム/ｶﾗｰA4形式.xlsx", form}));
    EXPECT_EQ(host.MessageTexts(), (std::vector<std::string>{form + "\nは、既に登録済みです。"}));
    EXPECT_EQ(host.fileTitles, (std::vector<std::string>(3, "開く－印刷書式ファイル")));
}

TEST(PrintFormDlg, AFileTheEngineRefusesIsNotAdded) {
    TempFolder dir;
    const std::string damaged = dir / "壊れた.xlsx";
    const std::string missing = dir / "ない.xlsx";
    WriteTestFile(damaged, "PK this is not a workbook");
    ScriptedHost host;
    host.fileAnswers = {damaged, missing};
    CPrintFormDlg dlg;
    dlg.SetFormList({"/p/フォーム/ｶﾗｰA4形式.xlsx"});
    dlg.OnInitDialog();
    dlg.OnAddForm();
    dlg.OnAddForm();
    std::vector<std::string> forms;
    dlg.GetFormList(forms);
    EXPECT_EQ(forms, (std::vector<std::string>{"/p/フォーム/ｶﾗｰA4形式.xlsx"}));
    EXPECT_EQ(dlg.CurrentRow(), 0);
    EXPECT_EQ(host.MessageTexts(),
              (std::vector<std::string>{damaged + reporttext::kFormRefusedAfter + reporttext::kFormReasonNotZip,
                                        missing + mastertext::kFileMissing}));
}

TEST(PrintFormDlg, TheLastFormCannotBeDeleted) {
    ScriptedHost host;
    CPrintFormDlg dlg;
    dlg.SetFormList({"/f/a.xlsx", "/f/b.xlsx", "/f/c.xlsx"});
    dlg.OnInitDialog();
    dlg.SelectRow(1);
    dlg.OnDeleteForm();
    EXPECT_EQ(dlg.CurrentRow(), 1) << "the row at the same place";
    dlg.OnDeleteForm();
    EXPECT_EQ(dlg.CurrentRow(), 0) << "the last row";
    dlg.OnDeleteForm();
    std::vector<std::string> forms;
    dlg.GetFormList(forms);
    EXPECT_EQ(forms, std::vector<std::string>{"/f/a.xlsx"});
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{"これ以上削除できません"});
    EXPECT_EQ(Child<QTreeWidget>(dlg, "formList")->topLevelItemCount(), 1);
}

TEST(PrintFormDlg, OpeningAFormThatIsNotThere) {
    ScriptedHost host;
    TempFolder dir;
    WriteTestFile(dir / "様式.xlsx", "form");
    std::vector<std::string> opened;
    auto previous = CPrintFormDlg::SetFormOpener([&](const std::string& path) {
        opened.push_back(path);
        return true;
    });
    CPrintFormDlg dlg;
    dlg.SetFormList({dir / "無い.xlsx", dir / "様式.xlsx"});
    dlg.OnInitDialog();
    dlg.OnOpenForm();
    dlg.SelectRow(1);
    dlg.OnOpenForm();
    CPrintFormDlg::SetFormOpener(previous);
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{dir / "無い.xlsx" + mastertext::kFileMissing});
    EXPECT_EQ(opened, std::vector<std::string>{dir / "様式.xlsx"});
}
