#include "../support/QtPrinters.h"

#include "engine/LoanComparison.h"
#include "views/CompareLoansDialog.h"
#include "views/LoanComparisonModel.h"

#include <QAbstractItemModelTester>
#include <QColor>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace views;

namespace {

engine::ComparedLoan loan(const char *title, double interest, engine::Date last)
{
    engine::ComparedLoan out;
    out.title = title;
    out.loanAmount = 100000;
    out.interestPaid = interest;
    out.lastPayment = last;
    return out;
}

} // namespace

// The labels in the first column, a column per loan headed by its title, and a loan that costs more in red.
TEST(LoanComparisonModel, ShowsTheComparisonAndCopiesItAsText)
{
    LoanComparisonModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    const engine::Date day = *engine::exactDate(2040, 1, 1);
    model.setComparison(engine::compareLoans({loan("Monthly", 5000, day), loan("Bi-weekly", 4000, day - 365),
                                              loan("Dearer", 6000, day)}),
                        engine::NumberFormat());
    ASSERT_EQ(model.columnCount(), 4);
    EXPECT_EQ(model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("Bi-weekly"));
    EXPECT_EQ(model.index(0, 0).data().toString(), QStringLiteral("Loan Amount"));
    const int saved = model.rowCount() - 2;
    EXPECT_EQ(model.index(saved, 2).data().toString(), QStringLiteral("$1,000.00"));
    EXPECT_FALSE(model.index(saved, 2).data(Qt::ForegroundRole).isValid());
    EXPECT_EQ(model.index(saved, 3).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::darkRed));
    EXPECT_EQ(model.index(saved + 1, 2).data().toString(), QStringLiteral("1 YR 0 MTH"));

    const QStringList lines = model.tabSeparatedText().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), model.rowCount() + 2); // the heading, the rows and the empty text after the last line feed
    EXPECT_EQ(lines[0], QStringLiteral("\tMonthly\tBi-weekly\tDearer"));
    EXPECT_EQ(lines[saved + 1], QStringLiteral("Interest Saved\t\t$1,000.00\t-$1,000.00"));
}

TEST(CompareLoansDialog, OkOnlyForTwoToFourLoans)
{
    QList<CompareLoansDialog::Entry> entries;
    for (int i = 0; i < 5; ++i)
        entries.append({QStringLiteral("Loan %1").arg(i), QStringLiteral("loan%1.plr").arg(i), QString()});
    CompareLoansDialog dialog(entries);
    // More than four open: none is chosen for the user.
    EXPECT_TRUE(dialog.chosen().isEmpty());
    EXPECT_EQ(dialog.lstDocuments()->topLevelItem(3)->text(1), QStringLiteral("loan3.plr"));
    for (int checked = 1; checked <= 5; ++checked) {
        dialog.setChecked(checked - 1, true);
        EXPECT_EQ(dialog.cmdOK()->isEnabled(), checked >= 2 && checked <= 4) << checked;
    }
    dialog.setChecked(0, false);
    dialog.setChecked(2, false);
    EXPECT_EQ(dialog.chosen(), (QList<int> {1, 3, 4}));

    entries.resize(3);
    const CompareLoansDialog few(entries);
    EXPECT_EQ(few.chosen(), (QList<int> {0, 1, 2}));
    EXPECT_TRUE(few.cmdOK()->isEnabled());
}
