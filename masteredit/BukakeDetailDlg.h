#pragma once
#include <array>
#include <string>

#include "masteredit/BukakeDetailDlgBase.h"
#include "masteredit/MasterPrintHolder.h"
#include "report/BukakeDetailSheets.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QRadioButton;

// Edits a copy of the 歩掛 detail of one 種別: its formula over H1..H8, the standard quantity and unit,
// the per-trade quantities of its lines (ten 職種 columns under the trades' names, with line and
// column totals), the rates or the 費目 settings, the auxiliary formulas and a few flags. What the
// dialog shows depends on the 業務. Opened from an estimate row with an estimate context, it also
// shows the row's amount and recomputes it (参考金額) from the detail being edited. Otherwise it
// previews and prints the detail as a 代価表 and as a 代価歩掛明細表 in the current print form; while
// such a preview is open, printing, OK and Cancel are refused.
class CBukakeDetailDlg : public CBukakeDetailDlgBase {
    Q_OBJECT
public:
    // Columns of the line grid.
    enum Column { kKubunCol = 1, kCheckCol = 2, kFirstShokushuCol = 3, kLastShokushuCol = 12, kTotalCol = 13 };

    explicit CBukakeDetailDlg(QWidget* parent = nullptr);
    ~CBukakeDetailDlg() override;

    // Also takes the detail's 費目 mode.
    void SetDetail(const CBukakeDetail& detail) {
        CBukakeDetailDlgBase::SetDetail(detail);
        m_himokuMode = detail.m_himokuMode;
    }
    void SetShubetsuKeisu(int keisu) { m_shubetsuKeisu = keisu; }
    void SetHimokuMode(int mode) { m_himokuMode = mode; }
    // The print form and the settings of the 代価 and 明細 prints, from the application.
    void SetPrintSetup(const CBukakeDetailPrintSetup& setup) { m_printSetup = setup; }
    const CBukakeDetailPrintSetup& GetPrintSetup() const { return m_printSetup; }

    void OnInitDialog() override;
    void accept() override;
    void reject() override;

    void OnShokushuSet();
    void OnClear();
    void OnHimokuSet();
    void OnHojoShiki();
    // 代価 and 明細: preview (raises an open preview) and print (refused while one is open).
    void OnDaikaPreview();
    void OnDaikaPrint();
    void OnMeisaiPreview();
    void OnMeisaiPrint();

    // The job of the 代価 and 明細 prints.
    CMasterPrintHolder& DetailPrint() { return m_print; }

private:
    void ApplyGyomuStates();
    void ShowHimokuMode();
    void FillFromDetail();
    void FillSeikahinCombo();
    void SetHeader(int col);
    void UpdateTotals();
    void UpdateShokushuButton();
    void OnGridChange(int col, int row);
    void ReadControls() override;
    // The page builders of the prints: the controls into the detail copy, then the page.
    int BuildDaika(CReportJob& job);
    int BuildMeisai(CReportJob& job);
    BukakeDetailShubetsu PrintedShubetsu() const;

    // Controls
    QCheckBox* m_optionCheck;
    CSpreadSheet* m_totals;
    QPushButton* m_shokushuButton;
    QPushButton* m_clearButton;
    std::array<QLabel*, 3> m_rateLabels{};
    std::array<CZo_Edit*, 3> m_rateFields{};
    QButtonGroup* m_himokuRadios;
    QRadioButton* m_himokuEach;
    QRadioButton* m_himokuRatio;
    QPushButton* m_himokuButton;
    QCheckBox* m_hojoCheck;
    QPushButton* m_hojoButton;
    QGroupBox* m_seikahinGroup;
    QComboBox* m_seikahinCombo;
    std::array<QPushButton*, 4> m_printButtons{};

    // State
    int m_himokuMode = -1;
    int m_shubetsuKeisu = kUnset;
    CBukakeDetailPrintSetup m_printSetup;
    CMasterPrintHolder m_print;
};
