#include "dialogkit/GridModel.h"

#include <QBrush>
#include <QColor>
#include <algorithm>

namespace {

QColor ToQColor(COLORREF c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }

QVariant Brush(COLORREF c) { return c == CGridModel::kNoColour ? QVariant() : QVariant(QBrush(ToQColor(c))); }

}  // namespace

CGridModel::CGridModel(QObject* parent) : QAbstractTableModel(parent) {}

CGridModel::Cell CGridModel::NewCell(int col) const {
    const ColumnFormat& format = Format(col);
    Cell cell;
    cell.locked = format.locked;
    cell.fore = format.fore;
    cell.back = format.back;
    return cell;
}

const CGridModel::ColumnFormat& CGridModel::Format(int col) const {
    static const ColumnFormat none;
    return col >= 1 && col <= m_cols ? m_formats[static_cast<size_t>(col - 1)] : none;
}

CGridModel::Heading* CGridModel::HeadingAt(int col, int row) {
    if (row == 0 && col >= 1 && col <= m_cols) return &m_colHeadings[static_cast<size_t>(col - 1)];
    if (col == 0 && row >= 1 && row <= m_rows) return &m_rowHeadings[static_cast<size_t>(row - 1)];
    return nullptr;
}

void CGridModel::SetRows(int rows) {
    rows = std::max(rows, 0);
    if (rows == m_rows) return;
    const int old = m_rows;
    if (rows > old) {
        beginInsertRows(QModelIndex(), old, rows - 1);
        m_cells.reserve(static_cast<size_t>(rows) * static_cast<size_t>(m_cols));
        for (int r = old; r < rows; ++r)
            for (int c = 1; c <= m_cols; ++c) m_cells.push_back(NewCell(c));
        m_rowHeadings.resize(static_cast<size_t>(rows));
        for (int r = old; r < rows; ++r) m_revisions.push_back(m_nextRevision++);
        m_rows = rows;
        endInsertRows();
    } else {
        beginRemoveRows(QModelIndex(), rows, old - 1);
        m_cells.resize(static_cast<size_t>(rows) * static_cast<size_t>(m_cols));
        m_rowHeadings.resize(static_cast<size_t>(rows));
        m_revisions.resize(static_cast<size_t>(rows));
        m_rows = rows;
        m_bottom = std::min(m_bottom, rows);
        m_rowHeadLast = std::min(m_rowHeadLast, rows);
        endRemoveRows();
    }
}

void CGridModel::SetCols(int cols) {
    cols = std::max(cols, 0);
    if (cols == m_cols) return;
    const int old = m_cols;
    if (cols > old)
        beginInsertColumns(QModelIndex(), old, cols - 1);
    else
        beginRemoveColumns(QModelIndex(), cols, old - 1);
    m_formats.resize(static_cast<size_t>(cols));
    m_colHeadings.resize(static_cast<size_t>(cols));
    std::vector<Cell> cells;
    cells.reserve(static_cast<size_t>(m_rows) * static_cast<size_t>(cols));
    for (int r = 1; r <= m_rows; ++r)
        for (int c = 1; c <= cols; ++c) cells.push_back(c <= old ? std::move(*CellAt(c, r)) : NewCell(c));
    m_cells = std::move(cells);
    m_cols = cols;
    m_right = std::min(m_right, cols);
    m_colHeadLast = std::min(m_colHeadLast, cols);
    for (auto& revision : m_revisions) revision = m_nextRevision++;
    if (cols > old)
        endInsertColumns();
    else
        endRemoveColumns();
}

// ---------------------------------------------------------------------------------------------
// Changes

void CGridModel::CellChanged(int col, int row) {
    if (col < 1 || row < 1 || col > m_cols || row > m_rows) return;
    m_revisions[static_cast<size_t>(row - 1)] = m_nextRevision++;
    if (!m_batch) {
        const QModelIndex at = index(row - 1, col - 1);
        emit dataChanged(at, at);
        return;
    }
    NoteBlock(col, row, col, row);
}

void CGridModel::NoteBlock(int left, int top, int right, int bottom) {
    if (m_top > m_bottom) {
        m_top = top, m_bottom = bottom, m_left = left, m_right = right;
        return;
    }
    m_top = std::min(m_top, top);
    m_bottom = std::max(m_bottom, bottom);
    m_left = std::min(m_left, left);
    m_right = std::max(m_right, right);
}

void CGridModel::ColumnChanged(int col) {
    if (col < 1 || col > m_cols || m_rows == 0) return;
    for (auto& revision : m_revisions) revision = m_nextRevision++;
    if (!m_batch) {
        emit dataChanged(index(0, col - 1), index(m_rows - 1, col - 1));
        return;
    }
    NoteBlock(col, 1, col, m_rows);
}

void CGridModel::HeadingChanged(Qt::Orientation orientation, int section) {
    if (!m_batch) {
        emit headerDataChanged(orientation, section - 1, section - 1);
        return;
    }
    int& first = orientation == Qt::Horizontal ? m_colHeadFirst : m_rowHeadFirst;
    int& last = orientation == Qt::Horizontal ? m_colHeadLast : m_rowHeadLast;
    if (first > last) first = last = section;
    first = std::min(first, section);
    last = std::max(last, section);
}

void CGridModel::BeginBatch() {
    if (m_batch) return;
    m_batch = true;
    m_top = m_left = m_colHeadFirst = m_rowHeadFirst = 1;
    m_bottom = m_right = m_colHeadLast = m_rowHeadLast = 0;
}

void CGridModel::EndBatch() {
    if (!m_batch) return;
    m_batch = false;
    if (m_top <= m_bottom && m_left <= m_right) emit dataChanged(index(m_top - 1, m_left - 1), index(m_bottom - 1, m_right - 1));
    if (m_colHeadFirst <= m_colHeadLast) emit headerDataChanged(Qt::Horizontal, m_colHeadFirst - 1, m_colHeadLast - 1);
    if (m_rowHeadFirst <= m_rowHeadLast) emit headerDataChanged(Qt::Vertical, m_rowHeadFirst - 1, m_rowHeadLast - 1);
}

// ---------------------------------------------------------------------------------------------
// What the view reads

int CGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_rows; }

int CGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_cols; }

QVariant CGridModel::CellData(const Cell& cell, const ColumnFormat& format, int role) const {
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return cell.text.isEmpty() ? QVariant() : QVariant(cell.text);
    case Qt::TextAlignmentRole:
        return int(format.kind == CellKind::Number ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::ForegroundRole:
        return Brush(cell.fore);
    case Qt::BackgroundRole:
        return Brush(cell.back);
    case Qt::CheckStateRole:
        return format.kind == CellKind::Check ? QVariant(int(cell.checked ? Qt::Checked : Qt::Unchecked)) : QVariant();
    case kChoiceIndexRole:
        return format.kind == CellKind::Choice ? QVariant(int(cell.choice)) : QVariant();
    case kLockRole:
        return cell.locked ? QVariant(true) : QVariant();
    default:
        return QVariant();
    }
}

QVariant CGridModel::data(const QModelIndex& index, int role) const {
    const Cell* cell = index.isValid() ? CellAt(index.column() + 1, index.row() + 1) : nullptr;
    return cell ? CellData(*cell, Format(index.column() + 1), role) : QVariant();
}

void CGridModel::multiData(const QModelIndex& index, QModelRoleDataSpan roleDataSpan) const {
    const Cell* cell = index.isValid() ? CellAt(index.column() + 1, index.row() + 1) : nullptr;
    const ColumnFormat& format = Format(index.column() + 1);
    for (QModelRoleData& roleData : roleDataSpan)
        roleData.setData(cell ? CellData(*cell, format, roleData.role()) : QVariant());
}

QVariant CGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    const Heading* heading = orientation == Qt::Horizontal ? HeadingAt(section + 1, 0) : HeadingAt(0, section + 1);
    if (!heading) return QVariant();
    switch (role) {
    case Qt::DisplayRole:
        return heading->text ? *heading->text : QString::number(section + 1);
    case Qt::ForegroundRole:
        return Brush(heading->fore);
    case Qt::BackgroundRole:
        return Brush(heading->back);
    default:
        return QVariant();
    }
}

Qt::ItemFlags CGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    flags |= Format(index.column() + 1).kind == CellKind::Check ? Qt::ItemIsUserCheckable : Qt::ItemIsEditable;
    return flags;
}
