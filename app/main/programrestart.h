// Starting the program again after an import, as the shell would: the same program file with
// the same arguments (so the same --data-dir), the environment inherited (so the same
// DUEBELL_DATA_DIR), detached from this process, which then ends.
#pragma once

namespace duebell {

// Starts the program again; raises Exception when it cannot be started.
void StartProgramAgain();

} // namespace duebell
