// The compile job's file routines on the real file system: the short form of a path and the wiping
// of "compile.bat".
#include "support/Files.h"
#include "app/xProcs.h"
#include "standin_harness.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {
std::string LongPathOf(const std::string& path) {
    char buffer[MAX_PATH] = {};
    const DWORD length = GetLongPathNameA(path.c_str(), buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? buffer : "";
}
} // namespace

TEST(XProcsShortPath, NamesTheSameFileOrGivesThePathBack) {
    standin_harness::TempFolder folder;
    const std::string longFolder = folder / "a folder with a long name";
    ASSERT_TRUE(CreateDirectoryA(longFolder.c_str(), nullptr));
    const std::string file = longFolder + "\\the project file.dpr";
    standin_harness::writeFile(file, "program x;\r\n");

    const std::string shortForm = ShortPath(file);
    EXPECT_EQ(shortForm.find(' '), std::string::npos) << shortForm;
    EXPECT_EQ(LongPathOf(shortForm), LongPathOf(file));

    // A bare name is looked up in the current directory.
    char saved[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, saved);
    SetCurrentDirectoryA(longFolder.c_str());
    const std::string bare = ShortPath("the project file.dpr");
    SetCurrentDirectoryA(saved);
    EXPECT_EQ(bare.find(' '), std::string::npos) << bare;
    EXPECT_EQ(bare, shortForm.substr(shortForm.find_last_of('\\') + 1));

    // No file: the path unchanged.
    EXPECT_EQ(ShortPath(folder / "missing file.dpr"), folder / "missing file.dpr");
}

TEST(XProcsWipeFile, OverwritesWithXThenDeletes) {
    standin_harness::TempFolder folder;
    const std::string batch = folder / "compile.bat";
    const std::string link = folder / "link.bat";
    standin_harness::writeFile(batch, "C:\\D3\\DCC32.EXE  HELLO.DPR >output.txt\r\n");
    // A second name of the same file shows what was written before the first one went.
    ASSERT_TRUE(CreateHardLinkA(link.c_str(), batch.c_str(), nullptr));
    WipeFile(batch);
    EXPECT_FALSE(FileExists(batch));
    EXPECT_EQ(support::ReadFileBytes(link), std::string(40, 'X'));

    // An empty file is deleted; a missing one is no failure.
    standin_harness::writeFile(batch, "");
    WipeFile(batch);
    EXPECT_FALSE(FileExists(batch));
    WipeFile(folder / "missing.bat");
}
