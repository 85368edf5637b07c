#include "document/DocumentFile.h"

#include "engine/NumberFormat.h"
#include "engine/Schedule.h"

#include <gtest/gtest.h>

using namespace document;
using engine::exactDate;

namespace {

// Lines joined with CR LF, the way the file is laid out.
std::string crlf(std::initializer_list<const char *> lines)
{
    std::string out;
    for (const char *line : lines)
        out += std::string(line) + "\r\n";
    return out;
}

const char *const kColumnsAndPrintOptions[] = {
    "\"[ColumnsProperties]\",4,13",
    "\"RecordNo\",1",
    "\"Width\",400",
    "\"Alignment\",4",
    "\"Position\",0",
    "\"RecordNo\",2",
    "\"Width\",500",
    "\"Alignment\",4",
    "\"Position\",1",
    "\"RecordNo\",3",
    "\"Width\",800",
    "\"Alignment\",4",
    "\"Position\",2",
    "\"RecordNo\",4",
    "\"Width\",500",
    "\"Alignment\",4",
    "\"Position\",3",
    "\"RecordNo\",5",
    "\"Width\",800",
    "\"Alignment\",4",
    "\"Position\",4",
    "\"RecordNo\",6",
    "\"Width\",800",
    "\"Alignment\",4",
    "\"Position\",5",
    "\"RecordNo\",7",
    "\"Width\",800",
    "\"Alignment\",4",
    "\"Position\",6",
    "\"RecordNo\",8",
    "\"Width\",700",
    "\"Alignment\",4",
    "\"Position\",7",
    "\"RecordNo\",9",
    "\"Width\",800",
    "\"Alignment\",4",
    "\"Position\",8",
    "\"RecordNo\",10",
    "\"Width\",900",
    "\"Alignment\",4",
    "\"Position\",9",
    "\"RecordNo\",11",
    "\"Width\",900",
    "\"Alignment\",4",
    "\"Position\",10",
    "\"RecordNo\",12",
    "\"Width\",900",
    "\"Alignment\",4",
    "\"Position\",11",
    "\"RecordNo\",13",
    "\"Width\",900",
    "\"Alignment\",4",
    "\"Position\",12",
    "\"[PrintOptions]\",25,1",
    "\"Orientation\",#TRUE#",
    "\"GridLines\",1",
    "\"RepeatHeading\",0",
    "\"BlackAndWhite\",1",
    "\"MarginTop\",0.5",
    "\"MarginBottom\",0.5",
    "\"MarginLeft\",0.25",
    "\"MarginRight\",0.25",
    "\"CenterHorizontally\",0",
    "\"CenterVertically\",0",
    "\"Scaling\",100",
    "\"HeaderEdge\",0",
    "\"FooterEdge\",0",
    "\"HeaderListIndex\",1",
    "\"FooterListIndex\",2",
    "\"CustomHeader\",\" \"",
    "\"CustomFooter\",\" \"",
    "\"PageSize\",1",
    "\"HeaderLeft\",\" \"",
    "\"HeaderCenter\",\" \"",
    "\"HeaderRight\",\" \"",
    "\"FooterLeft\",\" \"",
    "\"FooterCenter\",\" \"",
    "\"FooterRight\",\" \"",
    "\"RowsPerPage\",80",
    "\"TitleComments\",0",
};

std::string tail()
{
    std::string out;
    for (const char *line : kColumnsAndPrintOptions)
        out += std::string(line) + "\r\n";
    return out;
}

// The file of a mortgage with a two-line comment, one rate change and one lump sum, written out by hand.
const std::string kGolden = crlf({
                                "\"[Application]\",1,1",
                                "\"Version\",\"3.3.9\"",
                                "\"[LoanData]\",17,1",
                                "\"LoanType\",1",
                                "\"Compounding\",0",
                                "\"Title\",5",
                                "Maple",
                                "\"Comments\",6",
                                "ab",
                                "cd",
                                "\"PurchasePrice\",250000",
                                "\"DownPayment\",",
                                "\"DownPaymentUnit\",0",
                                "\"CMHC\",",
                                "\"LoanAmount\",200000",
                                "\"AnnualRate\",0.0525",
                                "\"Amortization\",25",
                                "\"AmortizationUnit\",0",
                                "\"FrequencyOfInstallment\",0",
                                "\"BasicPayment\",1191.97",
                                "\"StartPayment\",1",
                                "\"StartDate\",#1899-12-30#",
                                "\"FirstPaymentDue\",#2005-01-15#",
                                "\"PeriodsPerYearIndex\",0",
                                "\"NumberOfPeriods\",300",
                                "\"[AnnualRates]\",2,1",
                                "\"Date\",38367",
                                "\"Amount\",7.5",
                                "\"[BasicPayments]\",2,0",
                                "\"[LumpSums]\",2,1",
                                "\"Date\",38398",
                                "\"Amount\",5000",
                            })
    + tail();

DocumentData goldenDocument()
{
    DocumentData data;
    engine::LoanDocument &loan = data.loan;
    loan.gstrTitle = "Maple";
    loan.gstrComments = "ab\r\ncd";
    loan.gvarPurchasePrice = 250000;
    loan.gdblLoanAmount = 200000;
    loan.gdblAnnualRate = 0.0525;
    loan.glngAmortization = 25;
    loan.gdblBasicPayment = 1191.97;
    loan.gintStartPayment = 1;
    loan.gdtmFirstPaymentDue = *exactDate(2005, 1, 15);
    loan.mdblNperTerm = 300;
    const engine::NumberFormat format;
    loan.gridAnnualRate.setRows(2);
    engine::setChangeEntry(loan.gridAnnualRate, 1, 38367, 7.5, format);
    loan.gridLumpSum.setRows(2);
    engine::setChangeEntry(loan.gridLumpSum, 1, 38398, 5000, format);
    return data;
}

ReadResult read(std::string_view bytes, DocumentData &data)
{
    return readDocument(bytes, data, engine::NumberFormat());
}

// The record every file the program writes ends with; a file without it was cut short.
const std::string kEndRecord = "\"TitleComments\",0\r\n";

// The golden file with each text of `edits` replaced by its counterpart.
std::string editedGolden(std::initializer_list<std::pair<std::string_view, std::string>> edits)
{
    std::string bytes = kGolden;
    for (const auto &[from, to] : edits)
        bytes.replace(bytes.find(from), from.size(), to);
    return bytes;
}

// How often `part` occurs in `text`.
int occurrences(const std::string &text, const std::string &part)
{
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++count;
    return count;
}

} // namespace

TEST(DocumentFile, WritesTheLayoutByteForByte)
{
    EXPECT_EQ(writeDocument(goldenDocument()), kGolden);
}

TEST(DocumentFile, ReadsEveryFieldOfTheGoldenFile)
{
    DocumentData data;
    const ReadResult result = read(kGolden, data);
    EXPECT_FALSE(result.corrupted);
    EXPECT_FALSE(result.stoppedEarly);
    const DocumentData expected = goldenDocument();
    EXPECT_EQ(data.loan.gstrTitle, "Maple");
    EXPECT_EQ(data.loan.gstrComments, "ab\r\ncd");
    EXPECT_EQ(data.loan.gvarPurchasePrice, 250000);
    EXPECT_FALSE(data.loan.gvarDownPayment.has_value());
    EXPECT_FALSE(data.loan.gvarCMHC.has_value());
    EXPECT_EQ(data.loan.gdblAnnualRate, 0.0525);
    EXPECT_EQ(data.loan.gintStartPayment, 1);
    EXPECT_EQ(data.loan.gdtmStartDate, engine::kNoDate);
    EXPECT_EQ(data.loan.gdtmFirstPaymentDue, *exactDate(2005, 1, 15));
    EXPECT_EQ(data.loan.gridAnnualRate, expected.loan.gridAnnualRate);
    EXPECT_EQ(data.loan.gridAnnualRate.text(1, engine::chgDateText), "1/15/2005");
    EXPECT_EQ(data.loan.gridAnnualRate.text(1, engine::chgAmount), "7.5");
    EXPECT_EQ(data.loan.gridBasicPayment.rows(), 1);
    EXPECT_EQ(data.loan.gridLumpSum, expected.loan.gridLumpSum);
    EXPECT_EQ(data.columns, expected.columns);
    EXPECT_EQ(data.print, expected.print);
    EXPECT_EQ(writeDocument(data), kGolden);
}

// Every field set to something other than its default survives a save and a reopen; so does a document that holds
// nothing at all.
TEST(DocumentFile, RoundTrips)
{
    DocumentData full = goldenDocument();
    engine::LoanDocument &loan = full.loan;
    loan.gintLoanType = engine::kPersonalLoan;
    loan.gintCompounding = 3;
    loan.gstrTitle = "Caf\xC3\xA9 \"Le Coin\", 2nd floor";
    loan.gstrComments = "first line\r\n\"quoted\", with commas\r\n\r\nlast";
    loan.gvarDownPayment = 12.5;
    loan.gintDownPaymentUnit = -1;
    loan.gvarCMHC = 3456.78;
    loan.glngAmortization = 21.4583333333333;
    loan.gintAmortUnit = 1;
    loan.gintFreqOfInst = engine::kWeeklyAccelerated;
    loan.gintPeriodsPerYearIndex = 2;
    loan.gdtmStartDate = *exactDate(2004, 12, 20);
    loan.mdblNperTerm = 1234;
    loan.roundInterestEachPeriod = true;
    loan.gridBasicPayment.setRows(3);
    engine::setChangeEntry(loan.gridBasicPayment, 1, 38400, 1234.56, engine::NumberFormat());
    engine::setChangeEntry(loan.gridBasicPayment, 2, 38500, 0.1, engine::NumberFormat());
    for (int k = 0; k < kLogicalColumns; ++k) {
        full.columns.columns[size_t(k)].Width = 1000 + k;
        full.columns.columns[size_t(k)].Alignment = k % 3 == 0 ? kAlignLeft : kAlignRight;
        full.columns.columns[size_t(k)].Position = k < 3 ? -1 : 12 - k;
    }
    PrintOptions &print = full.print;
    print.Orientation = false;
    print.GridLines = 0;
    print.RepeatHeading = 1;
    print.BlackAndWhite = 0;
    print.TitleComments = 1;
    print.MarginTop = 0.3f;
    print.MarginLeft = 1.1f;
    print.MarginRight = 0.7f;
    print.MarginBottom = 0.9f;
    print.CenterHorizontally = 1;
    print.CenterVertically = 1;
    print.Scaling = 85;
    print.HeaderEdge = 0.2f;
    print.FooterEdge = 0.15f;
    print.HeaderListIndex = 7;
    print.FooterListIndex = 0;
    print.CustomHeader = "Say \"hello\", then";
    print.CustomFooter = "";
    print.PageSize = 9;
    print.RowsPerPage = 40;
    print.HeaderLeft = "L";
    print.HeaderCenter = "C";
    print.HeaderRight = "R";
    print.FooterLeft = "\"";
    print.FooterCenter = "a,b";
    print.FooterRight = "\xE2\x82\xAC";

    for (const DocumentData *original :
         {static_cast<const DocumentData *>(&full), static_cast<const DocumentData *>(nullptr)}) {
        const DocumentData source = original ? *original : DocumentData();
        SCOPED_TRACE(original ? "every field set" : "every field at its default");
        DocumentData copy;
        const ReadResult result = read(writeDocument(source), copy);
        EXPECT_FALSE(result.corrupted);
        EXPECT_FALSE(result.stoppedEarly) << result.problem;
        DocumentData expected = source;
        expected.loan.gintPeriodsPerYearIndexTmp =
            source.loan.gintFreqOfInst != engine::kMonthly ? source.loan.gintPeriodsPerYearIndex : 0;
        EXPECT_EQ(writeDocument(copy), writeDocument(expected));
        EXPECT_EQ(copy.loan.gstrTitle, source.loan.gstrTitle);
        EXPECT_EQ(copy.loan.gstrComments, source.loan.gstrComments);
        EXPECT_EQ(copy.loan.gvarCMHC, source.loan.gvarCMHC);
        EXPECT_EQ(copy.loan.roundInterestEachPeriod, source.loan.roundInterestEachPeriod);
        EXPECT_EQ(copy.loan.gridBasicPayment, source.loan.gridBasicPayment);
        EXPECT_EQ(copy.loan.gintPeriodsPerYearIndexTmp, expected.loan.gintPeriodsPerYearIndexTmp);
        EXPECT_EQ(copy.columns, source.columns);
        EXPECT_EQ(copy.print, source.print);
    }
}

TEST(DocumentFile, TextFieldsAndRawLines)
{
    struct Case
    {
        const char *name;
        std::string title;
        std::string comments;
        const char *titleLines; // what the writer must put down for the title
        const char *commentsLines; // and for the comments
        std::string titleBack;
        std::string commentsBack;
    };
    const Case cases[] = {
        {"empty title and comment", "", "", "\"Title\",0\r\n\r\n", "\"Comments\",0\r\n\r\n", "", ""},
        {"quotes and commas stay raw", "A \"big\", house", "x,\"y\"", "\"Title\",14\r\nA \"big\", house\r\n",
         "\"Comments\",5\r\nx,\"y\"\r\n", "A \"big\", house", "x,\"y\""},
        {"line breaks in the title fold to spaces", "one\r\ntwo\nthree", "a\nb", "\"Title\",14\r\none  two three\r\n",
         "\"Comments\",4\r\na\r\nb\r\n", "one  two three", "a\r\nb"},
        {"lengths count characters", "Caf\xC3\xA9", "\xC3\xA9t\xC3\xA9", "\"Title\",4\r\nCaf\xC3\xA9\r\n",
         "\"Comments\",3\r\n\xC3\xA9t\xC3\xA9\r\n", "Caf\xC3\xA9", "\xC3\xA9t\xC3\xA9"},
        {"a comment starting with an empty line", "T", "\r\nafter", "\"Title\",1\r\nT\r\n",
         "\"Comments\",7\r\n\r\nafter\r\n", "T", "\r\nafter"},
        {"a comment of empty lines only", "T", "\r\n\r\n\r\n", "\"Title\",1\r\nT\r\n",
         "\"Comments\",6\r\n\r\n\r\n\r\n\r\n", "T", "\r\n\r\n\r\n"},
        {"a comment ending with a line break", "T", "last\r\n", "\"Title\",1\r\nT\r\n",
         "\"Comments\",6\r\nlast\r\n\r\n", "T", "last\r\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        DocumentData data;
        data.loan.gstrTitle = c.title;
        data.loan.gstrComments = c.comments;
        data.loan.gvarPurchasePrice = 250000; // the line right after the comments
        data.loan.gdblLoanAmount = 200000;
        const std::string bytes = writeDocument(data);
        EXPECT_NE(bytes.find(c.titleLines), std::string::npos);
        EXPECT_NE(bytes.find(c.commentsLines), std::string::npos);
        DocumentData back;
        const ReadResult result = read(bytes, back);
        EXPECT_FALSE(result.corrupted);
        EXPECT_FALSE(result.stoppedEarly);
        EXPECT_EQ(back.loan.gstrTitle, c.titleBack);
        EXPECT_EQ(back.loan.gstrComments, c.commentsBack);
        EXPECT_EQ(back.loan.gvarPurchasePrice, data.loan.gvarPurchasePrice);
        EXPECT_EQ(back.loan.gdblLoanAmount, data.loan.gdblLoanAmount);
    }
}

TEST(DocumentFile, LinesInAnyOrderAndMissingLines)
{
    // Shuffled, with the sections kept with their entries, and most lines left out.
    const std::string shuffled = crlf({
        "\"[Application]\",1,1",
        "\"[LumpSums]\",2,1",
        "\"Date\",38398",
        "\"Amount\",5000",
        "\"NumberOfPeriods\",300",
        "\"FrequencyOfInstallment\",3",
        "\"PeriodsPerYearIndex\",1",
        "\"LoanAmount\",200000",
        "\"TitleComments\",0",
        "\"StartDate\",#2005-01-01#",
        "\"Scaling\",90",
    });
    DocumentData data;
    data.loan.gdblBasicPayment = 321; // a line that is missing keeps the value the document had
    const ReadResult result = read(shuffled, data);
    EXPECT_FALSE(result.corrupted);
    EXPECT_FALSE(result.stoppedEarly);
    EXPECT_EQ(data.loan.mdblNperTerm, 300);
    EXPECT_EQ(data.loan.gdblLoanAmount, 200000);
    EXPECT_EQ(data.loan.gdblBasicPayment, 321);
    EXPECT_EQ(data.loan.gintFreqOfInst, 3);
    EXPECT_EQ(data.loan.gintPeriodsPerYearIndexTmp, 1);
    EXPECT_EQ(data.loan.gdtmStartDate, *exactDate(2005, 1, 1));
    EXPECT_EQ(data.loan.gridLumpSum.rows(), 2);
    EXPECT_EQ(data.print.Scaling, 90);

    // A start date the file does not give is no date, whatever the document held.
    DocumentData noStart;
    noStart.loan.gdtmStartDate = 38000;
    read(crlf({"\"[Application]\",1,1", "\"LoanAmount\",5"}) + kEndRecord, noStart);
    EXPECT_EQ(noStart.loan.gdtmStartDate, engine::kNoDate);
}

// The lender's rounding of interest is written only when it is on, where it belongs among the loan's data; any
// non-zero value or #TRUE# reads as on, and a file without the key (every older one) as off, whatever the document
// held.
TEST(DocumentFile, RoundingOfInterestIsWrittenOnlyWhenOn)
{
    DocumentData data = goldenDocument();
    data.loan.roundInterestEachPeriod = true;
    const std::string written = writeDocument(data);
    EXPECT_NE(written.find("\"NumberOfPeriods\",300\r\n\"RoundInterest\",-1\r\n\"[AnnualRates]\""), std::string::npos)
        << written;
    data.loan.roundInterestEachPeriod = false;
    EXPECT_EQ(writeDocument(data), kGolden);

    struct Case
    {
        const char *line; // nullptr: no such line
        bool on;
    };
    const Case cases[] = {
        {"\"RoundInterest\",-1", true}, {"\"RoundInterest\",1", true}, {"\"RoundInterest\",#TRUE#", true},
        {"\"RoundInterest\",0", false}, {"\"RoundInterest\",", false}, {nullptr, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.line ? c.line : "no line");
        DocumentData back;
        back.loan.roundInterestEachPeriod = !c.on;
        const ReadResult result = read((c.line ? crlf({"\"[Application]\",1,1", c.line, "\"LoanAmount\",5"})
                                               : crlf({"\"[Application]\",1,1", "\"LoanAmount\",5"}))
                                           + kEndRecord,
                                       back);
        EXPECT_FALSE(result.corrupted);
        EXPECT_FALSE(result.stoppedEarly) << result.problem;
        EXPECT_EQ(back.loan.roundInterestEachPeriod, c.on);
    }
}

TEST(DocumentFile, Signature)
{
    EXPECT_TRUE(hasDocumentSignature(kGolden));
    EXPECT_TRUE(hasDocumentSignature("  \"[Application]\",1,1\r\n"));
    EXPECT_FALSE(hasDocumentSignature(crlf({"\"[LoanData]\",17,1", "\"[Application]\",1,1"})));
    EXPECT_FALSE(hasDocumentSignature(""));
    EXPECT_FALSE(hasDocumentSignature("[Application]"));
    EXPECT_FALSE(hasDocumentSignature(std::string("\x89PNG\r\n\x1a\n\0\0", 10)));
    EXPECT_EQ(missingFileMessage("/tmp/a.plr"), "File '/tmp/a.plr' does not exist.");
    EXPECT_EQ(wrongFormatMessage("b.plr"),
              "File 'b.plr' cannot be opened, because it is in the wrong format or is corrupted.");
}

TEST(DocumentFile, UnknownKeysAreReportedOnceAndSkipped)
{
    std::string bytes = kGolden;
    bytes.insert(bytes.find("\"LoanAmount\""), "\"Colour\",\"blue\"\r\n\"Mood\",3\r\n");
    DocumentData data;
    const ReadResult result = read(bytes, data);
    EXPECT_TRUE(result.corrupted);
    EXPECT_FALSE(result.stoppedEarly);
    EXPECT_EQ(result.message(), kCorruptionMessage);
    EXPECT_EQ(data.loan.gdblLoanAmount, 200000);
    EXPECT_EQ(data.print, PrintOptions());
    EXPECT_EQ(data.loan.gridLumpSum.rows(), 2);
}

TEST(DocumentFile, OlderFilesInWindows1252)
{
    std::string bytes = kGolden;
    bytes.replace(bytes.find("\"Title\",5\r\nMaple"), 16, "\"Title\",4\r\nCaf\xE9");
    bytes.replace(bytes.find("\"CustomHeader\",\" \""), 18, "\"CustomHeader\",\"\x80 5\"");
    DocumentData data;
    const ReadResult result = read(bytes, data);
    EXPECT_FALSE(result.stoppedEarly);
    EXPECT_EQ(data.loan.gstrTitle, "Caf\xC3\xA9");
    EXPECT_EQ(data.print.CustomHeader, "\xE2\x82\xAC 5");
}

// Whatever a damaged file holds, reading ends, keeps what came before the damage, and allocates nothing unbounded.
TEST(DocumentFile, DamagedFiles)
{
    const std::string head = crlf({"\"[Application]\",1,1", "\"LoanAmount\",1234"}) + kEndRecord;
    struct Case
    {
        const char *name;
        std::string body;
        bool stoppedEarly;
        bool corrupted;
    };
    const Case cases[] = {
        {"section count in the millions", crlf({"\"[LumpSums]\",2,5000000"}), true, false},
        {"section count larger than its entries", crlf({"\"[LumpSums]\",2,30000", "\"Date\",38398", "\"Amount\",5"}),
         true, false},
        {"more than 13 column records", crlf({"\"[ColumnsProperties]\",4,14"}), true, false},
        {"text where a number belongs", crlf({"\"BasicPayment\",\"lots\"", "\"Scaling\",90"}), true, false},
        {"a number too large for its field", crlf({"\"LoanType\",70000"}), true, false},
        {"a date beyond the calendar", crlf({"\"FirstPaymentDue\",99999999"}), true, false},
        {"a quote never closed", "\"Scaling\r\n\"GridLines\",0\r\n", true, false},
        {"an endless line", std::string(1 << 20, 'x'), false, true},
        {"binary garbage", std::string("\0\x01\xff\xfe,,\r\n\x7f\"\x80", 11), false, true},
        {"a comment longer than the file", crlf({"\"Comments\",2000000000", "short"}), false, false},
        {"a file cut short", "\"LoanType\",", true, false},
        {"a file cut inside a section", crlf({"\"[LumpSums]\",2,2", "\"Date\",38398"}), true, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        DocumentData data;
        const ReadResult result = read(head + c.body, data);
        EXPECT_EQ(result.stoppedEarly, c.stoppedEarly) << result.problem;
        EXPECT_EQ(result.corrupted, c.corrupted);
        EXPECT_EQ(data.loan.gdblLoanAmount, 1234);
        EXPECT_LE(data.loan.gridLumpSum.rows(), 2);
        EXPECT_EQ(data.print.Scaling, 100);
        if (c.stoppedEarly) {
            EXPECT_NE(result.message().find("line "), std::string::npos);
        }
    }
}

TEST(DocumentFile, DamagedColumnLayoutIsRepaired)
{
    std::string bytes = kGolden;
    // Two columns claim place 2, one claims a place that does not exist, one has a negative width.
    bytes.replace(bytes.find("\"Position\",3"), 12, "\"Position\",2");
    bytes.replace(bytes.find("\"Position\",12"), 13, "\"Position\",40");
    bytes.replace(bytes.find("\"Width\",700"), 11, "\"Width\",-5");
    bytes.replace(bytes.find("\"PageSize\",1"), 12, "\"PageSize\",99");
    DocumentData data;
    read(bytes, data);
    std::vector<int> positions;
    for (const auto &column : data.columns.columns)
        positions.push_back(column.Position);
    EXPECT_EQ(positions, (std::vector<int> {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, -1}));
    EXPECT_EQ(data.columns.visibleCount(), 12);
    EXPECT_EQ(data.columns.columns[7].Width, minimumColumnWidth(7));
    EXPECT_EQ(data.print.PageSize, 1);
}

// The start-payment choice decides which date is the first payment, so it must come back as it was stored.
TEST(DocumentFile, StartPaymentIsReadBack)
{
    struct Case
    {
        const char *line; // nullptr: the line is missing
        int expected;
    };
    const Case cases[] = {
        {"\"StartPayment\",1", 1},     {"\"StartPayment\",-1", 1}, {"\"StartPayment\",0", 0},
        {"\"StartPayment\",\"x\"", 0}, {"\"StartPayment\",", 0},   {nullptr, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.line ? c.line : "missing");
        std::string bytes = crlf({"\"[Application]\",1,1", "\"LoanAmount\",5"});
        if (c.line)
            bytes += crlf({c.line});
        bytes += crlf({"\"Scaling\",90"}) + kEndRecord;
        DocumentData data;
        data.loan.gintStartPayment = 1; // what a document held before does not count
        const ReadResult result = read(bytes, data);
        EXPECT_FALSE(result.stoppedEarly) << result.problem;
        EXPECT_EQ(data.loan.gintStartPayment, c.expected);
        EXPECT_EQ(data.print.Scaling, 90);
    }

    // Lent on 1 April 2026, first payment on 1 May: reopened, the schedule is the one that was saved.
    DocumentData lent;
    lent.loan.gdblLoanAmount = 10000;
    lent.loan.gdblAnnualRate = 0.06;
    lent.loan.gdblBasicPayment = 1000;
    lent.loan.mdblNperTerm = 12;
    lent.loan.gintStartPayment = 1;
    lent.loan.gdtmStartDate = *exactDate(2026, 4, 1);
    lent.loan.gdtmFirstPaymentDue = *exactDate(2026, 4, 1);
    const engine::NumberFormat format;
    DocumentData reopened;
    read(writeDocument(lent), reopened);
    ASSERT_TRUE(engine::Calculate(lent.loan, format));
    ASSERT_TRUE(engine::Calculate(reopened.loan, format));
    EXPECT_EQ(reopened.loan.gridMain0.text(2, engine::colDate), "5/1/2026");
    EXPECT_EQ(reopened.loan.gridMain0, lent.loan.gridMain0);
}

// A hand-edited or foreign file may list its changes in any order; the schedule walks them by date, so the reader
// sorts them. Lump sums on one date add up to one entry of their sum; of two rates on one date the one listed last
// holds.
TEST(DocumentFile, ChangeTablesAreSortedByDate)
{
    const std::string bytes = crlf({
                                  "\"[Application]\",1,1",
                                  "\"[LumpSums]\",2,4",
                                  "\"Date\",38500",
                                  "\"Amount\",300",
                                  "\"Date\",38367",
                                  "\"Amount\",100",
                                  "\"Date\",38500",
                                  "\"Amount\",350",
                                  "\"Date\",38400",
                                  "\"Amount\",200",
                                  "\"[AnnualRates]\",2,3",
                                  "\"Date\",38400",
                                  "\"Amount\",6",
                                  "\"Date\",38367",
                                  "\"Amount\",7",
                                  "\"Date\",38400",
                                  "\"Amount\",6.5",
                              })
        + kEndRecord;
    DocumentData data;
    const ReadResult result = read(bytes, data);
    EXPECT_FALSE(result.stoppedEarly) << result.problem;
    auto entries = [](const engine::TextTable &table) {
        std::vector<std::pair<engine::Date, double>> out;
        for (int r = 1; r < table.rows(); ++r)
            out.emplace_back(engine::serialDate(table.text(r, engine::chgDateSerial)),
                             engine::numberOrZero(table.text(r, engine::chgAmount)));
        return out;
    };
    using Entries = std::vector<std::pair<engine::Date, double>>;
    EXPECT_EQ(entries(data.loan.gridLumpSum), (Entries {{38367, 100}, {38400, 200}, {38500, 650}}));
    EXPECT_EQ(entries(data.loan.gridAnnualRate), (Entries {{38367, 7}, {38400, 6.5}}));
    EXPECT_EQ(data.loan.gridLumpSum.text(1, engine::chgDateText), "1/15/2005");
}

// A value of megabytes that cannot be read is quoted by its first characters only.
TEST(DocumentFile, MessagesQuoteLongValuesShort)
{
    const std::string huge(1 << 20, '7');
    DocumentData data;
    const ReadResult result = read(crlf({"\"[Application]\",1,1", ("\"LoanAmount\",x" + huge).c_str()}), data);
    ASSERT_TRUE(result.stoppedEarly);
    const std::string message = result.message();
    EXPECT_LT(message.size(), 200u);
    EXPECT_NE(message.find("\"x" + std::string(39, '7') + "\u2026\""), std::string::npos) << message;
}

// Values no loan has are refused where they are read, naming the key and the value as the file has it; the value
// before the damage keeps what the document had. Limits are the wizard's (loan amount and payment up to
// 9,999,999,999.99, a rate up to 1,000 %) and, for the change tables, what the grid and the Lump Sums dialog take.
TEST(DocumentFile, ValuesNoLoanHasAreRefused)
{
    struct Case
    {
        const char *lines;
        const char *quoted; // what the message says; nullptr: the value is taken
    };
    const Case cases[] = {
        {"\"LoanAmount\",-120000", "LoanAmount \"-120000\" is not within 0 to 9999999999.99"},
        {"\"LoanAmount\",10000000000", "LoanAmount \"10000000000\" is not within 0 to 9999999999.99"},
        {"\"AnnualRate\",-0.05", "AnnualRate \"-0.05\" is not within 0 to 10"},
        {"\"AnnualRate\",10.5", "AnnualRate \"10.5\" is not within 0 to 10"},
        {"\"BasicPayment\",-647.31", "BasicPayment \"-647.31\" is not within 0 to 9999999999.99"},
        {"\"BasicPayment\",1e300", "BasicPayment \"1e300\" is not within 0 to 9999999999.99"},
        {"\"[LumpSums]\",2,1\r\n\"Date\",38398\r\n\"Amount\",1e300",
         "[LumpSums] Amount \"1e300\" is not within 0 to 9000000000"},
        {"\"[BasicPayments]\",2,1\r\n\"Date\",38398\r\n\"Amount\",-0.01",
         "[BasicPayments] Amount \"-0.01\" is not within 0 to 9000000000"},
        {"\"[AnnualRates]\",2,1\r\n\"Date\",38398\r\n\"Amount\",1e10",
         "[AnnualRates] Amount \"1e10\" is not within 0 to 9000000000"},
        {"\"LoanAmount\",9999999999.99\r\n\"AnnualRate\",10\r\n\"BasicPayment\",0", nullptr},
        {"\"[LumpSums]\",2,1\r\n\"Date\",38398\r\n\"Amount\",-500",
         "[LumpSums] Amount \"-500\" is not within 0 to 9000000000"},
        {"\"[LumpSums]\",2,1\r\n\"Date\",38398\r\n\"Amount\",9000000000", nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.lines);
        DocumentData data;
        data.loan.gdblLoanAmount = 5;
        data.loan.gdblAnnualRate = 0.05;
        data.loan.gdblBasicPayment = 7;
        const ReadResult result = read(crlf({"\"[Application]\",1,1", c.lines}) + kEndRecord, data);
        if (!c.quoted) {
            EXPECT_FALSE(result.stoppedEarly) << result.problem;
            continue;
        }
        EXPECT_TRUE(result.stoppedEarly);
        EXPECT_EQ(result.problem, std::string("line ") + (c.lines[1] == '[' ? "4" : "2") + ": " + c.quoted);
        EXPECT_EQ(data.loan.gdblLoanAmount, 5);
        EXPECT_EQ(data.loan.gdblAnnualRate, 0.05);
        EXPECT_EQ(data.loan.gdblBasicPayment, 7);
        EXPECT_EQ(data.loan.gridLumpSum.rows() + data.loan.gridBasicPayment.rows() + data.loan.gridAnnualRate.rows(),
                  3);
    }
}

// The writer always ends with the same record: a file cut at any line before it says so once, and keeps what it held
// up to the cut.
TEST(DocumentFile, AFileCutShortIsDamaged)
{
    std::vector<size_t> lineEnds;
    for (size_t at = kGolden.find("\r\n"); at != std::string::npos; at = kGolden.find("\r\n", at + 2))
        lineEnds.push_back(at + 2);
    ASSERT_EQ(lineEnds.back(), kGolden.size());
    for (size_t cut : lineEnds) {
        SCOPED_TRACE(cut);
        DocumentData data;
        const ReadResult result = read(std::string_view(kGolden).substr(0, cut), data);
        if (cut == kGolden.size()) {
            EXPECT_TRUE(result.message().empty()) << result.message();
            continue;
        }
        EXPECT_TRUE(result.stoppedEarly);
        EXPECT_EQ(occurrences(result.message(), "could not be read"), 1) << result.message();
        EXPECT_FALSE(result.corrupted) << result.message();
        if (cut > kGolden.find("\"LoanAmount\"")) {
            EXPECT_EQ(data.loan.gdblLoanAmount, 200000);
        }
    }
    // Cut inside a line, too.
    DocumentData data;
    const ReadResult result = read(std::string_view(kGolden).substr(0, kGolden.find("\"RowsPerPage\"") + 5), data);
    EXPECT_EQ(occurrences(result.message(), "could not be read"), 1) << result.message();
    EXPECT_EQ(data.loan.gridLumpSum.rows(), 2);
}

// A comment length larger than the comment must not take the loan's lines after it for comment text.
TEST(DocumentFile, ACommentLengthTooLargeLeavesTheLoanAlone)
{
    struct Case
    {
        const char *name;
        const char *length;
        const char *comments;
    };
    const Case cases[] = {
        {"longer than the whole file", "\"Comments\",2000000000", "ab\r\ncd"},
        {"a comment shortened by hand", "\"Comments\",12", "ab\r\ncd"},
        {"the comment's lines taken out", "\"Comments\",6", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::string bytes =
            editedGolden({{"\"Comments\",6\r\nab\r\ncd\r\n",
                           std::string(c.length) + "\r\n" + (c.comments[0] ? std::string(c.comments) + "\r\n" : "")}});
        DocumentData data;
        const ReadResult result = read(bytes, data);
        EXPECT_TRUE(result.corrupted);
        EXPECT_FALSE(result.stoppedEarly) << result.problem;
        EXPECT_EQ(result.message(), kCorruptionMessage);
        EXPECT_EQ(data.loan.gstrComments, c.comments);
        EXPECT_EQ(data.loan.gvarPurchasePrice, 250000);
        EXPECT_EQ(data.loan.gdblLoanAmount, 200000);
        EXPECT_EQ(data.loan.gridLumpSum, goldenDocument().loan.gridLumpSum);
        EXPECT_EQ(data.print, PrintOptions());
    }
}

// A title longer than the wizard's field holds (32,767 characters) is cut there, between two characters, with the
// reader's message; the rest of the file is read.
TEST(DocumentFile, AHugeTitleIsCut)
{
    for (const std::string &character : {std::string("x"), std::string("\xC3\xA9")}) {
        SCOPED_TRACE(character);
        std::string title;
        for (int i = 0; i < 40000; ++i)
            title += character;
        const std::string bytes = editedGolden({{"\"Title\",5\r\nMaple", "\"Title\",40000\r\n" + title}});
        DocumentData data;
        const ReadResult result = read(bytes, data);
        EXPECT_EQ(result.message(), kCorruptionMessage);
        EXPECT_EQ(data.loan.gstrTitle, title.substr(0, kMaxTitleCharacters * character.size()));
        EXPECT_EQ(data.loan.gstrComments, "ab\r\ncd");
        EXPECT_EQ(data.print.TitleComments, 0);
        EXPECT_EQ(data.loan.gridLumpSum.rows(), 2);
    }
    // A title of exactly that length is kept whole.
    const std::string longest(kMaxTitleCharacters, 't');
    DocumentData data;
    EXPECT_TRUE(
        read(editedGolden({{"\"Title\",5\r\nMaple", "\"Title\",32767\r\n" + longest}}), data).message().empty());
    EXPECT_EQ(data.loan.gstrTitle, longest);
}

// The encoding is decided for each text on its own: one Windows-1252 byte in a comment leaves a UTF-8 title as it is.
// A byte-order mark before the first line, and lines ended by CR CR LF, read as the plain file.
TEST(DocumentFile, EncodingAndLineEndsOfOtherEditors)
{
    struct Case
    {
        const char *name;
        std::string bytes;
        const char *title;
        const char *comments;
        const char *customHeader;
    };
    const std::string mixed = editedGolden({{"\"Title\",5\r\nMaple", "\"Title\",4\r\nCaf\xC3\xA9"},
                                            {"ab\r\ncd", "\xE9t\xE9\r\ncd"},
                                            {"\"CustomHeader\",\" \"", "\"CustomHeader\",\"\xE2\x82\xAC 5\""}});
    std::string crcrlf;
    for (char c : kGolden) {
        if (c == '\r')
            crcrlf += '\r';
        crcrlf += c;
    }
    const Case cases[] = {
        {"one Windows-1252 text among UTF-8 ones", mixed, "Caf\xC3\xA9", "\xC3\xA9t\xC3\xA9\r\ncd", "\xE2\x82\xAC 5"},
        {"a UTF-8 byte-order mark", "\xEF\xBB\xBF" + kGolden, "Maple", "ab\r\ncd", " "},
        {"lines ended by CR CR LF", crcrlf, "Maple", "ab\r\ncd", " "},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(hasDocumentSignature(c.bytes));
        DocumentData data;
        const ReadResult result = read(c.bytes, data);
        EXPECT_TRUE(result.message().empty()) << result.message();
        EXPECT_EQ(data.loan.gstrTitle, c.title);
        EXPECT_EQ(data.loan.gstrComments, c.comments);
        EXPECT_EQ(data.print.CustomHeader, c.customHeader);
        EXPECT_EQ(data.loan.gridLumpSum, goldenDocument().loan.gridLumpSum);
        EXPECT_EQ(data.loan.gridAnnualRate, goldenDocument().loan.gridAnnualRate);
    }
}

// Margins and edges as Page Setup keeps them: a negative one as none, none beyond 1,000,000 inches.
TEST(DocumentFile, MarginsAreKeptAsPageSetupKeepsThem)
{
    const std::string bytes = editedGolden({{"\"MarginTop\",0.5", "\"MarginTop\",3e38"},
                                            {"\"MarginLeft\",0.25", "\"MarginLeft\",-2"},
                                            {"\"HeaderEdge\",0", "\"HeaderEdge\",-1e30"},
                                            {"\"FooterEdge\",0", "\"FooterEdge\",2000000"}});
    DocumentData data;
    EXPECT_TRUE(read(bytes, data).message().empty());
    EXPECT_EQ(data.print.MarginTop, 1e6f);
    EXPECT_EQ(data.print.MarginLeft, 0.0f);
    EXPECT_EQ(data.print.HeaderEdge, 0.0f);
    EXPECT_EQ(data.print.FooterEdge, 1e6f);
    EXPECT_EQ(data.print.MarginBottom, 0.5f);
    EXPECT_EQ(data.print.MarginRight, 0.25f);
}

// Prepayment terms: announced among the loan's conventions and written after every older section, so that a document
// without them is written byte for byte as before; every field reads back; a file cut anywhere after the
// announcement, the last line of the print options included, says it was cut and keeps what it held.
TEST(DocumentFile, PrepaymentTermsRoundTripAfterTheOlderSections)
{
    DocumentData data = goldenDocument();
    engine::PrepaymentTerms terms;
    terms.kind = engine::MortgageKind::ClosedVariable;
    terms.lumpSumPercent = 20;
    terms.minimumLumpSum = 500;
    terms.paymentIncreasePercent = 25;
    terms.increaseOf = engine::IncreaseBase::Current;
    terms.combinedCap = true;
    terms.privilegeYear = engine::PrivilegeYearKind::LoanYear;
    terms.maturity = *exactDate(2010, 1, 15);
    terms.method = engine::PenaltyMethod::PercentByLoanYear;
    terms.comparison = engine::IrdComparison::Posted;
    terms.originalPostedRate = 0.0649;
    terms.percentByLoanYear = {3, 2.5, 1, 0.5};
    terms.chargeOn = engine::ChargeOn::WholePrepayment;
    terms.flatFee = 295.5;
    data.loan.prepaymentTerms = terms;
    const std::string written = writeDocument(data);
    EXPECT_NE(written.find("\"NumberOfPeriods\",300\r\n\"PrepaymentTerms\",-1\r\n\"[AnnualRates]\""),
              std::string::npos);
    const size_t section = written.find("\"[PrepaymentTerms]\",14,1\r\n");
    ASSERT_NE(section, std::string::npos);
    EXPECT_EQ(section, written.find("\r\n", written.find("\"TitleComments\",")) + 2);
    EXPECT_TRUE(written.ends_with("\"PercentByLoanYear\",\"3,2.5,1,0.5\"\r\n\"ChargeOn\",1\r\n\"FlatFee\",295.5\r\n"));

    const engine::PrepaymentTerms defaults;
    for (const engine::PrepaymentTerms &source : {terms, defaults}) {
        data.loan.prepaymentTerms = source;
        DocumentData copy;
        const ReadResult result = read(writeDocument(data), copy);
        EXPECT_TRUE(result.message().empty()) << result.message();
        EXPECT_EQ(copy.loan.prepaymentTerms, source);
        EXPECT_EQ(writeDocument(copy), writeDocument(data));
    }
    data.loan.prepaymentTerms.reset();
    EXPECT_EQ(writeDocument(data), kGolden);
    DocumentData off;
    off.loan.prepaymentTerms = terms;
    EXPECT_TRUE(read(kGolden, off).message().empty());
    EXPECT_FALSE(off.loan.prepaymentTerms);

    data.loan.prepaymentTerms = terms;
    const size_t announced = written.find("\"PrepaymentTerms\",-1\r\n") + 22;
    for (size_t cut = written.find("\r\n", announced); cut != std::string::npos; cut = written.find("\r\n", cut + 2)) {
        if (cut + 2 == written.size())
            break;
        SCOPED_TRACE(written.substr(0, cut).substr(written.rfind("\r\n", cut - 1) + 2));
        DocumentData copy;
        const ReadResult result = read(std::string_view(written).substr(0, cut + 2), copy);
        EXPECT_TRUE(result.stoppedEarly);
        EXPECT_EQ(occurrences(result.message(), "could not be read"), 1) << result.message();
        EXPECT_EQ(copy.loan.gdblLoanAmount, 200000);
        if (cut + 2 < section)
            continue;
        // Cut after the print options: the old end record was read, the terms' own was not.
        EXPECT_NE(result.problem.find("the file ends too early"), std::string::npos) << result.problem;
        EXPECT_EQ(copy.loan.prepaymentTerms.has_value(), cut > section);
        if (copy.loan.prepaymentTerms) {
            EXPECT_EQ(copy.loan.prepaymentTerms->kind, cut > section + 24 ? terms.kind : defaults.kind);
        }
    }
}

// Values no terms have stop the reading with the reader's usual message, keeping what came before them.
TEST(DocumentFile, PrepaymentTermsNoMortgageHasAreRefused)
{
    const struct
    {
        const char *line;
        const char *problem; // nullptr: the value is taken
    } cases[] = {
        {"\"MortgageKind\",3", "MortgageKind \"3\" is not within 0 to 2"},
        {"\"MortgageKind\",1.5", "MortgageKind is not a whole number"},
        {"\"LumpSumPercent\",120", "LumpSumPercent \"120\" is not within 0 to 100"},
        {"\"MinimumLumpSum\",-1", "MinimumLumpSum \"-1\" is not within 0 to 9999999999.99"},
        {"\"PenaltyMethod\",-1", "PenaltyMethod \"-1\" is not within 0 to 3"},
        {"\"OriginalPostedRate\",11", "OriginalPostedRate \"11\" is not within 0 to 10"},
        {"\"PercentByLoanYear\",\"2,x,1\"",
         "PercentByLoanYear \"2,x,1\" is not a list of up to 40 percentages from 0 to 100"},
        {"\"PercentByLoanYear\",\"2,,1\"",
         "PercentByLoanYear \"2,,1\" is not a list of up to 40 percentages from 0 to 100"},
        {"\"TermMaturity\",1e12", "a date is out of range"},
        {"\"PercentByLoanYear\",\"\"", nullptr},
        {"\"PenaltyMethod\",3", nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.line);
        DocumentData data;
        const ReadResult result =
            read(crlf({"\"[Application]\",1,1", "\"LoanAmount\",5", "\"PrepaymentTerms\",-1"}) + kEndRecord
                     + crlf({"\"[PrepaymentTerms]\",14,1", "\"LumpSumPercent\",10", c.line, "\"FlatFee\",0"}),
                 data);
        EXPECT_EQ(data.loan.gdblLoanAmount, 5);
        ASSERT_TRUE(data.loan.prepaymentTerms);
        EXPECT_EQ(data.loan.prepaymentTerms->lumpSumPercent, 10);
        if (!c.problem) {
            EXPECT_TRUE(result.message().empty()) << result.message();
            continue;
        }
        EXPECT_TRUE(result.stoppedEarly);
        EXPECT_EQ(result.problem, std::string("line 7: ") + c.problem);
    }
}
