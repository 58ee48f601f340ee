#include "prefs/options_core.h"
#include "support/Files.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

using namespace options;

namespace {

// A scratch folder of its own per test, removed afterwards. Compiler paths are Windows file names,
// so these run in the Windows build only.
class CompilerConfigFile : public ::testing::Test {
  protected:
    void SetUp() override {
#ifndef _WIN32
        GTEST_SKIP() << "compiler paths are Windows file names";
#endif
        folder = std::filesystem::temp_directory_path() /
                 ("tnwk_cfg_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override {
        if (!folder.empty())
            std::filesystem::remove_all(folder);
    }
    // The folder as a file-name prefix in the platform's own spelling, ending in its separator.
    std::string Prefix() const {
        return (folder / "").string();
    }

    std::filesystem::path folder;
};

} // namespace

TEST(CompilerDetection, FolderOfTheEntryPlusCompilerName) {
    EXPECT_EQ(DetectedCompilerPath(std::string("C:\\Program Files\\Borland\\Delphi 3\\Bin\\delphi32.exe")),
              "C:\\Program Files\\Borland\\Delphi 3\\Bin\\dcc32.exe");
    EXPECT_EQ(DetectedCompilerPath(std::string("D:delphi32.exe")), "D:dcc32.exe");
    EXPECT_EQ(DetectedCompilerPath(std::string("delphi32.exe")), "dcc32.exe");
    EXPECT_EQ(DetectedCompilerPath(TVariant{}), "dcc32.exe");
    EXPECT_EQ(DetectedCompilerPath(std::int32_t{42}), "dcc32.exe");
}

TEST(CompilerConfig, PathBesideTheCompiler) {
    EXPECT_EQ(CompilerConfigPath("C:\\D3\\Bin\\dcc32.exe"), "C:\\D3\\Bin\\Dcc32.cfg");
    EXPECT_EQ(CompilerConfigPath("dcc32.exe"), "Dcc32.cfg");
    EXPECT_EQ(CompilerConfigPath(""), std::nullopt);
}

TEST(CompilerConfig, EmptyTextsGiveFiveBareLines) {
    EXPECT_EQ(CompilerConfigText("", ""), "-a \r\n-u\"\"\r\n-i\"\"\r\n-o\"\"\r\n-r\"\"\r\n");
}

TEST(CompilerConfig, TextsAreCopiedUnchanged) {
    const std::string search = "C:\\Program Files\\D3\\Lib;$(DELPHI)\\B\xE4n";
    const std::string aliases = "WinTypes=Windows;WinProcs=Windows";
    const std::string quoted = "\"" + search + "\"\r\n";
    EXPECT_EQ(CompilerConfigText(aliases, search),
              "-a " + aliases + "\r\n-u" + quoted + "-i" + quoted + "-o" + quoted + "-r" + quoted);
}

TEST_F(CompilerConfigFile, ReplacesAnEarlierFileCompletely) {
    const auto cfg = folder / "Dcc32.cfg";
    {
        std::ofstream old(cfg, std::ios::binary);
        old << std::string(500, 'x') << "\r\n";
    }
    EXPECT_TRUE(WriteCompilerConfig(Prefix() + "dcc32.exe", "A=B", "P"));
    EXPECT_EQ(support::ReadFileBytes(cfg.string()), "-a A=B\r\n-u\"P\"\r\n-i\"P\"\r\n-o\"P\"\r\n-r\"P\"\r\n");
}

TEST_F(CompilerConfigFile, EmptyCompilerPathWritesNothing) {
    EXPECT_FALSE(WriteCompilerConfig("", "A=B", "P"));
    EXPECT_TRUE(std::filesystem::is_empty(folder));
}

TEST_F(CompilerConfigFile, MissingFolderFailsQuietly) {
    EXPECT_FALSE(WriteCompilerConfig(Prefix() + "nowhere" + Prefix().back() + "dcc32.exe", "", ""));
    EXPECT_TRUE(std::filesystem::is_empty(folder));
}
