#pragma once

#include "ColumnProperties.h"

#include <optional>
#include <vector>

namespace document {

// The two column lists of the options: the shown columns after "No." in their order, and the hidden ones. "No." is in
// neither: it always stays the first column. Columns are named by their logical index.
class ColumnChooser
{
public:
    explicit ColumnChooser(const ColumnProperties &columns);

    const std::vector<int> &visible() const { return m_visible; }
    const std::vector<int> &hidden() const { return m_hidden; }

    // Hide moves a shown column to the end of the hidden list, show a hidden one to the end of the shown list. The
    // result is the index to select afterwards in the list the column left (the same index, or the last one; -1 once
    // it is empty), or nothing when there was no such column.
    std::optional<int> hide(int visibleIndex);
    std::optional<int> show(int hiddenIndex);
    // Moves a shown column one place; the result is its new index, or nothing when it cannot move that way.
    std::optional<int> moveUp(int visibleIndex);
    std::optional<int> moveDown(int visibleIndex);

    // Positions as the lists say: "No." 0, the shown columns 1..n in order, the hidden ones -1.
    void applyTo(ColumnProperties &columns) const;

private:
    std::vector<int> m_visible;
    std::vector<int> m_hidden;
};

} // namespace document
