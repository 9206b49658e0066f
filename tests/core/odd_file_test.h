// A test run once for each kind of odd file (odd_files.h), in a fresh program
// folder with its Work and Report folders.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "core/working_files.h"
#include "tests/core/image_builder.h"
#include "tests/core/odd_files.h"

namespace zt::test {

class OddFileTest : public ::testing::TestWithParam<OddFile> {
 protected:
  OddFileTest() { files.EnsureFolders(); }

  TempFolder folder;
  WorkingFiles files{folder.path()};
  const HangGuard guard;
};

// For INSTANTIATE_TEST_SUITE_P(Kinds, Suite, ValuesIn(OddFileKinds()), OddFileTestName).
inline std::string OddFileTestName(const ::testing::TestParamInfo<OddFile>& kind) { return OddFileName(kind.param); }

}  // namespace zt::test
