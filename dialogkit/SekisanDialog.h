#pragma once
#include <QDialog>
#include <QString>
#include <initializer_list>
#include <utility>

#include "dialogkit/ZoEdit.h"

class QButtonGroup;
class QDialogButtonBox;
class QLabel;
class QLayout;
class QPushButton;

// The common base of the system's data-entry dialogs.
//
// DoModal runs OnInitDialog once (a dialog shown another way runs it on its first show) and then
// the dialog through the process-wide dialog runner (DialogRunner.h), which tests replace.
//
// Enter follows one of three rules (EnterKey). By default it moves the focus to the next control
// instead of closing the dialog, except on OK, Cancel and other buttons (which Enter presses) and
// inside a grid (where Enter belongs to the grid).
//
// The builders make the parts every dialog repeats: the OK / ｷｬﾝｾﾙ buttons and labelled entry fields.
class CSekisanDialog : public QDialog {
    Q_OBJECT
public:
    explicit CSekisanDialog(QWidget* parent = nullptr);
    ~CSekisanDialog() override;

    // Runs the dialog modally; IDOK, IDCANCEL or the value the dialog closed with.
    int DoModal();
    // Fills the controls from the members; DoModal or the first show runs it once, before the
    // dialog is shown (a direct call is not counted as that run).
    virtual void OnInitDialog() {}

    // A widget that takes Enter itself as a grid does; its children (in-place editors) too.
    static void MarkAsGrid(QWidget* widget);
    static bool IsGrid(const QWidget* widget);
    // Checks the button of an exclusive group with that id; -1 (or an unknown id) clears every button.
    static void CheckButton(QButtonGroup* group, int id);
    // Buttons stacked in a column share one width: the widest text with room at either end, so that
    // no text is cut.
    static void FitButtonColumn(std::initializer_list<QPushButton*> buttons);
    // A character as wide as the ideographs of the dialogs' texts (漢), to measure room by.
    static constexpr char16_t kIdeograph = u'\u6F22';
    // Tab visits the widgets in the order given, each right after the one before it; the rest of the
    // chain keeps its order. Null entries are skipped.
    static void SetTabChain(std::initializer_list<QWidget*> widgets);

    // What Enter does in a dialog.
    enum class EnterKey {
        MovesFocus,      // to the next control; buttons and grids keep Enter (the default)
        PressesDefault,  // the plain dialog meaning: it presses the default button
        Ignored,         // neither closes the dialog nor moves the focus, nor presses a button; an edit
                         // or a grid that takes Enter itself still gets it
    };
    EnterKey GetEnterKey() const { return m_enterKey; }

protected:
    void SetEnterKey(EnterKey rule) { m_enterKey = rule; }
    // Dialogs where Enter keeps its plain dialog meaning (it presses the default button).
    void SetEnterMovesFocus(bool moves) { m_enterKey = moves ? EnterKey::MovesFocus : EnterKey::PressesDefault; }
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

    struct OkCancelButtons {
        QPushButton* ok;
        QPushButton* cancel;  // null without Cancel
    };
    // A label and its entry field.
    using LabelledField = std::pair<QLabel*, CZo_Edit*>;
    // "OK" (the default button, named "ok"; it accepts) and, with withCancel, "ｷｬﾝｾﾙ" (named
    // "cancel"; it rejects), for a dialog that lays its buttons out itself.
    OkCancelButtons MakeOkCancelButtons(bool withCancel = true);
    // The same two in a button row for the bottom of a form.
    QDialogButtonBox* MakeOkCancelRow();
    // The dialog's layout: content at the left, taking the width, and the buttons in a column at the
    // right, from the top.
    void LayOutBesideButtons(QWidget* content, std::initializer_list<QPushButton*> buttons);
    void LayOutBesideButtons(QLayout* content, std::initializer_list<QPushButton*> buttons);
    // An entry field named name that takes what the rule allows.
    CZo_Edit* MakeField(const char* name, const CZo_Edit::Rule& rule);
    // A label and a text field (digits: most characters, 0 no limit).
    LabelledField MakeTextField(const QString& label, const char* name, int digits = 0);
    // A label and a number field.
    LabelledField MakeNumberField(const QString& label, const char* name, const CZo_Edit::Rule& rule);

private:
    void InitOnce();

    EnterKey m_enterKey = EnterKey::MovesFocus;
    bool m_initDone = false;
};
