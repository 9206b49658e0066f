// Printing a range of sheet files as one text job.
#pragma once

#include "report/print_context.h"

namespace zt::report {

// Sends the lines of every existing sheet file first..last (none when last <
// first) in the report font, each sheet from the top of a page; the stored
// metrics become the working ones.
// False when the job could not be started or completed; a file it could not
// write is told to the operator.
bool PrintSheets(const PrintContext& context, int first, int last);

}  // namespace zt::report
