#pragma once
#include <QDialog>
#include <QPointer>
#include <string>

#include "platform/Host.h"

class QLabel;
class QProgressBar;

// The modeless progress window under which long jobs run on the user-interface thread. While it
// is shown its owner is disabled; every position change and every cancel check first handles
// the pending window events, so the program stays responsive and "ｷｬﾝｾﾙ" can be pressed.
class CProgressDlg : public QDialog, public IProgress {
    Q_OBJECT
public:
    // caption empty: "進捗状況".
    explicit CProgressDlg(const std::string& caption = std::string());
    ~CProgressDlg() override;

    // Shows the window over owner (the main window when null); disables the owner when it is
    // enabled. Returns false, with the owner enabled again, when it cannot be shown.
    bool Create(QWidget* owner);

    void SetStatus(const std::string& text) override;
    void SetRange(int lower, int upper) override;
    void SetStep(int step) override;
    int SetPos(int position);
    int OffsetPos(int delta);
    int StepIt() override;
    bool CheckCancelButton() override;
    void Hide() override;
    // Enables the owner again when this window disabled it, and closes the window.
    void DestroyWindow();

    // The percent text for a position: "%d%" of (p − lower) × 100 / (upper − lower), taken modulo
    // 100 unless it is 100.
    static QString PercentText(int position, int lower, int upper);

    QString StatusText() const;
    QString PercentLabelText() const;
    int Position() const { return m_pos; }


    // Escape: asks for cancellation; the window stays.
    void reject() override;

private:
    void PumpEvents();
    void MoveTo(int position);

    QLabel* m_status;
    QLabel* m_percent;
    QProgressBar* m_bar;
    int m_lower = 0, m_upper = 100, m_step = 10, m_pos = 0;
    bool m_cancel = false;
    QPointer<QWidget> m_owner;
    bool m_ownerDisabled = false;
};
