#pragma once

#include "DocumentFile.h"

#include <array>

namespace document {

// One change of an open document as undo and redo need it: the document's values before and after it, and which
// of them it changed. Taking it back or doing it again sets only those, so that what changed since in the others (a
// width dragged, the page setup, the file's name) stays. Schedules are never kept: the document computes its own.
class DocumentEdit
{
public:
    // `before` and `after` without their schedules.
    DocumentEdit(DocumentData before, DocumentData after);

    // The change changed nothing the document keeps (what the schedule computes does not count).
    bool empty() const;
    void undo(DocumentData &document) const { apply(m_before, document); }
    void redo(DocumentData &document) const { apply(m_after, document); }

private:
    // The parts compared and set on their own: the loan's own values, each change table, the print options; the
    // column layout field by field.
    enum Part : unsigned { LoanValues = 1u, AnnualRates = 2u, BasicPayments = 4u, LumpSums = 8u, Print = 16u };
    enum ColumnField : unsigned { Caption = 1u, Position = 2u, Alignment = 4u, Width = 8u };

    void apply(const DocumentData &values, DocumentData &document) const;

    DocumentData m_before;
    DocumentData m_after;
    unsigned m_parts = 0;
    std::array<unsigned, kLogicalColumns> m_columnFields {};
};

} // namespace document
