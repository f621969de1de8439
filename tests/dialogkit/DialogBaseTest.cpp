// Tests of the dialog base CSekisanDialog (dialogkit/SekisanDialog.h): the Enter rule and the modal run.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QVBoxLayout>
#include <functional>
#include <tuple>
#include <vector>

#include "EventWait.h"
#include "dialogkit/DialogRunner.h"
#include "dialogkit/SekisanDialog.h"
#include "platform/Host.h"

namespace {

// A grid that takes Enter itself (it moves to the next cell), as the program's grid does.
class Grid : public QTableWidget {
public:
    Grid(QWidget* parent) : QTableWidget(3, 3, parent) {}
    int enters = 0;

protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
            ++enters;
            setCurrentCell(currentRow() + 1, currentColumn());
            return;
        }
        QTableWidget::keyPressEvent(e);
    }
};

// A data-entry form: two fields, a check box, a grid, another button, OK (default) and Cancel.
class Form : public CSekisanDialog {
public:
    Form() {
        first = new QLineEdit(this);
        second = new QLineEdit(this);
        check = new QCheckBox(QStringLiteral("check"), this);
        grid = new Grid(this);
        other = new QPushButton(QStringLiteral("other"), this);
        ok = new QPushButton(QStringLiteral("OK"), this);
        cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
        ok->setDefault(true);
        auto* layout = new QVBoxLayout(this);
        for (QWidget* w : std::initializer_list<QWidget*>{first, second, check, grid, other, ok, cancel})
            layout->addWidget(w);
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
        connect(other, &QPushButton::clicked, this, [this] { ++otherPressed; });
        connect(grid, &QTableWidget::itemChanged, this, [this] { ++gridEdits; });
    }
    QLineEdit* first;
    QLineEdit* second;
    QCheckBox* check;
    Grid* grid;
    QPushButton* other;
    QPushButton* ok;
    QPushButton* cancel;
    int otherPressed = 0;
    int gridEdits = 0;
};

class DialogBase : public ::testing::Test {
protected:
    void SetUp() override {
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form, kHangMs));
    }
    Form form;
};

TEST_F(DialogBase, EnterInAnEditMovesTheFocusAndKeepsTheDialogOpen) {
    form.first->setFocus();
    QTest::keyClick(form.first, Qt::Key_Return);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.result(), 0);
    EXPECT_EQ(form.focusWidget(), form.second);
    // The keypad Enter does the same.
    QTest::keyClick(form.second, Qt::Key_Enter);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.focusWidget(), form.check);
}

TEST_F(DialogBase, EnterOnAButtonPressesIt) {
    form.other->setFocus();
    QTest::keyClick(form.other, Qt::Key_Return);
    EXPECT_EQ(form.otherPressed, 1);
    EXPECT_TRUE(form.isVisible());

    form.cancel->setFocus();
    QTest::keyClick(form.cancel, Qt::Key_Return);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Rejected);
}

TEST_F(DialogBase, EnterOnOkCloses) {
    form.ok->setFocus();
    QTest::keyClick(form.ok, Qt::Key_Return);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Accepted);
}

TEST_F(DialogBase, EnterInsideTheGridStaysWithTheGrid) {
    form.grid->setFocus();
    form.grid->setCurrentCell(0, 0);
    QTest::keyClick(form.grid, Qt::Key_Return);
    EXPECT_EQ(form.grid->enters, 1);
    EXPECT_EQ(form.grid->currentRow(), 1);
    EXPECT_EQ(form.focusWidget(), form.grid);
    form.grid->setCurrentCell(0, 0);
    QTest::keyClick(form.grid, Qt::Key_F2);  // opens the cell editor
    QWidget* editor = form.focusWidget();
    ASSERT_NE(editor, form.grid);
    ASSERT_TRUE(form.grid->isAncestorOf(editor));
    QTest::keyClicks(editor, QStringLiteral("12"));
    QTest::keyClick(editor, Qt::Key_Return);  // commits the cell
    EXPECT_TRUE(form.isVisible());
    ASSERT_NE(form.grid->item(0, 0), nullptr);
    EXPECT_EQ(form.grid->item(0, 0)->text(), QStringLiteral("12"));
    EXPECT_TRUE(form.grid->hasFocus() || form.grid->isAncestorOf(form.focusWidget()));
}

TEST_F(DialogBase, OtherKeysAreNotTouched) {
    form.first->setFocus();
    QTest::keyClick(form.first, Qt::Key_A);
    EXPECT_EQ(form.first->text(), QStringLiteral("a"));
    EXPECT_EQ(form.focusWidget(), form.first);
    QTest::keyRelease(form.first, Qt::Key_Return);
    EXPECT_EQ(form.focusWidget(), form.first);
    EXPECT_TRUE(form.isVisible());
}

// A form where Enter is ignored: it neither closes the dialog nor moves the focus.
class QuietForm : public Form {
public:
    QuietForm() { SetEnterKey(EnterKey::Ignored); }
};

class DialogBaseEnterIgnored : public ::testing::Test {
protected:
    void SetUp() override {
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form, kHangMs));
    }
    QuietForm form;
};

TEST_F(DialogBaseEnterIgnored, EnterNeitherClosesNorMovesNorPresses) {
    for (QWidget* w : std::initializer_list<QWidget*>{form.first, form.check, form.other, form.ok, form.cancel}) {
        w->setFocus();
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
            QTest::keyClick(w, key);
            EXPECT_TRUE(form.isVisible()) << w->metaObject()->className();
            EXPECT_EQ(form.focusWidget(), w) << w->metaObject()->className();
        }
    }
    EXPECT_EQ(form.otherPressed, 0);
    EXPECT_EQ(form.result(), 0);
    // The buttons still work by click and Space.
    form.other->setFocus();
    QTest::keyClick(form.other, Qt::Key_Space);
    EXPECT_EQ(form.otherPressed, 1);
}

TEST_F(DialogBaseEnterIgnored, TheGridStillTakesEnter) {
    form.grid->setFocus();
    form.grid->setCurrentCell(0, 0);
    QTest::keyClick(form.grid, Qt::Key_Return);
    EXPECT_EQ(form.grid->enters, 1);
    EXPECT_EQ(form.grid->currentRow(), 1);
    EXPECT_TRUE(form.isVisible());
}

// ---------------------------------------------------------------------------------------------
// The modal run and the builders

// A dialog made with the builders that counts its initialisations.
class Built : public CSekisanDialog {
public:
    Built() {
        std::tie(nameLabel, name) = MakeTextField(QStringLiteral("名前 :"), "name", 20);
        std::tie(rateLabel, rate) = MakeNumberField(QStringLiteral("率 :"), "rate", CZo_Edit::DoubleRule(6, 2, 0, 200));
        std::tie(countLabel, count) = MakeNumberField(QStringLiteral("行数 :"), "count", CZo_Edit::IntRule(6, 1, 30));
        auto* layout = new QVBoxLayout(this);
        for (QWidget* w : std::initializer_list<QWidget*>{nameLabel, name, rateLabel, rate, countLabel, count})
            layout->addWidget(w);
        layout->addWidget(MakeOkCancelRow());
    }
    void OnInitDialog() override {
        ++inits;
        name->SetText(QStringLiteral("初期"));
    }
    QLabel* nameLabel;
    CZo_Edit* name;
    QLabel* rateLabel;
    CZo_Edit* rate;
    QLabel* countLabel;
    CZo_Edit* count;
    int inits = 0;
};

// Runs a dialog by calling close on it; records what it saw.
class ClosingRunner : public IDialogRunner {
public:
    explicit ClosingRunner(std::function<void(QDialog&)> close) : m_close(std::move(close)), m_previous(SetDialogRunner(this)) {}
    ~ClosingRunner() override { SetDialogRunner(m_previous); }
    int Run(QDialog& dialog) override {
        auto& built = dynamic_cast<Built&>(dialog);
        initsSeen.push_back(built.inits);
        nameSeen = built.name->GetText();
        m_close(dialog);
        return dialog.result();
    }
    std::vector<int> initsSeen;
    QString nameSeen;

private:
    std::function<void(QDialog&)> m_close;
    IDialogRunner* m_previous;
};

TEST(DialogModal, DoModalInitialisesOnceAndReturnsTheResult) {
    struct Row {
        const char* how;
        std::function<void(QDialog&)> close;
        int expected;
    };
    const Row rows[] = {
        {"accept", [](QDialog& d) { d.accept(); }, IDOK},
        {"reject", [](QDialog& d) { d.reject(); }, IDCANCEL},
        {"own value", [](QDialog& d) { d.done(1298); }, 1298},
        {"OK button", [](QDialog& d) { d.findChild<QPushButton*>(QStringLiteral("ok"))->click(); }, IDOK},
        {"Cancel button", [](QDialog& d) { d.findChild<QPushButton*>(QStringLiteral("cancel"))->click(); }, IDCANCEL},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.how);
        ClosingRunner runner(row.close);
        Built dialog;
        EXPECT_EQ(dialog.DoModal(), row.expected);
        EXPECT_EQ(dialog.DoModal(), row.expected);
        // OnInitDialog ran before the first run only.
        EXPECT_EQ(runner.initsSeen, (std::vector<int>{1, 1}));
        EXPECT_EQ(runner.nameSeen, QStringLiteral("初期"));
        // Nor does a later show run it again.
        dialog.show();
        EXPECT_EQ(dialog.inits, 1);
    }
    // A dialog only shown initialises on its first show.
    Built shown;
    EXPECT_EQ(shown.inits, 0);
    shown.show();
    shown.hide();
    shown.show();
    EXPECT_EQ(shown.inits, 1);
    EXPECT_EQ(shown.name->GetText(), QStringLiteral("初期"));
}

TEST(DialogModal, BuildersMakeLabelledFieldsAndTheButtonRow) {
    Built dialog;
    struct Row {
        QLabel* label;
        CZo_Edit* edit;
        const char* text;
        const char* name;
        CZo_Edit::Type type;
        int digits, decimals;
        double minimum, maximum;
    };
    const Row rows[] = {
        {dialog.nameLabel, dialog.name, "名前 :", "name", CZo_Edit::Type::Text, 20, 0, -1e15, 1e15},
        {dialog.rateLabel, dialog.rate, "率 :", "rate", CZo_Edit::Type::Double, 6, 2, 0, 200},
        {dialog.countLabel, dialog.count, "行数 :", "count", CZo_Edit::Type::Int, 6, 0, 1, 30},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.label->text(), QString::fromUtf8(row.text));
        EXPECT_EQ(row.edit->objectName(), QString::fromLatin1(row.name));
        EXPECT_EQ(row.edit->GetType(), row.type);
        EXPECT_EQ(row.edit->Digits(), row.digits);
        EXPECT_EQ(row.edit->Decimals(), row.decimals);
        EXPECT_DOUBLE_EQ(row.edit->Minimum(), row.minimum);
        EXPECT_DOUBLE_EQ(row.edit->Maximum(), row.maximum);
        EXPECT_EQ(row.edit->maxLength(), row.digits);
    }
    EXPECT_NE(dialog.rate->validator(), nullptr);
    EXPECT_EQ(dialog.name->validator(), nullptr);
    auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("ok"));
    auto* cancel = dialog.findChild<QPushButton*>(QStringLiteral("cancel"));
    ASSERT_NE(ok, nullptr);
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(cancel->text(), QStringLiteral("ｷｬﾝｾﾙ"));
    EXPECT_FALSE(cancel->isDefault());
    EXPECT_NE(qobject_cast<QDialogButtonBox*>(ok->parentWidget()), nullptr);
}

}  // namespace
