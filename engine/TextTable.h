#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace engine {

// A grid of text cells: row 0 is the header, data rows follow. Numbers and dates are held as text,
// exactly as the program shows or stores them.
//
// The characters of all cells live back to back in one buffer and each cell is an offset and a length into it,
// so a schedule of 90,000 rows costs a few bytes per cell beyond its text and no allocation per cell.
class TextTable
{
public:
    explicit TextTable(int rows = 1, int cols = 0);

    int rows() const { return m_rows; }
    int cols() const { return m_cols; }
    // Truncates or extends; new cells are empty. Negative counts are taken as 0.
    void setRows(int rows);
    void setCols(int cols);
    // Room for this many characters of cell text, to avoid regrowing while a large table is filled.
    void reserveText(size_t characters) { m_text.reserve(characters); }

    // An empty text outside the table. The view stays valid until the table is next changed.
    std::string_view text(int row, int col) const;
    // Throws std::out_of_range outside the table.
    void setText(int row, int col, std::string_view text);

    void removeRow(int row);
    // Empties every cell, keeping the size.
    void clearCells();
    // Sorts the data rows (1 and up) ascending on the number in `col` (non-numbers count as 0); equal keys keep
    // their order.
    void sortRowsBy(int col);

    friend bool operator==(const TextTable &a, const TextTable &b);

private:
    struct Cell
    {
        std::uint32_t offset = 0;
        std::uint32_t length = 0;
    };
    Cell &cell(int row, int col) { return m_cells[size_t(row) * size_t(m_cols) + size_t(col)]; }
    void compact();

    int m_rows = 0;
    int m_cols = 0;
    std::vector<Cell> m_cells; // row-major
    std::string m_text; // the cells' characters; replaced texts leave unused bytes behind
    size_t m_unused = 0;
};

} // namespace engine
