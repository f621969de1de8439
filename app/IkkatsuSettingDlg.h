#pragma once
#include "dialogkit/SekisanDialog.h"

class QButtonGroup;
class QRadioButton;

// One yes/no choice for every row of a 業務 or 工種: whether the rows carry 精度管理費,
// 電子計算機使用料 or 材料費, or how their 直接経費 are treated. The kind sets the caption and the
// two radio texts; the first radio is chosen when the dialog opens.
class CIkkatsuSettingDlg : public CSekisanDialog {
    Q_OBJECT
public:
    enum Kind { kSeido = 0, kDenshi = 1, kZairyo = 2, kChokusetsuKeihi = 3 };

    explicit CIkkatsuSettingDlg(QWidget* parent = nullptr);

    void SetMode(int kind) { m_kind = kind; }
    // After OK: 0 for the first radio, 1 for the second.
    int GetChoice() const { return m_result; }

    void OnInitDialog() override;
    void accept() override;

private:
    QButtonGroup* m_radios;
    QRadioButton* m_first;
    QRadioButton* m_second;

    int m_choice = -1;
    int m_result = 0;
    int m_kind = kSeido;
};
