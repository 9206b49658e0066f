// The device search's two working files: the scan limit (Work/Q_RS.000) and
// the port on which the recorder was last found (Work/ZT_RS.000).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/working_files.h"

namespace zt::link {

inline constexpr std::uint8_t kDefaultScanLimit = 50;

struct SearchSettings {
  std::uint8_t scanLimit = kDefaultScanLimit;
  std::uint8_t rememberedPort = 0;
  bool tryRemembered = false;
};

// The limit from the file's lines (the last usable one wins); the default when
// the file is missing, unreadable or holds nothing usable.
std::uint8_t ScanLimitFromText(std::string_view fileText);
std::uint8_t ReadScanLimit(const WorkingFiles& files);

// Sets rememberedPort and tryRemembered when a line gives a port number.
void RememberedPortFromText(std::string_view fileText, SearchSettings& settings);
void ReadRememberedPort(const WorkingFiles& files, SearchSettings& settings);

// Both files, as at start-up.
SearchSettings ReadSearchSettings(const WorkingFiles& files);

// The file's text for a port: one line "<port>\r\n".
std::string RememberedPortText(std::uint8_t port);

// Replaces the file with RememberedPortText; false (and the old file kept)
// when that fails. Nobody is told: the search goes on either way.
bool WriteRememberedPort(const WorkingFiles& files, std::uint8_t port);

}  // namespace zt::link
