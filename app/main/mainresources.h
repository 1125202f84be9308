// The folder's compiled-in picture: ":/main/about.jpg".
#pragma once

namespace duebell {

// Registers the pictures once; a static library's resources need it before first use.
void EnsureMainResources();

} // namespace duebell
