// The one place that asks the locale how numbers are written: every number the chart shows or
// says (axis labels, legend, tooltip, accessible description) is numberText(), so they always
// agree. The C and POSIX locales write numbers as English does ("1,234.5").
#pragma once

#include "numberformat.h"

#include <QLocale>
#include <QString>

namespace chart {

// The decimal mark, group separator, minus sign and digits of `locale`.
NumberSymbols numberSymbols(const QLocale &locale);

// Those of the system locale (LC_ALL, LC_NUMERIC, LANG), read once.
const NumberSymbols &systemNumberSymbols();

// `value` in the chart's number format with the system locale's symbols.
QString numberText(double value);

}  // namespace chart
