#pragma once
#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/CommandRegistry.h"
#include "dialogkit/SpreadSheet.h"
#include "estimate/SekisanData.h"
#include "estimate/SekisanItemList.h"
#include "report/EstimateReport.h"
#include "report/ReportJob.h"

class CBukakeDetail;
class CBukakeFile;
class CBukakeShubetsu;
class CSekisanData;
class CSekisanItem;
class CSekisanItemList;
class CVemoWinApp;
class CVemoWinDoc;
class CZairyoTankaFile;
class QLabel;
class QMenu;

// The view of one estimate window: the estimate's 件名 and 箇所名 above a grid with one row per node
// of the item list (業務 rows, each followed by its 工種 rows, each 工種 row followed by its 種別
// rows). Grid row r shows item r − 1; the grid has as many rows as the list has items. The view
// owns its document and keeps the current row (an index into the item list, −1 for none).
//
// Activating the view moves the application's material-price file to the one the estimate names.
class CVemoWinView : public QWidget, public CCommandTarget {
    Q_OBJECT
public:
    // Grid columns.
    enum Column : int { kColNumber = 0, kColName, kColUnit, kColQuantity, kColUnitPrice, kColAmount, kColRemark };
    static constexpr int kColumnCount = 7;  // with the row numbers
    // Pixel places of the header texts and the grid.
    static constexpr int kTextLeft = 56;
    static constexpr int kGridTop = 65;

    // Colours (0x00BBGGRR).
    static constexpr COLORREF kGyomuNameColour = 0x008000;
    static constexpr COLORREF kKoshuNameColour = 0xA20000;
    static constexpr COLORREF kTextColour = 0x000000;
    static constexpr COLORREF kConventionalBack = 0x80C0FF;  // 歩掛 of the conventional method
    static constexpr COLORREF kRowBack = 0xCCFFFF;
    static constexpr COLORREF kSummaryAmountColour = 0x008000;  // 工種計
    static constexpr COLORREF kNegativeAmountColour = 0x0000FF;
    static constexpr COLORREF kGuidedEntryBack = 0x80FFFF;
    static constexpr COLORREF kGridColour = 0xC0C0C0;
    static constexpr COLORREF kLowColourGrayArea = 0xFFFF7D;  // on displays of 8 bits per pixel

    CVemoWinView(CVemoWinApp& app, std::unique_ptr<CVemoWinDoc> doc, QWidget* parent = nullptr);
    ~CVemoWinView() override;

    CVemoWinDoc* GetDocument() const { return m_doc.get(); }
    CSekisanData* GetSekisanData() const;
    CSekisanItemList* GetItemList() const;
    CSpreadSheet* Grid() const { return m_grid; }
    void MarkModified(bool modified = true);

    // The item at an index of the item list; null outside it.
    CSekisanItem* GetItemAt(int index) const;
    int GetCurrentRow() const { return m_currentRow; }
    int HasCurrentRow() const { return m_currentRow != -1 ? 1 : 0; }
    // Level (0 業務, 1 工種, 2 種別, −1 other) of the current item; −1 without one.
    int GetCurrentLevel() const;

    QString KenmeiText() const;
    QString BashoText() const;
    void SetKenmeiText(const QString& text);
    void SetBashoText(const QString& text);

    // Run by the application after a new or an opened estimate, in this order.
    void LayoutGrid();
    void ApplyColourDepth();
    void RefreshHeader();

    // The estimate window became the active one: the unit-price column in pane 2, the estimate's
    // material-price file made the application's (loaded first; a file that is missing or does not
    // load leaves the file in use, which the estimate then takes), its name in pane 3.
    void OnActivateView();
    // The item list changed: refills the grid.
    void OnUpdate() { RefillGrid(); }

    // Recalculates one 業務 (0: all); the calculation's result.
    int Recalculate(int gyomu);
    // Recalculates every 業務 where no input asked for it (再計算, the unit-price column, the
    // material prices, a new 業務 list, a deletion, an edited 歩掛), then tells the user which 業務 went
    // past a limit of the amounts (TellCalcLimits). The command around it marks the estimate modified
    // (a ChangeMark over the whole command: 再計算 marks it only when its stored contents changed).
    void RecalculateAll();
    // One message naming the 業務 (and the total) that the last recalculation (or the record given)
    // took past a limit of the amounts, and the rows it left without a price; nothing when it took
    // none there. Told again before each print and preview.
    void TellCalcLimits();
    void TellCalcLimits(const CSekisanData::CalcLimits& limits);
    // An opened estimate: its limits learnt from a priced copy (its own figures stay as saved), and
    // told as TellCalcLimits tells them.
    void CheckOpenedLimits();

    // One input on the estimate (a quantity, unit price, amount, weight or rate typed into a row, a
    // switch of a row, 工種 or 種別 selected, a guided entry): made before the input writes and
    // committed once when it is done. An input ended without a commit (a cancel, an early return)
    // is put back: the rows and the modified flag as at its start, the grid refilled when it had
    // changed.
    class Input {
    public:
        explicit Input(CVemoWinView& view);
        ~Input();
        Input(const Input&) = delete;
        Input& operator=(const Input&) = delete;
        // Recalculates the 業務 (0: every one) after the input on the row at index. Taken: the estimate
        // marked modified when its stored contents changed, true. An input whose recalculation goes
        // past a limit of the amounts is put back (the rows and the modified flag as at the start,
        // the grid refilled) with a message: amounts past their limits named by the row, rows left
        // without a price by their own names (both, when both occur): false.
        bool Commit(int gyomu, int index);

    private:
        CVemoWinView& m_view;
        CSekisanData::Input m_rows;
        bool m_modified;
        bool m_open = true;
    };
    // A change of the estimate by a command that is not an input (a deletion, a new 業務 list, the
    // unit-price column, an edited 歩掛, a text): when it ends, the estimate is marked modified if
    // its stored contents differ from those at its start; a command that changed nothing leaves
    // the flag as it was.
    class ChangeMark {
    public:
        explicit ChangeMark(CVemoWinView& view);
        ~ChangeMark();
        ChangeMark(const ChangeMark&) = delete;
        ChangeMark& operator=(const ChangeMark&) = delete;

    private:
        CVemoWinView& m_view;
        CStoredContents m_stored;
    };
    // Redraws every row from the item list and keeps the current row within it.
    void RefillGrid();
    // Writes one item into a grid row (texts, name colour, row background, amount colour).
    void RenderRow(int gridRow, const CSekisanItem& item);
    // Selects the name cell of a grid row and makes its item current.
    void SelectRow(int gridRow);
    // The guided entry of the current row; its result (1 when it moved the current row), out a
    // choice (−1 by default).
    int ActivateRow(int& out);
    // 安全費 rate of the current 種別 row in the message pane (cleared for other rows). It is shown
    // whenever the current row of the estimate in front changes, and when an estimate comes to the front.
    void ShowAnzenhiRate();
    // 参考金額 of a 歩掛 detail being edited: the current item's amount and the 業務 total (the last
    // 業務 95 row, else the current 業務's 工種 95 row; unchanged without either) as they would be
    // with that detail for the current 種別 and those material prices, from a priced copy of the
    // estimate: the estimate keeps its figures. 0 (nothing done) without a current item or its 歩掛
    // 種別, and when the copy goes past a limit of the amounts in the item's 業務 or the total
    // (told as TellCalcLimits tells it): such figures are not the detail's.
    int CalcSankoKingaku(const CBukakeDetail& detail, const CZairyoTankaFile& zairyo, int& amount, int& amount95);

    // Status panes 2 (unit-price column), 3 (material-price data) and 0 (messages).
    void ShowTankaSetName(const std::string& text);
    void ShowZairyoName(const std::string& text);
    void ShowMessage(const std::string& text);

    // Share of a column (0 to 6) in the grid's width, in any unit: the sum of all seven is the width.
    double ColumnWeight(int col) const { return m_weights[static_cast<size_t>(col)]; }

    // Grid events.
    void OnGridClick(int col, int row);
    void OnGridDblClick(int col, int row);
    void OnGridLeaveRow(int newRow);
    void OnGridColWidthChange(int col);
    void OnGridKeyDown(short key);
    void OnGridKeyUp(short key);
    void OnGridRightClick(int col, int row, int x, int y);

    // The popup menu of a right click on a column (4 has none: null); owned by parent. Its items
    // take their states from the command registry.
    QMenu* BuildPopupMenu(int col, QWidget* parent);

    // Commands on the current row. Each registers with the application's command registry, which
    // routes the menus, toolbars, popup menu and the Del key to the active view.
    // Deletes the current node with its subtree after asking; recalculates every 業務.
    void OnEditClear();
    // The current row's name lines, or its 摘要 lines, through the two-line title dialog.
    void OnNameEdit();
    void OnTekiyoEdit();
    // Recalculates every 業務.
    void OnRecalc();
    // Move the current node with its subtree one place among its siblings; a move the order of
    // the 工種 code groups forbids is refused silently. Nothing is recalculated.
    void OnMoveUp();
    void OnMoveDown();
    void OnUpdateEditClear(CCmdUI& ui) const { ui.enabled = HasCurrentRow() != 0; }
    void OnUpdateNameEdit(CCmdUI& ui) const { ui.enabled = HasCurrentRow() != 0; }
    void OnUpdateTekiyoEdit(CCmdUI& ui) const { ui.enabled = HasCurrentRow() != 0; }
    void OnUpdateRecalc(CCmdUI& ui) const;
    void OnUpdateMoveUp(CCmdUI& ui) const { ui.enabled = HasCurrentRow() != 0; }
    void OnUpdateMoveDown(CCmdUI& ui) const { ui.enabled = HasCurrentRow() != 0; }

    // ---- The 業務, 工種 and 種別 selections and the 件名 input (ViewSelectionCommands.cpp) ----------
public:
    // The selection workers, shared by the commands, the row activation and the Enter key. Each
    // opens its dialog on a copy of the item list and the masters; on OK it takes the dialog's
    // list, recalculates (every 業務 after the 業務 selection, the current item's 業務 as an input
    // after the others), marks the estimate modified when it changed and returns 1. A cancelled
    // dialog, no current item for the 工種 and 種別 selections, or a selection that would take the
    // 業務 past a limit of the amounts (put back with its message), returns 2 and changes nothing.
    // None of them refills the grid but on that put-back.
    int SelectGyomu();
    // On the current item's 業務. koshu and shubetsu receive the 工種 and 種別 a keyword search in
    // the dialog ended it with (kUnset when none; both kUnset unless it returns 1).
    int SelectKoshu(int& koshu, int& shubetsu);
    // On the current item's 業務 and 工種; preselect is the master 種別 selected when the dialog opens
    // (negative or kUnset for the first).
    int SelectShubetsu(int preselect = -1);
    // Makes the first 工種 row of those codes the current row and selects it in the grid; false
    // (nothing changed) when the list has no such row.
    bool SelectKoshuRow(int gyomu, int koshu);

    // 業務選択, 工種選択 (with a 種別 chosen by keyword search, the 種別 selection follows on that
    // 工種's row), 種別選択: the worker, then a refill when it changed the estimate.
    void OnGyomuSelect();
    void OnKoshuSelect();
    void OnShubetsuSelect();
    // The estimate's 印刷表題, 件名 and 箇所名 through the title dialog; its input histories are
    // kept in the cover data, which is saved on OK.
    void OnKenmeiInput();
    void OnUpdateGyomuSelect(CCmdUI& ui) const;
    void OnUpdateKoshuSelect(CCmdUI& ui) const;
    void OnUpdateShubetsuSelect(CCmdUI& ui) const;
    void OnUpdateKenmeiInput(CCmdUI& ui) const { ui.enabled = true; }

private:
    void RegisterSelectionCommands();
    // ---- end of the selections and the 件名 input -------------------------------------------------

public:
    // ---- Row-setting commands: the work toolbar, the popup menu, status panes 2 and 3 ----------
    // Each worker sets one property of the current row (or of the estimate) from a dialog as an
    // Input, then recalculates and marks the document modified when it changed; 1 when taken (the
    // caller refills the grid), 2 when cancelled, put back or with nothing to do. Row activation
    // calls them too.
    int SetKeisanKubun();
    int SetSuryo();
    int SetJuryo();
    int SetDaikaNo();
    int SetTani();
    int SetKingaku();
    int SetRitsu();
    int SetMarume();
    // Unit price of the current row.
    int SetTanka();
    // 安全費 rate of the current row, or of every row it stands for on a 工種 71 row.
    int SetAnzenhiRitsu();
    int SelectProgramKingaku();
    // 精度, 電子 or 材料費 switch of every row after the current 業務 or 工種 row. These two bulk
    // settings only write the rows: their callers recalculate.
    int SetIkkatsu();
    // 直接経費 handling of the 直接経費 rows of the 業務 (scope 0) or after the 工種 row (scope 1).
    int SetChokusetsuKeihiIkkatsu(int scope);
    // The estimate's unit-price column and its material-price file.
    int SelectTanka();
    int SetZairyoTanka();
    // 1 when the item is a 直接経費 row of its 業務.
    int IsChokusetsuKeihiRow(const CSekisanItem& item) const;

    void OnKeisanKubun();
    void OnSuryo();
    void OnInsatsuUmu();
    void OnKoshuKei();
    void OnJuryo();
    void OnDaikaNo();
    void OnTani();
    void OnKingaku();
    void OnRitsu();
    void OnMarume();
    void OnSeido();
    void OnDenshi();
    void OnProgramKingaku();
    void OnTankaSelect();
    void OnZairyoTankaSetting();
    // Whether a row-setting command's rule enables it on the current row.
    bool IsSettingEnabled(int id) const;
    // ---- end of the row-setting commands -------------------------------------------------------

    // ---- Change rates and the guided entry of new rows (ViewGuidedEntry.cpp) ----------------
    // 変化率設定 on the current row: on a 種別 row its rate slots one dialog after the other
    // ("次へ" takes a slot, "戻る" goes back, ｷｬﾝｾﾙ skips it); on a 業務 row one 掛率 for all its 種別
    // rows; on a 工種 row the guided entry of its 種別 rows. 1 when it ran (the caller refills).
    int SetHenkaritsu();
    // One 掛率 (record 900) for every 種別 row of the current 業務 row; 1 when it was set.
    int SetHenkaritsuIkkatsu();
    // The rates of rows first … first + n − 1 together: one dialog per distinct rate code of their
    // details, and the 掛率 when every row takes one. The caller recalculates. 1 when a slot was taken.
    int SetHenkaritsuRange(int first, int n);
    // 1 when the current 業務 or 工種 row has 種別 rows after it and its 業務 a 掛率 record.
    int HasHenkaritsuTarget() const;
    // Leads new 種別 rows through their settings: the current row (single 1) or the 種別 rows of the
    // current 工種 row (single 0) get their calculation categories, rates, program amount and, with
    // askQuantity 1, their quantity; then their 業務 is recalculated.
    int GuidedEntry(int askQuantity, int single);
    void OnHenkaritsu();
    void OnUpdateHenkaritsu(CCmdUI& ui) const;

private:
    void RegisterGuidedEntryCommands();
    // Background of the grid rows of items first … first + n − 1.
    void PaintRows(int first, int n, COLORREF colour);
    // The old 掛率 times a new one (both ×10000) into the item's 掛率; one beyond the field leaves
    // the old one and names the row.
    void MultiplyKakeritsu(CSekisanItem& item, int oldValue, int newValue);
    // ---- end of the change rates and the guided entry ------------------------------------------

public:
    // ---- 歩掛編集 (ViewBukakeEdit.cpp) ------------------------------------------------------------
    // The 歩掛 detail of the current row's 種別 in its detail dialog, with the row's 参考金額; on OK
    // the detail is saved into the 種別 (a user-made one), into a user copy of it (which the row then
    // names) or over the master's own, after the questions; the 歩掛 file is rewritten and, after a
    // further question, the material prices edited in the dialog. 1 when the masters changed
    // (every 業務 recalculated, the document marked modified when its figures changed; the caller
    // refills), 2 when nothing was saved.
    int EditBukake();
    void OnBukakeEdit();
    // Enabled on a row with a 代価 number unless its 工種 is a rate or 電子計算機 row of its 業務;
    // without a current row the state is left as it is.
    void OnUpdateBukakeEdit(CCmdUI& ui) const;
    // The row the 業務 total is read from: the last 業務 95 row, else the last 工種 95 row of the
    // 業務; only rows with an amount of 0 or more count. Null without one. Of the estimate, or of
    // the list given.
    const CSekisanItem* GyomuTotalRow(int gyomu) const;
    static const CSekisanItem* GyomuTotalRow(const CSekisanItemList& list, int gyomu);

private:
    void RegisterBukakeEditCommands();
    // ---- end of 歩掛編集 ---------------------------------------------------------------------------

protected:
    void resizeEvent(QResizeEvent* event) override;

    // The row activation, the Enter key and a new estimate lead the user through the settings a
    // row still lacks (ViewGuidedEntry.cpp).
    // The row activation after a click, a double-click or an arrow key (out is −1 on entry): 1
    // when it moved the current row; out receives a choice.
    virtual int OnRowActivation(int& out);
    // Enter on the current row: the selection or setting that row asks for.
    virtual void OnEnterKey();
    // A new (empty) estimate: the 件名 entry and the first 業務 selection.
    virtual void OnNewEstimate();
    // Shows the popup menu at a global position and returns when it closes.
    virtual void ExecPopup(QMenu& menu, const QPoint& at);

    // ---------------------------------------------------------------------------------------------
    // Printing (ViewPrintCommands.cpp): 印刷, 印刷プレビュー and 印刷代価プレビュー on the view's report
    // job, and the estimate report's builders, which forward to CEstimateReport.
public:
    CReportJob& Job() { return m_job; }
    // While the job's preview is open: tells the user and returns true (printing and closing wait).
    bool RefuseWhilePreviewOpen();
    void OnFilePrint();
    // The estimate printed as its settings stand, on the printer the reports share, without the page
    // settings or a printer choice (the command line's print); false when nothing was printed (an
    // empty estimate, or a printer that could not be started, which the user is told of).
    bool PrintDirect();
    void OnFilePrintPreview();
    void OnDaikaPrintPreview();
    void OnUpdateFilePrint(CCmdUI& ui) const;
    void OnUpdateFilePrintPreview(CCmdUI& ui) const;
    void OnUpdateDaikaPrintPreview(CCmdUI& ui) const;
    // The page settings before 印刷 and 印刷プレビュー: 1 when taken (the current form, the estimate's
    // print date and the job's settings), 2 when cancelled (nothing changes).
    int RunPageSettings();
    // The estimate report of the current print form into the job, and its builders.
    void BuildReport();
    void WriteHyoshi();
    int WriteGyomuKakakuSokatsu(int firstPage);
    int WriteSokatsu(int firstPage);
    int BuildDaikaSheets(int lastPage);
    static void FormatNumberWithCommas(int value, std::string& text);
    // The change-rate sheet, the 業務 7 rate rows or 業務地区条件設定表 (startRow < 1) and the 単価表 of
    // the item at index, on a priced copy of the estimate (CEstimateReport has the details).
    void WriteHenkaritsuSheet(int index);
    int WriteGyomuChikuJoken(int startRow, int index, int amountTotal);
    int WriteSeidoTankaSheet(int page, int index, int perLineRate, int& tankaNo, CEstimateReport::TankaMode mode);
    int WriteDensiTankaSheet(int page, int index, int perLineRate, int& tankaNo, CEstimateReport::TankaMode mode);
    // The 代価歩掛明細表 builders on the row at index (the estimate priced afresh for each call).
    int WriteShokushuColumns(int index, int columns, const std::string& amountCell, std::optional<double> correction,
                             double& directLabour, double& labour);
    int32_t GetColumnShokushuId(int index, int column);
    int32_t FindFirstRomuhiColumn(int index, int columns);
    int32_t GetLineShokushuQuantity(int index, int line, int column);
    int WriteJininkeiRows(int index, int columns, const std::string& amountCell, std::optional<double> correction,
                          double& directLabour, double& labour);
    double WriteKeihiKubunRows(int index, int columns, int startRow, const std::string& amountCell,
                               double directLabour, double labour);
    std::string GetKeihiEntryTexts(const CBukakeShubetsu& shubetsu, int index, int kind, std::string& unit,
                                   std::string& quantity, std::string& price);

protected:
    // What the page-settings dialog edits: the print forms with the current one, a copy of the
    // estimate's header (its print date) and the job's settings.
    struct PageSettingsRequest {
        std::vector<std::string> forms;
        int formIndex = 0;
        CSekisanItemList header;
        CPrintSettings settings;
    };
    // Runs the page-settings dialog on the request: IDOK with the edited values, anything else when
    // cancelled.
    virtual int ShowPageSettings(PageSettingsRequest& request);

private:
    void RegisterPrintCommands();
    // Runs f with the estimate report of the current print form.
    template <class F>
    decltype(auto) WithReport(F&& f);

    CReportJob m_job;
    // ---------------------------------------------------------------------------------------------

private:
    void RegisterCommands();
    // The name (mode 1) or 摘要 (mode 2) lines of the current row through the title dialog.
    void EditRowTexts(int mode);
    // Number of rows after the node at index that form its subtree (the rows that follow it
    // without a break).
    int SubtreeSize(int index) const;
    // Moves the n rows at from so that the first lands at index to of the resulting list, makes it
    // the current row, refills and marks the estimate modified.
    void MoveRows(int from, int n, int to);
    // Makes an item current (−1: none); a change shows the 安全費 rate of the new row.
    void SetCurrentRow(int row);
    void UpdateTitle();
    CBukakeFile& Bukake() const;
    CZairyoTankaFile& PricesInUse() const;

    CVemoWinApp& m_app;
    std::unique_ptr<CVemoWinDoc> m_doc;
    QLabel* m_kenmeiLabel;
    QLabel* m_bashoLabel;
    QLabel* m_kenmei;
    QLabel* m_basho;
    CSpreadSheet* m_grid;
    std::array<double, kColumnCount> m_weights{3, 42, 5, 8, 13, 13, 16};
    // The widths last given to the columns (units of 8 pixels), where a too narrow one snaps back to.
    std::array<double, kColumnCount> m_widths{};
    // Sets the columns to m_widths, widening a number column that could not show its widest figure
    // whole; the name column gives up that width while it keeps at least half of its own.
    void ApplyColumnWidths();
    int m_currentRow = -1;

    // The row background an item takes from the 歩掛 master; kNoBackground: the row keeps its own.
    static constexpr COLORREF kNoBackground = 0xFFFFFFFFu;
    // What a grid row was last rendered from, and the grid row's revision just after: a refill
    // renders again only the rows whose item, 歩掛 background or grid cells changed since.
    struct RenderedRow {
        std::uint32_t revision = 0;  // 0: not rendered
        int level = -1;
        COLORREF back = kNoBackground;
        int32_t quantity = 0, unitPrice = 0, amount = 0, summary = 0;
        std::string nameUpper, nameLower, unit, remarkUpper, remarkLower;
        bool Shows(const CSekisanItem& item, COLORREF background) const;
    };
    std::vector<RenderedRow> m_rendered;
    class BackgroundLookup;
    void RenderRow(int gridRow, const CSekisanItem& item, COLORREF background);

    // ---- Row-setting commands ------------------------------------------------------------------
    void RegisterSettingCommands();
    // Asks whether a line the user edited may be rewritten; Yes clears its flag.
    void AskEdited(int& flag, const char* text);
    // An emptied 数量 field (the empty value) is not a quantity: the user is told, naming the row;
    // false. True for a quantity.
    bool QuantityGiven(int value, const std::string& row);
    // 精度 and 電子: the row's switch, or the bulk setting on a 業務 or 工種 row.
    void ToggleSpecialExpense();
    // ---- end of the row-setting commands -------------------------------------------------------
};
