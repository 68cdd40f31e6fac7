// Expectations in the user's locale, for suites that CTest runs under C, de_DE and ru_RU.
#pragma once

#include <QLocale>
#include <QString>

// `german` or `russian` when the environment's locale (LC_ALL, LC_MESSAGES, LANG) is of that
// language, else `english` (C, POSIX, English). The runs set numbers and words alike.
inline QString inUsersLocale(const QString &english, const QString &german, const QString &russian)
{
    switch (QLocale::system().language()) {
    case QLocale::German:
        return german;
    case QLocale::Russian:
        return russian;
    default:
        return english;
    }
}

