// Horizontal alignment of a caption or text, shared by the controls and the printed page;
// stored in preview documents as one byte: left 0, right 1, centre 2.
#pragma once

#include <cstdint>

namespace duebell {

enum TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };

} // namespace duebell
