#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

// The rules of the update check that need neither the network nor the store.

// At most this many requests go to the service per calendar day.
inline constexpr int dailyRequestLimit = 5;
// Only the first this many requests of a day may open the new-version notice.
inline constexpr int dailyNoticeLimit = 3;

// A day as the check stores it: the date in the locale's short format. A change of the user's
// date format therefore makes the stored day differ from today.
QString dayText(const QDate &date, const QLocale &locale);
// Today in the user's short date format.
QString todayText();

// Whether the day's requests are used up: the stored day is today and dayCount has reached
// the limit.
bool dailyLimitReached(const QString &lastCheckDay, const QString &today, int dayCount);
// The day's request count once this request is sent: one more on the same day, else 1.
int dayCountWithRequest(const QString &lastCheckDay, const QString &today, int dayCount);

// Whether the service reports a version other than the running one: any text other than
// appVersion whose digits, once every "." is removed, read as a decimal number (an optional
// sign, then digits) within the signed 32-bit range. Lower versions count too.
bool reportsOtherVersion(const QString &replyVersion, const QString &appVersion);

// Whether a reported other version opens the notice: notifications are on (showUpdate is
// exactly 1), and this request is on a new day or among the first three of today.
bool mayOpenNotice(int showUpdate, bool lastCheckWasToday, int dayCountWithThisRequest);
