// The process's temporary files and the signals that would strand them.
// Signal handlers belong to the whole process, so this module keeps the one
// record of live temporary files; OutputFile creates and forgets its
// temporary files here, and main() installs the handlers once.
#pragma once

#include <string>

namespace zt {

// SIGHUP, SIGINT, SIGTERM and SIGQUIT (each unless ignored, as under nohup)
// first remove the live temporary files, then act as they would have. SIGXFSZ
// is ignored, so a write beyond the file-size limit fails with EFBIG and is
// reported like a full disk instead of ending the process without a word.
// A command that takes SIGINT or SIGTERM for itself afterwards must end
// through its own way out, where the temporary files are removed anyway.
void InstallTempFileCleanup();

// mkstemp of the template (the name is written into it), the new file
// recorded for removal; the signals above are held in between so none leaves
// it behind. Returns the descriptor, or -1 with errno set; slot is -1 when
// the record is full (the file then falls to a later start-up sweep).
int CreateTrackedTempFile(std::string& pathTemplate, int& slot);

// The file of the slot is gone or renamed: no signal should remove it now.
void ForgetTempFile(int slot);

}  // namespace zt
