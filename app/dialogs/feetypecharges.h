// What a full-fee type's rename or deletion does to the loans: every full-fee charge of the
// type (a loan's TMorvaneFeeTransaction of that FeeDescription, compared case-sensitively as
// the fee list's keys are) follows it.
#pragma once

#include <string>
#include <vector>

namespace duebell {

class TMorvaneData;
class TMorvaneMortgage;

// The charges of that description on all the loans.
int CountFeeCharges(const TMorvaneData& book, const std::string& description);
// The loans with at least one charge of that description, in loan-number order.
std::vector<TMorvaneMortgage*> LoansWithFeeCharges(const TMorvaneData& book,
                                                   const std::string& description);
// Gives every charge named `from` the name `to`; returns the loans changed.
std::vector<TMorvaneMortgage*> RenameFeeCharges(TMorvaneData& book, const std::string& from,
                                                const std::string& to);
// Takes every charge of that description (with its payments) out of its loan and frees it;
// returns the loans changed. The charges' list tells its listeners of each one.
std::vector<TMorvaneMortgage*> DeleteFeeCharges(TMorvaneData& book, const std::string& description);

} // namespace duebell
