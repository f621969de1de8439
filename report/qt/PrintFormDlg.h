#pragma once
#include <functional>
#include <string>
#include <vector>

#include "dialogkit/SekisanDialog.h"

class QPushButton;
class QTreeWidget;

// "印刷フォームの設定": the list of registered print forms, each with its file name and its place.
// A form is opened with the desktop's program for its kind of file ("フォームを開く", or a
// double-click), added from a file dialog ("フォームの追加"; a form already in the list is refused)
// and removed ("フォームの削除"; the last form stays).
//
// Use: SetFormList; DoModal; after IDOK GetFormList.
class CPrintFormDlg : public CSekisanDialog {
    Q_OBJECT
public:
    // Opens a file with the desktop's program; false when that failed.
    using FormOpener = std::function<bool(const std::string& path)>;

    explicit CPrintFormDlg(QWidget* parent = nullptr);

    void SetFormList(const std::vector<std::string>& forms) { m_forms = forms; }
    void GetFormList(std::vector<std::string>& forms) const { forms = m_forms; }

    void OnInitDialog() override;

    // The buttons.
    void OnOpenForm();
    void OnAddForm();
    void OnDeleteForm();
    // Makes a row the current one (-1: none), as a click on it does.
    void SelectRow(int row);
    int CurrentRow() const { return m_current; }

    // Replaces the way forms are opened (tests); returns the one in use before. Null restores the
    // desktop's.
    static FormOpener SetFormOpener(FormOpener opener);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void FillList();
    void UpdateButtons();
    void SizeColumns();

    QTreeWidget* m_list;
    QPushButton* m_open;
    QPushButton* m_add;
    QPushButton* m_delete;
    std::vector<std::string> m_forms;
    int m_current = -1;
};

// The text after the last path separator ("/" or "\").
std::string FormFileName(const std::string& path);
