#pragma once
#include <QIcon>
#include <vector>

#include "dialogkit/SekisanDialog.h"
#include "master/TankaFile.h"
#include "platform/Constants.h"

class QComboBox;
class QPushButton;

// Which of the 20 price columns of the 単価 master the estimate uses. Columns without a title
// read "未設定" and cannot be chosen: OK is disabled while one is selected.
class CTankaSettingDlg : public CSekisanDialog {
    Q_OBJECT
public:
    explicit CTankaSettingDlg(QWidget* parent = nullptr);

    // Copies the master in.
    void SetTankaFile(const CTankaFile& file) { m_tankaFile.Copy(file); }
    // The column 0 to 19 selected on opening.
    void SetTankaNo(int column) { m_tankaNo = column; }
    // After OK: the chosen column, or unset when none was selected.
    int GetTankaNo() const { return m_tankaNo; }

    void OnInitDialog() override;
    void accept() override;

private:
    void OnSelectionChanged(int index);
    bool HasTitle(int column) const;

    QComboBox* m_combo;
    QPushButton* m_ok;
    CTankaFile m_tankaFile;
    std::vector<QIcon> m_images;
    int m_tankaNo = 0;
};
