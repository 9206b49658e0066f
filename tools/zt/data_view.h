// A loaded data file and the ways the tool shows it.
#pragma once

#include <ostream>
#include <string>

#include "core/archive_table.h"
#include "core/device_image.h"
#include "core/working_files.h"

namespace zt::cli {

struct LoadedData {
  DecodedImage image;
  ArchiveTables tables;
};

// Loads a data file as the load window would, without making it the image file.
// Returns 0, or the load's finish code after printing its message on stderr
// and then, after "zt COMMAND: ", the file's name and why it did not load.
// files: the program folder the command works in.
int LoadForInspection(const std::string& command, const std::string& path, LoadedData& data,
                      const WorkingFiles& files);

// RFC 4180 CSV in UTF-8: the title row, then every record row, cells as the table holds them.
std::string TableCsv(const ArchiveTable& table);

// The header and, for each archive, the rows up to and around its current record.
void PrintOverview(std::ostream& out, const LoadedData& data, std::size_t rowsEachSide);

}  // namespace zt::cli
