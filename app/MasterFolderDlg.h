#pragma once
#include <QString>
#include <string>
#include <vector>

#include "dialogkit/SekisanDialog.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

// What the master-data folder dialog needs of the program.
class IMasterFolderHost {
public:
    virtual ~IMasterFolderHost() = default;
    // The master-data folder in use.
    virtual std::string GetMasterDataFolder() const = 0;
    // The material-price file a data folder offers ("材料単価データ25.zoa" or the newest numbered
    // one), "" when it has none.
    virtual std::string FindZairyoTankaFile(const std::string& dataFolder) const = 0;
};

// The newest material-price file of a data folder: "材料単価データNN.zoa" for NN from 25 down to
// 01; "" when there is none.
std::string FindNewestZairyoTankaFile(const std::string& dataFolder);

// Checks a folder name typed for a copy or a rename inside dataFolder: "" when it can be used,
// else the message that tells why not (empty, a path separator, "." or "..", already present).
std::string CheckFolderName(const std::string& dataFolder, const QString& name);

// Lists the master-data sets (the sub-folders of one data folder), copies, renames and deletes
// them, moves up or to another data folder, warns when the selected set lacks a master file, and
// returns the chosen folder.
class CMasterFolderDlg : public CSekisanDialog {
    Q_OBJECT
public:
    enum StartMode { Normal = 0, CopyOnly = 1, SelectOnly = 2 };

    CMasterFolderDlg(IMasterFolderHost& host, QWidget* parent = nullptr);

    void SetParentFolder(const std::string& folder) { m_dataFolder = folder; }
    void SetCurrentFolder(const std::string& folder) { m_currentFolder = folder; }
    void SetMode(int mode) { m_startMode = mode; }
    void SetOldVersionMode(int mode) { m_oldVersionMode = mode; }
    // Data folder + "/" + selected name.
    std::string GetSelectedFolder() const;

    void OnInitDialog() override;

    // The buttons and the list.
    void OnRename();
    void OnCopy();
    void OnDelete();
    void OnSwitchDataFolder();
    void OnUpFolder();
    // Selects the item of that name ("" clears the selection), as a click on it does.
    void SelectName(const QString& name);
    void accept() override;

    // What the dialog shows.
    std::string DataFolder() const { return m_dataFolder; }
    std::string CurrentFolder() const { return m_currentFolder; }
    int OldVersionMode() const { return m_oldVersionMode; }
    int Mode() const { return m_startMode; }
    QString SelectedName() const { return m_selectedName; }
    const std::vector<QString>& FolderNames() const { return m_names; }
    bool MissingLabelShown() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Asks for a folder name (action 1 rename, 2 copy); false when cancelled.
    virtual bool AskName(int action, QString& name);
    // The folder browser; false when cancelled.
    virtual bool BrowseDataFolder(std::string& path);

private:
    void ReadFolderNames();
    void FillList();
    // Shows the sets of the data folder now chosen, none of them selected.
    void ShowOtherDataFolder();
    void UpdateButtons();
    bool CheckFiles();
    std::string PathOf(const QString& name) const;
    bool IsCurrentMasterFolder(const QString& name) const;

    IMasterFolderHost& m_host;
    QLineEdit* m_pathDisplay;
    QTreeWidget* m_list = nullptr;
    QPushButton* m_ok;
    QPushButton* m_rename;
    QPushButton* m_copy;
    QPushButton* m_delete;
    QPushButton* m_switch;
    QPushButton* m_up;
    QLabel* m_missing;

    std::string m_dataFolder;
    std::vector<QString> m_names;
    QString m_selectedName;
    std::string m_currentFolder;
    int m_oldVersionMode = 0;
    int m_startMode = Normal;
};

// Tells that an opened estimate refers to another master-data folder and that it will refer to
// the current one from now on. Only OK.
class CMasterSelectDlg : public CSekisanDialog {
    Q_OBJECT
public:
    explicit CMasterSelectDlg(QWidget* parent = nullptr);

    void SetOldFolder(const QString& folder) { m_oldFolder = folder; }
    void SetNewFolder(const QString& folder) { m_newFolder = folder; }
    QString GetNewFolder() const { return m_newFolder; }

    void OnInitDialog() override;
    // "参照..." (hidden): chooses another folder and checks it.
    void OnBrowse();
    bool OkEnabled() const;
    bool MissingLabelShown() const;

protected:
    virtual bool BrowseFolder(std::string& path);

private:
    void CheckFolder();

    QLabel* m_oldLabel;
    QLabel* m_newLabel;
    QPushButton* m_ok;
    QPushButton* m_browse;
    QLabel* m_missing;
    QString m_oldFolder;
    QString m_newFolder;
};
