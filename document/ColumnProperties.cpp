#include "ColumnProperties.h"

#include "engine/Schedule.h"

namespace document {

namespace {
constexpr std::array<int, kLogicalColumns> kMinimumWidths = {400, 500, 800, 500, 800, 800, 800,
                                                             700, 800, 900, 900, 900, 900};
}

ColumnProperties::ColumnProperties()
{
    for (int k = 0; k < kLogicalColumns; ++k)
        columns[size_t(k)].Width = kMinimumWidths[size_t(k)];
    init(true);
}

void ColumnProperties::init(bool newDocument)
{
    for (int k = 0; k < kLogicalColumns; ++k) {
        Column &column = columns[size_t(k)];
        column.Caption = engine::scheduleCaption(k);
        if (newDocument) {
            column.Position = k;
            column.Alignment = kAlignCenter;
        }
    }
}

int ColumnProperties::visibleCount() const
{
    int count = 0;
    for (const Column &column : columns)
        count += column.Position != -1 ? 1 : 0;
    return count;
}

int minimumColumnWidth(int logicalColumn)
{
    return logicalColumn >= 0 && logicalColumn < kLogicalColumns ? kMinimumWidths[size_t(logicalColumn)] : 0;
}

} // namespace document
