// The small types every part of the print library shares: lengths in inches, colours as the
// drawing objects keep them, the enumerations of the library, and the change-event type.
#pragma once

#include "controls/alignment.h"
#include "controls/graphicstyles.h"
#include "controls/tcolor.h"

#include <cstdint>
#include <functional>

namespace duebell {

using TNotifyEvent = std::function<void()>;

// A point and a rectangle in inches on the page, measured from the paper's corner.
struct InchPoint {
    double X = 0;
    double Y = 0;
};
struct InchRect {
    double Left = 0;
    double Top = 0;
    double Right = 0;
    double Bottom = 0;
};

enum TPqMeasurement : std::uint8_t {
    pqUnits,       // hundredths of a millimetre
    pqPixels,      // screen pixels at 96 per inch
    pqMillimeters, //
    pqCentimeters, //
    pqInches,      // the stored unit
    pqTwips        // 1440 per inch
};

enum TPqOrientation : std::uint8_t { pqPortrait, pqLandscape };
enum class TPqPaperSize : std::uint8_t { A3, A4, A5, A6, B5, C5, Legal, Letter, Custom };
enum TPqCoordsRelative : std::uint8_t {
    pqFromPage,
    pqFromPrinterMargins,
    pqFromUserMargins,
    pqFromHeaderLine
};
enum TPqPagesPerSheet : std::uint8_t { pqOnePage, pqTwoPage, pqFourPage };
enum TPqZoomStyle : std::uint8_t { pqFixedZoom, pqVariableZoom };
enum TPqGridStyle : std::uint8_t { pqNoGrid, pqDots, pqLines };
enum TPqPrintColor : std::uint8_t { pqColor, pqMonochrome };
enum TPqPrintQuality : std::uint8_t { pqDraft, pqLow, pqMedium, pqHigh };
enum TPqDitherType : std::uint8_t { pqNone, pqCourse, pqFine, pqLineArt, pqGrayScale };
enum TPqDuplexType : std::uint8_t { pqSimplex, pqHorzDuplex, pqVertDuplex };
enum TPqVertAlignment : std::uint8_t { pqTop, pqMiddle, pqBottom };

// Pen styles and pen modes with the values documents store (colours, brush styles and
// font styles are shared with the controls).
enum TPenStyle : std::uint8_t {
    psSolid,
    psDash,
    psDot,
    psDashDot,
    psDashDotDot,
    psClear,
    psInsideFrame
};
inline constexpr std::uint8_t pmCopy = 4;

} // namespace duebell
