#include "TextTable.h"

#include "NumberFormat.h"

#include <algorithm>
#include <limits>
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
    rows = std::max(rows, 0);
    // The text of dropped cells becomes unused space, reclaimed by the next compaction.
    for (size_t i = size_t(rows) * size_t(m_cols); i < m_cells.size(); ++i)
        m_unused += m_cells[i].length;
    m_rows = rows;
    m_cells.resize(size_t(m_rows) * size_t(m_cols));
    if (m_cells.empty()) {
        m_text.clear();
        m_unused = 0;
    }
}

void TextTable::setCols(int cols)
{
    cols = std::max(cols, 0);
    if (cols == m_cols)
        return;
    std::vector<Cell> cells(size_t(m_rows) * size_t(cols));
    for (int r = 0; r < m_rows; ++r) {
        for (int c = 0; c < m_cols; ++c) {
            if (c < cols)
                cells[size_t(r) * size_t(cols) + size_t(c)] = cell(r, c);
            else
                m_unused += cell(r, c).length;
        }
    }
    m_cells = std::move(cells);
    m_cols = cols;
}

std::string_view TextTable::text(int row, int col) const
{
    if (row < 0 || row >= m_rows || col < 0 || col >= m_cols)
        return {};
    const Cell &c = m_cells[size_t(row) * size_t(m_cols) + size_t(col)];
    return std::string_view(m_text).substr(c.offset, c.length);
}

void TextTable::setText(int row, int col, std::string_view text)
{
    if (row < 0 || row >= m_rows || col < 0 || col >= m_cols)
        throw std::out_of_range("table cell out of range");
    Cell &c = cell(row, col);
    if (text.size() <= c.length) {
        // Fits where the old text was.
        m_text.replace(c.offset, text.size(), text);
        m_unused += c.length - text.size();
        c.length = std::uint32_t(text.size());
        return;
    }
    if (m_text.size() + text.size() > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("table text too large");
    m_unused += c.length;
    c.offset = std::uint32_t(m_text.size());
    c.length = std::uint32_t(text.size());
    m_text.append(text);
    if (m_unused > 4096 && m_unused > m_text.size() / 2)
        compact();
}

void TextTable::compact()
{
    std::string text;
    text.reserve(m_text.size() - m_unused);
    for (Cell &c : m_cells) {
        const auto offset = std::uint32_t(text.size());
        text.append(m_text, c.offset, c.length);
        c.offset = offset;
    }
    m_text = std::move(text);
    m_unused = 0;
}

void TextTable::removeRow(int row)
{
    if (row < 0 || row >= m_rows)
        return;
    const auto first = m_cells.begin() + std::ptrdiff_t(row) * m_cols;
    for (auto it = first; it != first + m_cols; ++it)
        m_unused += it->length;
    m_cells.erase(first, first + m_cols);
    --m_rows;
}

void TextTable::clearCells()
{
    std::fill(m_cells.begin(), m_cells.end(), Cell {});
    m_text.clear();
    m_unused = 0;
}

void TextTable::sortRowsBy(int col)
{
    if (m_rows <= 2)
        return;
    std::vector<int> order(static_cast<size_t>(m_rows - 1));
    std::iota(order.begin(), order.end(), 1);
    std::vector<double> keys(static_cast<size_t>(m_rows));
    for (int r = 1; r < m_rows; ++r)
        keys[size_t(r)] = numberOrZero(text(r, col));
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return keys[size_t(a)] < keys[size_t(b)]; });
    std::vector<Cell> cells(m_cells.begin(), m_cells.begin() + m_cols);
    cells.reserve(m_cells.size());
    for (int r : order)
        cells.insert(cells.end(), m_cells.begin() + std::ptrdiff_t(r) * m_cols,
                     m_cells.begin() + std::ptrdiff_t(r + 1) * m_cols);
    m_cells = std::move(cells);
}

bool operator==(const TextTable &a, const TextTable &b)
{
    if (a.m_rows != b.m_rows || a.m_cols != b.m_cols)
        return false;
    for (int r = 0; r < a.m_rows; ++r) {
        for (int c = 0; c < a.m_cols; ++c) {
            if (a.text(r, c) != b.text(r, c))
                return false;
        }
    }
    return true;
}

} // namespace engine
