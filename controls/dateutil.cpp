#include "controls/dateutil.h"

#include "objectlist/formatsettings.h"

#include <cctype>
#include <string>

namespace duebell {

bool IsFourDigitYearFormat(std::string_view format) {
    std::string upper(format);
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper.find("YYYY") != std::string::npos;
}

bool FourDigitYear() {
    static const bool flag = IsFourDigitYearFormat(FormatSettings::ShortDateFormat);
    return flag;
}

} // namespace duebell
