// The raster operations a picture is drawn with: the fifteen Windows copy-mode codes, each
// combining the picture (S), the brush colour (the pattern, P) and what the device already
// shows (D). On an image every code has its effect; the PDF and printer devices cannot read
// back what they show, so there the codes that use D draw the picture as source copy does.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <cstdint>

namespace duebell {

inline constexpr std::uint32_t cmBlackness = 0x00000042;   // 0
inline constexpr std::uint32_t cmDstInvert = 0x00550009;   // not D
inline constexpr std::uint32_t cmMergeCopy = 0x00C000CA;   // P and S
inline constexpr std::uint32_t cmMergePaint = 0x00BB0226;  // (not S) or D
inline constexpr std::uint32_t cmNotSrcCopy = 0x00330008;  // not S
inline constexpr std::uint32_t cmNotSrcErase = 0x001100A6; // not (S or D)
inline constexpr std::uint32_t cmPatCopy = 0x00F00021;     // P
inline constexpr std::uint32_t cmPatInvert = 0x005A0049;   // P xor D
inline constexpr std::uint32_t cmPatPaint = 0x00FB0A09;    // P or (not S) or D
inline constexpr std::uint32_t cmSrcAnd = 0x008800C6;      // S and D
inline constexpr std::uint32_t cmSrcCopy = 0x00CC0020;     // S
inline constexpr std::uint32_t cmSrcErase = 0x00440328;    // S and (not D)
inline constexpr std::uint32_t cmSrcInvert = 0x00660046;   // S xor D
inline constexpr std::uint32_t cmSrcPaint = 0x00EE0086;    // S or D
inline constexpr std::uint32_t cmWhiteness = 0x00FF0062;   // 1

// Whether the code is one of the fifteen (any other code draws as source copy).
bool IsKnownCopyMode(std::uint32_t copyMode);

// Draws the opaque picture stretched into 'rect' combined with the pattern and the device by
// 'copyMode'.
void DrawWithCopyMode(QPainter& painter, const QRect& rect, const QImage& picture,
                      std::uint32_t copyMode, QColor pattern);

} // namespace duebell
