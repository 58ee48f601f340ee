// The stand-in compiler's source check, natively: one file per case, the message it must give (none
// for a clean source). The same check runs inside dcc32.exe (see tests/win/standin_test.cpp).
#include "standin/PathText_core.h"
#include "standin/SourceCheck_core.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

struct SourceCase {
    const char* label;
    const char* fileName;
    const char* source;
    const char* expectedMessage; // the whole "file(line) Error: ..." start, or nullptr
};

void PrintTo(const SourceCase& c, std::ostream* out) {
    *out << c.label;
}

class StandinSourceCheck : public ::testing::TestWithParam<SourceCase> {};

TEST_P(StandinSourceCheck, ReportsTheFirstFaultWithFileAndLine) {
    const SourceCase& c = GetParam();
    const std::string fileName = c.fileName;
    const auto expected = standin::sameText(standin::extensionOf(fileName), ".dpr")
                              ? standin::ExpectedKind::Project
                              : standin::ExpectedKind::Unit;
    const standin::SourceCheckResult result =
        standin::checkSource(c.source, expected, {standin::baseNameOf(fileName)});
    if (c.expectedMessage) {
        ASSERT_FALSE(result.ok());
        const std::string message =
            fileName + "(" + std::to_string(result.problem->line) + ") Error: " + result.problem->message;
        EXPECT_EQ(message.rfind(c.expectedMessage, 0), 0u) << message;
    } else {
        EXPECT_TRUE(result.ok()) << result.problem->line << ": " << result.problem->message;
    }
}

const SourceCase kSourceCases[] = {
    {"KeywordsInCommentsAndStrings", "p.dpr",
     "program P;\r\n{ begin } (* end. *) // begin\r\nconst S = 'begin end.'; T = 'it''s'; C = #13#10;\r\n"
     "begin\r\n  Writeln(S, T); {$R *.RES}\r\nend.\r\n",
     nullptr},
    {"TypeBodiesAndStatementBlocks", "shapes.pas",
     "unit Shapes;\ninterface\ntype\n  TShape = class;\n  TShapeClass = class of TShape;\n"
     "  EShape = class(Exception);\n  TNotify = procedure(Sender: TObject) of object;\n"
     "  IDrawable = interface(IUnknown)\n    procedure Draw;\n  end;\n"
     "  TShape = class(TInterfacedObject, IDrawable)\n  private\n    FPoints: array[1..4] of Integer;\n"
     "  public\n    class function Count: Integer;\n    procedure Draw;\n  end;\n"
     "  TVariant = packed record\n    case Tag: Integer of\n      0: (I: Integer);\n"
     "      1: (P: record X, Y: Integer; end);\n  end;\n"
     "implementation\nclass function TShape.Count: Integer;\nbegin\n  Result := 4;\nend;\n"
     "procedure TShape.Draw;\nbegin\n  try\n    case FPoints[1] of\n      1..2: asm\n        mov eax, 1\n"
     "      end;\n    else\n      Exit;\n    end;\n  except\n    on E: Exception do raise;\n  end;\nend;\n"
     "initialization\nfinalization\nend.\n",
     nullptr},
    {"TextAfterFinalEndIsIgnored", "p.dpr", "program P;\nbegin\nend.\nbegin ?? { never closed\n", nullptr},
    {"ProgramParameterList", "p.dpr", "program P(Input, Output);\nbegin\nend.\n", nullptr},
    {"MissingFinalEnd", "p.dpr", "program P;\nbegin\nend\n", "p.dpr(3) Error: 'END.' expected"},
    {"UnclosedBlock", "p.dpr", "program P;\nbegin\n  if X then\n  begin\n    Y;\nend.\n",
     "p.dpr(6) Error: 'END' expected for 'BEGIN' of line 2 but '.' found"},
    {"EndWithoutBegin", "p.dpr", "program P;\nbegin\nend;\nend.\n",
     "p.dpr(4) Error: 'END' without a matching 'BEGIN'"},
    {"UnitEndNeedsADot", "u.pas", "unit U;\ninterface\nimplementation\nend;\n",
     "u.pas(4) Error: '.' expected"},
    {"HeaderNameDiffersFromFileName", "other.pas", "unit Another;\ninterface\nimplementation\nend.\n",
     "other.pas(1) Error: Unit name 'Another' does not match the file name 'other'"},
    {"ProgramInAPasFile", "p.pas", "program P;\nbegin\nend.\n",
     "p.pas(1) Error: 'UNIT' expected but 'program' found"},
    {"UnitInADprFile", "u.dpr", "\n\nunit U;\ninterface\nimplementation\nend.\n",
     "u.dpr(3) Error: 'PROGRAM' or 'LIBRARY' expected but 'unit' found"},
    {"MissingSemicolonAfterHeader", "p.dpr", "program P\nbegin\nend.\n",
     "p.dpr(2) Error: ';' expected but 'begin' found"},
    {"UnterminatedComment", "p.dpr", "program P;\n{ a comment\n that never ends\nbegin\nend.\n",
     "p.dpr(2) Error: Unterminated comment"},
    {"UnterminatedString", "p.dpr", "program P;\nbegin\n  Writeln('no end);\nend.\n",
     "p.dpr(3) Error: Unterminated string"},
    {"IllegalCharacter", "p.dpr", "program P;\nbegin\n  X := 1 ? 2;\nend.\n",
     "p.dpr(3) Error: Illegal character in input file: '?' ($3F)"},
    {"UsesClauseNeedsCommas", "p.dpr", "program P;\nuses SysUtils Classes;\nbegin\nend.\n",
     "p.dpr(2) Error: ',' or ';' expected but 'Classes' found"},
    {"InvalidDelayValue", "p.dpr", "program P;\n{$STANDIN_DELAY soon}\nbegin\nend.\n",
     "p.dpr(2) Error: Invalid STANDIN_DELAY value 'soon'"},
    {"DelayBeyondTenMinutes", "p.dpr", "program P;\n{$STANDIN_DELAY 600001}\nbegin\nend.\n",
     "p.dpr(2) Error: Invalid STANDIN_DELAY value '600001'"},
    {"EmptyFile", "p.dpr", "", "p.dpr(1) Error: 'PROGRAM' or 'LIBRARY' expected but end of file found"},
};

INSTANTIATE_TEST_SUITE_P(Sources, StandinSourceCheck, ::testing::ValuesIn(kSourceCases),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(StandinEcho, EachEchoDirectiveGivesItsTextInOrder) {
    const standin::SourceCheckResult result = standin::checkSource(
        "program P;\n{$STANDIN_ECHO p.dpr(7,3): Warning W1036: x}\n(*$standin_echo Fatal: y*)\n"
        "{$STANDIN_ECHOES no}{$STANDIN_ECHO}\nbegin\nend.\n",
        standin::ExpectedKind::Project, {"p"});
    ASSERT_TRUE(result.ok());
    const std::vector<std::string> expected = {"p.dpr(7,3): Warning W1036: x", "Fatal: y", ""};
    EXPECT_EQ(result.echoes, expected);
}

} // namespace
