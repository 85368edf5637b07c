#include "ColumnChooser.h"

#include <algorithm>

namespace document {

namespace {

// Moves the item at `index` of `from` to the end of `to`; the index `from` then selects.
std::optional<int> transfer(std::vector<int> &from, std::vector<int> &to, int index)
{
    if (index < 0 || index >= int(from.size()))
        return std::nullopt;
    to.push_back(from[size_t(index)]);
    from.erase(from.begin() + index);
    return std::min(index, int(from.size()) - 1);
}

} // namespace

ColumnChooser::ColumnChooser(const ColumnProperties &columns)
{
    // Shown means what the grid shows: a position within the columns. Anything else a damaged file held is hidden.
    for (int k = 1; k < kLogicalColumns; ++k) {
        const int position = columns.columns[size_t(k)].Position;
        (position >= 0 && position < kLogicalColumns ? m_visible : m_hidden).push_back(k);
    }
    std::stable_sort(m_visible.begin(), m_visible.end(), [&](int a, int b) {
        return columns.columns[size_t(a)].Position < columns.columns[size_t(b)].Position;
    });
}

std::optional<int> ColumnChooser::hide(int visibleIndex)
{
    return transfer(m_visible, m_hidden, visibleIndex);
}

std::optional<int> ColumnChooser::show(int hiddenIndex)
{
    return transfer(m_hidden, m_visible, hiddenIndex);
}

std::optional<int> ColumnChooser::moveUp(int visibleIndex)
{
    if (visibleIndex < 1 || visibleIndex >= int(m_visible.size()))
        return std::nullopt;
    std::swap(m_visible[size_t(visibleIndex)], m_visible[size_t(visibleIndex - 1)]);
    return visibleIndex - 1;
}

std::optional<int> ColumnChooser::moveDown(int visibleIndex)
{
    if (visibleIndex < 0 || visibleIndex + 1 >= int(m_visible.size()))
        return std::nullopt;
    std::swap(m_visible[size_t(visibleIndex)], m_visible[size_t(visibleIndex + 1)]);
    return visibleIndex + 1;
}

void ColumnChooser::applyTo(ColumnProperties &columns) const
{
    columns.columns[0].Position = 0;
    for (size_t i = 0; i < m_visible.size(); ++i)
        columns.columns[size_t(m_visible[i])].Position = int(i) + 1;
    for (int k : m_hidden)
        columns.columns[size_t(k)].Position = -1;
}

} // namespace document
