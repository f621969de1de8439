#pragma once
#include <functional>
#include <string>
#include <vector>

#include "dialogkit/SekisanDialog.h"
#include "estimate/SekisanItemList.h"
#include "platform/Constants.h"
#include "report/PrintSettings.h"

class QCheckBox;
class QLabel;
class QTreeWidget;
class QTreeWidgetItem;


// "ページの詳細設定": which parts of the estimate report to print, the start page and the first
// numbers of the 一位代価表 and 単価表, the print date of the estimate, and the print form, chosen
// by checking its row. The current form's text twin labels and enables the six check boxes of the
// report's parts; checking another form makes it the program's current form at once (Cancel does
// not undo that).
//
// Use: SetFormList, SetFormType, SetItemListHeader, SetSettings, SetDouroCalc and SetFormChosen;
// DoModal; after IDOK GetFormType, GetItemListHeader and GetSettings.
class CPageSettingDlg : public CSekisanDialog {
    Q_OBJECT
public:
    explicit CPageSettingDlg(QWidget* parent = nullptr);

    void SetFormList(const std::vector<std::string>& forms) { m_forms = forms; }
    void SetFormType(int formType) { m_formType = formType; }
    int GetFormType() const { return m_formType; }
    // The header of the estimate's item list; its print date text is edited here.
    void SetItemListHeader(const CSekisanItemList& list) { m_header.CopyHeader(list); }
    void GetItemListHeader(CSekisanItemList& list) const { list.CopyHeader(m_header); }
    void SetSettings(const CPrintSettings& settings) { m_settings = settings; }
    const CPrintSettings& GetSettings() const { return m_settings; }
    // The 単価表 number is offered only with the road calculation (DouroCalc) on.
    void SetDouroCalc(bool on) { m_douroCalc = on; }
    // Called with the index of a form as soon as its row is checked.
    void SetFormChosen(std::function<void(int formType)> chosen) { m_formChosen = std::move(chosen); }

    void OnInitDialog() override;
    void accept() override;

    // Checks the row of a form (or unchecks it), as a click on its check box does.
    void SetFormChecked(int row, bool checked);

private:
    void FillForms();
    void ApplyFormText();
    void UpdateEnabling();
    void OnFormItemChanged(QTreeWidgetItem* item);

    QCheckBox* m_setDate;
    QCheckBox* m_printHyoshi;
    QCheckBox* m_printGyomuSokatsu;
    QCheckBox* m_printSokatsu;
    QCheckBox* m_omitKingaku;
    QCheckBox* m_printDaika;
    QCheckBox* m_printDaikaMeisai;
    QCheckBox* m_setStartPage;
    QCheckBox* m_pageBreakPerGyomu;
    CZo_Edit* m_date;
    CZo_Edit* m_startPage;
    CZo_Edit* m_daikaStartNo;
    CZo_Edit* m_tankaStartNo;
    QLabel* m_startPageUnit;
    QLabel* m_daikaBefore;
    QLabel* m_daikaAfter;
    QLabel* m_tankaLabel;
    QLabel* m_tankaBefore;
    QLabel* m_tankaAfter;
    QTreeWidget* m_formList;

    std::vector<std::string> m_forms;
    int m_formType = 0;
    CSekisanItemList m_header;
    CPrintSettings m_settings;
    bool m_douroCalc = false;
    std::function<void(int)> m_formChosen;
};
