#pragma once
#include <functional>
#include <optional>

class CSpreadSheet;
class QObject;

// A block of grid cells, counted from 1, corners included.
struct GridBlock {
    int col1, row1, col2, row2;
    bool operator==(const GridBlock&) const = default;
};

// The block between two corners as the grid reports them — −1 for every column (or row), 0 for the
// heading row (or column), corners in either order — cut down to the cols × rows cells that hold
// data, so that it can index a model. Nothing when the block holds none of them.
std::optional<GridBlock> ClampGridBlock(int col, int row, int col2, int row2, int cols, int rows);

// The editors' current cell and block as the user moves in the grid: a cell left for another makes
// that one current through makeCurrent (−1 keeps a coordinate), a selected block sets the current
// cell to its first corner and the block's end to the other; each move then calls changed. Delete,
// outside an open cell editor, calls clear. The connections live as long as context.
struct GridCursorRefs {
    int& col;
    int& row;
    int& col2;
    int& row2;
};
void FollowGridCursor(CSpreadSheet& grid, QObject& context, GridCursorRefs cursor,
                      std::function<void(int col, int row)> makeCurrent, std::function<void()> changed,
                      std::function<void()> clear);
