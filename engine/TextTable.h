#pragma once

#include <string>
#include <vector>

namespace engine {

// A grid of text cells: row 0 is the header, data rows follow. Numbers and dates are held as text,
// exactly as the program shows or stores them.
class TextTable
{
public:
    explicit TextTable(int rows = 1, int cols = 0);

    int rows() const { return m_rows; }
    int cols() const { return m_cols; }
    // Truncates or extends; new cells are empty. Negative counts are taken as 0.
    void setRows(int rows);
    void setCols(int cols);

    // An empty text outside the table.
    const std::string &text(int row, int col) const;
    // Throws std::out_of_range outside the table.
    void setText(int row, int col, std::string text);

    void removeRow(int row);
    // Empties every cell, keeping the size.
    void clearCells();
    // Sorts the data rows (1 and up) ascending on the number in `col` (non-numbers count as 0); equal keys keep
    // their order.
    void sortRowsBy(int col);

    friend bool operator==(const TextTable &, const TextTable &) = default;

private:
    int m_rows = 0;
    int m_cols = 0;
    std::vector<std::string> m_cells; // row-major
};

} // namespace engine
