// The source view's rules: the search path's folders, finding a file without regard to case, the
// messages, the caption, the line and column to go to, and how a file's text is written.
#include "base/SysUtils.h"
#include "output/SourceView_core.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

using namespace sourceview;

TEST(SourceViewSearchPath, SplitsTrimsUnquotesAndRootsRelativeFolders) {
    const std::vector<std::string> expected = {"c:\\lib\\", "c:\\p\\..\\common\\", "d:\\my units\\",
                                               "\\\\server\\share\\"};
    EXPECT_EQ(SearchFolders(" c:\\lib ;..\\common\\;; \"d:\\my units\" ;\\\\server\\share;", "c:\\p\\"),
              expected);
    EXPECT_TRUE(SearchFolders("", "c:\\p\\").empty());
}

TEST(SourceViewLocate, LooksInTheProjectThenTheSearchFoldersComparingWithoutCase) {
    const std::map<std::string, std::vector<std::string>> folders = {{"c:\\p\\", {"hello.dpr", "Greet.pas"}},
                                                                     {"c:\\lib\\", {"MathUnit.PAS"}},
                                                                     {"c:\\p\\sub\\", {"deep.pas"}},
                                                                     {"d:\\abs\\", {"x.pas"}}};
    const TListFolder list = [&](const std::string& folder) {
        const auto it = folders.find(folder);
        return it == folders.end() ? std::vector<std::string>() : it->second;
    };
    const std::vector<std::string> search = {"c:\\none\\", "c:\\lib\\"};
    const struct {
        const char* name;
        const char* found; // nullptr: not found
        std::vector<std::string> searched;
    } cases[] = {{"greet.pas", "c:\\p\\Greet.pas", {"c:\\p\\", "c:\\none\\", "c:\\lib\\"}},
                 {"MATHUNIT.pas", "c:\\lib\\MathUnit.PAS", {"c:\\p\\", "c:\\none\\", "c:\\lib\\"}},
                 {"sub\\Deep.pas", "c:\\p\\sub\\deep.pas", {"c:\\p\\sub\\"}},
                 {"d:\\abs\\X.PAS", "d:\\abs\\x.pas", {"d:\\abs\\"}},
                 {"sub\\greet.pas", nullptr, {"c:\\p\\sub\\"}},
                 {"gone.pas", nullptr, {"c:\\p\\", "c:\\none\\", "c:\\lib\\"}}};
    for (const auto& c : cases) {
        const TLocation location = Locate(c.name, "c:\\p\\", search, list);
        EXPECT_EQ(location.path.value_or("none"), c.found ? c.found : "none") << c.name;
        EXPECT_EQ(location.searched, c.searched) << c.name;
    }
}

TEST(SourceViewMessages, NameTheFileAndWhereItWasLookedFor) {
    EXPECT_EQ(NotFoundMessage("gone.pas", {"c:\\p\\", "c:\\lib\\"}),
              "The source file gone.pas was not found. Looked in: c:\\p\\, c:\\lib\\");
    EXPECT_EQ(NotFoundMessage("gone.pas", {""}),
              "The source file gone.pas was not found. Looked in: the current folder");
    EXPECT_EQ(TooLargeMessage("c:\\big.pas", 1288490188),
              "The source file c:\\big.pas is too large to show: 1,288,490,188 bytes.");
    EXPECT_EQ(Caption("c:\\p\\greet.pas", 7), "greet.pas (7)");
    EXPECT_EQ(Caption("greet.pas", 0), "greet.pas (0)");
}

TEST(SourceViewTarget, ClampsTheLineAndColumnToTheFile) {
    const struct {
        std::int64_t line;
        int count;
        int expected;
    } lines[] = {{1, 10, 0}, {7, 10, 6},  {10, 10, 9},           {11, 10, 9},
                 {0, 10, 0}, {-5, 10, 0}, {999999999999, 10, 9}, {3, 0, 0},
                 {3, 1, 0}};
    for (const auto& c : lines)
        EXPECT_EQ(TargetLine(c.line, c.count), c.expected) << c.line << " of " << c.count;
    EXPECT_EQ(TargetColumn(0, 20), 0u);
    EXPECT_EQ(TargetColumn(1, 20), 0u);
    EXPECT_EQ(TargetColumn(3, 20), 2u);
    EXPECT_EQ(TargetColumn(999999999999, 20), 20u);
}

TEST(SourceViewEncoding, ByteOrderMarkOrWellFormedUtf8DecidesElseCodePage) {
    const struct {
        std::string bytes;
        TEncoding encoding;
        std::size_t bom;
    } cases[] = {{"\xEF\xBB\xBFunit U;", TEncoding::Utf8, 3},
                 {std::string("\xFF\xFEu\0", 4), TEncoding::Utf16Le, 2},
                 {std::string("\xFE\xFF\0u", 4), TEncoding::Utf16Be, 2},
                 {"// Gr\xC3\xBC\xC3\x9F"
                  "e",
                  TEncoding::Utf8, 0},
                 {"// Gr\xFC\xDF"
                  "e",
                  TEncoding::CodePage, 0},
                 {"\xC3", TEncoding::CodePage, 0},
                 {"\xC0\x80", TEncoding::CodePage, 0},
                 {std::string("MZ\0\0\x90\x01", 6), TEncoding::CodePage, 0},
                 {"plain", TEncoding::CodePage, 0}};
    for (const auto& c : cases) {
        const TDetected detected = DetectEncoding(c.bytes);
        EXPECT_EQ(detected.encoding, c.encoding) << c.bytes;
        EXPECT_EQ(detected.bomLength, c.bom) << c.bytes;
    }
}

TEST(SourceViewRead, AMissingFileGivesTheProgramsOwnMessage) {
    const std::string path =
        (std::filesystem::temp_directory_path() / "tnwk-sourceview-missing.pas").string();
    std::filesystem::remove(path);
    try {
        ReadSource(path);
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(std::string(e.what()), UnreadableMessage(path));
    }
    std::ofstream(path, std::ios::binary) << "unit U;";
    EXPECT_EQ(ReadSource(path), "unit U;");
    std::filesystem::remove(path);
}
