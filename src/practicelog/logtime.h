#pragma once

#include "systemtime.h"

#include <QDate>
#include <QString>

// Times in the log are ISO 8601 UTC text to the second ("2026-12-09T14:05:00Z"): they sort as
// they read, and SQLite's date functions take them as they are.
class LogTime {
public:
    // Empty for a time whose fields do not name a real date and time.
    static QString Iso(const SystemTime& time);
    // The start of a day, "2026-12-09T00:00:00Z", for comparing with stored times.
    static QString DayStart(const QDate& day);
    static SystemTime Now(const SystemTime::Clock& clock);
};
