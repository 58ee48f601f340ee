// Every end-to-end test program leaves no settings of the program behind, also when a test failed
// before its own clean-up.
#include "e2e/driver.h"

#include <gtest/gtest.h>

namespace {

class ProgramSettingsCleanup : public ::testing::Environment {
  public:
    void TearDown() override { e2e::DeleteProgramSettings(); }
};

[[maybe_unused]] ::testing::Environment* const kCleanup =
    ::testing::AddGlobalTestEnvironment(new ProgramSettingsCleanup);

} // namespace
