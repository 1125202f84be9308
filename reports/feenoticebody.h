// The bodies of the letters about one full fee charged to a loan: the Notice of Fee Charge
// (the fee is due, by which day) and the four notices of an unpaid fee, one per stage (fee in
// arrears, default, termination, vacate). Each is one page: the letter from 115 mm, the
// "Fee Details" table titled at 190 mm with the fee's row at 210 mm, the closing from 230 mm.
#pragma once

#include <string>

namespace duebell {

class TMorvaneFeeTransaction;
class TMorvaneMortgage;
class TfmCustomPrintedReport;

enum class TFeeNoticeStage { Arrears, Default, Termination, Vacate };

// "Notice of Fee in Arrears", "Notice of Default due to Fee Arrears", "Notice of Termination",
// "Notice to Vacate Property".
std::string FeeNoticeTitle(TFeeNoticeStage stage);
// The description of an arrears administration fee charged on printing any fee notice.
inline constexpr const char* FeeNoticeAdminFeeDescription = "Fee Arrears";

// The Notice of Fee Charge for today on a client form framed already: the fee falls due
// `noticePeriod` calendar days from today (its fee type's notice period).
void DrawFeeChargeBody(TfmCustomPrintedReport& form, const TMorvaneFeeTransaction& fee,
                       int noticePeriod);

// A fee notice's body for today: `noticePeriod` is the fee type's notice period, which the
// arrears and default letters add before the default period; the table shows what is still
// owed on the fee; `feeApplied` says that an arrears administration fee was charged when it
// was printed.
void DrawFeeNoticeBody(TfmCustomPrintedReport& form, TFeeNoticeStage stage,
                       const TMorvaneMortgage& mortgage, const TMorvaneFeeTransaction& fee,
                       int noticePeriod, bool feeApplied);

} // namespace duebell
