#pragma once
#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "app/CommandRegistry.h"
#include "app/grid/SpreadSheet.h"

class CBukakeDetail;
class CBukakeFile;
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
    // Redraws every row from the item list and keeps the current row within it.
    void RefillGrid();
    // Writes one item into a grid row (texts, name colour, row background, amount colour).
    void RenderRow(int gridRow, const CSekisanItem& item);
    // Selects the name cell of a grid row and makes its item current.
    void SelectRow(int gridRow);
    // The guided entry of the current row; its result (1 when it moved the current row), out a
    // choice (−1 by default).
    int ActivateRow(int& out);
    // 安全費 rate of the current 種別 row in the message pane (cleared for other rows).
    void ShowAnzenhiRate();
    // 参考金額 of a 歩掛 detail being edited: the current item's amount and the 業務 total (the last
    // 業務 95 row, else the current 業務's 工種 95 row; unchanged without either) as they would be
    // with that detail for the current 種別 and those material prices. The estimate is left as it
    // was. 0 (nothing done) without a current item or its 歩掛 種別.
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

    // The popup menu of a right click on a column (4 has none: null); owned by parent.
    QMenu* BuildPopupMenu(int col, QWidget* parent);
    // Shows the popup at a global position (replaced by tests).
    std::function<void(QMenu& menu, const QPoint& at)> runPopup;

    // Work of the row-setting and selection commands, installed by them; unset, nothing is done.
    struct Hooks {
        // The guided entry after a click, a double-click or an arrow key: 1 when it moved the
        // current row; out receives a choice.
        std::function<int(int& out)> activateRow;
        // Enter on the current row: the selection or setting that row asks for.
        std::function<void()> enterKey;
        // A new (empty) estimate: the 件名 entry and the first 業務 selection.
        std::function<void()> newEstimate;
    } hooks;

    // ---- Row-setting commands: the work toolbar, the popup menu, status panes 2 and 3 ----------
    // Each worker sets one property of the current row (or of the estimate) from a dialog, then
    // recalculates and marks the document modified; 1 when it changed something (the caller
    // refills the grid), 2 when cancelled or with nothing to do. Row activation calls them too.
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

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
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
    int m_currentRow = -1;

    // ---- Row-setting commands ------------------------------------------------------------------
    void RegisterSettingCommands();
    // Asks whether a line the user edited may be rewritten; Yes clears its flag.
    void AskEdited(int& flag, const char* text);
    // Recalculates the item's 業務 and marks the document modified; 1.
    int CommitItem(const CSekisanItem& item);
    // Recalculates a 業務, redraws the current row, refills the grid and marks the document modified.
    void RecalculateAndRender(int gyomu);
    // 精度 and 電子: the row's switch, or the bulk setting on a 業務 or 工種 row.
    void ToggleSpecialExpense();
    // ---- end of the row-setting commands -------------------------------------------------------
};
