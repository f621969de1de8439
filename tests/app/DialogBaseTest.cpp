#include <gtest/gtest.h>

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QVBoxLayout>

#include "app/dialogs/SekisanDialog.h"

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
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
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

}  // namespace
