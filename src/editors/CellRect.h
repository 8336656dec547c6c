#pragma once

#include <algorithm>

namespace tarn {

// A rectangle of cells given by the cell where its selection started and its other corner,
// counted from 0 like the model (input or loop, slot). Either corner may be the larger one.
struct CellRect
{
    int row = 0;
    int column = 0;
    int otherRow = 0;
    int otherColumn = 0;

    int top() const { return std::min(row, otherRow); }
    int bottom() const { return std::max(row, otherRow); }
    int left() const { return std::min(column, otherColumn); }
    int right() const { return std::max(column, otherColumn); }
    bool contains(int r, int c) const
    {
        return r >= top() && r <= bottom() && c >= left() && c <= right();
    }
    friend bool operator==(const CellRect&, const CellRect&) = default;
};

} // namespace tarn
