// Test support for the tests of app/: SelectionLists.
#pragma once
#include <QStringList>
#include <QTreeWidget>
#include <vector>

// The rows of a selection dialog's list, top to bottom.
inline QStringList Rows(const QTreeWidget* list) {
    QStringList rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i) rows << list->topLevelItem(i)->text(0);
    return rows;
}

// The selected rows of a list, in ascending order.
inline std::vector<int> Selected(const QTreeWidget* list) {
    std::vector<int> rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (list->topLevelItem(i)->isSelected()) rows.push_back(i);
    return rows;
}

// Selects those rows of a list alone.
inline void Select(QTreeWidget* list, const std::vector<int>& rows) {
    list->clearSelection();
    for (int row : rows) list->topLevelItem(row)->setSelected(true);
}
