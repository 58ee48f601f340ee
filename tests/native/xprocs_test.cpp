#include "app/xProcs_core.h"

#include <gtest/gtest.h>

using namespace xprocs;

namespace {
constexpr const char* kCompiler = "C:\\COMPILER\\BIN\\DCC32.EXE";
}

TEST(XProcsBatchLine, SwitchesAndBlanksForAllFourCombinations) {
    EXPECT_EQ(BatchLine(kCompiler, false, false, "HELLO.DPR"),
              "C:\\COMPILER\\BIN\\DCC32.EXE  HELLO.DPR >output.txt\r\n");
    EXPECT_EQ(BatchLine(kCompiler, true, false, "HELLO.DPR"),
              "C:\\COMPILER\\BIN\\DCC32.EXE -b  HELLO.DPR >output.txt\r\n");
    EXPECT_EQ(BatchLine(kCompiler, false, true, "HELLO.DPR"),
              "C:\\COMPILER\\BIN\\DCC32.EXE  -gd HELLO.DPR >output.txt\r\n");
    EXPECT_EQ(BatchLine(kCompiler, true, true, "HELLO.DPR"),
              "C:\\COMPILER\\BIN\\DCC32.EXE -b  -gd HELLO.DPR >output.txt\r\n");
}

TEST(XProcsBatchLine, OrdinaryNamesStayUnquoted) {
    for (const char* name : {"C:\\PROGRA~1\\BORLAND\\DCC32.EXE", "MY-PRO~1.DPR", "a_b$c!d'e{f}g@h#i~j.dpr",
                             "m\xFCll.dpr", "it\xB4s.pas"})
        EXPECT_EQ(BatchArgument(name), name);
}

TEST(XProcsBatchLine, NamesTheInterpreterWouldSplitAreQuoted) {
    for (const char special : std::string_view("&|<>^() \t,;=")) {
        const std::string name = std::string("a") + special + "b";
        EXPECT_EQ(BatchArgument(name), "\"" + name + "\"") << "character code " << int(special);
    }
}

TEST(XProcsBatchLine, EveryPercentIsDoubledInsideTheQuotes) {
    EXPECT_EQ(BatchArgument("C:\\50%\\DCC32.EXE"), "\"C:\\50%%\\DCC32.EXE\"");
    EXPECT_EQ(BatchArgument("%OS%.dpr"), "\"%%OS%%.dpr\"");
    EXPECT_EQ(BatchArgument("%%"), "\"%%%%\"");
}

TEST(XProcsBatchLine, QuotedNamesKeepTheSurroundingLine) {
    EXPECT_EQ(BatchLine("C:\\A&B\\DCC32.EXE", false, false, "X(1).DPR"),
              "\"C:\\A&B\\DCC32.EXE\"  \"X(1).DPR\" >output.txt\r\n");
    EXPECT_EQ(BatchLine("C:\\MY TOOLS\\DCC32.EXE", true, true, "HELLO.DPR"),
              "\"C:\\MY TOOLS\\DCC32.EXE\" -b  -gd HELLO.DPR >output.txt\r\n");
    EXPECT_EQ(BatchLine(kCompiler, false, false, "x&echo INJECTED>pwned.txt"),
              "C:\\COMPILER\\BIN\\DCC32.EXE  \"x&echo INJECTED>pwned.txt\" >output.txt\r\n");
}

TEST(XProcsProjectKind, ByTheFilesOwnExtension) {
    EXPECT_EQ(ClassifyProject("c:\\work\\demo.dpr"), ProjectKind::Program);
    EXPECT_EQ(ClassifyProject("c:\\work\\unit1.pas"), ProjectKind::Unit);
    EXPECT_EQ(ClassifyProject("demo.dpr"), ProjectKind::Program);
    EXPECT_EQ(ClassifyProject("c:\\work\\demo"), ProjectKind::Other);
    EXPECT_EQ(ClassifyProject("c:\\work\\demo.dpr.bak"), ProjectKind::Other);
    EXPECT_EQ(ClassifyProject("c:\\work\\demo.pasx"), ProjectKind::Other);
}

TEST(XProcsProjectKind, AFolderNamedLikeAUnitDoesNotCount) {
    EXPECT_EQ(ClassifyProject("c:\\lib.pas\\demo.dpr"), ProjectKind::Program);
    EXPECT_EQ(ClassifyProject("c:\\old.dpr\\unit1.pas"), ProjectKind::Unit);
    EXPECT_EQ(ClassifyProject("c:\\lib.pas\\readme"), ProjectKind::Other);
}

TEST(XProcsProjectKind, ExtensionIsCaseSensitive) {
    EXPECT_EQ(ClassifyProject("C:\\WORK\\DEMO.DPR"), ProjectKind::Other);
    EXPECT_EQ(ClassifyProject("c:\\work\\unit1.Pas"), ProjectKind::Other);
}

TEST(XProcsProductName, ReplacesOrAppendsTheExtension) {
    EXPECT_EQ(ProductName("C:\\WORK\\DEMO.DPR", ".exe"), "C:\\WORK\\DEMO.exe");
    EXPECT_EQ(ProductName("C:\\WORK\\UNIT1.PAS", ".dcu"), "C:\\WORK\\UNIT1.dcu");
    EXPECT_EQ(ProductName("C:\\V1.0\\DEMO", ".dll"), "C:\\V1.0\\DEMO.dll");
}

namespace {
using Run = CompileDecision::Run;
struct DecisionCase {
    ProjectKind kind;
    bool dcu, exe, dll;
    bool outputWhenNotAlways; // the output window with "Always show output" off
    Run run;                  // with "Run project" on
};
} // namespace

TEST(XProcsDecideAfterCompile, FollowsTheDecisionTable) {
    const DecisionCase cases[] = {
        {ProjectKind::Unit, true, false, false, false, Run::RefuseUnit},
        {ProjectKind::Unit, false, false, false, true, Run::RefuseUnit},
        {ProjectKind::Unit, true, false, true, false, Run::RefuseDll},
        {ProjectKind::Unit, false, false, true, true, Run::RefuseDll},
        {ProjectKind::Program, false, true, false, false, Run::StartExe},
        {ProjectKind::Program, false, false, true, false, Run::RefuseDll},
        {ProjectKind::Program, false, true, true, false, Run::RefuseDll},
        {ProjectKind::Program, false, false, false, true, Run::StartExe},
        {ProjectKind::Program, true, false, false, true, Run::StartExe},
    };
    for (const DecisionCase& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "kind " << int(c.kind) << " dcu " << c.dcu << " exe " << c.exe << " dll " << c.dll);
        EXPECT_EQ(DecideAfterCompile(c.kind, false, true, c.dcu, c.exe, c.dll),
                  (CompileDecision{c.outputWhenNotAlways, c.run}));
        EXPECT_EQ(DecideAfterCompile(c.kind, true, true, c.dcu, c.exe, c.dll),
                  (CompileDecision{true, c.run}));
        EXPECT_EQ(DecideAfterCompile(c.kind, false, false, c.dcu, c.exe, c.dll),
                  (CompileDecision{c.outputWhenNotAlways, Run::Nothing}));
    }
}

// A name that is neither a unit nor a program (a project named without its extension, say) is run
// like a program; the output window then shows only when asked for always.
TEST(XProcsDecideAfterCompile, OtherFilesAreRunLikePrograms) {
    EXPECT_EQ(DecideAfterCompile(ProjectKind::Other, false, true, false, true, false),
              (CompileDecision{false, Run::StartExe}));
    EXPECT_EQ(DecideAfterCompile(ProjectKind::Other, true, true, false, false, false),
              (CompileDecision{true, Run::StartExe}));
    EXPECT_EQ(DecideAfterCompile(ProjectKind::Other, false, false, false, true, false),
              (CompileDecision{false, Run::Nothing}));
    EXPECT_EQ(DecideAfterCompile(ProjectKind::Other, false, true, false, false, true),
              (CompileDecision{false, Run::RefuseDll}));
}

// The built program's path goes first on its command line: quoted when it holds a blank, so that the
// system does not try the part before the blank as a program of its own.
TEST(XProcsProgramCommand, PathsWithBlanksAreQuoted) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\WORK\\DEMO.exe", "C:\\WORK\\DEMO.exe"},
        {"C:\\my projects\\demo.exe", "\"C:\\my projects\\demo.exe\""},
        {"C:\\a&b\\x(1).exe", "C:\\a&b\\x(1).exe"},
    };
    for (const auto& [path, command] : cases)
        EXPECT_EQ(ProgramCommand(path), command);
}

// The command interpreter cannot make a network path its current directory and would run the batch
// file in the Windows folder instead.
TEST(XProcsNetworkPath, OnlyUncNamesAreNetworkPaths) {
    const std::pair<const char*, bool> cases[] = {
        {"\\\\server\\share\\proj\\demo.dpr", true},
        {"//server/share/demo.dpr", true},
        {"c:\\work\\demo.dpr", false},
        {"\\work\\demo.dpr", false},
        {"demo.dpr", false},
    };
    for (const auto& [name, network] : cases)
        EXPECT_EQ(IsNetworkPath(name), network) << name;
}

TEST(XProcsMessages, TextsAreExactWithTheAcuteAccentByte) {
    EXPECT_STREQ(SCantExecuteDll, "Can\xB4t execute a DLL");
    EXPECT_STREQ(SCantExecuteUnits, "Can\xB4t execute units!");
    EXPECT_STREQ(SIncorrectCompilerPath, "Incorrect path To the commandline compiler!");
    EXPECT_STREQ(SSelectProjectFirst, "First select a project!");
}
