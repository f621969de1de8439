#pragma once
#include <QString>

#include "dialogkit/SekisanDialog.h"

class QLabel;

// Asks for two lines of text: a table's row and column titles, an item's name or its remark.
class CTitleEditDlg : public CSekisanDialog {
    Q_OBJECT
public:
    enum Mode { TableTitle = 0, ItemName = 1, Remark = 2 };

    explicit CTitleEditDlg(QWidget* parent = nullptr);

    void SetMode(int mode) { m_mode = mode; }
    void SetTitles(const QString& upper, const QString& lower) {
        m_upper = upper;
        m_lower = lower;
    }
    void SetUpperEnabled(int enabled) { m_upperEnabled = enabled; }
    void SetLowerEnabled(int enabled) { m_lowerEnabled = enabled; }
    // Skips a null pointer.
    void GetTitles(QString* upper, QString* lower) const;

    void OnInitDialog() override;
    void accept() override;

private:
    CZo_Edit* m_upperEdit;
    CZo_Edit* m_lowerEdit;
    QLabel* m_upperLabel;
    QLabel* m_lowerLabel;

    int m_mode = TableTitle;
    QString m_upper;
    QString m_lower;
    int m_upperEnabled = 1;
    int m_lowerEnabled = 1;
};
