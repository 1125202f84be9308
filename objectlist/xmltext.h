// The texts of property values in the XML files.
#pragma once

#include <string>
#include <string_view>

namespace duebell {

class TTovObjectItem;
class TTovPropInfo;

// "yyyy-mm-dd", with time "yyyy-mm-ddThh:nn:ss+10:00" (the offset is fixed, never the
// machine's zone; the second is the one the record lists compare the value by). Empty for a
// zero or negative date, so zero dates are left out of files.
std::string FormatXMLDate(double value, bool withTime);

// Reads the forms this store writes, "yyyy-mm-dd" and "yyyy-mm-ddThh:nn:ss" with any zone
// after it (ignored), giving exactly what the general date reader of the records gives for
// them, only faster. False for any other text, which then goes the general way.
bool TryReadXmlDate(std::string_view text, double& value);

// The text of a simple (non-class) property as files hold it: integers and enumerations in
// decimal, Booleans "True"/"False", dates by FormatXMLDate, money and rates with every decimal
// they have, other floats in the general format, texts unchanged. Empty means "leave it out".
std::string XmlPropertyText(const TTovObjectItem& item, const TTovPropInfo& prop);

} // namespace duebell
