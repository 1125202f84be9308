#include "app/main/setupguidance.h"

#include "domain/configuration.h"
#include "domain/details.h"
#include "domain/loanbook.h"

namespace duebell {

int SetupHelpContext(const TMorvaneConfiguration& configuration, const TMorvaneData& data) {
    if (configuration.Address->UnstructuredAddress.empty() &&
        configuration.Address->PostCode.empty() && configuration.ContactDetails->PhoneNo.empty())
        return 510;
    const TMorvaneSystemConfiguration& periods = *configuration.SystemConfiguration;
    // Summed in 64 bits: periods typed near the spin edits' limit must not wrap round.
    const long long days = static_cast<long long>(periods.DefaultPeriod) + periods.ForeclosePeriod +
                           periods.EvictionPeriod + periods.InstallmentFeePeriod;
    if (days <= 4)
        return 520;
    if (configuration.InstallmentFeePenalties->Count() == 0)
        return 525;
    if (configuration.RecurringPublicHolidayList->Count() == 0)
        return 530;
    if (configuration.PublicHolidayList->Count() == 0)
        return 540;
    if (data.Clients->Count() == 0)
        return 550;
    if (data.Properties->Count() == 0)
        return 560;
    if (data.Mortgages->Count() == 0)
        return 570;
    return 0;
}

} // namespace duebell
