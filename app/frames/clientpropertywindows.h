// The "Clients" and "Properties" tab frames, registered by class name (TfmeClients,
// TfmeProperty). Each is made over the request's record list and handed to the opener.
#pragma once

namespace duebell {

void RegisterClientAndPropertyWindows();

} // namespace duebell
