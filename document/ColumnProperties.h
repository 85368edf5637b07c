#pragma once

#include <array>
#include <string>

namespace document {

inline constexpr int kLogicalColumns = 13;

// Alignment codes of a schedule column.
inline constexpr int kAlignLeft = 1;
inline constexpr int kAlignCenter = 4;
inline constexpr int kAlignRight = 7;

// The schedule's column layout of one document: for each of the 13 logical columns its caption, its place among
// the shown columns (-1 when hidden), its alignment code and its width in twips.
struct ColumnProperties
{
    struct Column
    {
        std::string Caption;
        int Position = -1;
        int Alignment = kAlignCenter;
        int Width = 0;
        friend bool operator==(const Column &, const Column &) = default;
    };

    ColumnProperties();

    std::array<Column, kLogicalColumns> columns;

    // Sets the captions; for a new document also shows every column in logical order, centred.
    void init(bool newDocument);
    int visibleCount() const;

    friend bool operator==(const ColumnProperties &, const ColumnProperties &) = default;
};

// The narrowest a column may be made by fitting it to its contents, in twips.
int minimumColumnWidth(int logicalColumn);

} // namespace document
