#pragma once
#include <string>

#include "dialogkit/SekisanDialog.h"

class QLabel;

// Chooses the material-price file in use: shows its path and the title (data name) read from it;
// "参照..." picks another file. A file that cannot be read leaves the title shown as it was.
class CZairyoTankaSettingDlg : public CSekisanDialog {
    Q_OBJECT
public:
    explicit CZairyoTankaSettingDlg(QWidget* parent = nullptr);

    void SetPath(const std::string& path) { m_path = path; }
    const std::string& GetPath() const { return m_path; }
    const std::string& GetTitle() const { return m_title; }

    void OnInitDialog() override;
    void OnBrowse();

private:
    void ReadTitle();
    void Show();

    QLabel* m_pathStatic;
    QLabel* m_titleStatic;
    std::string m_path;
    std::string m_title;
};
