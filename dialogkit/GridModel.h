#pragma once
#include <QAbstractTableModel>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

// Colour as 0x00BBGGRR.
using COLORREF = std::uint32_t;

// The cells of a CSpreadSheet: plain records, row by row, behind its table view. Cells, rows and
// columns count from 1 here as in the grid; the view's indexes count from 0.
//
// The grid writes the records and then tells the model what changed. While a batch is open (the
// grid's redraw is off) the changes are only noted; closing it tells the view once, with one
// change over the block of changed cells and one per heading orientation.
class CGridModel : public QAbstractTableModel {
public:
    enum class CellKind { Text, Number, Check, Choice };
    // The data roles the grid adds to Qt's.
    static constexpr int kChoiceIndexRole = Qt::UserRole + 1;
    static constexpr int kLockRole = Qt::UserRole + 2;
    static constexpr COLORREF kNoColour = 0xFFFFFFFFu;

    struct Cell {
        QString text;  // a choice cell: the chosen entry (or the text written into it)
        COLORREF fore = kNoColour;
        COLORREF back = kNoColour;
        int width = -1;  // pixels the text needs to be shown whole; -1 until measured
        std::int16_t choice = -1;
        bool checked = false;
        bool locked = false;
    };
    // A heading without a text of its own shows its number.
    struct Heading {
        std::optional<QString> text;
        COLORREF fore = kNoColour;
        COLORREF back = kNoColour;
    };
    // What a column gives its cells: their kind, and the colours and lock of a whole column, which
    // rows added later take too.
    struct ColumnFormat {
        CellKind kind = CellKind::Text;
        QStringList choices;
        bool locked = false;
        COLORREF fore = kNoColour;
        COLORREF back = kNoColour;
    };

    explicit CGridModel(QObject* parent = nullptr);

    int Rows() const { return m_rows; }
    int Cols() const { return m_cols; }
    void SetRows(int rows);
    void SetCols(int cols);

    // Null outside the grid.
    Cell* CellAt(int col, int row) {
        return col >= 1 && row >= 1 && col <= m_cols && row <= m_rows
                   ? &m_cells[static_cast<size_t>(row - 1) * static_cast<size_t>(m_cols) + static_cast<size_t>(col - 1)]
                   : nullptr;
    }
    const Cell* CellAt(int col, int row) const { return const_cast<CGridModel*>(this)->CellAt(col, row); }
    // Column headings (row 0) and row headings (column 0); null outside the grid.
    Heading* HeadingAt(int col, int row);
    const Heading* HeadingAt(int col, int row) const { return const_cast<CGridModel*>(this)->HeadingAt(col, row); }
    const ColumnFormat& Format(int col) const;
    ColumnFormat* FormatAt(int col) { return col >= 1 && col <= m_cols ? &m_formats[static_cast<size_t>(col - 1)] : nullptr; }

    // A cell of the grid changed what it shows; its row takes a new revision.
    void CellChanged(int col, int row);
    // Every cell of a column changed (its kind).
    void ColumnChanged(int col);
    void HeadingChanged(Qt::Orientation orientation, int section);
    // A number that is new each time a cell of the row changes; 0 outside the grid.
    std::uint32_t RowRevision(int row) const {
        return row >= 1 && row <= m_rows ? m_revisions[static_cast<size_t>(row - 1)] : 0;
    }

    void BeginBatch();
    // Tells the view what changed since the batch began.
    void EndBatch();
    bool InBatch() const { return m_batch; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    void multiData(const QModelIndex& index, QModelRoleDataSpan roleDataSpan) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    Cell NewCell(int col) const;
    QVariant CellData(const Cell& cell, const ColumnFormat& format, int role) const;
    // Widens the batch's block of changed cells to take in another.
    void NoteBlock(int left, int top, int right, int bottom);

    int m_rows = 0, m_cols = 0;
    std::vector<Cell> m_cells;  // row by row
    std::vector<ColumnFormat> m_formats;
    std::vector<Heading> m_colHeadings, m_rowHeadings;
    std::vector<std::uint32_t> m_revisions;
    std::uint32_t m_nextRevision = 1;

    bool m_batch = false;
    // The block of cells changed in the batch (from 1; empty while top > bottom) and the headings.
    int m_top = 1, m_bottom = 0, m_left = 1, m_right = 0;
    int m_colHeadFirst = 1, m_colHeadLast = 0, m_rowHeadFirst = 1, m_rowHeadLast = 0;
};
