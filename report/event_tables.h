// The operational-archive tables: sensor states, clock corrections, controls.
#pragma once

#include <string>
#include <string_view>

#include "report/table_context.h"

namespace zt::report {

// "Р-В", "Р-0", "0-В" or "0-0" of a four-character service string.
std::string ServiceCode(std::string_view serviceString);

void WriteSensorStateTable(const TableContext& context);
void WriteClockCorrectionTable(const TableContext& context);
void WriteControlsTable(const TableContext& context);

}  // namespace zt::report
