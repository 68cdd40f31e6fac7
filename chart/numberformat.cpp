#include "numberformat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

namespace chart {

std::string formatNumber(double value, const NumberSymbols &symbols)
{
    if (!std::isfinite(value))
        return {};
    // to_chars, unlike printf, never reads the C library's locale: the digits come out with a
    // '.' whatever LC_NUMERIC says.
    char buf[400];
    const auto [end, error] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 3);
    if (error != std::errc())
        return {};
    std::string_view text(buf, std::size_t(end - buf));

    // drop trailing zeros of the fraction, and the point if nothing is left after it
    text = text.substr(0, text.find_last_not_of('0') + 1);
    if (text.back() == '.')
        text.remove_suffix(1);
    const bool negative = text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    const std::size_t intEnd = std::min(text.find('.'), text.size());

    std::string out;
    if (negative && text != "0")   // a value that rounds to zero has no sign
        out += symbols.minusSign;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i == intEnd) {
            out += symbols.decimalMark;
            continue;
        }
        if (i > 0 && i < intEnd && (intEnd - i) % 3 == 0)
            out += symbols.groupSeparator;
        out += symbols.digits[std::size_t(text[i] - '0')];
    }
    return out;
}

}  // namespace chart
