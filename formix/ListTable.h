#pragma once

#include <string>
#include <vector>

namespace formix {

// The data of a report-style list: header columns and items with their cell texts. The vector and
// matrix classes exchange their elements with it (DDX_Vektor, DDX_Matrix); a user interface shows it
// and copies the user's edits back. Cell 0 of an item is the item's own text.
struct CListColumn {
    enum Align { left, right };
    std::string title;
    Align align = left;
    int width = 0;
};

struct CListTable {
    // False stands for a list that is not shown: the exchange then does nothing.
    bool hasWindow = true;
    std::vector<CListColumn> columns;
    std::vector<std::vector<std::string>> items;
    // The number of items the list was told to expect (a hint; it adds no items).
    int expectedItems = 0;

    int ColumnCount() const { return static_cast<int>(columns.size()); }
    int ItemCount() const { return static_cast<int>(items.size()); }

    void DeleteAllItems() { items.clear(); }
    // Removes column i (and its cells); out of range nothing happens.
    void DeleteColumn(int i);
    // Inserts a column at i (clamped to the ends).
    void InsertColumn(int i, std::string title, CListColumn::Align align, int width);
    // Inserts an item with the given text at i (clamped) and returns its index.
    int InsertItem(int i, std::string text);
    // Sets a cell; out of range nothing happens.
    void SetItemText(int item, int sub, std::string text);
    // A cell's text; "" out of range.
    std::string GetItemText(int item, int sub) const;
};

}  // namespace formix
