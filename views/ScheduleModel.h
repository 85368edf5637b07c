#pragma once

#include "engine/Prepayment.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QFont>

#include <array>
#include <unordered_map>

namespace engine {
struct LoanDocument;
}
namespace document {
struct ColumnProperties;
}

namespace views {

// How the grid draws a table whichever one it shows: rows shaded in bands of `bandInterval` rows (0: none), every
// second band in `bandColor`, and the grid's font.
struct GridLook
{
    int bandInterval = 0;
    QColor bandColor;
    QFont font;
    // The colour scheme's text on its background, which the text colours keep readable against.
    QColor base = Qt::white;
    QColor text = Qt::black;

    bool banded(int row) const { return bandInterval > 0 && (row / bandInterval) % 2 == 1; }
    QColor background(int row) const { return banded(row) ? bandColor : base; }
    // `color` on a row's background, changed as little as keeps it readable there.
    QColor readable(const QColor &color, int row) const;

    // The roles that do not depend on the table's contents: a cell's alignment by its column's code, its band and
    // the font; nothing for the others.
    QVariant cellData(int row, int alignmentCode, int role) const;
    // A header cell: its caption centred and wrapped, in the font.
    QVariant headerData(const QString &caption, int role) const;
};

// The schedule as the grid shows it: the visible columns in their order, each reading its logical column of the
// schedule table directly (no copy of the cells). Alignment, highlight colours and row bands are worked out per cell
// from a little state, so none of them costs anything per row.
class ScheduleModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr QRgb kHighlightBlue = 0x0000FF; // as RGB: changed rates, payments and lump sums
    static constexpr QRgb kHighlightRed = 0xFF0000; // interest saved by a lump sum between two payments
    static constexpr QRgb kPrivilegeOrange = 0xB35900; // a prepayment beyond what the loan's terms allow
    // Put before a figure the prepayment terms do not allow, so that the mark is read, copied and printed with it.
    static constexpr char16_t kPrivilegeMarker[] = u"\u26A0 ";
    static constexpr QRgb kShortfallPurple = 0x9C1A7A; // interest the period's payment does not cover
    // Put before the interest of a period whose payment does not cover it: the balance grows that period.
    static constexpr char16_t kShortfallMarker[] = u"\u2191 ";

    ScheduleModel(const engine::LoanDocument &loan, const document::ColumnProperties &columns,
                  QObject *parent = nullptr);

    // Rebuilds the view of the schedule from the table and the column layout (alignments included).
    void reload();
    // The logical schedule column shown at a visible column, or -1; and the reverse.
    int logicalColumn(int visibleColumn) const;
    int visibleColumn(int logicalColumn) const;

    // The alignment code of a shown column; it reaches the column layout only when the layout is stored back.
    int columnAlignment(int visibleColumn) const;
    void setColumnAlignment(int visibleColumn, int code);

    // Highlights from the change tables: the rows where rates, payments and lump sums were applied.
    void paintCells();
    // Rows shaded in bands of `interval` rows (0: none), every second band in `color`.
    void setBands(int interval, const QColor &color);
    void setFont(const QFont &font) { m_look.font = font; }
    // The colour scheme's background and text, for the text colours to stay readable on it.
    void setSchemeColors(const QColor &base, const QColor &text);
    const QFont &font() const { return m_look.font; }
    // The text colour a cell has been given, for the highlight checks; invalid when it keeps the default.
    QColor cellColor(int row, int visibleColumn) const;
    // What a highlighted cell's colour means, in words; empty for a cell without one.
    QString highlightText(int row, int visibleColumn) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    // What the prepayment terms say of a cell: the mark's text for a lump sum or payment they do not allow, else
    // empty.
    QString privilegeText(int row, int logical) const;
    // For the interest cell of a payment that does not cover it: by how much the balance grows, in words; else empty.
    QString shortfallText(int row, int logical) const;
    // The text of a cell's mark: the prepayment terms' when they have one for it, else the shortfall's.
    QString markText(int row, int logical) const;

    enum Highlight : unsigned char { RateCell = 1, PaymentCell = 2, LumpCell = 4, SavedInterestCell = 8 };

    const engine::LoanDocument &m_loan;
    const document::ColumnProperties &m_columns;
    std::array<int, 13> m_logicalAt {}; // logical column of each visible column
    std::array<int, 13> m_visibleAt {}; // visible column of each logical column, -1 when hidden
    std::array<int, 13> m_alignment {}; // alignment code of each visible column
    int m_visibleColumns = 0;
    std::unordered_map<int, unsigned char> m_highlights; // model row -> Highlight bits
    engine::PrivilegeCheck m_privileges; // the rows that prepay beyond the loan's terms
    GridLook m_look;
};

// The alignment a column's alignment code stands for (1 left, 4 centred, 7 right; anything else left and top).
Qt::Alignment alignmentForCode(int code);

} // namespace views
