// The 歩掛 file editor (masteredit/BukakeEditDlg) and its 工種/種別 lists (masteredit/KoshuShubetsuLists):
// the 業務 list, the buttons' states, new, copied, inserted, deleted and moved entries, their codes,
// the search and the Enter key.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest/QTest>

#include "MasterBuilders.h"
#include "ScriptedDialogs.h"
#include "ScriptedHost.h"
#include "dialogkit/KoshuSearchDlg.h"
#include "dialogkit/SpreadSheet.h"
#include "dialogkit/Tx.h"
#include "masteredit/BukakeDetailDlg.h"
#include "masteredit/BukakeEditDlg.h"
#include "masteredit/BukakeShikiDetailDlg.h"
#include "masteredit/EditorList.h"
#include "masteredit/KoshuEditDlg.h"
#include "masteredit/KoshuShubetsuLists.h"
#include "masteredit/MasterEditTexts.h"
#include "masteredit/ShokushuSelectDlg.h"
#include "masteredit/ShubetsuEditDlg.h"
#include "masteredit/ZairyoTankaItemDlg.h"

using namespace masterbuild;
namespace t = masteredittext;

namespace {

// 区画整理測量 with priced 工種, a rate 工種 and the fixed 69 and 91; 設計 without 工種; 土質一般 with
// a 全地連 工種.
CBukakeFile Sample() {
    CBukakeFile file;
    CBukakeGyomu& survey = AddGyomu(file, 6, "区画整理測量");
    CBukakeKoshu& kijun = AddKoshu(survey, 101, "基準点測量");
    AddShubetsu(kijun, 1, "3級基準点測量");
    AddShubetsu(kijun, 2, "4級基準点測量").m_coefficient = 250;
    AddShubetsu(AddKoshu(survey, 102, "水準測量"), 1, "3級水準測量");
    AddKoshu(survey, 701, "率計上");
    AddKoshu(survey, 69, "共通");
    AddKoshu(survey, 91, "諸経費");
    AddGyomu(file, 2, "設計");
    AddShubetsu(AddKoshu(AddGyomu(file, 4, "土質一般"), 401, "ボーリング"), 1, "機械ボーリング").m_coefficient = 150;
    return file;
}

class BukakeEditor : public ::testing::Test {
protected:
    void Open(const CBukakeFile& file, std::vector<uint8_t> codes = {6, 2, 4}) {
        dialog = std::make_unique<CBukakeEditDlg>();
        dialog->SetBukakeFile(file);
        CZairyoTankaFile zairyo;
        AddZairyoItem(zairyo, 1000, 0, "砂", 100);
        dialog->SetZairyoTankaFile(zairyo);
        dialog->SetGyomuCodes(codes);
        dialog->OnInitDialog();
    }
    CEditorList* KoshuList() { return dialog->findChild<CEditorList*>("koshuList"); }
    CEditorList* ShubetsuList() { return dialog->findChild<CEditorList*>("shubetsuList"); }
    QPushButton* Button(const char* name) { return dialog->findChild<QPushButton*>(name); }
    QComboBox* Combo() { return dialog->findChild<QComboBox*>("gyomu"); }
    void ChooseGyomu(int index) {
        Combo()->setCurrentIndex(index);
        emit Combo()->activated(index);
    }
    void ClickKoshu(int index) { KoshuList()->setCurrentItem(KoshuList()->topLevelItem(index)); }
    void ClickShubetsu(int index) { ShubetsuList()->setCurrentItem(ShubetsuList()->topLevelItem(index)); }
    const CBukakeGyomu& Gyomu(int code) { return *dialog->GetBukakeFile().FindGyomu(code); }
    std::vector<int32_t> KoshuCodes(int gyomu) {
        std::vector<int32_t> codes;
        for (int i = 0; i < Gyomu(gyomu).GetCount(); ++i) codes.push_back(Gyomu(gyomu).GetKoshu(i)->m_code);
        return codes;
    }
    QString Line() { return dialog->findChild<QLabel*>("coefficient")->text(); }

    ScriptedHost host;
    std::unique_ptr<CBukakeEditDlg> dialog;
};

const char* const kKoshuButtons[] = {"koshuChange", "koshuCopy", "koshuDelete", "koshuUp", "koshuDown", "shubetsuNew"};
const char* const kShubetsuButtons[] = {"shubetsuChange", "shubetsuCopy", "shubetsuInsert", "shubetsuDelete",
                                        "shubetsuUp",     "shubetsuDown", "detail"};

}  // namespace

TEST_F(BukakeEditor, OpensOnTheFirstBusinessWithItsFirstKoshuAndShubetsu) {
    Open(Sample());
    EXPECT_EQ(dialog->windowTitle(), Tx("歩掛ファイル編集"));
    ASSERT_EQ(Combo()->count(), 3);
    EXPECT_EQ(Combo()->itemText(0), Tx("区画整理測量"));
    EXPECT_EQ(KoshuList()->Title(), Tx("工種データ一覧(5)"));
    EXPECT_EQ(ShubetsuList()->Title(), Tx("種別データ一覧(2)"));
    EXPECT_EQ(KoshuList()->ChosenIndex(), 0);
    EXPECT_EQ(ShubetsuList()->ChosenIndex(), 0);
    EXPECT_EQ(Line(), Tx("　　　　　　 : -.--"));  // no coefficient
    ClickShubetsu(1);
    EXPECT_EQ(Line(), Tx("精度管理係数 : 2.50"));
    // The list prints are always offered.
    for (const char* name : {"koshuPreview", "koshuPrint", "shubetsuPreview", "shubetsuPrint"})
        EXPECT_TRUE(Button(name)->isEnabled()) << name;
    EXPECT_EQ(dialog->findChild<QLabel*>("legend0")->text(), Tx(" ※ 黄色 ： 標準添付歩掛り"));
    EXPECT_TRUE(dialog->findChild<QLabel*>("legend3")->isHidden());
}

TEST_F(BukakeEditor, ABusinessWithoutKoshuOffersOnlyANewKoshu) {
    Open(Sample());
    ChooseGyomu(1);
    EXPECT_EQ(KoshuList()->Title(), Tx("工種データ一覧(0)"));
    EXPECT_EQ(ShubetsuList()->Title(), Tx("種別データ一覧(0)"));
    EXPECT_EQ(KoshuList()->ChosenIndex(), -1);
    EXPECT_EQ(ShubetsuList()->ChosenIndex(), -1);
    for (const char* name : kKoshuButtons) EXPECT_FALSE(Button(name)->isEnabled()) << name;
    for (const char* name : kShubetsuButtons) EXPECT_FALSE(Button(name)->isEnabled()) << name;
    EXPECT_TRUE(Button("koshuNew")->isEnabled());
    EXPECT_TRUE(Button("search")->isEnabled());
    EXPECT_EQ(Line(), Tx("技術経費　　 : -.--"));
    EXPECT_EQ(dialog->findChild<QLabel*>("legend0")->text(), Tx(" ※ 黄色 ： 新しい積算手法標準添付歩掛り"));
    EXPECT_FALSE(dialog->findChild<QLabel*>("legend3")->isHidden());
}

// The 業務 list holds only the 業務 the file has: each entry edits its own 業務.
TEST_F(BukakeEditor, ABusinessMissingFromTheFileIsSkippedAndTheNextEditsItsOwn) {
    Open(Sample(), {6, 7, 4});
    ASSERT_EQ(Combo()->count(), 2);
    ChooseGyomu(1);
    EXPECT_EQ(KoshuList()->EntryText(0), Tx("ボーリング"));
    EXPECT_EQ(Line(), Tx("技術経費　　 : 1.50"));
    host.answers = {IDYES};
    Button("shubetsuDelete")->click();
    EXPECT_EQ(Gyomu(4).GetKoshu(0)->GetCount(), 0);
    EXPECT_EQ(Gyomu(6).GetKoshu(0)->GetCount(), 2);
}

TEST_F(BukakeEditor, DeletingTheLastKoshuChoosesTheNewLastAndTheOnlyOneLeavesNone) {
    CBukakeFile file = Sample();
    file.FindGyomu(6)->RemoveKoshu(4);  // 91
    file.FindGyomu(6)->RemoveKoshu(3);  // 69
    Open(file);
    ClickKoshu(2);
    host.answers = {IDNO, IDYES};
    Button("koshuDelete")->click();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "工種データ ' 率計上 ' を削除してよろしいですか？");
    EXPECT_EQ(host.messages[0].caption, "確認");
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(KoshuCodes(6).size(), 3u);
    Button("koshuDelete")->click();
    EXPECT_EQ(KoshuCodes(6), (std::vector<int32_t>{101, 102}));
    EXPECT_EQ(KoshuList()->ChosenIndex(), 1);

    ChooseGyomu(2);
    host.answers = {IDYES};
    Button("koshuDelete")->click();
    EXPECT_TRUE(KoshuCodes(4).empty());
    EXPECT_EQ(KoshuList()->ChosenIndex(), -1);
    EXPECT_EQ(ShubetsuList()->ChosenIndex(), -1);
    EXPECT_FALSE(Button("koshuDelete")->isEnabled());
}

TEST_F(BukakeEditor, FixedKoshuCannotBeDeleted) {
    Open(Sample());
    const std::pair<int, bool> rows[] = {{0, true}, {2, true}, {3, false}, {4, false}};
    for (const auto& [row, deletable] : rows) {
        ClickKoshu(row);
        EXPECT_EQ(Button("koshuDelete")->isEnabled(), deletable) << row;
    }
}

TEST_F(BukakeEditor, MovesStayWithinTheSortGroup) {
    Open(Sample());
    ClickKoshu(2);  // 701 after 102
    Button("koshuUp")->click();
    EXPECT_EQ(KoshuCodes(6), (std::vector<int32_t>{101, 102, 701, 69, 91}));
    EXPECT_EQ(KoshuList()->ChosenIndex(), 2);
    ClickKoshu(1);
    Button("koshuUp")->click();
    EXPECT_EQ(KoshuCodes(6), (std::vector<int32_t>{102, 101, 701, 69, 91}));
    EXPECT_EQ(KoshuList()->ChosenIndex(), 0);
    // 種別 follow their index.
    ClickKoshu(1);
    Button("shubetsuDown")->click();
    EXPECT_EQ(Gyomu(6).GetKoshu(1)->GetShubetsu(1)->m_code, 1);
    EXPECT_EQ(ShubetsuList()->ChosenIndex(), 1);
    Button("shubetsuDown")->click();  // already last
    EXPECT_EQ(ShubetsuList()->ChosenIndex(), 1);
}

TEST_F(BukakeEditor, ANewKoshuTakesTheFirstFreeCodeOfTheChosenKindBeforeItsAnchor) {
    Open(Sample());
    ScriptedDialogs dialogs;
    dialogs.Expect<CKoshuEditDlg>([](CKoshuEditDlg& d) {
        EXPECT_EQ(d.windowTitle(), Tx("工種データの新規作成"));
        d.findChild<CZo_Edit*>("name")->setText(Tx("新しい率"));
        d.findChild<QAbstractButton*>("kind2")->click();
        return IDOK;
    });
    Button("koshuNew")->click();
    EXPECT_EQ(KoshuCodes(6), (std::vector<int32_t>{101, 102, 701, 69, 700, 91}));
    EXPECT_EQ(KoshuList()->ChosenIndex(), 4);
    EXPECT_EQ(Gyomu(6).GetKoshu(4)->m_name, "新しい率");
    EXPECT_EQ(Gyomu(6).GetKoshu(4)->m_userCreated, 1);
    // A user-created 工種 of category 2 shows the user-created picture of its category.
    EXPECT_EQ(CKoshuShubetsuLists::KoshuImage(6, *Gyomu(6).GetKoshu(4)), 2 + 2 + 9);

    // A copy keeps its 種類; its 種別 become user-created.
    ClickKoshu(0);
    dialogs.Expect<CKoshuEditDlg>([](CKoshuEditDlg& d) {
        EXPECT_EQ(d.GetCodeGroup(), 0);
        EXPECT_EQ(d.findChild<CZo_Edit*>("name")->text(), Tx("コピー～基準点測量"));
        return IDOK;
    });
    Button("koshuCopy")->click();
    const CBukakeKoshu* copy = Gyomu(6).FindKoshu(100);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetShubetsu(1)->m_userCreated, 1);
    EXPECT_EQ(KoshuList()->ChosenIndex(), Gyomu(6).FindKoshuIndex(100));
}

TEST_F(BukakeEditor, FullCodeRangesAddNothing) {
    CBukakeFile file = Sample();
    CBukakeGyomu& survey = *file.FindGyomu(6);
    for (int32_t code = 690; code <= 699; ++code) AddKoshu(survey, code, "一括");
    for (int32_t code = 3; code <= 999; ++code) AddShubetsu(*survey.GetKoshu(0), code);
    Open(file);
    const CBukakeFile before = dialog->GetBukakeFile();
    ScriptedDialogs dialogs;
    dialogs.Expect<CKoshuEditDlg>([](CKoshuEditDlg& d) {
        d.findChild<QAbstractButton*>("kind1")->click();
        return IDOK;
    });
    dialogs.Expect<CShubetsuEditDlg>(IDOK);
    dialogs.Expect<CShubetsuEditDlg>(IDOK);
    dialogs.Expect<CShubetsuEditDlg>(IDOK);
    host.answers = {};
    Button("koshuNew")->click();
    Button("shubetsuNew")->click();
    Button("shubetsuCopy")->click();
    Button("shubetsuInsert")->click();
    EXPECT_EQ(host.MessageTexts(), (std::vector<std::string>{t::kNoFreeKoshuCode, t::kNoFreeShubetsuCode,
                                                             t::kNoFreeShubetsuCode, t::kNoFreeShubetsuCode}));
    EXPECT_TRUE(dialog->GetBukakeFile() == before);
}

TEST_F(BukakeEditor, NewAndInsertedShubetsuStartWithTheDetailOfTheirBusiness) {
    CBukakeFile file = Sample();
    // A detail that would otherwise carry over into the copy's namesake.
    CBukakeDetail& old = file.FindKoshu(4, 401)->GetShubetsu(0)->GetDetail();
    old.m_henkaritsu[0] = 5;
    old.m_unit = "m";
    Open(file);
    ScriptedDialogs dialogs;
    // 土質一般: a new 種別 of the standard soil type, 20 lines, プログラム金額 on, 電子成果品 kind 6.
    ChooseGyomu(2);
    dialogs.Expect<CShubetsuEditDlg>([](CShubetsuEditDlg& d) {
        EXPECT_EQ(d.windowTitle(), Tx("種別データの新規作成"));
        return IDOK;
    });
    Button("shubetsuNew")->click();
    const CBukakeShubetsu* added = Gyomu(4).GetKoshu(0)->GetShubetsu(1);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(ShubetsuList()->ChosenIndex(), 1);
    EXPECT_EQ(added->m_code, 2);
    EXPECT_EQ(added->m_denshiKind, 6);
    EXPECT_EQ(added->m_coefficient, 0);
    EXPECT_EQ(added->GetDetail().m_programKingaku, 1);
    EXPECT_EQ(added->GetDetail().m_bukakeType, 4);
    EXPECT_EQ(added->GetDetail().GetLineCount(), 20);
    EXPECT_EQ(added->GetDetail().m_formula, "1");
    // 区画整理測量: inserted before the current one, 11 lines, an empty formula, coefficient 0.01.
    ChooseGyomu(0);
    ClickShubetsu(1);
    dialogs.Expect<CShubetsuEditDlg>(IDOK);
    Button("shubetsuInsert")->click();
    const CBukakeShubetsu* inserted = Gyomu(6).GetKoshu(0)->GetShubetsu(1);
    EXPECT_EQ(inserted->m_code, 3);
    EXPECT_EQ(inserted->m_coefficient, 1);
    EXPECT_EQ(inserted->GetDetail().m_formula, "");
    EXPECT_EQ(inserted->GetDetail().m_bukakeType, 0);
    ASSERT_EQ(inserted->GetDetail().GetLineCount(), 11);
    const CBukakeDetailLine& line = *inserted->GetDetail().GetLine(10);
    EXPECT_EQ(line.m_setting, 1);
    EXPECT_EQ(line.m_value, 1);
    EXPECT_EQ(line.m_columns[9], kUnset);
    EXPECT_EQ(ShubetsuList()->ChosenIndex(), 1);

    // The reset itself, per 業務: lines and type; references, quantity and unit cleared.
    const std::tuple<int, int, int> cases[] = {{1, 11, 0}, {3, 11, 0}, {6, 11, 0}, {2, 20, 0},
                                               {7, 20, 0}, {4, 20, 4}, {5, 20, 4}, {31, 0, 0}};
    for (const auto& [gyomu, lines, type] : cases) {
        CBukakeDetail detail = old;
        detail.m_quantity = 300;
        ResetNewShubetsuDetail(detail, gyomu);
        EXPECT_EQ(detail.GetLineCount(), lines) << gyomu;
        EXPECT_EQ(detail.m_bukakeType, type) << gyomu;
        EXPECT_EQ(detail.m_henkaritsu[0], kUnset);
        EXPECT_EQ(detail.m_quantity, 0);
        EXPECT_EQ(detail.m_unit, "");
    }
}

TEST_F(BukakeEditor, AShrinkingShubetsuListKeepsTheIndexWithinIt) {
    Open(Sample());
    ClickShubetsu(1);
    host.answers = {IDYES, IDYES};
    Button("shubetsuDelete")->click();
    EXPECT_EQ(ShubetsuList()->ChosenIndex(), 0);
    EXPECT_EQ(Line(), Tx("　　　　　　 : -.--"));
    Button("shubetsuDelete")->click();
    EXPECT_EQ(ShubetsuList()->ChosenIndex(), -1);
    for (const char* name : kShubetsuButtons) EXPECT_FALSE(Button(name)->isEnabled()) << name;
    EXPECT_EQ(Line(), Tx("精度管理係数 : -.--"));
    // A move to a 工種 with fewer 種別 keeps within the new list too.
    ClickKoshu(1);
    EXPECT_EQ(ShubetsuList()->ChosenIndex(), 0);
}

// After a 工種 is deleted the next one's list keeps the 種別 index: one past its end steps back to
// its last 種別, one further past starts again at the first.
TEST_F(BukakeEditor, DeletingAKoshuClampsTheShubetsuIndexToTheNextOne) {
    const struct {
        int chosen;  // the 種別 chosen in the deleted 工種 of four
        int next;    // the 種別 of the 工種 after it
        int expected;
    } cases[] = {{1, 2, 1}, {2, 2, 1}, {3, 2, 0}, {3, 0, -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.chosen << " of 4, then " << c.next);
        CBukakeFile file;
        CBukakeGyomu& survey = AddGyomu(file, 6, "区画整理測量");
        CBukakeKoshu& first = AddKoshu(survey, 101, "基準点測量");
        for (int s = 1; s <= 4; ++s) AddShubetsu(first, s, "種別" + std::to_string(s));
        CBukakeKoshu& second = AddKoshu(survey, 102, "水準測量");
        for (int s = 1; s <= c.next; ++s) AddShubetsu(second, s, "水準" + std::to_string(s));
        Open(file);
        ClickShubetsu(c.chosen);
        ASSERT_EQ(ShubetsuList()->ChosenIndex(), c.chosen);
        host.answers = {IDYES};
        Button("koshuDelete")->click();
        ASSERT_EQ(KoshuCodes(6).front(), 102);
        EXPECT_EQ(ShubetsuList()->ChosenIndex(), c.expected);
    }
}

// A click on the empty space of a list chooses none there: the 工種 list takes the 種別 with it.
TEST_F(BukakeEditor, AClickOnEmptyListSpaceChoosesNone) {
    Open(Sample());
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    auto clickEmpty = [](CEditorList* list) {
        const QPoint empty(10, list->viewport()->height() - 5);
        ASSERT_EQ(list->itemAt(empty), nullptr);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, empty);
    };
    clickEmpty(ShubetsuList());
    EXPECT_EQ(ShubetsuList()->ChosenIndex(), -1);
    for (const char* name : kShubetsuButtons) EXPECT_FALSE(Button(name)->isEnabled()) << name;
    for (const char* name : kKoshuButtons) EXPECT_TRUE(Button(name)->isEnabled()) << name;
    EXPECT_EQ(Line(), Tx("精度管理係数 : -.--"));
    ClickShubetsu(0);
    clickEmpty(KoshuList());
    EXPECT_EQ(KoshuList()->ChosenIndex(), -1);
    EXPECT_EQ(ShubetsuList()->ChosenIndex(), -1);
    EXPECT_EQ(ShubetsuList()->Count(), 0);
    for (const char* name : kKoshuButtons) EXPECT_FALSE(Button(name)->isEnabled()) << name;
    for (const char* name : kShubetsuButtons) EXPECT_FALSE(Button(name)->isEnabled()) << name;
    EXPECT_TRUE(Button("koshuNew")->isEnabled());
}

TEST_F(BukakeEditor, CancelInTheChangeDialogsLeavesTheRecords) {
    Open(Sample());
    const CBukakeFile before = dialog->GetBukakeFile();
    ScriptedDialogs dialogs;
    dialogs.Expect<CKoshuEditDlg>([](CKoshuEditDlg& d) {
        d.findChild<CZo_Edit*>("name")->setText(Tx("別名"));
        d.findChild<QAbstractButton*>("ryohi")->click();
        return IDCANCEL;
    });
    dialogs.Expect<CShubetsuEditDlg>([](CShubetsuEditDlg& d) {
        d.findChild<CZo_Edit*>("coefficient")->setText(QStringLiteral("9"));
        d.findChild<QAbstractButton*>("user")->click();
        return IDCANCEL;
    });
    Button("koshuChange")->click();
    Button("shubetsuChange")->click();
    EXPECT_TRUE(dialog->GetBukakeFile() == before);

    dialogs.Expect<CShubetsuEditDlg>([](CShubetsuEditDlg& d) {
        EXPECT_EQ(d.windowTitle(), Tx("種別データの変更"));
        d.findChild<CZo_Edit*>("coefficient")->setText(QStringLiteral("1.2"));
        return IDOK;
    });
    Button("shubetsuChange")->click();
    EXPECT_EQ(Gyomu(6).GetKoshu(0)->GetShubetsu(0)->m_coefficient, 120);
    EXPECT_EQ(Line(), Tx("精度管理係数 : 1.20"));
}

TEST_F(BukakeEditor, ASearchHitOnTheFirstKoshuAndShubetsuChoosesThem) {
    Open(Sample());
    ClickKoshu(1);
    ScriptedDialogs dialogs;
    auto search = [&dialogs](int col, int row) {
        dialogs.Expect<CKoshuSearchDlg>([col, row](CKoshuSearchDlg& d) {
            d.findChild<CZo_Edit*>("keyword")->setText(Tx("基準点"));
            d.findChild<QPushButton*>("search")->click();
            emit d.findChild<CSpreadSheet*>("results")->DblClick(col, row);
            return IDOK;
        });
    };
    // The rows: the 工種 基準点測量 alone, then its 種別 3級 and 4級.
    search(1, 1);
    Button("search")->click();
    EXPECT_EQ(KoshuList()->ChosenIndex(), 0);
    EXPECT_EQ(ShubetsuList()->ChosenIndex(), 0);
    EXPECT_EQ(KoshuList()->selectedItems().size(), 1);
    EXPECT_EQ(KoshuList()->selectedItems()[0], KoshuList()->topLevelItem(0));
    ClickKoshu(1);
    search(2, 2);  // 3級基準点測量, the first 種別 of the first 工種
    Button("search")->click();
    EXPECT_EQ(KoshuList()->ChosenIndex(), 0);
    EXPECT_EQ(ShubetsuList()->ChosenIndex(), 0);
    ASSERT_EQ(ShubetsuList()->selectedItems().size(), 1);
    EXPECT_EQ(ShubetsuList()->selectedItems()[0], ShubetsuList()->topLevelItem(0));
    ClickKoshu(1);
    search(2, 3);  // 4級基準点測量
    Button("search")->click();
    EXPECT_EQ(KoshuList()->ChosenIndex(), 0);
    EXPECT_EQ(ShubetsuList()->ChosenIndex(), 1);
}

TEST_F(BukakeEditor, EnterClosesNothing) {
    Open(Sample());
    dialog->show();
    for (const char* name : {"ok", "cancel", "koshuNew"}) {
        QWidget* w = dialog->findChild<QWidget*>(name);
        w->setFocus();
        QTest::keyClick(w, Qt::Key_Return);
        EXPECT_TRUE(dialog->isVisible()) << name;
    }
    QTest::keyClick(KoshuList(), Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), 0);
}

// A 土質 detail of a type other than 通常 opens in the expense-detail layout, any other in the
// detail settings; OK takes back the detail and, from the expense layout, the edited material prices.
TEST_F(BukakeEditor, DetailSettingsOpenTheLayoutOfTheDetailAndTakeBackDetailAndMaterialPrices) {
    CBukakeFile file = Sample();
    CBukakeDetail& soil = file.FindKoshu(4, 401)->GetShubetsu(0)->GetDetail();
    soil.m_bukakeType = 4;
    AddLine(soil, "", {3, 1000, 100});  // 材料費: 砂
    Open(file);
    ScriptedDialogs dialogs;
    dialogs.Expect<CBukakeDetailDlg>([](CBukakeDetailDlg& d) {
        d.findChild<CZo_Edit*>("formula")->setText(Tx("H1*2"));
        return IDCANCEL;
    });
    dialogs.Expect<CBukakeDetailDlg>([](CBukakeDetailDlg& d) {
        d.findChild<CZo_Edit*>("formula")->setText(Tx("H1*2"));
        return IDOK;
    });
    Button("detail")->click();
    EXPECT_EQ(Gyomu(6).GetKoshu(0)->GetShubetsu(0)->GetDetail().m_formula, "1");
    emit ShubetsuList()->itemDoubleClicked(ShubetsuList()->topLevelItem(0), 0);
    EXPECT_EQ(Gyomu(6).GetKoshu(0)->GetShubetsu(0)->GetDetail().m_formula, "H1*2");
    int changed = 0;
    dialog->GetZairyoTankaFile(&changed);
    EXPECT_EQ(changed, -1);

    ChooseGyomu(2);
    dialogs.Expect<CBukakeShikiDetailDlg>([](CBukakeShikiDetailDlg& d) {
        d.findChild<CZo_Edit*>("formula")->setText(Tx("H1*3"));
        emit d.findChild<CSpreadSheet*>("grid")->DblClick(2, 1);
        return IDOK;
    });
    dialogs.Expect<CShokushuSelectDlg>([](CShokushuSelectDlg& d) {
        d.findChild<QPushButton*>("edit")->click();
        return IDOK;
    });
    dialogs.Expect<CZairyoTankaItemDlg>([](CZairyoTankaItemDlg& d) {
        d.findChild<CZo_Edit*>("price")->setText(Tx("950"));
        return IDOK;
    });
    Button("detail")->click();
    EXPECT_EQ(dialogs.Pending(), 0u);
    EXPECT_EQ(Gyomu(4).GetKoshu(0)->GetShubetsu(0)->GetDetail().m_formula, "H1*3");
    const CZairyoTankaFile& zairyo = dialog->GetZairyoTankaFile(&changed);
    EXPECT_NE(changed, -1);
    EXPECT_EQ(zairyo.FindItem(1000)->m_price, 950.0);
}
