// The fixed tables of payment, statement and fee periods, and lookups by name. The combo boxes
// of the windows are filled from these tables.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace duebell {

// A loan's contract payment period (TMorvaneContract.PaymentPeriod).
inline constexpr std::array<std::string_view, 3> PaymentPeriodNames{"Weekly", "Fortnightly",
                                                                    "Monthly"};
inline constexpr std::array<int, 3> PeriodsPerYear{52, 26, 12};

// How often a loan's statements fall due (TMorvaneContract.StatementPeriod).
inline constexpr std::array<std::string_view, 4> StatementPeriodNames{"Monthly", "Quarterly",
                                                                      "Tri-Yearly", "Half-Yearly"};
inline constexpr std::array<int, 4> StatementPeriodMonths{1, 3, 4, 6};

// An instalment fee's own schedule (TMorvaneInstallmentFee.UserPaymentPeriod).
inline constexpr std::array<std::string_view, 5> FrequencyNames{"Weekly", "Fortnightly", "Monthly",
                                                                "Quarterly", "Annually"};
inline constexpr std::array<int, 5> FrequencyPeriodsPerYear{52, 26, 12, 4, 1};

// The payment types a loan payment may have.
inline constexpr std::array<std::string_view, 1> PaymentTypeNames{"Payment"};

// Suffix of a day of the month, by the day mod 10 ("1st", "2nd", "22nd"); the days 11 to 13
// take "th" instead (OrdinalDayText).
inline constexpr std::array<std::string_view, 10> OrdinalSuffixes{"th", "st", "nd", "rd", "th",
                                                                  "th", "th", "th", "th", "th"};

// The months' English names, January first: the same on every machine, whatever its locale.
inline constexpr std::array<std::string_view, 12> LongMonthNames{
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

// A day of the month with its English suffix: "1st", "2nd", "11th", "12th", "13th", "23rd".
std::string OrdinalDayText(int day);

// Position of text among names, ignoring case; -1 when absent.
int IndexOfText(std::string_view text, std::span<const std::string_view> names);
int PaymentPeriodIndex(std::string_view text);
int StatementPeriodIndex(std::string_view text);

} // namespace duebell
