// The library's compiled-in images: the navigator's glyphs under ":/print/glyphs/<NAME>" and
// the zoom cursors under ":/print/cursors/ZoomIn" and ":/print/cursors/ZoomOut".
#pragma once

namespace duebell {

// Registers the images once; a static library's resources need it before first use.
void EnsurePrintResources();

} // namespace duebell
