#pragma once
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "dialogkit/SekisanDialog.h"
#include "master/HyoshiData.h"
#include "report/PrintFormText.h"
#include "report/ReportJob.h"

class CSekisanItemList;
class CSpreadSheet;
class CTankaFile;
class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// "表紙設定・印刷": the cover data of the estimate's cover sheet — 印刷表題, No, 日付, 宛名 1 and 2, ten
// spare lines, 業務名称 (the subject), 箇所名 and 見積金額 — on a copy of the application's cover data,
// with the history lists behind its combo boxes, the choice of the print form, and a preview or
// print of the cover sheet alone.
//
// The form's text twin labels the fields; a field whose twin line is empty is disabled (a spare line
// is locked and grey). Leaving a history combo with a new text puts it at the front of its list
// (宛名 1 and 2 share one); "履歴からクリア" removes the combo's text from its list after asking.
// The amount list offers the totals of the estimate given (SetItemList).
//
// In entry-only mode (1) the dialog only takes the cover data: OK reads "OK", and the preview, the
// print and the form list are disabled. OK, Cancel and printing are refused while its preview is open.
//
// Checking another form makes it the program's current form at once (SetFormChosen); Cancel does
// not undo that.
//
// Use: SetFormList, SetFormIndex, SetMode, SetHyoshiData, SetTankaFile, SetItemList, SetFormChosen;
// DoModal; after IDOK GetHyoshiData and GetFormIndex.
class CHyoshiDlg : public CSekisanDialog {
    Q_OBJECT
public:
    enum Mode { Normal = 0, EntryOnly = 1 };
    // The history combos.
    enum Field { kPrintTitle = 0, kAddress1, kAddress2, kSubject, kPlace, kFieldCount };

    explicit CHyoshiDlg(QWidget* parent = nullptr);
    ~CHyoshiDlg() override;

    void SetFormList(const std::vector<std::string>& forms) { m_forms = forms; }
    void SetFormIndex(int index) { m_formIndex = index; }
    int GetFormIndex() const { return m_formIndex; }
    // Called with the index of a form as soon as its row is checked.
    void SetFormChosen(std::function<void(int formIndex)> chosen) { m_formChosen = std::move(chosen); }
    void SetMode(int mode) { m_mode = mode; }
    int GetMode() const { return m_mode; }
    void SetHyoshiData(const CHyoshiData& data) { m_hyoshi.Copy(data); }
    void GetHyoshiData(CHyoshiData& data) const { data.Copy(m_hyoshi); }
    // The company block of the cover sheet (not owned; null writes none).
    void SetTankaFile(const CTankaFile* tanka) { m_tanka = tanka; }
    // The estimate whose totals the amount list offers (not owned; null for none).
    void SetItemList(const CSekisanItemList* list) { m_list = list; }
    CReportJob& Job() { return m_job; }

    void OnInitDialog() override;
    // 保存して終了 (OK) and ｷｬﾝｾﾙ: both refused while the preview is open; OK gathers first.
    void accept() override;
    void reject() override;

    // The buttons.
    void OnPreview();
    void OnPrint();
    void OnGetDate();
    void OnClearHistory(Field field);
    // A history combo lost the focus.
    void OnHistoryLeft(Field field);
    // A form's row was checked or unchecked.
    void OnFormChecked(QListWidgetItem* item);
    // The fields into the cover data (each history text also to the front of its list).
    void Gather();

    // The totals of an estimate as the amount list offers them: "￥１，２３４－ （消費税含まず）".
    static std::vector<std::string> AmountTexts(const CSekisanItemList& list);
    // An amount in full-width digits with a full-width comma before every group of three.
    static std::string FullWidthAmount(int amount);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ApplyTwinLabels();
    void FillHistory(Field field, bool selectFirst);
    void FillForms();
    bool BuildCoverSheet();
    bool RefuseWhilePreviewOpen();
    std::string& Stored(Field field);

    std::array<QComboBox*, kFieldCount> m_combos{};
    std::array<QPushButton*, kFieldCount> m_clearButtons{};
    std::array<QLabel*, 9> m_labels{};  // 印刷表題, No., 日付, 宛名1, 宛名2, 文章予備, 業務名称, 箇所名, 見積金額
    CZo_Edit* m_number;
    CZo_Edit* m_date;
    QPushButton* m_getDate;
    QComboBox* m_amount;
    CSpreadSheet* m_spare;
    QListWidget* m_formList;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    QPushButton* m_preview;
    QPushButton* m_print;

    CHyoshiData m_hyoshi;
    std::vector<std::string> m_forms;
    int m_formIndex = 0;
    int m_mode = Normal;
    const CTankaFile* m_tanka = nullptr;
    const CSekisanItemList* m_list = nullptr;
    CReportJob m_job;
    bool m_fillingForms = false;
    std::function<void(int)> m_formChosen;
};
