// The text of every schedule cell, for the examples and a loan of every frequency, stays what the golden files hold.
#include "support/GoldenFiles.h"

#include "document/DocumentFile.h"
#include "engine/NumberFormat.h"
#include "engine/Schedule.h"

#include <gtest/gtest.h>

namespace {

constexpr const char *kDatePatterns[] = {"M/d/yyyy", "dd-MMM-yyyy"};

// Every cell of the schedule table, the header row and the hidden serial column included, a tab between cells.
std::string cellTexts(const engine::LoanDocument &loan)
{
    std::string out;
    for (int r = 0; r < loan.gridMain0.rows(); ++r) {
        for (int c = 0; c < loan.gridMain0.cols(); ++c) {
            if (c > 0)
                out += '\t';
            out += loan.gridMain0.text(r, c);
        }
        out += '\n';
    }
    return out;
}

} // namespace

TEST(ScheduleGoldens, TextOfEveryCell)
{
    const auto documents = golden::documents();
    ASSERT_GE(documents.size(), 16u);
    for (const auto &path : documents) {
        SCOPED_TRACE(path.filename().string());
        std::string actual;
        for (const char *pattern : kDatePatterns) {
            engine::NumberFormat format;
            format.setDatePattern(pattern);
            document::DocumentData data;
            const document::ReadResult read = document::readDocument(golden::readFile(path), data, format);
            ASSERT_TRUE(read.message().empty()) << read.message();
            ASSERT_TRUE(engine::Calculate(data.loan, format));
            actual += std::string("# date pattern ") + pattern + '\n' + cellTexts(data.loan);
        }
        const std::string expected = golden::expected(path.stem().string() + ".cells.txt", actual);
        EXPECT_TRUE(actual == expected) << golden::firstDifference(actual, expected);
    }
}
