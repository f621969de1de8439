#include "app/ItemSelectDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/ListImages.h"
#include "app/AppTexts.h"
#include "estimate/CalcCodes.h"
#include "masteredit/MasterEditTexts.h"

namespace {

QTreeWidget* MakeList(QWidget* parent, const char* name, const char* title) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setColumnCount(1);
    list->setHeaderLabels({QString::fromUtf8(title)});
    list->setRootIsDecorated(false);
    list->setIndentation(0);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setIconSize(QSize(16, 16));
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->header()->setStretchLastSection(false);
    list->header()->setSectionsMovable(false);
    list->header()->setSectionsClickable(false);
    // 200 × 150 dialog units.
    list->setMinimumSize(300, 250);
    return list;
}

}  // namespace

CItemSelectDlg::CItemSelectDlg(const char* caption, const char* hint, const char* masterTitle,
                               const char* chosenTitle, QWidget* parent)
    : CSekisanDialog(parent) {
    setWindowTitle(QString::fromUtf8(caption));
    auto* hintLabel = new QLabel(QString::fromUtf8(hint), this);
    hintLabel->setObjectName(QStringLiteral("hint"));
    m_masterList = MakeList(this, "masterList", masterTitle);
    m_chosenList = MakeList(this, "chosenList", chosenTitle);
    m_addButton = new QPushButton(QString::fromUtf8(apptext::kAddButton), this);
    m_addButton->setObjectName(QStringLiteral("add"));
    m_removeButton = new QPushButton(QString::fromUtf8(apptext::kRemoveButton), this);
    m_removeButton->setObjectName(QStringLiteral("remove"));
    auto buttons = MakeOkCancelButtons();

    auto* middle = new QVBoxLayout;
    middle->addStretch(1);
    middle->addWidget(m_addButton);
    middle->addSpacing(12);
    middle->addWidget(m_removeButton);
    middle->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(buttons.ok);
    right->addWidget(buttons.cancel);
    right->addStretch(1);

    m_grid = new QGridLayout(this);
    m_grid->addWidget(hintLabel, 0, 0, 1, 3);
    m_grid->addWidget(m_masterList, 1, 0);
    m_grid->addLayout(middle, 1, 1);
    m_grid->addWidget(m_chosenList, 1, 2);
    m_grid->addLayout(right, 1, 3);
    m_belowListsRow = 2;
    m_bottomRow = 3;
    m_grid->setRowStretch(1, 1);

    // Tab order: the master list, the buttons, the chosen list, OK and Cancel.
    setTabOrder(m_masterList, m_addButton);
    setTabOrder(m_addButton, m_removeButton);
    setTabOrder(m_removeButton, m_chosenList);
    setTabOrder(m_chosenList, buttons.ok);
    setTabOrder(buttons.ok, buttons.cancel);

    connect(m_addButton, &QPushButton::clicked, this, [this] { OnAdd(); });
    connect(m_removeButton, &QPushButton::clicked, this, [this] { OnRemove(); });
    for (QTreeWidget* list : {m_masterList, m_chosenList}) {
        connect(list, &QTreeWidget::itemSelectionChanged, this, [this] {
            UpdateButtons();
            OnSelectionChanged();
        });
        connect(list, &QTreeWidget::itemDoubleClicked, this, [this, list](QTreeWidgetItem* item, int) {
            if (!item) return;
            if (list == m_masterList)
                OnAdd();
            else
                OnRemove();
        });
    }
    UpdateButtons();
}

void CItemSelectDlg::FillList(QTreeWidget* list, const std::vector<Entry>& entries) {
    list->setEnabled(false);
    const QSignalBlocker block(list);
    list->clear();
    for (const Entry& e : entries) {
        auto* item = new QTreeWidgetItem(list, {e.text});
        item->setIcon(0, BukakeListImage(e.image));
    }
    list->setEnabled(true);
    UpdateButtons();
    OnSelectionChanged();
}

std::vector<int> CItemSelectDlg::SelectedRows(const QTreeWidget* list) {
    std::vector<int> rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (list->topLevelItem(i)->isSelected()) rows.push_back(i);
    return rows;
}

void CItemSelectDlg::SelectRow(QTreeWidget* list, int row) {
    const int count = list->topLevelItemCount();
    if (row >= count) row = count - 1;
    {
        const QSignalBlocker block(list);
        list->clearSelection();
        if (row >= 0) {
            QTreeWidgetItem* item = list->topLevelItem(row);
            list->setCurrentItem(item, 0, QItemSelectionModel::ClearAndSelect);
            list->scrollToItem(item);
        }
    }
    UpdateButtons();
    OnSelectionChanged();
}

void CItemSelectDlg::UpdateButtons() {
    m_addButton->setEnabled(!m_masterList->selectedItems().isEmpty());
    m_removeButton->setEnabled(!m_chosenList->selectedItems().isEmpty());
}

bool CItemSelectDlg::eventFilter(QObject* watched, QEvent* event) {
    auto* list = qobject_cast<QTreeWidget*>(watched);
    if (list != m_masterList && list != m_chosenList) return CSekisanDialog::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) {
        if (list->topLevelItemCount() > 0 && list->selectedItems().isEmpty()) SelectRow(list, 0);
    } else if (event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (list == m_masterList)
                OnAdd();
            else
                OnRemove();
            list->setFocus();
            return true;
        case Qt::Key_Left:
            focusNextPrevChild(false);
            return true;
        case Qt::Key_Right:
            focusNextPrevChild(true);
            return true;
        default:
            break;
        }
    }
    return CSekisanDialog::eventFilter(watched, event);
}

void CItemSelectDlg::FitColumns() {
    for (QTreeWidget* list : {m_masterList, m_chosenList}) {
        const int bar = list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
        list->setColumnWidth(0, std::max(0, list->width() - 2 * list->frameWidth() - bar));
    }
}

void CItemSelectDlg::resizeEvent(QResizeEvent* event) {
    CSekisanDialog::resizeEvent(event);
    FitColumns();
}

void CItemSelectDlg::showEvent(QShowEvent* event) {
    CSekisanDialog::showEvent(event);
    FitColumns();
}

void CCodeSelectDlg::OnAdd() {
    const std::vector<int> rows = SelectedRows(MasterList());
    if (rows.empty()) return;
    std::vector<int32_t> codes;
    for (int row : rows) codes.push_back(m_masterCodes[size_t(row)]);
    m_choice.Add(codes);
    Refill();
    SelectRow(MasterList(), rows.front());
}

void CCodeSelectDlg::OnRemove() {
    const std::vector<int> rows = SelectedRows(ChosenList());
    if (rows.empty()) return;
    std::vector<size_t> positions;
    for (int row : rows) positions.push_back(m_chosenRows[size_t(row)]);
    m_choice.Remove(positions);
    Refill();
    SelectRow(ChosenList(), rows.front());
}

void CItemSelectDlg::SetLegendText(QLabel* label, const char* text) {
    const QString line = QString::fromUtf8(text);
    label->setText(line);
    label->setIndent(line.startsWith(QLatin1Char(' ')) ? 0 : label->fontMetrics().horizontalAdvance(QLatin1Char(' ')));
}

CItemSelectDlg::Legends CItemSelectDlg::MakeLegends(const char* greenText) {
    auto line = [this](const char* name, const char* text) {
        auto* label = new QLabel(this);
        label->setObjectName(QString::fromLatin1(name));
        SetLegendText(label, text);
        return label;
    };
    Legends legends{};
    legends.yellow = line("legendYellow", apptext::kLegendNewStandard);
    legends.blue = line("legendBlue", apptext::kLegendNewUser);
    legends.green = line("legendGreen", greenText);
    legends.brown = line("legendBrown", apptext::kLegendConventional);
    legends.purple = line("legendPurple", apptext::kLegendConventionalUser);
    legends.column = new QVBoxLayout;
    for (QLabel* label : {legends.yellow, legends.blue, legends.green, legends.brown, legends.purple})
        legends.column->addWidget(label);
    return legends;
}

bool CItemSelectDlg::ShowLegendsFor(const Legends& legends, int32_t gyomu) {
    const bool newMethod = calc::IsLabourSplitGyomu(gyomu);
    SetLegendText(legends.yellow, newMethod ? masteredittext::kLegendNewStandard : masteredittext::kLegendStandard);
    SetLegendText(legends.blue, newMethod ? masteredittext::kLegendNewUser : masteredittext::kLegendUser);
    legends.green->setVisible(false);
    legends.brown->setVisible(newMethod);
    legends.purple->setVisible(newMethod);
    return newMethod;
}
