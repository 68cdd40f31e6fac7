// Numbers as the chart writes them, in the "#,##0.###" format: the integer digits in groups of
// three, at most three decimals with trailing zeros dropped, no decimal mark for a whole number,
// never "-0". Which characters mark the decimals, separate the groups, write the minus and the
// digits is the reader's locale's (NumberSymbols); taking them from a locale is done elsewhere
// (localenumbers.h), so this stays plain C++ and never depends on the C library's locale.
#pragma once

#include <array>
#include <string>

namespace chart {

// UTF-8 texts; the defaults are English.
struct NumberSymbols {
    std::string decimalMark = ".";
    std::string groupSeparator = ",";
    std::string minusSign = "-";
    std::array<std::string, 10> digits{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
    friend bool operator==(const NumberSymbols &, const NumberSymbols &) = default;
};

// `value` rounded to three decimals in the format above, as UTF-8; empty when it is not finite.
std::string formatNumber(double value, const NumberSymbols &symbols = {});

}  // namespace chart
