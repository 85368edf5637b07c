#pragma once

#include <array>
#include <string>
#include <string_view>

namespace document {

// How a document's schedule is put on paper. Margins and edges are in inches.
struct PrintOptions
{
    bool Orientation = true; // true: portrait
    int GridLines = 1;
    int RepeatHeading = 0;
    int BlackAndWhite = 1;
    int TitleComments = 0;
    float MarginTop = 0.5f;
    float MarginLeft = 0.25f;
    float MarginRight = 0.25f;
    float MarginBottom = 0.5f;
    int CenterHorizontally = 0;
    int CenterVertically = 0;
    int Scaling = 100;
    float HeaderEdge = 0;
    float FooterEdge = 0;
    int HeaderListIndex = 1; // "Page 1"
    int FooterListIndex = 2; // "File Name"
    std::string CustomHeader = " ";
    std::string CustomFooter = " ";
    int PageSize = 1; // Letter
    int RowsPerPage = 80;
    std::string HeaderLeft = " ";
    std::string HeaderCenter = " ";
    std::string HeaderRight = " ";
    std::string FooterLeft = " ";
    std::string FooterCenter = " ";
    std::string FooterRight = " ";
    bool DefaultsApplied = false; // not stored: the defaults were written once
    bool SetupChanged = false; // not stored: the page setup dialog holds a value that differs

    // Every stored field back to its default; DefaultsApplied becomes true.
    void applyDefaults();

    friend bool operator==(const PrintOptions &, const PrintOptions &) = default;
};

// A margin or edge as the record keeps it: a negative one (or no number) as none, none longer than 1,000,000 inches,
// which the record's 32-bit real holds.
float keptMargin(double inches);

// The header and footer choices, and the paper sizes, as the page setup lists show them.
inline constexpr std::array<std::string_view, 8> kHeaderFooterChoices = {
    "(none)", "Page 1", "File Name", "Date", "File Name,Page 1", "Page 1,File Name", "Page 1,Date", "Date,Page 1"};
inline constexpr std::array<std::string_view, 13> kPaperSizes = {
    "Letter, 8 1/2 x 11 in.", "Legal, 8 1/2 x 14 in.", "Executive, 7 1/2 x 10 1/2 in.",
    "Tabloid, 11 x 17 in.",   "Ledger, 17 x 11 in.",   "Statement, 5 1/2 x 8 1/2 in.",
    "Folio, 8 1/2 x 13 in.",  "A3, 297 x 420 mm",      "A4, 210 x 297 mm",
    "A5, 148 x 210 mm",       "B4, 250 x 354 mm",      "B5, 182 x 257 mm",
    "Quarto, 215 x 275 mm"};

} // namespace document
