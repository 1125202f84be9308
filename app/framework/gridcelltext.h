// What a cell of the object-list grid shows for a record property, and the shade of its banded
// rows. Texts come from the program's fixed formats, never from the locale.
#pragma once

#include "controls/tcolor.h"

#include <string>

namespace duebell {

class TTovObjectItem;
class TTovPropInfo;

// The text of a property of a record, by the property's kind: Booleans "True" or "False";
// other whole numbers and enumerations in decimals; texts as they are; dates "dd/mm/yyyy" and
// date-times with " hh:nn:ss" unless at midnight, both empty for the empty date 0; money as
// "$1,234.50" or "-$1,234.50"; other numbers in the general format. False for a property that
// shows nothing (an object): the cell is left alone.
bool PropertyCellText(const TTovObjectItem& item, const TTovPropInfo& prop, std::string& text);

// The colour of every second row: 16 less in each of red, green and blue, never below 0
// (white gives 239, 239, 239).
TColor ShadeColor(TColor rgb);

} // namespace duebell
