#pragma once

#include <string>
#include <utility>
#include <vector>

namespace engine {

struct LoanDocument;
class NumberFormat;

// The loan's key figures as label and value texts, in the order the summary table shows them.
std::vector<std::pair<std::string, std::string>> summaryRows(const LoanDocument &doc, const NumberFormat &format);

} // namespace engine
