#pragma once
#include <QDialog>
#include <QString>
#include <string>

class CBukakeFile;
class CHenkaritsuFile;
class CTankaFile;
class CShokeihiFile;
class CProgramKingakuFile;
class CHyoshiData;
class CZairyoTankaFile;
class QLabel;
class QPushButton;

// The seven masters of the application as the about box reads them.
struct CAboutMasters {
    const CBukakeFile* bukake = nullptr;
    const CHenkaritsuFile* henkaritsu = nullptr;
    const CTankaFile* tanka = nullptr;
    const CShokeihiFile* shokeihi = nullptr;
    const CProgramKingakuFile* programKingaku = nullptr;
    const CHyoshiData* hyoshi = nullptr;
    const CZairyoTankaFile* zairyoTanka = nullptr;
};

// The about box "バージョン情報", a plain dialog: the program's title and version, the business
// areas, and below them the data version of each master file, shown or hidden with the 詳細
// button (the dialog grows or shrinks by 115 pixels); "Readme表示" opens Readme.txt beside the
// program.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDetailsHeight = 115;

    explicit CAboutDlg(QWidget* parent = nullptr);

    // Set by the launcher before the dialog runs.
    void SetMasters(const CAboutMasters& masters) { m_masters = masters; }
    void SetProgramFolder(const std::string& folder) { m_programFolder = folder; }

    // Runs OnInitDialog, then the dialog modally through the dialog runner.
    int DoModal();
    void OnInitDialog();
    // 詳細: collapses or expands the version report.
    void OnDetails();
    // Readme表示: opens Readme.txt beside the program; a missing file, or one the desktop has no
    // program for, is named in a message.
    void OnReadme();

    bool IsExpanded() const { return m_expanded; }
    // The data-version report, lines separated by "\r\n".
    const QString& VersionReport() const { return m_report; }
    static QString BuildVersionReport(const CAboutMasters& masters);
    // The title and version line.
    static QString TitleText();

private:
    CAboutMasters m_masters;
    std::string m_programFolder;
    QString m_report;
    bool m_expanded = false;
    int m_expandedHeight = 0;
    QLabel* m_title;
    QLabel* m_area;
    QLabel* m_versions;
    QPushButton* m_details;
    QPushButton* m_readme;
    QPushButton* m_ok;
};
