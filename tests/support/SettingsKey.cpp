// The in-process window tests keep what their windows store under a key of the test program's own,
// HKCU\Software\tnwk_win_tests_<process id>, which is removed when the test program ends. Without a
// program name set the windows' storage would have no key at all.
#include "prefs/Placemnt_core.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

class TestSettingsKey : public ::testing::Environment {
  public:
    void SetUp() override { placement::SetApplicationExeName("C:\\tests\\" + name_ + ".exe"); }
    void TearDown() override {
        const std::string key = "Software\\" + name_;
        RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
        placement::SetApplicationExeName({});
    }

  private:
    std::string name_ = "tnwk_win_tests_" + std::to_string(GetCurrentProcessId());
};

[[maybe_unused]] ::testing::Environment* const kSettingsKey =
    ::testing::AddGlobalTestEnvironment(new TestSettingsKey);

} // namespace
