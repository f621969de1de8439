#pragma once
#include "dialogkit/SekisanDialog.h"
#include "master/BukakeFile.h"

class QCheckBox;
class QComboBox;
class QLabel;

// Edits one 種別 of the 歩掛 master on its own copy: its name, its coefficient (精度管理係数 or 技術経費
// by the 業務), the 電子成果品作成費種類 and the 農水省積算方式種類 where the 業務 has them, and after F5
// its code and user-created flag. Only GetShubetsu hands the edited record back; the caller decides
// the code. Used by the 歩掛 editor, the 歩掛 import and the estimate view's 歩掛編集.
class CShubetsuEditDlg : public CSekisanDialog {
    Q_OBJECT
public:
    // What the dialog is opened for; the caption follows.
    enum Mode { New = 0, Change = 1, Copy = 2, Insert = 4 };

    explicit CShubetsuEditDlg(QWidget* parent = nullptr);

    void SetShubetsu(const CBukakeShubetsu& shubetsu) { m_shubetsu.Copy(shubetsu); }
    void SetMode(int mode) { m_mode = mode; }
    void SetGyomuCode(int code) { m_gyomu = code; }
    // After OK: the edited record.
    void GetShubetsu(CBukakeShubetsu& shubetsu) const { shubetsu.Copy(m_shubetsu); }

    void OnInitDialog() override;
    void accept() override;

    // F5: shows the code field and the user-created check.
    void RevealMaintenanceFields();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QComboBox* m_methodCombo;
    QComboBox* m_denshiCombo;
    QLabel* m_methodLabel;
    QLabel* m_denshiLabel;
    CZo_Edit* m_nameEdit;
    QLabel* m_coefficientLabel;
    CZo_Edit* m_coefficientEdit;
    QCheckBox* m_userCheck;
    QLabel* m_codeLabel;
    CZo_Edit* m_codeEdit;

    int m_gyomu = kUnset;
    int m_mode = New;
    CBukakeShubetsu m_shubetsu;
};
