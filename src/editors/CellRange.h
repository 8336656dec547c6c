#pragma once

#include <algorithm>

namespace tarn {

// A grid selection given by the current cell and the selection's other corner, in grid
// coordinates (row 0 and column 0 are the fixed header cells).
struct CellRange
{
    int row = 1;
    int column = 1;
    int otherRow = 1;
    int otherColumn = 1;

    int top() const { return std::min(row, otherRow); }
    int bottom() const { return std::max(row, otherRow); }
    int left() const { return std::min(column, otherColumn); }
    int right() const { return std::max(column, otherColumn); }
};

} // namespace tarn
