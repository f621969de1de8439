#pragma once
#include <array>

#include "dialogkit/SekisanDialog.h"
#include "master/BukakeFile.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QRadioButton;

// Edits one 工種 of the 歩掛 master on its own copy: its name, its 種類 (the code category a new 工種
// takes its code from), the 電子成果品作成費種類, the 旅費交通費 check and, after F5, its code, the
// user-created flag and the 従来の積算手法 flag. The 種類 labels follow the 業務 and that flag.
// Only GetKoshu hands the edited record back; the caller decides the code.
class CKoshuEditDlg : public CSekisanDialog {
    Q_OBJECT
public:
    // What the dialog is opened for; the caption follows.
    enum Mode { New = 0, Change = 1, Copy = 2 };
    static constexpr int kKindCount = 6;

    explicit CKoshuEditDlg(QWidget* parent = nullptr);

    void SetMode(int mode) { m_mode = mode; }
    // Preselects the 種類 (a code category 0..5; another value chooses none).
    void SetCodeGroup(int group) { m_kind = group; }
    void SetKoshu(const CBukakeKoshu& koshu) { m_koshu.Copy(koshu); }
    void SetGyomuCode(int code) { m_gyomu = code; }
    // After OK: the edited record, and the 種類 chosen (-1 for none).
    void GetKoshu(CBukakeKoshu& koshu) const { koshu.Copy(m_koshu); }
    int GetCodeGroup() const { return m_kind; }

    void OnInitDialog() override;
    void accept() override;

    // F5: shows the code field, the user-created and the 従来の積算手法 checks.
    void RevealMaintenanceFields();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnConventionalClicked();
    void SetKindLabels(const std::array<const char*, kKindCount>& labels);
    void ApplyDenshiVisibility();

    std::array<QRadioButton*, kKindCount> m_kindButtons{};
    QButtonGroup* m_kinds;
    QGroupBox* m_kindBox;
    QComboBox* m_denshiCombo;
    QLabel* m_denshiLabel;
    QComboBox* m_anzenCombo;
    QLabel* m_anzenLabel;
    CZo_Edit* m_nameEdit;
    QLabel* m_codeLabel;
    CZo_Edit* m_codeEdit;
    QCheckBox* m_userCheck;
    QCheckBox* m_conventionalCheck;
    QCheckBox* m_ryohiCheck;

    int m_kind = 0;
    int m_mode = New;
    CBukakeKoshu m_koshu;
    int m_gyomu = 1;
};
