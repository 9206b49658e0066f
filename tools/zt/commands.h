// One function per zt command; each takes the arguments after the command name.
#pragma once

#include <string>
#include <vector>

namespace zt::cli {

using CommandArgs = std::vector<std::string>;

int RunSample(const CommandArgs& args);
int RunInfo(const CommandArgs& args);
int RunExport(const CommandArgs& args);
int RunShow(const CommandArgs& args);
int RunDemo(const CommandArgs& args);
int RunReport(const CommandArgs& args);
int RunSearch(const CommandArgs& args);
int RunRead(const CommandArgs& args);
int RunWrite(const CommandArgs& args);
int RunVersion(const CommandArgs& args);

}  // namespace zt::cli
