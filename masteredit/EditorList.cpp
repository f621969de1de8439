#include "masteredit/EditorList.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>

#include "pictures/ImageList.h"
#include "pictures/Resources.h"
#include "masteredit/MasterEditTexts.h"
#include "report/ReportTexts.h"

std::vector<QIcon> ListStripImages(ListStrip strip) {
    InitAppResources();
    switch (strip) {
        case ListStrip::Bukake: return LoadImageList(QStringLiteral(":/bitmaps/bukake_list.png"), 16);
        case ListStrip::Henkaritsu: return LoadImageList(QStringLiteral(":/bitmaps/henkaritsu_list.png"), 16);
        case ListStrip::Shokeihi: return LoadImageList(QStringLiteral(":/bitmaps/shokeihi_list.png"), 16);
        case ListStrip::Shokushu: return LoadImageList(QStringLiteral(":/bitmaps/shokushu_list.png"), 16);
    }
    return {};
}

CEditorList::CEditorList(QWidget* parent) : QTreeWidget(parent) {
    setColumnCount(1);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setItemsExpandable(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setIconSize(QSize(16, 16));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    header()->setSectionsClickable(false);
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    FitColumn();

    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (!m_filling && item) SetChosenFrom(item);
    });
    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        SetChosenFrom(item);
        emit Clicked(m_chosen);
    });
    connect(this, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        SetChosenFrom(item);
        emit Opened(m_chosen);
    });
}

void CEditorList::SetChosenFrom(QTreeWidgetItem* item) {
    const int index = indexOfTopLevelItem(item);
    if (index < 0) return;
    m_chosen = index;
    emit Chosen(index);
}

void CEditorList::SetTitle(const QString& title) {
    m_title = title;
    setHeaderLabel(title);
}

void CEditorList::Fill(const std::vector<Entry>& entries) {
    m_filling = true;
    clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(entries.size()));
    for (const Entry& entry : entries) {
        auto* item = new QTreeWidgetItem(QStringList{entry.text});
        if (entry.image >= 0 && entry.image < static_cast<int>(m_images.size()))
            item->setIcon(0, m_images[static_cast<size_t>(entry.image)]);
        items.append(item);
    }
    addTopLevelItems(items);
    m_filling = false;
    setHeaderLabel(m_title + QString::fromUtf8(reporttext::kMeisaiBracketOpen) + QString::number(entries.size()) +
                   QString::fromUtf8(reporttext::kMeisaiBracketClose));
    if (entries.empty()) m_chosen = -1;
}

QString CEditorList::EntryText(int index) const {
    const QTreeWidgetItem* item = topLevelItem(index);
    return item ? item->text(0) : QString();
}

void CEditorList::ShowChosen(bool scroll) {
    // The selection follows the chosen index, not the other way round (a list that takes the focus
    // without a current entry makes its first one current).
    m_filling = true;
    QTreeWidgetItem* item = topLevelItem(m_chosen);
    if (item) {
        setCurrentItem(item);
        if (scroll) scrollToItem(item);
    } else {
        clearSelection();
        setCurrentItem(nullptr);
    }
    setFocus();
    if (!item) clearSelection();
    m_filling = false;
}

void CEditorList::mousePressEvent(QMouseEvent* event) {
    QTreeWidget::mousePressEvent(event);
    if (itemAt(event->position().toPoint())) return;
    // Empty space: no entry is chosen any more.
    m_filling = true;
    clearSelection();
    setCurrentItem(nullptr);
    m_filling = false;
    m_chosen = -1;
    emit Chosen(-1);
    emit Clicked(-1);
}

void CEditorList::resizeEvent(QResizeEvent* event) {
    QTreeWidget::resizeEvent(event);
    FitColumn();
}

void CEditorList::FitColumn() {
    const int client = width() - 2 * frameWidth();
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    header()->resizeSection(0, std::max(client - scrollBar, 0));
}
