#include "dialogkit/SpreadSheet.h"

#include <QApplication>
#include <QComboBox>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>
#include <QTimer>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>
#include <locale.h>
#include <stdlib.h>

namespace {

constexpr int kChoiceIndexRole = CGridModel::kChoiceIndexRole;
// Width of the drop-down arrow a choice cell shows at its right.
constexpr int kChoiceArrowWidth = 14;

QColor ToQColor(COLORREF c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }

// Numbers are read and written in the C locale whatever locale the program runs in.
locale_t CLocale() {
    static locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return c;
}

double CAtof(const QString& text) {
    QByteArray bytes = text.toUtf8();
    return strtod_l(bytes.constData(), nullptr, CLocale());
}

int CAtoi(const QString& text) {
    QByteArray bytes = text.toUtf8();
    return int(strtol_l(bytes.constData(), nullptr, 10, CLocale()));
}

QString FormatFixed4(double value) {
    char buf[512];
    auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 4);
    return QString::fromLatin1(buf, int(r.ptr - buf));
}

}  // namespace

// Paints the cells (own grid lines, the active cell's frame, centred check boxes) and gives each
// kind of cell its editor; edits made by the user come back to the grid as its change events.
class CGridDelegate : public QStyledItemDelegate {
public:
    explicit CGridDelegate(CSpreadSheet* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    QWidget* OpenEditor() const { return m_editor; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        opt.state &= ~QStyle::State_HasFocus;
        if (opt.backgroundBrush.style() == Qt::NoBrush) opt.backgroundBrush = QBrush(Qt::white);
        // Selected cells keep their own text colour on the selection colour.
        QVariant fore = index.data(Qt::ForegroundRole);
        QColor text = fore.isValid() ? fore.value<QBrush>().color() : QColor(Qt::black);
        for (auto group : {QPalette::Active, QPalette::Inactive})
            opt.palette.setColor(group, QPalette::HighlightedText, text);
        const QWidget* widget = opt.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        CSpreadSheet::CellKind kind = m_grid->KindAt(index.column() + 1, index.row() + 1);

        if (kind == CSpreadSheet::CellKind::Check && opt.text.isEmpty()) {
            Qt::CheckState state = opt.checkState;
            opt.features &= ~QStyleOptionViewItem::HasCheckIndicator;
            style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
            QStyleOptionViewItem box = opt;
            int w = style->pixelMetric(QStyle::PM_IndicatorWidth, &opt, widget);
            int h = style->pixelMetric(QStyle::PM_IndicatorHeight, &opt, widget);
            box.rect = QRect(opt.rect.center().x() - w / 2, opt.rect.center().y() - h / 2, w, h);
            box.state &= ~(QStyle::State_On | QStyle::State_Off | QStyle::State_NoChange);
            box.state |= state == Qt::Checked ? QStyle::State_On : QStyle::State_Off;
            style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &box, painter, widget);
        } else {
            if (kind == CSpreadSheet::CellKind::Choice) opt.rect.adjust(0, 0, -kChoiceArrowWidth, 0);
            style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
            if (kind == CSpreadSheet::CellKind::Choice) {
                QStyleOption arrow;
                arrow.initFrom(m_grid);
                arrow.rect = QRect(option.rect.right() - kChoiceArrowWidth, option.rect.top(), kChoiceArrowWidth,
                                   option.rect.height());
                bool selected = opt.state & QStyle::State_Selected;
                painter->fillRect(arrow.rect, selected ? opt.palette.brush(QPalette::Highlight) : opt.backgroundBrush);
                arrow.rect.adjust(3, 0, -3, 0);
                style->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, painter, widget);
            }
        }

        painter->save();
        painter->setPen(ToQColor(m_grid->m_gridColor));
        const QRect& r = option.rect;
        painter->drawLine(r.topRight(), r.bottomRight());
        painter->drawLine(r.bottomLeft(), r.bottomRight());
        if (index == m_grid->currentIndex()) {
            painter->setPen(QPen(ToQColor(m_grid->m_selBorderColor), 2));
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(r.adjusted(1, 1, -1, -1));
        }
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        if (m_grid->KindAt(index.column() + 1, index.row() + 1) == CSpreadSheet::CellKind::Choice)
            size.rwidth() += kChoiceArrowWidth;
        return size;
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override {
        int col = index.column() + 1;
        QWidget* editor = nullptr;
        switch (m_grid->KindAt(col, index.row() + 1)) {
        case CSpreadSheet::CellKind::Check:
            return nullptr;
        case CSpreadSheet::CellKind::Choice: {
            auto* combo = new QComboBox(parent);
            combo->addItems(m_grid->Format(col).choices);
            // Choosing an entry ends the edit; the list opens at once.
            QObject::connect(combo, &QComboBox::activated, combo, [this, combo] {
                auto* self = const_cast<CGridDelegate*>(this);
                emit self->commitData(combo);
                emit self->closeEditor(combo);
            });
            QTimer::singleShot(0, combo, [combo] {
                if (combo->isVisible()) combo->showPopup();
            });
            editor = combo;
            break;
        }
        case CSpreadSheet::CellKind::Number: {
            auto* line = new QLineEdit(parent);
            line->setFrame(false);
            line->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            line->setValidator(new QRegularExpressionValidator(
                QRegularExpression(QStringLiteral("[-+0-9., \\\\\u00A5\uFFE5]*")), line));
            editor = line;
            break;
        }
        case CSpreadSheet::CellKind::Text:
            if (index.data(Qt::DisplayRole).toString().contains(QLatin1Char('\n'))) {
                auto* text = new QPlainTextEdit(parent);
                text->setFrameShape(QFrame::NoFrame);
                editor = text;
            } else {
                auto* line = new QLineEdit(parent);
                line->setFrame(false);
                editor = line;
            }
            break;
        }
        QPalette palette = editor->palette();
        palette.setColor(QPalette::Base, Qt::white);
        editor->setPalette(palette);
        editor->setAutoFillBackground(true);
        const_cast<CGridDelegate*>(this)->m_editor = editor;
        return editor;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        if (auto* combo = qobject_cast<QComboBox*>(editor))
            combo->setCurrentIndex(index.data(kChoiceIndexRole).toInt());
        else if (auto* line = qobject_cast<QLineEdit*>(editor))
            line->setText(index.data(Qt::DisplayRole).toString());
        else if (auto* text = qobject_cast<QPlainTextEdit*>(editor))
            text->setPlainText(index.data(Qt::DisplayRole).toString());
    }

    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override {
        int col = index.column() + 1, row = index.row() + 1;
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            if (combo->currentIndex() == index.data(kChoiceIndexRole).toInt()) return;
            m_grid->SetCellValueAt(col, row, QString::number(combo->currentIndex()));
        } else {
            QString text;
            if (auto* line = qobject_cast<QLineEdit*>(editor))
                text = line->text();
            else if (auto* plain = qobject_cast<QPlainTextEdit*>(editor))
                text = plain->toPlainText();
            if (text == index.data(Qt::DisplayRole).toString()) return;
            m_grid->SetCellTextAt(col, row, text);
        }
        m_grid->OnUserChanged(col, row);
    }

    // A check cell toggles on a click inside it or on the space key.
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override {
        int col = index.column() + 1, row = index.row() + 1;
        if (m_grid->KindAt(col, row) != CSpreadSheet::CellKind::Check)
            return QStyledItemDelegate::editorEvent(event, model, option, index);
        switch (event->type()) {
        case QEvent::MouseButtonDblClick:
            return true;
        case QEvent::MouseButtonRelease: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton || !option.rect.contains(mouse->position().toPoint())) return false;
            break;
        }
        case QEvent::KeyPress: {
            int key = static_cast<QKeyEvent*>(event)->key();
            if (key != Qt::Key_Space && key != Qt::Key_Select) return false;
            break;
        }
        default:
            return false;
        }
        bool checked = m_grid->CellValueAt(col, row) != QLatin1String("1");
        m_grid->SetCellValueAt(col, row, checked ? QStringLiteral("1") : QStringLiteral("0"));
        emit m_grid->ButtonClicked(col, row, short(checked ? 1 : 0));
        m_grid->OnUserChanged(col, row);
        return true;
    }

    void destroyEditor(QWidget* editor, const QModelIndex& index) const override {
        if (m_editor == editor) const_cast<CGridDelegate*>(this)->m_editor = nullptr;
        QStyledItemDelegate::destroyEditor(editor, index);
    }

private:
    CSpreadSheet* m_grid;
    QPointer<QWidget> m_editor;
};

CSpreadSheet::CSpreadSheet(QWidget* parent) : QTableView(parent), m_model(new CGridModel(this)) {
    setModel(m_model);
    m_delegate = new CGridDelegate(this);
    setItemDelegate(m_delegate);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setShowGrid(false);  // the delegate draws the lines in the grid colour
    setWordWrap(false);
    setTabKeyNavigation(false);  // Tab leaves the grid for the next control of the dialog

    QHeaderView* top = horizontalHeader();
    QHeaderView* left = verticalHeader();
    top->setDefaultAlignment(Qt::AlignCenter);
    left->setDefaultAlignment(Qt::AlignCenter);
    top->setHighlightSections(false);
    left->setHighlightSections(false);
    left->setSectionResizeMode(QHeaderView::Fixed);
    // A heading click is a click event, not a selection of the whole column or row.
    disconnect(top, &QHeaderView::sectionPressed, this, nullptr);
    disconnect(top, &QHeaderView::sectionEntered, this, nullptr);
    disconnect(left, &QHeaderView::sectionPressed, this, nullptr);
    disconnect(left, &QHeaderView::sectionEntered, this, nullptr);
    top->viewport()->installEventFilter(this);
    left->viewport()->installEventFilter(this);

    connect(this, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& i) { emit Click(i.column() + 1, i.row() + 1); });
    connect(this, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& i) { emit DblClick(i.column() + 1, i.row() + 1); });
    connect(top, &QHeaderView::sectionClicked, this, [this](int c) { emit Click(c + 1, 0); });
    connect(left, &QHeaderView::sectionClicked, this, [this](int r) { emit Click(0, r + 1); });
    connect(top, &QHeaderView::sectionDoubleClicked, this, [this](int c) { emit DblClick(c + 1, 0); });
    connect(left, &QHeaderView::sectionDoubleClicked, this, [this](int r) { emit DblClick(0, r + 1); });
    connect(top, &QHeaderView::sectionResized, this, [this](int c, int, int) {
        if (!m_programResize) m_resizedCol = c + 1;
    });

    UpdateLineHeights();
    UpdatePalette();
}

CSpreadSheet::~CSpreadSheet() = default;

// ---------------------------------------------------------------------------------------------
// Layout

void CSpreadSheet::SetColKind(int col, CellKind kind, const QStringList& choices) {
    int first = col == -1 ? 1 : col, last = col == -1 ? Cols() : col;
    for (int c = std::max(first, 1); c <= last && c <= Cols(); ++c) {
        ColumnFormat& format = *m_model->FormatAt(c);
        // A check cell keeps its state only while its column stays a check column.
        const bool keepChecks = format.kind == CellKind::Check && kind == CellKind::Check;
        format.kind = kind;
        format.choices = choices;
        for (int r = 1; r <= Rows(); ++r) {
            CGridModel::Cell& cell = *m_model->CellAt(c, r);
            if (!keepChecks) cell.checked = false;
            cell.choice = kind == CellKind::Choice ? std::int16_t(choices.indexOf(cell.text)) : std::int16_t(-1);
            cell.width = -1;
        }
        m_widest[static_cast<size_t>(c - 1)] = WidestText();
        m_model->ColumnChanged(c);
    }
}

CSpreadSheet::CellKind CSpreadSheet::GetColKind(int col) const { return Format(col).kind; }

CSpreadSheet::CellKind CSpreadSheet::KindAt(int col, int /*row*/) const { return Format(col).kind; }

void CSpreadSheet::SetMaxCols(int cols) {
    m_model->SetCols(cols);
    m_widest.assign(static_cast<size_t>(Cols()), WidestText());
}

void CSpreadSheet::SetMaxRows(int rows) {
    rows = std::max(rows, 0);
    if (rows < Rows()) ForgetWidestTexts();
    m_model->SetRows(rows);
    m_setHeights.erase(m_setHeights.upper_bound(rows), m_setHeights.end());
    m_pendingHeights.erase(m_pendingHeights.upper_bound(rows), m_pendingHeights.end());
    if (!currentIndex().isValid() && rows > 0 && Cols() > 0)
        selectionModel()->setCurrentIndex(model()->index(0, 0), QItemSelectionModel::NoUpdate);
}

// ---------------------------------------------------------------------------------------------
// Properties by number

void CSpreadSheet::SetProperty(int id, const QVariant& value) {
    switch (id) {
    case kPropAction: SetAction(value.toInt()); break;
    case kPropBlockMode: SetBlockMode(value.toBool()); break;
    case kPropCol: SetCol(value.toInt()); break;
    case kPropCol2: SetCol2(value.toInt()); break;
    case kPropEditMode: SetEditMode(value.toBool()); break;
    case kPropLock:
    case kPropCellLock: SetLock(value.toBool()); break;
    case kPropGridColor: SetGridColor(value.toUInt()); break;
    case kPropMaxCols: SetMaxCols(value.toInt()); break;
    case kPropMaxRows: SetMaxRows(value.toInt()); break;
    case kPropReDraw: SetReDraw(value.toBool()); break;
    case kPropRow: SetRow(value.toInt()); break;
    case kPropRow2: SetRow2(value.toInt()); break;
    case kPropRowHidden: SetRowHidden(value.toBool()); break;
    case kPropSelBackColor: SetSelBackColor(value.toUInt()); break;
    case kPropSelBorderColor: SetSelBorderColor(value.toUInt()); break;
    case kPropValue: SetValue(value.toString()); break;
    case kPropCellForeColor:
    case kPropForeColor: SetForeColor(value.toUInt()); break;
    case kPropCellBackColor:
    case kPropBackColor: SetBackColor(value.toUInt()); break;
    case kPropGrayAreaColor: SetGrayAreaColor(value.toUInt()); break;
    case kPropText: SetText(value.toString()); break;
    default: break;
    }
}

QVariant CSpreadSheet::GetProperty(int id) const {
    switch (id) {
    case kPropBlockMode: return m_blockMode;
    case kPropCol: return m_col;
    case kPropCol2: return m_col2;
    case kPropEditMode: return GetEditMode();
    case kPropLock:
    case kPropCellLock: return GetLock();
    case kPropGridColor: return m_gridColor;
    case kPropMaxCols: return GetMaxCols();
    case kPropMaxRows: return GetMaxRows();
    case kPropReDraw: return m_redraw;
    case kPropRow: return m_row;
    case kPropRow2: return m_row2;
    case kPropRowHidden: return GetRowHidden();
    case kPropSelBackColor: return m_selBackColor;
    case kPropSelBorderColor: return m_selBorderColor;
    case kPropValue: return GetValue();
    case kPropCellForeColor:
    case kPropForeColor: return GetForeColor();
    case kPropCellBackColor:
    case kPropBackColor: return GetBackColor();
    case kPropGrayAreaColor: return m_grayAreaColor;
    case kPropText: return GetText();
    default: return {};
    }
}

// ---------------------------------------------------------------------------------------------
// Addressing

CSpreadSheet::Range CSpreadSheet::AddressedRange() const {
    int c1 = m_col, c2 = m_blockMode ? m_col2 : m_col;
    int r1 = m_row, r2 = m_blockMode ? m_row2 : m_row;
    Range range{};
    if (c1 == -1 || c2 == -1) {
        range.col1 = 1, range.col2 = Cols();
    } else {
        range.col1 = std::min(c1, c2), range.col2 = std::max(c1, c2);
    }
    if (r1 == -1 || r2 == -1) {
        range.row1 = 1, range.row2 = Rows();
    } else {
        range.row1 = std::min(r1, r2), range.row2 = std::max(r1, r2);
    }
    return range;
}

template <class F>
void CSpreadSheet::ForEachAddressed(F&& f) {
    Range r = AddressedRange();
    for (int row = std::max(r.row1, 0); row <= r.row2 && row <= Rows(); ++row)
        for (int col = std::max(r.col1, 0); col <= r.col2 && col <= Cols(); ++col) f(col, row);
}

int CSpreadSheet::GetActiveCol() const { return currentIndex().isValid() ? currentIndex().column() + 1 : 0; }

int CSpreadSheet::GetActiveRow() const { return currentIndex().isValid() ? currentIndex().row() + 1 : 0; }

void CSpreadSheet::SetAction(int action) {
    if (action == kActionSelectBlock) {
        if (Rows() == 0 || Cols() == 0) return;
        auto span = [](int a, int b, int count) {
            if (a == -1 || b == -1) return std::pair{1, count};
            return std::pair{std::clamp(std::min(a, b), 1, count), std::clamp(std::max(a, b), 1, count)};
        };
        auto [c1, c2] = span(m_col, m_col2, Cols());
        auto [r1, r2] = span(m_row, m_row2, Rows());
        int activeCol = m_col == -1 ? c1 : std::clamp(m_col, 1, Cols());
        int activeRow = m_row == -1 ? r1 : std::clamp(m_row, 1, Rows());
        if (activeRow != GetActiveRow()) m_rowChanged = false;
        QModelIndex active = model()->index(activeRow - 1, activeCol - 1);
        selectionModel()->setCurrentIndex(active, QItemSelectionModel::NoUpdate);
        selectionModel()->select(QItemSelection(model()->index(r1 - 1, c1 - 1), model()->index(r2 - 1, c2 - 1)),
                                 QItemSelectionModel::ClearAndSelect);
        m_lastBlock.reset();
        scrollTo(active);
    } else if (action == kActionClearText) {
        ForEachAddressed([this](int col, int row) { ClearCellAt(col, row); });
    }
}

bool CSpreadSheet::GetEditMode() const { return state() == QAbstractItemView::EditingState; }

void CSpreadSheet::SetEditMode(bool open) {
    if (open) {
        QModelIndex active = currentIndex();
        if (!GetEditMode() && active.isValid() && !IsLocked(active.column() + 1, active.row() + 1))
            QTableView::edit(active);
    } else if (QWidget* editor = m_delegate->OpenEditor()) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

// ---------------------------------------------------------------------------------------------
// Cell contents

QString CSpreadSheet::CellTextAt(int col, int row) const {
    if (col == 0 && row == 0) return m_cornerText;
    if (col == 0 || row == 0) {
        const CGridModel::Heading* heading = m_model->HeadingAt(col, row);
        if (!heading) return {};
        return heading->text ? *heading->text : QString::number(col == 0 ? row : col);
    }
    const CGridModel::Cell* cell = m_model->CellAt(col, row);
    return cell ? cell->text : QString();
}

void CSpreadSheet::SetCellTextAt(int col, int row, const QString& text) {
    if (col == 0 && row == 0) {
        m_cornerText = text;
        return;
    }
    if (col == 0 || row == 0) {
        if (CGridModel::Heading* heading = m_model->HeadingAt(col, row)) {
            if (heading->text && *heading->text == text) return;
            const bool hadBreak = heading->text && heading->text->contains(QLatin1Char('\n'));
            heading->text = text;
            m_model->HeadingChanged(col == 0 ? Qt::Vertical : Qt::Horizontal, col == 0 ? row : col);
            if (col == 0 && (hadBreak || text.contains(QLatin1Char('\n')))) MarkRowHeight(row);
        }
        return;
    }
    CGridModel::Cell* cell = m_model->CellAt(col, row);
    if (!cell) return;
    const ColumnFormat& format = Format(col);
    const std::int16_t choice =
        format.kind == CellKind::Choice ? std::int16_t(format.choices.indexOf(text)) : cell->choice;
    if (cell->text == text && cell->choice == choice) return;
    const bool hadBreak = cell->text.contains(QLatin1Char('\n'));
    if (cell->text != text) NoteTextChanged(col, row, cell->text.isEmpty() ? 0 : cell->width);
    cell->text = text;
    cell->choice = choice;
    cell->width = -1;
    m_model->CellChanged(col, row);
    if (hadBreak || text.contains(QLatin1Char('\n'))) MarkRowHeight(row);
}

QString CSpreadSheet::CellValueAt(int col, int row) const {
    const CGridModel::Cell* cell = m_model->CellAt(col, row);
    if (!cell) return CellTextAt(col, row);
    switch (Format(col).kind) {
    case CellKind::Check:
        return cell->checked ? QStringLiteral("1") : QStringLiteral("0");
    case CellKind::Choice:
        return cell->choice >= 0 ? QString::number(cell->choice) : QString();
    default:
        return cell->text;
    }
}

void CSpreadSheet::SetCellValueAt(int col, int row, const QString& value) {
    CGridModel::Cell* cell = m_model->CellAt(col, row);
    if (!cell) {
        SetCellTextAt(col, row, value);
        return;
    }
    const ColumnFormat& format = Format(col);
    switch (format.kind) {
    case CellKind::Check: {
        const bool checked = CAtoi(value) != 0;
        if (cell->checked == checked) return;
        cell->checked = checked;
        m_model->CellChanged(col, row);
        break;
    }
    case CellKind::Choice: {
        int index = value.trimmed().isEmpty() ? -1 : CAtoi(value);
        if (index < 0 || index >= format.choices.size()) index = -1;
        const QString text = index >= 0 ? format.choices[index] : QString();
        if (cell->choice == index && cell->text == text) return;
        const bool hadBreak = cell->text.contains(QLatin1Char('\n'));
        if (cell->text != text) NoteTextChanged(col, row, cell->text.isEmpty() ? 0 : cell->width);
        cell->choice = std::int16_t(index);
        cell->text = text;
        cell->width = -1;
        m_model->CellChanged(col, row);
        if (hadBreak || text.contains(QLatin1Char('\n'))) MarkRowHeight(row);
        break;
    }
    default:
        SetCellTextAt(col, row, value);
        break;
    }
}

void CSpreadSheet::ClearCellAt(int col, int row) {
    const CellKind kind = Format(col).kind;
    if (m_model->CellAt(col, row) && kind == CellKind::Check)
        SetCellValueAt(col, row, QStringLiteral("0"));
    else if (m_model->CellAt(col, row) && kind == CellKind::Choice)
        SetCellValueAt(col, row, QString());
    else
        SetCellTextAt(col, row, QString());
}

void CSpreadSheet::SetText(const QString& text) {
    ForEachAddressed([&](int col, int row) { SetCellTextAt(col, row, text); });
}

QString CSpreadSheet::GetText() const {
    Range r = AddressedRange();
    return CellTextAt(r.col1, r.row1);
}

void CSpreadSheet::SetValue(const QString& value) {
    ForEachAddressed([&](int col, int row) { SetCellValueAt(col, row, value); });
}

QString CSpreadSheet::GetValue() const {
    Range r = AddressedRange();
    return CellValueAt(r.col1, r.row1);
}

// ---------------------------------------------------------------------------------------------
// Colours and locks: a whole column (row −1) also keeps them for rows added later.

bool CSpreadSheet::SetColourAt(int col, int row, COLORREF colour, bool fore) {
    if (col == 0 || row == 0) {
        CGridModel::Heading* heading = m_model->HeadingAt(col, row);
        if (!heading) return false;
        COLORREF& kept = fore ? heading->fore : heading->back;
        if (kept != colour) {
            kept = colour;
            m_model->HeadingChanged(col == 0 ? Qt::Vertical : Qt::Horizontal, col == 0 ? row : col);
        }
        return true;
    }
    CGridModel::Cell* cell = m_model->CellAt(col, row);
    if (!cell) return false;
    COLORREF& kept = fore ? cell->fore : cell->back;
    if (kept != colour) {
        kept = colour;
        m_model->CellChanged(col, row);
    }
    return true;
}

COLORREF CSpreadSheet::ColourAt(int col, int row, bool fore) const {
    COLORREF colour = CGridModel::kNoColour;
    if (col == 0 || row == 0) {
        if (const CGridModel::Heading* heading = m_model->HeadingAt(col, row)) colour = fore ? heading->fore : heading->back;
    } else if (const CGridModel::Cell* cell = m_model->CellAt(col, row)) {
        colour = fore ? cell->fore : cell->back;
    }
    if (colour == CGridModel::kNoColour) return fore ? 0x000000 : 0xFFFFFF;
    return colour;
}

void CSpreadSheet::SetForeColor(COLORREF colour) {
    colour &= 0xFFFFFF;
    Range r = AddressedRange();
    if (r.row1 == 1 && r.row2 == Rows() && (m_row == -1 || (m_blockMode && m_row2 == -1)))
        for (int col = std::max(r.col1, 1); col <= r.col2 && col <= Cols(); ++col) m_model->FormatAt(col)->fore = colour;
    ForEachAddressed([&](int col, int row) { SetColourAt(col, row, colour, true); });
}

COLORREF CSpreadSheet::GetForeColor() const {
    Range r = AddressedRange();
    return ColourAt(r.col1, r.row1, true);
}

void CSpreadSheet::SetBackColor(COLORREF colour) {
    colour &= 0xFFFFFF;
    Range r = AddressedRange();
    if (r.row1 == 1 && r.row2 == Rows() && (m_row == -1 || (m_blockMode && m_row2 == -1)))
        for (int col = std::max(r.col1, 1); col <= r.col2 && col <= Cols(); ++col) m_model->FormatAt(col)->back = colour;
    ForEachAddressed([&](int col, int row) { SetColourAt(col, row, colour, false); });
}

COLORREF CSpreadSheet::GetBackColor() const {
    Range r = AddressedRange();
    return ColourAt(r.col1, r.row1, false);
}

void CSpreadSheet::SetLock(bool locked) {
    Range r = AddressedRange();
    if (r.row1 == 1 && r.row2 == Rows() && (m_row == -1 || (m_blockMode && m_row2 == -1)))
        for (int col = std::max(r.col1, 1); col <= r.col2 && col <= Cols(); ++col) m_model->FormatAt(col)->locked = locked;
    ForEachAddressed([&](int col, int row) {
        CGridModel::Cell* cell = m_model->CellAt(col, row);
        if (!cell || cell->locked == locked) return;
        cell->locked = locked;
        m_model->CellChanged(col, row);
    });
}

bool CSpreadSheet::GetLock() const {
    Range r = AddressedRange();
    return IsLocked(r.col1, r.row1);
}

bool CSpreadSheet::IsLocked(int col, int row) const {
    const CGridModel::Cell* cell = m_model->CellAt(col, row);
    return cell && cell->locked;
}

void CSpreadSheet::SetRowHidden(bool hidden) {
    Range r = AddressedRange();
    for (int row = std::max(r.row1, 1); row <= r.row2 && row <= Rows(); ++row) {
        if (isRowHidden(row - 1) == hidden) continue;
        setRowHidden(row - 1, hidden);
        ForgetWidestTexts();
    }
}

bool CSpreadSheet::GetRowHidden() const {
    Range r = AddressedRange();
    return r.row1 >= 1 && r.row1 <= Rows() && isRowHidden(r.row1 - 1);
}

void CSpreadSheet::SetGridColor(COLORREF colour) {
    m_gridColor = colour;
    viewport()->update();
}

void CSpreadSheet::SetSelBackColor(COLORREF colour) {
    m_selBackColor = colour;
    UpdatePalette();
}

void CSpreadSheet::SetSelBorderColor(COLORREF colour) {
    m_selBorderColor = colour;
    viewport()->update();
}

void CSpreadSheet::SetGrayAreaColor(COLORREF colour) {
    m_grayAreaColor = colour;
    UpdatePalette();
}

void CSpreadSheet::UpdatePalette() {
    QPalette p = palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        p.setColor(group, QPalette::Highlight, ToQColor(m_selBackColor));
    setPalette(p);
    QPalette area = viewport()->palette();
    area.setColor(QPalette::Base, ToQColor(m_grayAreaColor));
    viewport()->setPalette(area);
    viewport()->update();
}

// ---------------------------------------------------------------------------------------------
// Sizes

void CSpreadSheet::SetColWidth(int col, double width) {
    int pixels = std::max(0, int(width * 8.0 + 0.5));
    if (col == 0) {
        m_rowHeadingWidth = pixels;
        verticalHeader()->setFixedWidth(pixels);
        return;
    }
    int first = col == -1 ? 1 : col, last = col == -1 ? Cols() : col;
    m_programResize = true;
    for (int c = std::max(first, 1); c <= last && c <= Cols(); ++c) setColumnWidth(c - 1, pixels);
    m_programResize = false;
}

double CSpreadSheet::GetColWidth(int col) const {
    if (col == 0)
        return (m_rowHeadingWidth >= 0 ? m_rowHeadingWidth : verticalHeader()->sizeHint().width()) / 8.0;
    if (col < 1 || col > Cols()) return 0.0;
    return columnWidth(col - 1) / 8.0;
}

double CSpreadSheet::GetColTextWidth(int col) const {
    if (col < 1 || col > Cols()) return 0.0;
    WidestText& widest = m_widest[static_cast<size_t>(col - 1)];
    auto widthAt = [&](int row) {
        CGridModel::Cell& cell = *const_cast<CGridModel*>(m_model)->CellAt(col, row);
        if (cell.text.isEmpty() || isRowHidden(row - 1)) return 0;
        if (cell.width < 0) cell.width = MeasureCell(col, row);
        return cell.width;
    };
    if (widest.valid) {
        // Only rows written since the last answer can have widened the column.
        for (int row : widest.writtenRows)
            if (row <= Rows()) widest.pixels = std::max(widest.pixels, widthAt(row));
    } else {
        widest.pixels = 0;
        for (int row = 1; row <= Rows(); ++row) widest.pixels = std::max(widest.pixels, widthAt(row));
        widest.valid = true;
    }
    widest.writtenRows.clear();
    return widest.pixels / 8.0;
}

void CSpreadSheet::NoteTextChanged(int col, int row, int oldWidth) {
    if (col < 1 || col > Cols()) return;
    WidestText& widest = m_widest[static_cast<size_t>(col - 1)];
    if (!widest.valid) return;
    // A text as wide as the widest may have been the widest: the column is measured anew.
    if (oldWidth >= widest.pixels || widest.writtenRows.size() >= static_cast<size_t>(Rows())) {
        widest.valid = false;
        widest.writtenRows.clear();
        return;
    }
    widest.writtenRows.push_back(row);
}

void CSpreadSheet::ForgetWidestTexts() {
    for (WidestText& widest : m_widest) {
        widest.valid = false;
        widest.writtenRows.clear();
    }
}

// What the delegate's size hint gives a text cell: the widest line, rounded up, between the style's
// text margins, and a choice cell's arrow. A check cell with a text is measured by the delegate.
int CSpreadSheet::MeasureCell(int col, int row) const {
    const CGridModel::Cell& cell = *m_model->CellAt(col, row);
    const CellKind kind = Format(col).kind;
    if (kind == CellKind::Check) {
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        return m_delegate->sizeHint(option, model()->index(row - 1, col - 1)).width();
    }
    double widest = 0.0;
    for (QStringView line : QStringView(cell.text).split(QLatin1Char('\n'))) widest = std::max(widest, TextAdvance(line));
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    return int(std::ceil(widest)) + 2 * margin + (kind == CellKind::Choice ? kChoiceArrowWidth : 0);
}

// Digits, signs, points and blanks are not shaped together in a figure, so a figure's advance is
// the sum of its characters'; other texts are laid out by the font.
double CSpreadSheet::TextAdvance(QStringView line) const {
    auto isFigureChar = [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= u'0' && u <= u'9') || u == u'.' || u == u',' || u == u'-' || u == u'+' || u == u' ';
    };
    if (!std::all_of(line.begin(), line.end(), isFigureChar)) return QFontMetricsF(font()).horizontalAdvance(line.toString());
    double advance = 0.0;
    for (QChar c : line) {
        double& known = m_figureAdvance[c.unicode()];
        if (known == 0.0) known = QFontMetricsF(font()).horizontalAdvance(c);
        advance += known;
    }
    return advance;
}

void CSpreadSheet::ForgetTextWidths() {
    m_figureAdvance.fill(0.0);
    ForgetWidestTexts();
    for (int row = 1; row <= Rows(); ++row)
        for (int col = 1; col <= Cols(); ++col) m_model->CellAt(col, row)->width = -1;
}

void CSpreadSheet::SetRowHeight(int row, double height) {
    int pixels = std::max(0, int(height + 0.5));
    int first = row == -1 ? 1 : row, last = row == -1 ? Rows() : row;
    for (int r = std::max(first, 1); r <= last && r <= Rows(); ++r) {
        m_setHeights[r] = pixels;
        MarkRowHeight(r);
    }
}

double CSpreadSheet::GetRowHeight(int row) const {
    if (row == 0) return horizontalHeader()->sizeHint().height();
    if (row < 1 || row > Rows()) return 0.0;
    return rowHeight(row - 1);
}

void CSpreadSheet::MarkRowHeight(int row) {
    if (m_redraw)
        UpdateRowHeight(row);
    else
        m_pendingHeights.insert(row);
}

void CSpreadSheet::UpdateRowHeight(int row) {
    if (row < 1 || row > Rows()) return;
    int height = m_oneLineHeight;
    if (auto set = m_setHeights.find(row); set != m_setHeights.end()) {
        // Heights were chosen for the smaller fonts of the original grid: a row never cuts the
        // line of text it holds.
        height = set->second > 0 ? std::max(set->second, fontMetrics().height() + 2) : 0;
    } else {
        bool twoLines = CellTextAt(0, row).contains(QLatin1Char('\n'));
        for (int col = 1; !twoLines && col <= Cols(); ++col)
            twoLines = m_model->CellAt(col, row)->text.contains(QLatin1Char('\n'));
        if (twoLines) height = m_twoLineHeight;
    }
    if (verticalHeader()->sectionSize(row - 1) != height) verticalHeader()->resizeSection(row - 1, height);
}

void CSpreadSheet::UpdateLineHeights() {
    int line = fontMetrics().lineSpacing();
    m_oneLineHeight = line + 8;
    m_twoLineHeight = 2 * line + 8;
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(m_oneLineHeight);
    for (int row = 1; row <= Rows(); ++row) MarkRowHeight(row);
}

void CSpreadSheet::SetReDraw(bool on) {
    if (on == m_redraw) return;
    m_redraw = on;
    if (on) {
        m_model->EndBatch();
        std::set<int> pending;
        pending.swap(m_pendingHeights);
        for (int row : pending) UpdateRowHeight(row);
        setUpdatesEnabled(true);
        viewport()->update();
    } else {
        setUpdatesEnabled(false);
        m_model->BeginBatch();
    }
}

// ---------------------------------------------------------------------------------------------
// Cell helpers

QString CSpreadSheet::GetCellText(int col, int row) {
    SetRow(row);
    SetCol(col);
    return GetText();
}

void CSpreadSheet::SetCellText(int col, int row, const QString& text) {
    SetRow(row);
    SetCol(col);
    SetText(text);
}

void CSpreadSheet::ClearCellText(int col, int row) { SetCellText(col, row, QString()); }

double CSpreadSheet::GetCellDouble(int col, int row, double defaultValue) {
    QString text = GetCellText(col, row);
    if (text.isEmpty()) return defaultValue;
    // The yen sign arrives as "\" from code page 932 texts, or as one of its Unicode forms.
    text.remove(QLatin1Char('\\'));
    text.remove(QChar(0x00A5));
    text.remove(QChar(0xFFE5));
    text.remove(QLatin1Char(','));
    return CAtof(text);
}

void CSpreadSheet::SetCellDouble(int col, int row, double value) { SetCellText(col, row, FormatFixed4(value)); }

void CSpreadSheet::SetCellInt(int col, int row, int value) { SetCellText(col, row, QString::number(value)); }

void CSpreadSheet::SetCellForeColor(int col, int row, COLORREF colour) {
    SetRow(row);
    SetCol(col);
    SetForeColor(colour);
}

void CSpreadSheet::SetCellBackColor(int col, int row, COLORREF colour) {
    SetRow(row);
    SetCol(col);
    SetBackColor(colour);
}

void CSpreadSheet::SetCellLocked(int col, int row, int flag) {
    SetRow(row);
    SetCol(col);
    SetLock(flag != 0);
}

void CSpreadSheet::SetCellCheck(int col, int row, int flag) {
    SetRow(row);
    SetCol(col);
    SetValue(flag != 0 ? QStringLiteral("1") : QStringLiteral("0"));
}

void CSpreadSheet::SetCellValueInt(int col, int row, int value) {
    SetRow(row);
    SetCol(col);
    SetValue(QString::number(value));
}

int CSpreadSheet::GetCellValueInt(int col, int row) {
    SetRow(row);
    SetCol(col);
    return CAtoi(GetValue());
}

void CSpreadSheet::SelectCell(int col, int row) {
    SetRow(row);
    SetRow2(row);
    SetCol(col);
    SetCol2(col);
    SetAction(kActionSelectBlock);
}
