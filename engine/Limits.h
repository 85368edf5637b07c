#pragma once

// What a loan's figures may be: the limits the wizard's and the Scenario's fields, the change tables, the document
// reader and the command line share.
namespace engine {

inline constexpr double kMaxWholeAmount = 9999999999.0; // purchase price, down payment, amount borrowed
inline constexpr double kMaxAmount = 9999999999.99; // loan amount, basic payment, the prepayment terms' amounts
inline constexpr double kMaxPercent = 1000; // interest rate, down payment in percent, mortgage-insurance premium
inline constexpr double kMaxAmortization = 9999; // years
inline constexpr int kMaxPeriods = 90000; // payment periods of a loan
inline constexpr double kMaxTypedChange = 9e9; // a rate, payment or lump sum of a change table
inline constexpr int kAmountDecimals = 2;

// From this on an amount has more than 15 significant digits and can no longer be shown to the cent; a schedule that
// reaches it is refused.
inline constexpr double kLargestCentAmount = 1e13;

} // namespace engine
