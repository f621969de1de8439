#pragma once
#include <array>
#include <string>

#include "app/dialogs/SekisanDialog.h"
#include "master/BukakeFile.h"
#include "master/HenkaritsuFile.h"
#include "master/TankaFile.h"
#include "master/ZairyoTankaFile.h"
#include "masteredit/MasterPrintHolder.h"
#include "report/BukakeDetailSheets.h"

class CSpreadSheet;
class ISankoKingakuContext;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

// Edits a copy of the 歩掛 detail of one 種別: its formula over H1..H8, the standard quantity and unit,
// the per-trade quantities of its lines (ten 職種 columns under the trades' names, with line and
// column totals), the rates or the 費目 settings, the auxiliary formulas and a few flags. What the
// dialog shows depends on the 業務. Opened from an estimate row with an estimate context, it also
// shows the row's amount and recomputes it (参考金額) from the detail being edited. Otherwise it
// previews and prints the detail as a 代価表 and as a 代価歩掛明細表 in the current print form; while
// such a preview is open, printing, OK and Cancel are refused.
class CBukakeDetailDlg : public CSekisanDialog {
    Q_OBJECT
public:
    // Columns of the line grid.
    enum Column { kKubunCol = 1, kCheckCol = 2, kFirstShokushuCol = 3, kLastShokushuCol = 12, kTotalCol = 13 };
    static constexpr int kGridRows = 20;
    static constexpr int kHenkaritsuSlots = 8;

    explicit CBukakeDetailDlg(QWidget* parent = nullptr);
    ~CBukakeDetailDlg() override;

    void SetGyomuCode(int code) { m_gyomuCode = code; }
    void SetShubetsuName(const std::string& name) { m_shubetsuName = name; }
    // Also takes the detail's 費目 mode.
    void SetDetail(const CBukakeDetail& detail) {
        m_detail.Copy(detail);
        m_himokuMode = detail.m_himokuMode;
    }
    void SetHenkaritsuFile(const CHenkaritsuFile& file) { m_henkaritsu.Copy(file); }
    void SetTankaFile(const CTankaFile& file) { m_tanka.Copy(file); }
    void SetZairyoTankaFile(const CZairyoTankaFile& file) { m_zairyo = file; }
    void SetShubetsuKeisu(int keisu) { m_shubetsuKeisu = keisu; }
    void SetHimokuMode(int mode) { m_himokuMode = mode; }
    void SetUserCreated(int flag) { m_userCreated = flag; }
    // From an estimate row: its amount, the 業務 total and the context that prices the row. Without
    // a context the amounts stay hidden.
    void SetKingaku(int amount) { m_kingaku = amount; }
    void SetGokeiKingaku(int amount) { m_gokeiKingaku = amount; }
    void SetSankoKingakuContext(ISankoKingakuContext* context) { m_context = context; }
    // The print form and the settings of the 代価 and 明細 prints, from the application.
    void SetPrintSetup(const CBukakeDetailPrintSetup& setup) { m_printSetup = setup; }
    const CBukakeDetailPrintSetup& GetPrintSetup() const { return m_printSetup; }

    // After OK.
    const CBukakeDetail& GetDetail() const { return m_detail; }
    // The material copy; changed := -1 unless material prices were edited in a sub-dialog.
    const CZairyoTankaFile& GetZairyoTankaFile(int* changed) const {
        if (changed) *changed = m_materialChanged;
        return m_zairyo;
    }

    void OnInitDialog() override;
    void accept() override;
    void reject() override;

    void OnShokushuSet();
    void OnClear();
    void OnHimokuSet();
    void OnHojoShiki();
    void OnSankoKingaku();
    // 代価 and 明細: preview (raises an open preview) and print (refused while one is open).
    void OnDaikaPreview();
    void OnDaikaPrint();
    void OnMeisaiPreview();
    void OnMeisaiPrint();

    // The job of the 代価 and 明細 prints.
    CMasterPrintHolder& DetailPrint() { return m_print; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ApplyGyomuStates();
    void ShowHimokuMode();
    void FillFromDetail();
    void FillSeikahinCombo();
    void SetHeader(int col);
    void UpdateTotals();
    void UpdateShokushuButton();
    void OnGridChange(int col, int row);
    // The controls into the detail copy, without checks.
    void ReadControls();
    void ShowAmounts();
    CBukakeDetailLine* Line(int row) const;
    // The page builders of the prints: the controls into the detail copy, then the page.
    int BuildDaika(CReportJob& job);
    int BuildMeisai(CReportJob& job);
    BukakeDetailShubetsu PrintedShubetsu() const;

    // Controls
    QLabel* m_name;
    CZo_Edit* m_formula;
    CZo_Edit* m_quantity;
    CZo_Edit* m_unit;
    std::array<QComboBox*, kHenkaritsuSlots> m_hCombos{};
    QComboBox* m_typeCombo;
    QCheckBox* m_optionCheck;
    CSpreadSheet* m_grid;
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
    QLabel* m_kingakuLabel;
    QLabel* m_gokeiLabel;
    QPushButton* m_sankoButton;
    std::array<QPushButton*, 4> m_printButtons{};

    // State
    int m_gyomuCode = kUnset;
    std::string m_shubetsuName;
    int m_himokuMode = -1;
    int m_currentRow = 1;
    int m_currentCol = 1;
    int m_blockRow2 = 1;
    int m_blockCol2 = 1;
    int m_kingaku = kUnset;
    int m_gokeiKingaku = kUnset;
    ISankoKingakuContext* m_context = nullptr;
    CBukakeDetail m_detail;
    CHenkaritsuFile m_henkaritsu;
    CTankaFile m_tanka;
    int m_shubetsuKeisu = kUnset;
    CZairyoTankaFile m_zairyo;
    int m_materialChanged = -1;
    int m_userCreated = 0;
    CBukakeDetailPrintSetup m_printSetup;
    CMasterPrintHolder m_print;
};
