#include "localenumbers.h"

namespace chart {

NumberSymbols numberSymbols(const QLocale &locale)
{
    // The C locale's symbols are English's already, so it needs no special case. (Nor could the
    // system locale's language choose one: that follows LC_MESSAGES, the symbols LC_NUMERIC.)
    NumberSymbols s;
    s.decimalMark = locale.decimalPoint().toStdString();
    s.groupSeparator = locale.groupSeparator().toStdString();
    s.minusSign = locale.negativeSign().toStdString();
    // The zero may lie outside the BMP; the other digits follow it in Unicode.
    const QList<uint> zero = locale.zeroDigit().toUcs4();
    if (!zero.isEmpty())
        for (char32_t i = 0; i < 10; ++i) {
            const char32_t digit = char32_t(zero.front()) + i;
            s.digits[i] = QString::fromUcs4(&digit, 1).toStdString();
        }
    return s;
}

const NumberSymbols &systemNumberSymbols()
{
    static const NumberSymbols symbols = numberSymbols(QLocale::system());
    return symbols;
}

QString numberText(double value)
{
    return QString::fromStdString(formatNumber(value, systemNumberSymbols()));
}

}  // namespace chart
