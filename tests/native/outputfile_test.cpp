// The output file beside the project: its name, reading it whole, and the last line break.
#include "base/SysUtils.h"
#include "output/OutputFile_core.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <utility>

TEST(OutputFile, LiesInTheProjectsFolderOrTheCurrentOne) {
    EXPECT_EQ(outputfile::OutputFileName("c:\\projects\\demo\\demo.dpr"), "c:\\projects\\demo\\output.txt");
    EXPECT_EQ(outputfile::OutputFileName("c:demo.dpr"), "c:output.txt");
    EXPECT_EQ(outputfile::OutputFileName("demo.dpr"), "output.txt");
    EXPECT_EQ(outputfile::OutputFileName(""), "output.txt");
}

TEST(OutputFile, OnlyTheBreakAfterTheLastLineIsDropped) {
    EXPECT_EQ(outputfile::WithoutFinalLineBreak("a\r\nb\r\n"), "a\r\nb");
    EXPECT_EQ(outputfile::WithoutFinalLineBreak("a\nb\n"), "a\nb");
    EXPECT_EQ(outputfile::WithoutFinalLineBreak("a\r"), "a");
    EXPECT_EQ(outputfile::WithoutFinalLineBreak("a\r\n\r\n"), "a\r\n"); // an empty last line stays
    EXPECT_EQ(outputfile::WithoutFinalLineBreak("a\n\r"), "a\n");       // LF then CR are two breaks
    EXPECT_EQ(outputfile::WithoutFinalLineBreak("a"), "a");
    EXPECT_EQ(outputfile::WithoutFinalLineBreak(""), "");
}

class OutputFileOnDisk : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("tnwk-outputfile-" +
                   std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }
    std::string PathOf(const char* name) const { return (folder_ / name).string(); }

    std::filesystem::path folder_;
};

TEST_F(OutputFileOnDisk, IsReadByteForByte) {
    std::string bytes;
    for (int i = 0; i < 256 * 300; ++i)
        bytes += static_cast<char>(i % 256); // NUL, ^Z, lone CR and LF, high bytes
    std::ofstream(PathOf("output.txt"), std::ios::binary) << bytes;
    EXPECT_EQ(outputfile::ReadWholeFile(PathOf("output.txt")), bytes);

    std::ofstream(PathOf("empty.txt"), std::ios::binary).flush();
    EXPECT_EQ(outputfile::ReadWholeFile(PathOf("empty.txt")), "");
}

TEST_F(OutputFileOnDisk, AMissingFileOrAFolderRaisesTheRuntimesOpenError) {
    for (const char* name : {"missing.txt", ""}) {
        const std::string path = PathOf(name);
        try {
            outputfile::ReadWholeFile(path);
            ADD_FAILURE() << "no error for " << path;
        } catch (const EFOpenError& e) {
            EXPECT_EQ(e.Message(), "Datei " + path +
                                       " kann nicht ge\xF6"
                                       "ffnet werden");
        }
    }
}

// An output larger than the program can hold is refused with the program's own message and its size,
// before anything is read; sizes beyond 4 GB are named whole.
TEST_F(OutputFileOnDisk, AFileBeyondTheLimitIsRefusedWithItsSize) {
    const std::string path = PathOf("output.txt");
    std::ofstream(path, std::ios::binary) << std::string(100000, 'x');
    EXPECT_EQ(outputfile::ReadWholeFile(path, 100000).size(), 100000u);
    const std::pair<std::uintmax_t, const char*> cases[] = {
        {100000, "The compiler output is too large to show: 100,000 bytes."},
        {5000000000, "The compiler output is too large to show: 5,000,000,000 bytes."},
    };
    for (const auto& [size, message] : cases) {
        std::filesystem::resize_file(path, size); // sparse: nothing of it is written
        try {
            outputfile::ReadWholeFile(path, 99999);
            ADD_FAILURE() << "a file of " << size << " bytes was read";
        } catch (const EOutputTooLarge& e) {
            EXPECT_EQ(e.Message(), message);
        }
    }
}
