// The windows of this folder, registered by name: the about box.
#pragma once

namespace duebell {

void RegisterMainWindows();

} // namespace duebell
