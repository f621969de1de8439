#pragma once
#include <QString>

#include "dialogkit/SekisanDialog.h"

// The unit text of a row. Enter presses OK here.
class CTaniInputDlg : public CSekisanDialog {
    Q_OBJECT
public:
    explicit CTaniInputDlg(QWidget* parent = nullptr);

    void SetUnit(const QString& unit) { m_unit = unit; }
    QString GetUnit() const { return m_unit; }

    void OnInitDialog() override;
    void accept() override;

private:
    CZo_Edit* m_unitEdit;
    QString m_unit;
};
