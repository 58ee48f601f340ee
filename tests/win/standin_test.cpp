// The stand-in compiler dcc32.exe as the front end uses it: products, messages, exit codes, its
// configuration file, the delay directive and the batch line with odd folder names.
#include "win/standin_harness.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <regex>
#include <string>

using namespace standin_harness;

namespace {

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class StandinCompiler : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(FileExists(dcc32Path())) << "build the target dcc32 first"; }

    void copyExample(const std::string& relative) {
        copyFile(examplePath(relative), dir / relative.substr(relative.rfind('\\') + 1));
    }

    TempFolder dir;
};

TEST_F(StandinCompiler, ProgramWithUnitLeavesExeAndDcuAndTheExeRuns) {
    copyExample("hello\\hello.dpr");
    copyExample("hello\\greet.pas");
    const ProcessRun run = runDcc32("-b  HELLO.DPR", dir.path());
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_TRUE(contains(run.output, "Tarnwick stand-in compiler for Delphi 3 (dcc32)"));
    const auto unitLine = run.output.find("greet.pas(");
    const auto programLine = run.output.find("hello.dpr(");
    ASSERT_NE(unitLine, std::string::npos) << run.output;
    ASSERT_NE(programLine, std::string::npos) << run.output;
    EXPECT_LT(unitLine, programLine) << "units come before the program that uses them";
    EXPECT_TRUE(std::regex_search(run.output, std::regex(R"(\n\d+ lines, \d+\.\d\d seconds, )")))
        << run.output;
    EXPECT_TRUE(FileExists(dir / "hello.exe"));
    EXPECT_TRUE(FileExists(dir / "greet.dcu"));
    EXPECT_FALSE(FileExists(dir / "hello.map")) << "a map only with -gd";

    const ProcessRun greeting = runProcess("\"" + (dir / "hello.exe") + "\"", dir.path());
    EXPECT_EQ(greeting.exitCode, 0u);
    EXPECT_TRUE(contains(greeting.output, "Hello from hello.exe")) << greeting.output;
}

TEST_F(StandinCompiler, DetailedMapSwitchWritesMapAndAPlainCompileRemovesIt) {
    copyExample("hello\\hello.dpr");
    copyExample("hello\\greet.pas");
    const ProcessRun mapped = runDcc32(" -b  -gd HELLO.DPR", dir.path());
    EXPECT_EQ(mapped.exitCode, 0u) << mapped.output;
    EXPECT_TRUE(contains(mapped.output, "Switch -gd"));
    const std::string map = support::ReadFileBytes(dir / "hello.map");
    EXPECT_TRUE(contains(map, "hello.exe")) << map;
    EXPECT_TRUE(contains(map, "GREET")) << map;
    EXPECT_TRUE(contains(map, "HELLO")) << map;

    EXPECT_EQ(runDcc32("HELLO.DPR", dir.path()).exitCode, 0u);
    EXPECT_FALSE(FileExists(dir / "hello.map")) << "an old map must not pass for the new program's";
}

TEST_F(StandinCompiler, LibraryProjectLeavesLoadableDllAndNoExe) {
    copyExample("library\\tools.dpr");
    const ProcessRun run = runDcc32("-gd tools.dpr", dir.path());
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_FALSE(FileExists(dir / "tools.exe"));
    ASSERT_TRUE(FileExists(dir / "tools.dll"));
    EXPECT_TRUE(contains(support::ReadFileBytes(dir / "tools.map"), "tools.dll"));
    HMODULE library = LoadLibraryA((dir / "tools.dll").c_str());
    EXPECT_NE(library, nullptr) << "error " << GetLastError();
    if (library)
        FreeLibrary(library);
}

TEST_F(StandinCompiler, UnitLeavesOnlyADcu) {
    copyExample("unit\\mathunit.pas");
    const ProcessRun run = runDcc32(" -b  -gd MATHUNIT.PAS", dir.path());
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_TRUE(contains(run.output, "mathunit.pas(")) << run.output;
    EXPECT_TRUE(FileExists(dir / "mathunit.dcu"));
    EXPECT_FALSE(FileExists(dir / "mathunit.exe"));
    EXPECT_FALSE(FileExists(dir / "mathunit.map")) << "units are not linked";
}

TEST_F(StandinCompiler, FailedCompileRemovesStaleProductsAndExitsWithOne) {
    copyExample("broken\\broken.dpr");
    for (const char* stale : {"broken.exe", "broken.dll", "broken.map"})
        writeFile(dir / stale, "from an earlier compile");
    const ProcessRun run = runDcc32(" -b  -gd broken.dpr", dir.path());
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_TRUE(contains(run.output, "broken.dpr(16) Error: 'END' expected for 'BEGIN' of line 10"))
        << run.output;
    EXPECT_FALSE(contains(run.output, " lines, ")) << "no summary after an error";
    EXPECT_FALSE(FileExists(dir / "broken.exe"));
    EXPECT_FALSE(FileExists(dir / "broken.dll"));
    EXPECT_FALSE(FileExists(dir / "broken.map"));
}

TEST_F(StandinCompiler, MissingOrUnnamedSourceFails) {
    writeFile(dir / "ghost.exe", "from an earlier compile");
    const ProcessRun missing = runDcc32("-b ghost.dpr", dir.path());
    EXPECT_EQ(missing.exitCode, 1u);
    EXPECT_TRUE(contains(missing.output, "Fatal: File not found: 'ghost.dpr'")) << missing.output;
    EXPECT_FALSE(FileExists(dir / "ghost.exe"));

    const ProcessRun unnamed = runDcc32("-b -gd", dir.path());
    EXPECT_EQ(unnamed.exitCode, 1u);
    EXPECT_TRUE(contains(unnamed.output, "Fatal: No source file named")) << unnamed.output;

    writeFile(dir / "notes.txt", "program Notes; begin end.");
    const ProcessRun foreign = runDcc32("notes.txt", dir.path());
    EXPECT_EQ(foreign.exitCode, 1u);
    EXPECT_TRUE(contains(foreign.output, "neither a project file (.dpr) nor a unit (.pas)"))
        << foreign.output;
}

TEST_F(StandinCompiler, OtherSwitchesAreReportedAndIgnored) {
    copyExample("unit\\mathunit.pas");
    const ProcessRun run = runDcc32("-q /$D- mathunit.pas extra.pas", dir.path());
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_TRUE(contains(run.output, "Ignored switch: -q")) << run.output;
    EXPECT_TRUE(contains(run.output, "Ignored switch: /$D-")) << run.output;
    EXPECT_TRUE(contains(run.output, "Ignored argument: extra.pas")) << run.output;
    EXPECT_FALSE(contains(run.output, "Switch -b")) << run.output;
}

TEST_F(StandinCompiler, NameWithoutExtensionMeansTheProjectFile) {
    copyExample("library\\tools.dpr");
    const ProcessRun run = runDcc32("tools", dir.path());
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_TRUE(FileExists(dir / "tools.dll"));
}

TEST_F(StandinCompiler, ReadsTheConfigurationFileBesideItself) {
    const std::string bin = dir / "Delphi 3 Bin\\";
    makeFolder(bin);
    const std::string installed = bin + "dcc32.exe";
    copyFile(dcc32Path(), installed);
    const std::string project = dir / "project\\";
    makeFolder(project);
    copyFile(examplePath("unit\\mathunit.pas"), project + "mathunit.pas");

    EXPECT_FALSE(contains(runDcc32("mathunit.pas", project, installed).output, "Configuration file"))
        << "no file, no report";

    const std::string search = "$(DELPHI)\\Lib;C:\\My Units;$(DELPHI)\\Imports";
    writeFile(bin + "Dcc32.cfg", "-a WinTypes=Windows;WinProcs=Windows\r\n-u\"" + search + "\"\r\n-i\"" +
                                     search + "\"\r\n-o\"" + search + "\"\r\n-r\"" + search +
                                     "\"\r\n-$D-\r\n");
    const ProcessRun run = runDcc32("mathunit.pas", project, installed);
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_TRUE(contains(run.output, "Configuration file: " + bin + "Dcc32.cfg")) << run.output;
    EXPECT_TRUE(contains(run.output, "Unit aliases: WinTypes=Windows;WinProcs=Windows\r\n")) << run.output;
    for (const char* label : {"Unit", "Include", "Object", "Resource"})
        EXPECT_TRUE(contains(run.output, std::string(label) + " search path: " + search + "\r\n"))
            << run.output;
    EXPECT_TRUE(contains(run.output, "Ignored line: -$D-")) << run.output;
}

TEST_F(StandinCompiler, TemplatesMissingBesideTheCompilerFailTheProgramCompile) {
    const std::string bin = dir / "bin\\";
    makeFolder(bin);
    copyFile(dcc32Path(), bin + "dcc32.exe");
    copyExample("library\\tools.dpr");
    const ProcessRun run = runDcc32("tools.dpr", dir.path(), bin + "dcc32.exe");
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_TRUE(contains(run.output, "standin_library.dll' is missing")) << run.output;
    EXPECT_FALSE(FileExists(dir / "tools.dll"));
}

TEST_F(StandinCompiler, DelayDirectiveMakesTheCompileTakeThatLong) {
    writeFile(dir / "nap.dpr", "program Nap;\r\n{$STANDIN_DELAY 800}\r\nbegin\r\nend.\r\n");
    const ProcessRun run = runDcc32("nap.dpr", dir.path());
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_GE(run.elapsedMilliseconds, 800u);
    EXPECT_TRUE(FileExists(dir / "nap.exe"));
}

TEST_F(StandinCompiler, SlowExampleCarriesTheDelayDirective) {
    EXPECT_TRUE(contains(support::ReadFileBytes(examplePath("slow\\slow.dpr")), "{$STANDIN_DELAY 5000}"));
}

TEST_F(StandinCompiler, BatchLineRunsInAFolderWithAmpersandAndBlank) {
    const std::string project = dir / "a&b x\\";
    makeFolder(project);
    copyFile(examplePath("library\\tools.dpr"), project + "tools.dpr");
    const std::string output = runBatch(shortPathOf(dcc32Path()) + " -b  -gd TOOLS.DPR >output.txt", project);
    EXPECT_TRUE(contains(output, "tools.dpr(")) << output;
    EXPECT_TRUE(FileExists(project + "tools.dll"));
    EXPECT_TRUE(FileExists(project + "tools.map"));
}

TEST_F(StandinCompiler, QuotedSourceNameWithAmpersandThroughTheBatchFile) {
    makeFolder(dir / "a&b");
    writeFile(dir / "a&b\\amp.dpr", "program Amp;\r\nbegin\r\nend.\r\n");
    const std::string output =
        runBatch(shortPathOf(dcc32Path()) + "    \"a&b\\amp.dpr\" >output.txt", dir.path());
    EXPECT_TRUE(contains(output, "amp.dpr(3)")) << output;
    EXPECT_TRUE(FileExists(dir / "a&b\\amp.exe"));
}

TEST_F(StandinCompiler, ProjectNamedByItsShortAliasLeavesTheProductWhereTheFrontEndLooks) {
    writeFile(dir / "longprojectname.dpr", "program LongProjectName;\r\nbegin\r\nend.\r\n");
    const std::string shortSource = shortPathOf(dir / "longprojectname.dpr");
    const std::string shortName = shortSource.substr(shortSource.rfind('\\') + 1);
    ASSERT_NE(shortName, "longprojectname.dpr") << "the file system gives no short names";
    const ProcessRun run = runDcc32(shortName, dir.path());
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_TRUE(FileExists(shortSource.substr(0, shortSource.rfind('.')) + ".exe")) << shortSource;

    EXPECT_EQ(runDcc32("longprojectname.dpr", dir.path()).exitCode, 0u);
    EXPECT_TRUE(FileExists(dir / "longprojectname.exe"));
}

TEST_F(StandinCompiler, QuotedSourceNameKeepsItsBlanks) {
    writeFile(dir / "my prog.dpr", "program MyProg;\r\nbegin\r\nend.\r\n");
    const ProcessRun run = runDcc32("-b \"my prog.dpr\"", dir.path());
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_TRUE(contains(
        run.output, "my prog.dpr(1) Error: Program name 'MyProg' does not match the file name 'my prog'"))
        << run.output;
}

TEST_F(StandinCompiler, ErrorInAUsedUnitFailsTheProgram) {
    copyExample("hello\\hello.dpr");
    writeFile(dir / "greet.pas", "unit Greet;\r\ninterface\r\nimplementation\r\nbegin\r\n");
    writeFile(dir / "greet.dcu", "from an earlier compile");
    const ProcessRun run = runDcc32("-b hello.dpr", dir.path());
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_TRUE(contains(run.output, "greet.pas(4) Error:")) << run.output;
    EXPECT_FALSE(FileExists(dir / "greet.dcu"));
    EXPECT_FALSE(FileExists(dir / "hello.exe"));
}

TEST_F(StandinCompiler, UpToDateUnitIsCompiledAgainOnlyWithBuildAllOrWhenItsSourceIsNewer) {
    copyExample("hello\\hello.dpr");
    copyExample("hello\\greet.pas");
    ASSERT_TRUE(contains(runDcc32("hello.dpr", dir.path()).output, "greet.pas(")) << "no .dcu yet";
    ageFile(dir / "greet.pas", 3600);
    EXPECT_FALSE(contains(runDcc32("hello.dpr", dir.path()).output, "greet.pas("));
    EXPECT_TRUE(contains(runDcc32("-b hello.dpr", dir.path()).output, "greet.pas("));
    ageFile(dir / "greet.dcu", 7200);
    const ProcessRun run = runDcc32("hello.dpr", dir.path());
    EXPECT_TRUE(contains(run.output, "greet.pas(")) << run.output;
    EXPECT_TRUE(contains(support::ReadFileBytes(dir / "greet.dcu"), "GREET"));
}

TEST_F(StandinCompiler, UnitsNamedWithInAreFoundRelativeToTheUser) {
    makeFolder(dir / "lib");
    writeFile(dir / "main.dpr", "program Main;\r\nuses\r\n  Helper in 'lib\\helper.pas',\r\n  Missing;\r\n"
                                "begin\r\nend.\r\n");
    writeFile(dir / "lib\\helper.pas",
              "unit Helper;\r\ninterface\r\nuses Deeper;\r\nimplementation\r\nend.\r\n");
    writeFile(dir / "lib\\deeper.pas",
              "unit Deeper;\r\ninterface\r\nuses Helper;\r\nimplementation\r\nend.\r\n");
    const ProcessRun run = runDcc32("main.dpr", dir.path());
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_TRUE(FileExists(dir / "lib\\helper.dcu"));
    EXPECT_TRUE(FileExists(dir / "lib\\deeper.dcu")) << "units used by units are compiled too, once each";
    EXPECT_TRUE(FileExists(dir / "main.exe"));

    writeFile(dir / "main.dpr", "program Main;\r\nuses\r\n  Gone in 'gone.pas';\r\nbegin\r\nend.\r\n");
    const ProcessRun missing = runDcc32("main.dpr", dir.path());
    EXPECT_EQ(missing.exitCode, 1u);
    EXPECT_TRUE(contains(missing.output, "main.dpr(3) Fatal: File not found: 'gone.pas'")) << missing.output;
}

} // namespace
