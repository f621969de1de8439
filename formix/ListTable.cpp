#include "formix/ListTable.h"

#include <algorithm>

namespace formix {

void CListTable::DeleteColumn(int i) {
    if (i < 0 || i >= ColumnCount()) {
        return;
    }
    columns.erase(columns.begin() + i);
    for (auto& cells : items) {
        if (i < static_cast<int>(cells.size())) {
            cells.erase(cells.begin() + i);
        }
    }
}

void CListTable::InsertColumn(int i, std::string title, CListColumn::Align align, int width) {
    i = std::clamp(i, 0, ColumnCount());
    columns.insert(columns.begin() + i, CListColumn{std::move(title), align, width});
    for (auto& cells : items) {
        if (i <= static_cast<int>(cells.size())) {
            cells.insert(cells.begin() + i, std::string());
        }
    }
}

int CListTable::InsertItem(int i, std::string text) {
    i = std::clamp(i, 0, ItemCount());
    std::vector<std::string> cells(std::max<size_t>(columns.size(), 1));
    cells[0] = std::move(text);
    items.insert(items.begin() + i, std::move(cells));
    return i;
}

void CListTable::SetItemText(int item, int sub, std::string text) {
    if (item < 0 || item >= ItemCount() || sub < 0 || sub >= std::max(ColumnCount(), 1)) {
        return;
    }
    auto& cells = items[static_cast<size_t>(item)];
    if (static_cast<size_t>(sub) >= cells.size()) {
        cells.resize(static_cast<size_t>(sub) + 1);
    }
    cells[static_cast<size_t>(sub)] = std::move(text);
}

std::string CListTable::GetItemText(int item, int sub) const {
    if (item < 0 || item >= ItemCount() || sub < 0) {
        return {};
    }
    const auto& cells = items[static_cast<size_t>(item)];
    return static_cast<size_t>(sub) < cells.size() ? cells[static_cast<size_t>(sub)] : std::string();
}

}  // namespace formix
