#include "app/launch/appexec_core.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>

using namespace appexec;

namespace {

// The message table is shared by the whole program; every test that changes it puts French back.
class AppExecMessageTable : public ::testing::Test {
  protected:
    void TearDown() override { LoadMessageTable(TLangType::ltFrench); }
};

const std::set<std::int32_t> kCodesWithText = {0, 2, 3, 5, 6, 8, 10, 11, 12, 13, 14, 15, 16, 19, 20, 21, 32};

} // namespace

// Must run before any test loads another language.
TEST_F(AppExecMessageTable, HoldsFrenchUntilALanguageIsChosen) {
    EXPECT_EQ(ErrorText(2), "Fichier non trouv\xE9");
    EXPECT_EQ(ErrorText(32), "Pas d'erreur");
}

TEST_F(AppExecMessageTable, EnglishTextsAreExact) {
    LoadMessageTable(TLangType::ltEnglish);
    EXPECT_EQ(ErrorText(2), "File was not found");
    EXPECT_EQ(ErrorText(3), "Path was not found");
    EXPECT_EQ(ErrorText(8), "There was insufficient memory to start the application");
    EXPECT_EQ(ErrorText(11),
              "Executable file was invalid. Either it was not a Windows application or there was "
              "an error in the .EXE image");
    EXPECT_EQ(ErrorText(21), "Application requires 32-bit extensions");
    EXPECT_EQ(ErrorText(32), "No error");
}

TEST_F(AppExecMessageTable, FrenchTextsCarryWindows1252Accents) {
    LoadMessageTable(TLangType::ltEnglish);
    LoadMessageTable(TLangType::ltFrench);
    EXPECT_EQ(ErrorText(0), "Syst\xE8me d\xE9pass\xE9 en capacit\xE9 m\xE9moire, ex\xE9"
                            "cutable corrompu, ou "
                            "r\xE9"
                            "allocations invalides");
    EXPECT_EQ(ErrorText(5), "Tentative de liaison dynamique \xE0 une t\xE2"
                            "che, ou erreur de partage, ou erreur "
                            "de protection r\xE9seau");
    EXPECT_EQ(ErrorText(19), "Tentative de chargement d'un ex\xE9"
                             "cutable compress\xE9. Le fichier doit \xEAtre "
                             "d\xE9"
                             "compress\xE9 avant de pouvoir \xEAtre charg\xE9");
    EXPECT_EQ(ErrorText(14), "Type d'ex\xE9"
                             "cutable inconnu");
}

TEST_F(AppExecMessageTable, ItalianTextsKeepApostrophesAndTheTrailingBlankOfCode11) {
    LoadMessageTable(TLangType::ltItalian);
    EXPECT_EQ(ErrorText(11),
              "File eseguibile invalido. Potrebbe non essere un'applicazione per Windows o c'e' un "
              "errore nell'immagine .EXE ");
    EXPECT_EQ(ErrorText(8), "Non c'e' abbastanza memoria per lanciare l'applicazione");
    EXPECT_EQ(ErrorText(21), "L'Applicazione richiede l'installazione delle estensioni a 32-Bit");
    EXPECT_EQ(ErrorText(40), "Nessun errore");
}

TEST_F(AppExecMessageTable, EveryLanguageHasTextsForExactlyTheSeventeenCodes) {
    for (TLangType language : {TLangType::ltFrench, TLangType::ltEnglish, TLangType::ltItalian}) {
        LoadMessageTable(language);
        std::set<std::string> distinct;
        for (std::int32_t code = -3; code <= 32; ++code) {
            const std::string text = ErrorText(code);
            EXPECT_EQ(!text.empty(), kCodesWithText.count(code) == 1) << "code " << code;
            if (!text.empty())
                distinct.insert(text);
        }
        EXPECT_EQ(distinct.size(), kCodesWithText.size());
    }
}

TEST_F(AppExecMessageTable, CodesFrom32UpShareTheLastRowAndNegativeCodesHaveNone) {
    LoadMessageTable(TLangType::ltEnglish);
    EXPECT_EQ(ErrorText(193), "No error");
    EXPECT_EQ(ErrorText(INT32_MAX), "No error");
    EXPECT_EQ(ErrorText(31), "");
    EXPECT_EQ(ErrorText(-1), "");
    EXPECT_EQ(ErrorText(INT32_MIN), "");
}

TEST_F(AppExecMessageTable, AnUnknownLanguageLeavesTheTable) {
    LoadMessageTable(TLangType::ltItalian);
    LoadMessageTable(static_cast<TLangType>(7));
    EXPECT_EQ(ErrorText(2), "File non trovato");
}

TEST(AppExecExePath, DropsOneTrailingBackslashExceptFromRoots) {
    EXPECT_EQ(NormaliseExePath("C:\\TOOLS\\"), "C:\\TOOLS");
    EXPECT_EQ(NormaliseExePath("C:\\TOOLS"), "C:\\TOOLS");
    EXPECT_EQ(NormaliseExePath("C:\\TOOLS\\\\"), "C:\\TOOLS\\");
    EXPECT_EQ(NormaliseExePath("\\\\server\\share\\"), "\\\\server\\share");
    EXPECT_EQ(NormaliseExePath("C:\\"), "C:\\");
    EXPECT_EQ(NormaliseExePath("d:\\"), "d:\\");
    EXPECT_EQ(NormaliseExePath("\\"), "\\");
    EXPECT_EQ(NormaliseExePath(""), "");
}

TEST(AppExecCommandLine, JoinsParametersWithOneBlankAndNoQuoting) {
    EXPECT_EQ(BuildCommandLine("compile.bat", TStringList()), "compile.bat");
    EXPECT_EQ(BuildCommandLine("prog.exe", TStringList({"a", "b"})), "prog.exe a b");
    EXPECT_EQ(BuildCommandLine("c:\\my tools\\p.exe", TStringList({"x y", "", "z"})),
              "c:\\my tools\\p.exe x y  z");
}

TEST(AppExecCommandLine, LongLinesAreKeptWholeUpToTheSystemLimit) {
    const std::string param(600, 'p');
    EXPECT_EQ(BuildCommandLine("prog", TStringList({param})), "prog " + param);

    const std::string oneTooMany(kMaxCommandLineLength - 4, 'x'); // "prog", a blank and this
    EXPECT_EQ(BuildCommandLine("prog", TStringList({oneTooMany.substr(1)})).size(), kMaxCommandLineLength);
    EXPECT_THROW(BuildCommandLine("prog", TStringList({oneTooMany})), EAppExecWinExec);
    try {
        BuildCommandLine("prog", TStringList({oneTooMany}));
    } catch (const EAppExec& e) {
        EXPECT_STREQ(e.what(), SCommandLineTooLong);
    }
}

TEST(AppExecProcessCreation, PriorityFlagPlusNewConsole) {
    EXPECT_EQ(CreationFlags(TPriorClass::pcHigh), 128u + 16u);
    EXPECT_EQ(CreationFlags(TPriorClass::pcIdle), 64u + 16u);
    EXPECT_EQ(CreationFlags(TPriorClass::pcNormal), 32u + 16u);
    EXPECT_EQ(CreationFlags(TPriorClass::pcRealtime), 256u + 16u);
    EXPECT_EQ(CreationFlags(static_cast<TPriorClass>(9)), 32u + 16u);
}

TEST(AppExecProcessCreation, ShowCommandOfWindowState) {
    EXPECT_EQ(ShowCommand(TWindowState::wsNormal), 1);
    EXPECT_EQ(ShowCommand(TWindowState::wsMinimized), 2);
    EXPECT_EQ(ShowCommand(TWindowState::wsMaximized), 3);
    EXPECT_EQ(ShowCommand(static_cast<TWindowState>(5)), 1);
}
