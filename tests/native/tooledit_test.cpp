#include "controls/ToolEdit_core.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

using namespace tooledit;

namespace {

// A file system holding exactly the given names.
PathExists Holding(std::set<std::string> names) {
    return [names = std::move(names)](const std::string& name) { return names.count(name) == 1; };
}
const PathExists kNothingExists = Holding({});

} // namespace

TEST(ToolEditFirstToken, QuotesProtectBlanksAndAreDropped) {
    EXPECT_EQ(FirstToken("\"c:\\my projects\\demo.dpr\""), "c:\\my projects\\demo.dpr");
    EXPECT_EQ(FirstToken("a\"b c\"d e"), "ab cd");
    EXPECT_EQ(FirstToken("\"a b"), "a b");
    EXPECT_EQ(FirstToken("\""), "");
}

TEST(ToolEditFirstToken, EndsAtTheFirstControlCharacterOrBlankOutsideQuotes) {
    EXPECT_EQ(FirstToken("a b.pas"), "a");
    EXPECT_EQ(FirstToken("a\tb"), "a");
    EXPECT_EQ(FirstToken("a\x1F"
                         "b"),
              "a");
    EXPECT_EQ(FirstToken(""), "");
    EXPECT_EQ(FirstToken(" \t "), "");
}

TEST(ToolEditFirstToken, SkipsLeadingControlCharactersAndEmptyQuotePairs) {
    EXPECT_EQ(FirstToken("  \t\x01x.pas"), "x.pas");
    EXPECT_EQ(FirstToken("\"\" \"\"x y"), "x");
    EXPECT_EQ(FirstToken("\"\"\"a b\""), "a b");
}

TEST(ToolEditFirstToken, BytesAbove127AreNameCharacters) {
    EXPECT_EQ(FirstToken("c:\\m\xFCll\\x.pas rest"), "c:\\m\xFCll\\x.pas");
    EXPECT_EQ(FirstToken("\xA0\xFF"
                         "a b"),
              "\xA0\xFF"
              "a");
}

TEST(ToolEditFirstToken, AZeroByteEndsTheText) {
    EXPECT_EQ(FirstToken(std::string_view("ab\0cd", 5)), "ab");
    EXPECT_EQ(FirstToken(std::string_view("\"a \0b\"", 6)), "a ");
}

TEST(ToolEditFirstToken, LongTokensAreNotCut) {
    const std::string longName = "c:\\" + std::string(300, 'n') + ".pas";
    EXPECT_EQ(FirstToken(longName + " tail"), longName);
    EXPECT_EQ(FirstToken("\"" + longName + "\""), longName);
}

TEST(ToolEditNameFromText, AnExistingFileIsTakenWhole) {
    EXPECT_EQ(NameFromText("a b.pas", Holding({"a b.pas"})), "a b.pas");
    EXPECT_EQ(NameFromText("a b.pas", kNothingExists), "a");
    EXPECT_EQ(NameFromText("\"c:\\x y\\a.pas\"", kNothingExists), "c:\\x y\\a.pas");
    EXPECT_EQ(NameFromText("", kNothingExists), "");
}

TEST(ToolEditQuotedForm, QuotesOnlyUnquotedNamesWithABlank) {
    EXPECT_EQ(QuotedForm("c:\\program files\\x.pas"), "\"c:\\program files\\x.pas\"");
    EXPECT_EQ(QuotedForm("\"c:\\program files\\x.pas"), "\"c:\\program files\\x.pas");
    EXPECT_EQ(QuotedForm("c:\\work\\x.pas"), "c:\\work\\x.pas");
    EXPECT_EQ(QuotedForm("a\tb"), "a\tb");
    EXPECT_EQ(QuotedForm(""), "");
}

TEST(ToolEditValidFileName, RejectsEmptyAndTheSixCharacters) {
    EXPECT_TRUE(IsValidFileName("c:\\work\\demo.dpr"));
    EXPECT_TRUE(IsValidFileName("c:\\a b\\it\xB4s (1).pas"));
    EXPECT_FALSE(IsValidFileName(""));
    for (const char bad : std::string_view("<>\"[]|"))
        EXPECT_FALSE(IsValidFileName(std::string("a") + bad + "b")) << bad;
}

TEST(ToolEditTextForFileName, NameWithBlankIsQuotedAndReadsBack) {
    const std::string text = TextForFileName("c:\\program files\\x.pas", kNothingExists);
    EXPECT_EQ(text, "\"c:\\program files\\x.pas\"");
    EXPECT_EQ(NameFromText(text, kNothingExists), "c:\\program files\\x.pas");
    EXPECT_EQ(TextForFileName("\"c:\\a b.pas\"", kNothingExists), "\"c:\\a b.pas\"");
    EXPECT_EQ(TextForFileName("c:\\work\\demo.dpr", kNothingExists), "c:\\work\\demo.dpr");
}

TEST(ToolEditTextForFileName, EmptyValueGivesEmptyText) {
    EXPECT_EQ(TextForFileName("", kNothingExists), "");
}

TEST(ToolEditTextForFileName, InvalidNameRaisesTheGermanMessage) {
    try {
        TextForFileName("a|b.pas", kNothingExists);
        FAIL() << "no exception";
    } catch (const EComboEditError& e) {
        EXPECT_EQ(e.Message(), "Ung\xFCltiger Dateiname - a|b.pas");
    }
    EXPECT_THROW(TextForFileName("c:\\x[1].pas", kNothingExists), EComboEditError);
}

TEST(ToolEditTextForFileName, RejectsANameThatWouldOnlyTurnInvalidWhenReadBack) {
    // Unquoted, only "a.pas" would be read; the quotes added for the blank take the "|" in as well.
    EXPECT_THROW(TextForFileName("a.pas |b", kNothingExists), EComboEditError);
    EXPECT_THROW(TextForFileName("a.pas <b", Holding({"a.pas"})), EComboEditError);
}

// A dropped name is fetched into a buffer of 255 characters: a longer one would arrive cut and name
// another file, so it is refused as invalid with its whole text.
TEST(ToolEditDroppedName, NamesLongerThanTheBufferAreRefused) {
    const std::string fits = "c:\\" + std::string(kDroppedNameCapacity - 7, 'a') + ".dpr";
    ASSERT_EQ(fits.size(), kDroppedNameCapacity);
    EXPECT_EQ(DroppedName(fits), fits);
    const std::string tooLong = fits + "x";
    try {
        DroppedName(tooLong);
        ADD_FAILURE() << "an over-long name was taken";
    } catch (const EComboEditError& e) {
        EXPECT_EQ(std::string(e.what()), "Ung\xFCltiger Dateiname - " + tooLong);
    }
}

TEST(ToolEditSeedDialog, ExistingFolderBecomesInitialDirAndTheNameIsHandedOn) {
    EXPECT_EQ(SeedDialog("c:\\work\\demo.dpr", Holding({"c:\\work\\"})),
              (DialogSeed{"c:\\work\\", "c:\\work\\demo.dpr"}));
    EXPECT_EQ(SeedDialog("c:\\gone\\demo.dpr", kNothingExists),
              (DialogSeed{std::nullopt, "c:\\gone\\demo.dpr"}));
    EXPECT_EQ(SeedDialog("c:demo.dpr", Holding({"c:"})), (DialogSeed{"c:", "c:demo.dpr"}));
}

TEST(ToolEditSeedDialog, FolderOnlyNameGivesAnEmptyDialogName) {
    EXPECT_EQ(SeedDialog("c:\\work\\", Holding({"c:\\work\\"})), (DialogSeed{"c:\\work\\", ""}));
}

TEST(ToolEditSeedDialog, BareNameAsksForNoFolder) {
    int calls = 0;
    const PathExists counting = [&calls](const std::string&) { return ++calls, true; };
    EXPECT_EQ(SeedDialog("demo.dpr", counting), (DialogSeed{std::nullopt, "demo.dpr"}));
    EXPECT_EQ(calls, 0);
}

TEST(ToolEditSeedDialog, InvalidNameOrFailingFolderTestSeedsNothing) {
    EXPECT_EQ(SeedDialog("", Holding({""})), DialogSeed{});
    EXPECT_EQ(SeedDialog("c:\\work\\a|b.dpr", Holding({"c:\\work\\"})), DialogSeed{});
    const PathExists failing = [](const std::string&) -> bool {
        throw std::runtime_error("drive not ready");
    };
    EXPECT_EQ(SeedDialog("a:\\demo.dpr", failing), DialogSeed{});
}

TEST(ToolEditAfterDialog, TextIsQuotedAndTheDialogsFolderIsKept) {
    EXPECT_EQ(AfterDialog("c:\\work\\demo.dpr", "c:\\work\\demo.dpr"),
              (DialogOutcome{"c:\\work\\demo.dpr", "c:\\work\\"}));
    EXPECT_EQ(AfterDialog("c:\\my work\\demo.dpr", "c:\\my work\\demo.dpr"),
              (DialogOutcome{"\"c:\\my work\\demo.dpr\"", "c:\\my work\\"}));
    // A name changed after the dialog still leaves the folder of the file chosen there.
    EXPECT_EQ(AfterDialog("d:\\other.pas", "c:\\work\\demo.dpr"),
              (DialogOutcome{"d:\\other.pas", "c:\\work\\"}));
}

TEST(ToolEditButtonWidth, NaturalWidthByGlyphKind) {
    EXPECT_EQ(NaturalButtonWidth(TGlyphKind::gkDefault, true, 14, 1, 17), 21);
    EXPECT_EQ(NaturalButtonWidth(TGlyphKind::gkDefault, true, 32, 1, 17), 38);
    EXPECT_EQ(NaturalButtonWidth(TGlyphKind::gkDefault, true, 60, 2, 17), 36);
    EXPECT_EQ(NaturalButtonWidth(TGlyphKind::gkDefault, true, 40, 0, 17), 46);
    EXPECT_EQ(NaturalButtonWidth(TGlyphKind::gkDefault, false, 60, 1, 17), 21);
    EXPECT_EQ(NaturalButtonWidth(TGlyphKind::gkDropDown, true, 60, 1, 17), 17);
    EXPECT_EQ(NaturalButtonWidth(TGlyphKind::gkCustom, true, 60, 1, 17), 21);
    EXPECT_EQ(NaturalButtonWidth(TGlyphKind::gkEllipsis, true, 60, 1, 17), 21);
}

TEST(ToolEditButtonWidth, DefaultGlyphNeverNarrowsTheButton) {
    EXPECT_EQ(DefaultGlyphButtonWidth(14, 1, 20), 20);
    EXPECT_EQ(DefaultGlyphButtonWidth(14, 1, 10), 20);
    EXPECT_EQ(DefaultGlyphButtonWidth(28, 1, 21), 34);
}

TEST(ToolEditEllipsisGlyph, DotsByTheGapRule) {
    EXPECT_EQ(EllipsisGlyphFor(21), (EllipsisGlyph{15, 4, {1, 6, 11}, 1, 2}));
    EXPECT_EQ(EllipsisGlyphFor(16), (EllipsisGlyph{10, 4, {0, 4, 8}, 1, 2}));
    EXPECT_EQ(EllipsisGlyphFor(14), (EllipsisGlyph{8, 4, {0, 3, 6}, 1, 2}));
    EXPECT_EQ(EllipsisGlyphFor(12), (EllipsisGlyph{6, 4, {-1, 2, 5}, 1, 2}));
    EXPECT_EQ(EllipsisGlyphFor(40), (EllipsisGlyph{34, 4, {11, 16, 21}, 1, 2}));
}

TEST(ToolEditEllipsisGlyph, NarrowButtonsKeepAOnePixelBitmapAndTruncateTowardZero) {
    EXPECT_EQ(EllipsisGlyphFor(0), (EllipsisGlyph{1, 4, {-3, 0, 3}, 1, 2}));
    EXPECT_EQ(EllipsisGlyphFor(7), (EllipsisGlyph{1, 4, {-3, 0, 3}, 1, 2}));
}

TEST(ToolEditLayout, ButtonContainerForTheThreeBorderCases) {
    EXPECT_EQ(ButtonContainerPlacement(265, 21, 20, true, true, true), (Placement{241, 0, 20, 17}));
    EXPECT_EQ(ButtonContainerPlacement(265, 21, 20, true, true, false), (Placement{243, 2, 20, 17}));
    EXPECT_EQ(ButtonContainerPlacement(265, 21, 20, false, true, false), (Placement{243, 2, 20, 17}));
    EXPECT_EQ(ButtonContainerPlacement(265, 21, 20, false, true, true), (Placement{245, 0, 20, 21}));
    EXPECT_EQ(ButtonContainerPlacement(265, 21, 20, true, false, true), (Placement{245, 0, 20, 21}));
}

TEST(ToolEditLayout, FormattingRectStopsBeforeTheButton) {
    EXPECT_EQ(FormattingRect(261, 17, 20), (TRect{0, 0, 239, 18}));
}

TEST(ToolEditLayout, MinimumHeightUsesTheSmallerFont) {
    EXPECT_EQ(MinimumEditHeight(16, 13, 1), 18);
    EXPECT_EQ(MinimumEditHeight(13, 16, 1), 18);
    EXPECT_EQ(MinimumEditHeight(16, 16, 2), 25);
}

TEST(ToolEditClickKey, AltCursorDownPressesAVisibleButton) {
    constexpr std::uint16_t kDown = 0x28;
    EXPECT_EQ(kDefaultClickKey, scAlt | kDown);
    EXPECT_TRUE(PressesButton(kDown, {.alt = true}, kDefaultClickKey, 20));
    EXPECT_FALSE(PressesButton(kDown, {.alt = true}, kDefaultClickKey, 0));
    EXPECT_FALSE(PressesButton(kDown, {}, kDefaultClickKey, 20));
    EXPECT_FALSE(PressesButton(kDown, {.ctrl = true, .alt = true}, kDefaultClickKey, 20));
    EXPECT_FALSE(PressesButton(0x26, {.alt = true}, kDefaultClickKey, 20));
    EXPECT_FALSE(PressesButton(0x128, {.alt = true}, kDefaultClickKey, 20));
    EXPECT_FALSE(PressesButton(0, {}, 0, 20));
}
