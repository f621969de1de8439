// The grid's user input: the questions asked before the active cell moves, the block selected,
// and the mouse and key events it raises as its own signals.
#include "dialogkit/SpreadSheet.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QTimer>

namespace {

// Windows virtual-key number of a key; 0 for keys without one.
short VirtualKey(int key) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return short(key);  // 'A'..'Z'
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return short(key);  // '0'..'9'
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return short(0x70 + (key - Qt::Key_F1));
    switch (key) {
    case Qt::Key_Backspace: return 0x08;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 0x09;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 0x0D;
    case Qt::Key_Shift: return 0x10;
    case Qt::Key_Control: return 0x11;
    case Qt::Key_Alt: return 0x12;
    case Qt::Key_Pause: return 0x13;
    case Qt::Key_Escape: return 0x1B;
    case Qt::Key_Space: return 0x20;
    case Qt::Key_PageUp: return 0x21;
    case Qt::Key_PageDown: return 0x22;
    case Qt::Key_End: return 0x23;
    case Qt::Key_Home: return 0x24;
    case Qt::Key_Left: return 0x25;
    case Qt::Key_Up: return 0x26;
    case Qt::Key_Right: return 0x27;
    case Qt::Key_Down: return 0x28;
    case Qt::Key_Insert: return 0x2D;
    case Qt::Key_Delete: return 0x2E;
    default: return 0;
    }
}

short ShiftOf(Qt::KeyboardModifiers m) {
    short s = 0;
    if (m & Qt::ShiftModifier) s |= CSpreadSheet::kShift;
    if (m & Qt::ControlModifier) s |= CSpreadSheet::kCtrl;
    if (m & Qt::AltModifier) s |= CSpreadSheet::kAlt;
    return s;
}

}  // namespace

int CSpreadSheet::LastRowWithData() const {
    for (int row = Rows(); row >= 1; --row)
        for (int col = 1; col <= Cols(); ++col) {
            CellKind kind = Format(col).kind;
            if (kind == CellKind::Check ? CellValueAt(col, row) == QLatin1String("1") : !CellValueAt(col, row).isEmpty())
                return row;
        }
    return 0;
}

bool CSpreadSheet::RowHasAllData(int row) const {
    if (row < 1 || row > Rows()) return false;
    for (int col = 1; col <= Cols(); ++col)
        if (Format(col).kind != CellKind::Check && CellValueAt(col, row).isEmpty()) return false;
    return true;
}

bool CSpreadSheet::AskLeave(int newCol, int newRow) {
    int col = GetActiveCol(), row = GetActiveRow();
    bool cancel = false;
    emit LeaveCell(col, row, newCol, newRow, cancel);
    if (cancel) return true;
    if (newRow != row) {
        bool wasLast = false, newIsLast = false, allData = false;
        if (isSignalConnected(QMetaMethod::fromSignal(&CSpreadSheet::LeaveRow))) {
            int last = LastRowWithData();
            wasLast = row == last;
            newIsLast = newRow == last;
            allData = RowHasAllData(row);
        }
        emit LeaveRow(row, wasLast, m_rowChanged, allData, newRow, newIsLast, cancel);
        if (cancel) return true;
        m_rowChanged = false;
    }
    return false;
}

void CSpreadSheet::OnUserChanged(int col, int row) {
    m_rowChanged = true;
    emit Change(col, row);
}

void CSpreadSheet::RaiseBlockSelected() {
    const QItemSelection ranges = selectionModel()->selection();
    if (ranges.size() != 1 || ranges[0].height() * ranges[0].width() <= 1) {
        m_lastBlock.reset();
        return;
    }
    const QItemSelectionRange& s = ranges[0];
    Range block{s.left() + 1, s.right() + 1, s.top() + 1, s.bottom() + 1};
    if (m_lastBlock && m_lastBlock->col1 == block.col1 && m_lastBlock->col2 == block.col2 &&
        m_lastBlock->row1 == block.row1 && m_lastBlock->row2 == block.row2)
        return;
    m_lastBlock = block;
    emit BlockSelected(block.col1, block.row1, block.col2, block.row2);
}

bool CSpreadSheet::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    if (index.isValid() && IsLocked(index.column() + 1, index.row() + 1)) return false;
    return QTableView::edit(index, trigger, event);
}

QModelIndex CSpreadSheet::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) {
    QModelIndex next = QTableView::moveCursor(cursorAction, modifiers);
    QModelIndex current = currentIndex();
    if (next.isValid() && current.isValid() && next != current && AskLeave(next.column() + 1, next.row() + 1))
        return current;
    return next;
}

void CSpreadSheet::mousePressEvent(QMouseEvent* event) {
    m_swallowMouse = false;
    m_dragging = false;
    QPoint pos = event->position().toPoint();
    QModelIndex index = indexAt(pos);
    if (event->button() == Qt::RightButton) {
        // A right click reports the cell; it does not move the active cell.
        if (index.isValid()) {
            QPoint at = viewport()->mapTo(this, pos);
            emit RightClick(kRightClickSingle, index.column() + 1, index.row() + 1, at.x(), at.y());
        }
        event->accept();
        return;
    }
    if (event->button() == Qt::LeftButton && index.isValid() && currentIndex().isValid() && index != currentIndex() &&
        !(event->modifiers() & Qt::ShiftModifier) && AskLeave(index.column() + 1, index.row() + 1)) {
        m_swallowMouse = true;
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

void CSpreadSheet::mouseMoveEvent(QMouseEvent* event) {
    if (m_swallowMouse) return;
    if (event->buttons() & Qt::LeftButton) m_dragging = true;
    QTableView::mouseMoveEvent(event);
}

void CSpreadSheet::mouseReleaseEvent(QMouseEvent* event) {
    if (m_swallowMouse) {
        m_swallowMouse = false;
        return;
    }
    QTableView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && (m_dragging || (event->modifiers() & Qt::ShiftModifier)))
        RaiseBlockSelected();
    m_dragging = false;
}

void CSpreadSheet::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        QPoint pos = event->position().toPoint();
        QModelIndex index = indexAt(pos);
        if (index.isValid()) {
            QPoint at = viewport()->mapTo(this, pos);
            emit RightClick(kRightClickDouble, index.column() + 1, index.row() + 1, at.x(), at.y());
        }
        event->accept();
        return;
    }
    if (m_swallowMouse) return;
    QTableView::mouseDoubleClickEvent(event);
}

bool CSpreadSheet::RaiseKey(QKeyEvent* event, bool down) {
    short key = VirtualKey(event->key());
    if (key == 0) return false;
    short shift = ShiftOf(event->modifiers());
    if (down)
        emit KeyDown(key, shift);
    else
        emit KeyUp(key, shift);
    return key == 0;
}

void CSpreadSheet::keyPressEvent(QKeyEvent* event) {
    if (RaiseKey(event, true)) {
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
    // Enter belongs to the grid: it does not press the dialog's default button.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) event->accept();
    if (event->modifiers() & Qt::ShiftModifier) RaiseBlockSelected();
}

void CSpreadSheet::keyReleaseEvent(QKeyEvent* event) {
    if (!event->isAutoRepeat() && RaiseKey(event, false)) {
        event->accept();
        return;
    }
    QTableView::keyReleaseEvent(event);
}

void CSpreadSheet::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() == QContextMenuEvent::Keyboard) {
        emit RightClick(kRightClickSingle, GetActiveCol(), GetActiveRow(), -1, -1);
        event->accept();
        return;
    }
    event->ignore();
}

void CSpreadSheet::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        ForgetTextWidths();
        UpdateLineHeights();
    }
}

bool CSpreadSheet::eventFilter(QObject* watched, QEvent* event) {
    QHeaderView* top = horizontalHeader();
    QHeaderView* left = verticalHeader();
    if (watched == top->viewport() || watched == left->viewport()) {
        bool isTop = watched == top->viewport();
        QHeaderView* header = isTop ? top : left;
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::RightButton) {
                QPoint pos = mouse->position().toPoint();
                int section = header->logicalIndexAt(pos);
                if (section >= 0) {
                    QPoint at = header->viewport()->mapTo(this, pos);
                    short type = event->type() == QEvent::MouseButtonPress ? kRightClickSingle : kRightClickDouble;
                    if (isTop)
                        emit RightClick(type, section + 1, 0, at.x(), at.y());
                    else
                        emit RightClick(type, 0, section + 1, at.x(), at.y());
                }
                return true;
            }
        } else if (event->type() == QEvent::MouseButtonRelease && isTop && m_resizedCol > 0) {
            // A column width dragged by the user is reported once, when the button is let go.
            int col = m_resizedCol;
            m_resizedCol = 0;
            QTimer::singleShot(0, this, [this, col] { emit ColWidthChange(col, col); });
        }
    }
    return QTableView::eventFilter(watched, event);
}
