#pragma once
#include <optional>

// A block of grid cells, counted from 1, corners included.
struct GridBlock {
    int col1, row1, col2, row2;
    bool operator==(const GridBlock&) const = default;
};

// The block between two corners as the grid reports them — −1 for every column (or row), 0 for the
// heading row (or column), corners in either order — cut down to the cols × rows cells that hold
// data, so that it can index a model. Nothing when the block holds none of them.
std::optional<GridBlock> ClampGridBlock(int col, int row, int col2, int row2, int cols, int rows);
