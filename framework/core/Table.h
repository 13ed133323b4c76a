#pragma once
// Two-dimensional table with inclusive upper bounds, every element 0 at
// creation; an index outside the bounds raises OutOfBoundsException.
#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/Exceptions.h"

namespace fw {

template <typename T>
class Table2D {
public:
    Table2D(std::int64_t lastRow, std::int64_t lastColumn)
        : rows_(lastRow + 1), columns_(lastColumn + 1), data_(static_cast<std::size_t>(rows_ * columns_), T{}) {}

    std::int64_t LastRow() const { return rows_ - 1; }
    std::int64_t LastColumn() const { return columns_ - 1; }

    bool Contains(std::int64_t row, std::int64_t column) const {
        return row >= 0 && row < rows_ && column >= 0 && column < columns_;
    }

    T Get(std::int64_t row, std::int64_t column) const { return data_[Offset(row, column)]; }
    void Set(std::int64_t row, std::int64_t column, T value) { data_[Offset(row, column)] = value; }

private:
    std::size_t Offset(std::int64_t row, std::int64_t column) const {
        if (!Contains(row, column)) {
            throw OutOfBoundsException("Tabellenindex (" + std::to_string(row) + ", " + std::to_string(column) +
                                       ") liegt außerhalb der Grenzen.");
        }
        return static_cast<std::size_t>(row * columns_ + column);
    }

    std::int64_t rows_;
    std::int64_t columns_;
    std::vector<T> data_;
};

}  // namespace fw
