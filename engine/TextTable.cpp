#include "TextTable.h"

#include "NumberFormat.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>

namespace engine {

TextTable::TextTable(int rows, int cols)
{
    setCols(cols);
    setRows(rows);
}

void TextTable::setRows(int rows)
{
    m_rows = std::max(rows, 0);
    m_cells.resize(size_t(m_rows) * size_t(m_cols));
}

void TextTable::setCols(int cols)
{
    cols = std::max(cols, 0);
    if (cols == m_cols)
        return;
    std::vector<std::string> cells(size_t(m_rows) * size_t(cols));
    for (int r = 0; r < m_rows; ++r) {
        for (int c = 0; c < std::min(cols, m_cols); ++c)
            cells[size_t(r) * size_t(cols) + size_t(c)] = std::move(m_cells[size_t(r) * size_t(m_cols) + size_t(c)]);
    }
    m_cells = std::move(cells);
    m_cols = cols;
}

const std::string &TextTable::text(int row, int col) const
{
    static const std::string empty;
    if (row < 0 || row >= m_rows || col < 0 || col >= m_cols)
        return empty;
    return m_cells[size_t(row) * size_t(m_cols) + size_t(col)];
}

void TextTable::setText(int row, int col, std::string text)
{
    if (row < 0 || row >= m_rows || col < 0 || col >= m_cols)
        throw std::out_of_range("table cell out of range");
    m_cells[size_t(row) * size_t(m_cols) + size_t(col)] = std::move(text);
}

void TextTable::removeRow(int row)
{
    if (row < 0 || row >= m_rows)
        return;
    const auto first = m_cells.begin() + std::ptrdiff_t(row) * m_cols;
    m_cells.erase(first, first + m_cols);
    --m_rows;
}

void TextTable::clearCells()
{
    for (std::string &cell : m_cells)
        cell.clear();
}

void TextTable::sortRowsBy(int col)
{
    if (m_rows <= 2)
        return;
    std::vector<int> order(size_t(m_rows - 1));
    std::iota(order.begin(), order.end(), 1);
    std::vector<double> keys(static_cast<size_t>(m_rows));
    for (int r = 1; r < m_rows; ++r)
        keys[size_t(r)] = numberOrZero(text(r, col));
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return keys[size_t(a)] < keys[size_t(b)]; });
    std::vector<std::string> cells(m_cells.size());
    std::move(m_cells.begin(), m_cells.begin() + m_cols, cells.begin());
    for (size_t i = 0; i < order.size(); ++i) {
        const auto from = m_cells.begin() + std::ptrdiff_t(order[i]) * m_cols;
        std::move(from, from + m_cols, cells.begin() + std::ptrdiff_t(i + 1) * m_cols);
    }
    m_cells = std::move(cells);
}

} // namespace engine
