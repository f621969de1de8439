#include "masteredit/GridBlock.h"

#include "dialogkit/SpreadSheet.h"

#include <algorithm>
#include <utility>

namespace {

// The part of [a, b] (either order, −1 for all) that lies in 1..count; nothing when empty.
std::optional<std::pair<int, int>> ClampSpan(int a, int b, int count) {
    if (count <= 0) return std::nullopt;
    if (a == -1 || b == -1) return std::pair{1, count};
    int low = std::max(std::min(a, b), 1);
    int high = std::min(std::max(a, b), count);
    if (low > high) return std::nullopt;
    return std::pair{low, high};
}

}  // namespace

std::optional<GridBlock> ClampGridBlock(int col, int row, int col2, int row2, int cols, int rows) {
    auto c = ClampSpan(col, col2, cols);
    auto r = ClampSpan(row, row2, rows);
    if (!c || !r) return std::nullopt;
    return GridBlock{c->first, r->first, c->second, r->second};
}

void FollowGridCursor(CSpreadSheet& grid, QObject& context, GridCursorRefs cursor,
                      std::function<void(int col, int row)> makeCurrent, std::function<void()> changed,
                      std::function<void()> clear) {
    constexpr short kDeleteKey = 46;
    QObject::connect(&grid, &CSpreadSheet::LeaveCell, &context,
                     [cursor, makeCurrent, changed](int, int, int newCol, int newRow, bool&) {
                         makeCurrent(newCol == -1 ? cursor.col : newCol, newRow == -1 ? cursor.row : newRow);
                         changed();
                     });
    QObject::connect(&grid, &CSpreadSheet::BlockSelected, &context,
                     [cursor, changed](int col, int row, int col2, int row2) {
                         cursor.col = col;
                         cursor.row = row;
                         cursor.col2 = col2;
                         cursor.row2 = row2;
                         changed();
                     });
    QObject::connect(&grid, &CSpreadSheet::KeyDown, &context, [&grid, clear](short& keyCode, short) {
        if (keyCode == kDeleteKey && !grid.GetEditMode()) clear();
    });
}
