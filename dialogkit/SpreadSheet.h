#pragma once
#include <QStringList>
#include <QTableView>
#include <QVariant>
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <vector>

#include "dialogkit/GridModel.h"

class CGridDelegate;

// The grid of the estimate view and of the dialogs. Cells count from 1; row 0 holds the column
// headings and column 0 the row headings (a "\n" in a heading gives two lines). −1 as a column or
// row means all of them.
//
// The grid works like a property sheet: the cell properties act on the addressed cell — the one
// set by SetCol and SetRow — or, with block mode on, on the block from (Col, Row) to (Col2, Row2).
// The address is not the cursor: the cursor (active cell) moves only by the user or by the
// select-block action. The cell helpers at the end address one cell by (column, row).
//
// Events are signals raised by the user's input only, never by the program's own changes.
//
// The cells are plain records in the grid's own model; with redraw off the view is told of a bulk
// change once, when redraw is on again.
class CSpreadSheet : public QTableView {
    Q_OBJECT
public:
    // Property numbers and the members that serve them.
    enum Property : int {
        kPropAction = 1,            // SetAction: kActionSelectBlock, kActionClearText
        kPropBlockMode = 12,        // SetBlockMode / GetBlockMode
        kPropCol = 22,              // SetCol / GetCol
        kPropCol2 = 23,             // SetCol2 / GetCol2
        kPropEditMode = 47,         // GetEditMode (an editor is open) / SetEditMode
        kPropLock = 64,             // SetLock / GetLock
        kPropGridColor = 65,        // SetGridColor / GetGridColor (grid lines)
        kPropMaxCols = 67,          // GetMaxCols / SetMaxCols
        kPropMaxRows = 68,          // GetMaxRows / SetMaxRows
        kPropReDraw = 98,           // SetReDraw / GetReDraw
        kPropRow = 102,             // SetRow / GetRow
        kPropRow2 = 103,            // SetRow2 / GetRow2
        kPropRowHidden = 105,       // SetRowHidden / GetRowHidden
        kPropSelBackColor = 123,    // SetSelBackColor: back colour of the selected cells
        kPropSelBorderColor = 124,  // SetSelBorderColor: frame of the active cell
        kPropValue = 195,           // SetValue / GetValue
        kPropColWidth = 217,        // SetColWidth / GetColWidth (column) in units of 8 pixels
        kPropRowHeight = 220,       // SetRowHeight / GetRowHeight (row) in pixels
        kPropCellForeColor = 268,   // SetForeColor
        kPropCellBackColor = 269,   // SetBackColor
        kPropCellLock = 270,        // SetLock
        kPropGrayAreaColor = 289,   // SetGrayAreaColor: the area beyond the last row and column
        kPropBackColor = -501,      // SetBackColor / GetBackColor
        kPropForeColor = -513,      // SetForeColor / GetForeColor
        kPropText = -517,           // SetText / GetText
    };
    // Event numbers and the signals that raise them.
    enum Event : int {
        kEventBlockSelected = 2,     // BlockSelected
        kEventButtonClicked = 3,     // ButtonClicked
        kEventChange = 4,            // Change
        kEventClick = 5,             // Click
        kEventColWidthChange = 6,    // ColWidthChange
        kEventDblClick = 11,         // DblClick
        kEventLeaveCell = 17,        // LeaveCell
        kEventLeaveRow = 18,         // LeaveRow
        kEventRightClick = 22,       // RightClick
        kEventKeyDown = -602,        // KeyDown
        kEventKeyUp = -604,          // KeyUp
    };
    enum Action : int { kActionSelectBlock = 2, kActionClearText = 12 };
    // Shift argument of the key events: a sum of these.
    enum ShiftState : short { kShift = 1, kCtrl = 2, kAlt = 4 };
    // Click type of the right-click event.
    enum RightClickType : short { kRightClickSingle = 1, kRightClickDouble = 2 };

    // Text: free text. Number: right-aligned, typed in the C locale. Check: a check box whose
    // value is "1" or "0". Choice: a drop-down list whose value is the index of the chosen entry.
    using CellKind = CGridModel::CellKind;

    explicit CSpreadSheet(QWidget* parent = nullptr);
    ~CSpreadSheet() override;

    // Layout that a dialog template would hold: kind and list of a column (−1: all), for every
    // row now and later.
    void SetColKind(int col, CellKind kind, const QStringList& choices = {});
    CellKind GetColKind(int col) const;

    // Properties by number; the indexed ones (217, 220) take (index, value) through their members.
    void SetProperty(int id, const QVariant& value);
    QVariant GetProperty(int id) const;

    // Address of the cell properties.
    void SetCol(int col) { m_col = col; }
    int GetCol() const { return m_col; }
    void SetRow(int row) { m_row = row; }
    int GetRow() const { return m_row; }
    void SetCol2(int col) { m_col2 = col; }
    int GetCol2() const { return m_col2; }
    void SetRow2(int row) { m_row2 = row; }
    int GetRow2() const { return m_row2; }
    void SetBlockMode(bool on) { m_blockMode = on; }
    bool GetBlockMode() const { return m_blockMode; }
    void SetAction(int action);

    // The active cell (0 when there is none).
    int GetActiveCol() const;
    int GetActiveRow() const;

    bool GetEditMode() const;
    // Opens the editor on the active cell, or closes it keeping what was typed.
    void SetEditMode(bool open);

    int GetMaxCols() const { return m_model->Cols(); }
    void SetMaxCols(int cols);
    int GetMaxRows() const { return m_model->Rows(); }
    void SetMaxRows(int rows);

    // Off: nothing is painted, and row heights and the view's news of the changes wait until it is
    // on again.
    void SetReDraw(bool on);
    bool GetReDraw() const { return m_redraw; }

    void SetGridColor(COLORREF colour);
    COLORREF GetGridColor() const { return m_gridColor; }
    void SetSelBackColor(COLORREF colour);
    COLORREF GetSelBackColor() const { return m_selBackColor; }
    void SetSelBorderColor(COLORREF colour);
    COLORREF GetSelBorderColor() const { return m_selBorderColor; }
    void SetGrayAreaColor(COLORREF colour);
    COLORREF GetGrayAreaColor() const { return m_grayAreaColor; }

    // Cell properties of the addressed cell(s).
    void SetText(const QString& text);
    QString GetText() const;
    void SetValue(const QString& value);
    QString GetValue() const;
    void SetForeColor(COLORREF colour);
    COLORREF GetForeColor() const;
    void SetBackColor(COLORREF colour);
    COLORREF GetBackColor() const;
    void SetLock(bool locked);
    bool GetLock() const;
    void SetRowHidden(bool hidden);
    bool GetRowHidden() const;

    void SetColWidth(int col, double width);
    double GetColWidth(int col) const;
    // The width (in the units of SetColWidth) at which every text of a column's shown rows is drawn
    // whole; 0 for a column without texts. Each cell's width is kept from when it was last measured:
    // only cells written since then are measured again.
    double GetColTextWidth(int col) const;
    // A set height stays; rows without one are one or two text lines high by their texts.
    void SetRowHeight(int row, double height);
    double GetRowHeight(int row) const;

    // Cell helpers: each makes (col, row) the addressed cell, row first, then reads or writes it.
    QString GetCellText(int col, int row);
    void SetCellText(int col, int row, const QString& text);
    void ClearCellText(int col, int row);
    // The text as a number: an empty text gives defaultValue; otherwise yen signs and thousands
    // separators are dropped and the leading number is read (0.0 when there is none).
    double GetCellDouble(int col, int row, double defaultValue);
    void SetCellDouble(int col, int row, double value);  // "%.4lf"
    void SetCellInt(int col, int row, int value);        // "%d"
    void SetCellForeColor(int col, int row, COLORREF colour);
    void SetCellBackColor(int col, int row, COLORREF colour);
    void SetCellLocked(int col, int row, int flag);
    void SetCellCheck(int col, int row, int flag);  // value "1" when flag != 0, else "0"
    void SetCellValueInt(int col, int row, int value);
    int GetCellValueInt(int col, int row);
    // Makes (col, row) the active cell and the selected block (col −1: the whole row).
    void SelectCell(int col, int row);

    // A number that is new each time a cell of the row (text, value, colour or lock) changes what it
    // shows, so that a writer can tell whether the row still holds what it last wrote; 0 outside
    // the grid. Rows added anew take numbers no row had before.
    std::uint32_t GetRowRevision(int row) const { return m_model->RowRevision(row); }

    // Pixel heights of a one-line and a two-line row.
    int OneLineRowHeight() const { return m_oneLineHeight; }
    int TwoLineRowHeight() const { return m_twoLineHeight; }

signals:
    void BlockSelected(int col, int row, int col2, int row2);
    void ButtonClicked(int col, int row, short state);
    void Change(int col, int row);
    void Click(int col, int row);
    void ColWidthChange(int col, int col2);
    void DblClick(int col, int row);
    // Setting cancel keeps the active cell where it is.
    void LeaveCell(int col, int row, int newCol, int newRow, bool& cancel);
    void LeaveRow(int row, bool wasLast, bool changed, bool allCellsHaveData, int newRow, bool newRowIsLast,
                  bool& cancel);
    void RightClick(short clickType, int col, int row, int x, int y);
    // Key numbers are Windows virtual keys (13 Enter, 46 Delete, 0x26 Up, 0x28 Down); setting the
    // key to 0 drops the key press.
    void KeyDown(short& keyCode, short shift);
    void KeyUp(short& keyCode, short shift);

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class CGridDelegate;

    using ColumnFormat = CGridModel::ColumnFormat;
    struct Range {
        int col1, col2, row1, row2;
    };

    int Rows() const { return m_model->Rows(); }
    int Cols() const { return m_model->Cols(); }
    Range AddressedRange() const;
    template <class F>
    void ForEachAddressed(F&& f);
    const ColumnFormat& Format(int col) const { return m_model->Format(col); }
    CellKind KindAt(int col, int row) const;
    bool IsLocked(int col, int row) const;
    // Colours of a cell or heading; false outside the grid.
    bool SetColourAt(int col, int row, COLORREF colour, bool fore);
    COLORREF ColourAt(int col, int row, bool fore) const;
    // Pixels a cell's text needs (the widest of its lines, the margins, a choice cell's arrow).
    int MeasureCell(int col, int row) const;
    double TextAdvance(QStringView line) const;

    QString CellTextAt(int col, int row) const;
    void SetCellTextAt(int col, int row, const QString& text);
    QString CellValueAt(int col, int row) const;
    void SetCellValueAt(int col, int row, const QString& value);
    void ClearCellAt(int col, int row);

    void MarkRowHeight(int row);
    void UpdateRowHeight(int row);
    void UpdateLineHeights();
    void UpdatePalette();
    void ForgetTextWidths();
    // A cell's text changed from one that needed oldWidth pixels (-1: not measured since written).
    void NoteTextChanged(int col, int row, int oldWidth);
    // The kept widest texts of every column are measured again when next asked.
    void ForgetWidestTexts();

    int LastRowWithData() const;
    bool RowHasAllData(int row) const;
    // Raises the leave-cell and leave-row events for a move of the active cell to (col, row);
    // true when a handler cancelled the move.
    bool AskLeave(int newCol, int newRow);
    void OnUserChanged(int col, int row);
    void RaiseBlockSelected();
    bool RaiseKey(QKeyEvent* event, bool down);

    CGridModel* m_model;
    int m_col = 1, m_row = 1, m_col2 = 1, m_row2 = 1;
    bool m_blockMode = false;
    bool m_redraw = true;
    QString m_cornerText;
    // Advances of the characters that figures are written with, in the grid's font (0: not known
    // yet): a figure is measured as their sum, without shaping the text.
    mutable std::array<double, 128> m_figureAdvance{};
    // Per column, the widest text of its shown rows as last asked for, and the rows written since.
    struct WidestText {
        int pixels = 0;
        bool valid = false;
        std::vector<int> writtenRows;
    };
    mutable std::vector<WidestText> m_widest;
    std::set<int> m_pendingHeights;
    std::map<int, int> m_setHeights;
    int m_rowHeadingWidth = -1;  // -1: as wide as the headings need
    int m_oneLineHeight = 0, m_twoLineHeight = 0;
    COLORREF m_gridColor = 0xC0C0C0;
    COLORREF m_selBackColor = 0xFF8080;
    COLORREF m_selBorderColor = 0x000000;
    COLORREF m_grayAreaColor = 0xFFFFFF;

    CGridDelegate* m_delegate = nullptr;
    bool m_rowChanged = false;
    bool m_swallowMouse = false;
    bool m_dragging = false;
    int m_resizedCol = 0;
    bool m_programResize = false;
    std::optional<Range> m_lastBlock;
};
