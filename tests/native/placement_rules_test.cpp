// The form storage's rules apart from any window: settings integers, the memory store, the placement
// values and words, reading a placement, and the storage's default names.
#include "native/placemnt_support.h"
#include "native/published_test_classes.h"
#include "base/SysUtils.h"
#include "prefs/Placemnt_core.h"

#include <gtest/gtest.h>

#include <map>

using placement::TPlacementRecord;
using placement::TRect;
using namespace placemnt_test;

TEST(SettingsIntegerTest, ZeroXPrefixIsHexOnlyWithDigitsAfterIt) {
    EXPECT_EQ(SettingsIntegerFromText("0x1", 7), 1);
    EXPECT_EQ(SettingsIntegerFromText("0X1f", 7), 31);
    EXPECT_EQ(SettingsIntegerFromText("0xFFFFFFFF", 7), -1);
    EXPECT_EQ(SettingsIntegerFromText("$10", 7), 16);
    EXPECT_EQ(SettingsIntegerFromText("-12", 7), -12);
    for (const char* notNumber : {"0x", "0xZZ", "-0x5", "abc", "", " 1", "1.5", "0x1 "})
        EXPECT_EQ(SettingsIntegerFromText(notNumber, 7), 7) << notNumber;
}

TEST(MemorySettingsStoreTest, ReadsStringsAndRefusesOtherTypes) {
    TMemoryRegistry registry;
    registry.PutValue(SectionKey, "Name", Text(std::string("abc\0def", 7)));
    registry.PutValue(SectionKey, "Path", {TRegValueType::rvExpandString, "%WINDIR%"});
    registry.PutValue(SectionKey, "Empty", Text(""));
    registry.PutValue(SectionKey, "ShowCmd", DWord(2));
    registry.PutValue(SectionKey, "Blob", {TRegValueType::rvBinary, "xy"});
    registry.PutValue(SectionKey, "Hidden", Text("x"));
    registry.SetUnreadable(SectionKey, "Hidden");
    TMemorySettingsStore store(registry);
    ASSERT_TRUE(store.OpenKey("Software\\tnwk"));
    EXPECT_EQ(store.ReadString("Defaults", "name", "def"), "abc");
    EXPECT_EQ(store.ReadString("Defaults", "Path", "def"), "%WINDIR%");
    EXPECT_EQ(store.ReadString("Defaults", "Empty", "def"), "");
    EXPECT_EQ(store.ReadString("Defaults", "Missing", "def"), "def");
    EXPECT_EQ(store.ReadString("NoSection", "Name", "def"), "def");
    EXPECT_FALSE(registry.KeyExists("Software\\tnwk\\NoSection"));
    EXPECT_EQ(ErrorOf([&] { store.ReadString("Defaults", "ShowCmd", ""); }),
              "Ungültiger Datentyp für 'ShowCmd'");
    EXPECT_EQ(ErrorOf([&] { store.ReadString("Defaults", "Blob", ""); }), "Ungültiger Datentyp für 'Blob'");
    EXPECT_EQ(ErrorOf([&] { store.ReadString("Defaults", "Hidden", ""); }),
              "Konnte Daten für 'Hidden' nicht holen");
}

TEST(MemorySettingsStoreTest, WritesCreateSectionsAndFailuresCarryTheRuntimesTexts) {
    TMemoryRegistry registry;
    TMemorySettingsStore store(registry);
    ASSERT_TRUE(store.OpenKey("Software\\tnwk"));
    EXPECT_TRUE(registry.KeyExists("Software\\tnwk"));
    store.WriteString("Output", "Memo1_Color", "12632256");
    EXPECT_EQ(registry.Value("Software\\tnwk\\Output", "Memo1_Color"), Text("12632256"));

    registry.SetUnwritable("Software\\tnwk\\Output", "Locked");
    EXPECT_EQ(ErrorOf([&] { store.WriteString("Output", "Locked", "1"); }),
              "Konnte Daten für 'Locked' nicht setzen");
    registry.SetReadOnly(true);
    EXPECT_EQ(ErrorOf([&] { store.WriteString("Output", "X", "1"); }),
              "Erzeugung von Schlüssel Output misslungen");
    EXPECT_EQ(store.ReadString("Output", "Memo1_Color", ""), "12632256");
    store.CloseKey();
    EXPECT_TRUE(store.OpenKey("Software\\tnwk")); // readable still
    EXPECT_FALSE(store.OpenKey("Software\\other"));
    EXPECT_FALSE(store.KeyOpen());
}

TEST(MemorySettingsStoreTest, EraseSectionDeletesEverythingBelow) {
    TMemoryRegistry registry;
    registry.PutValue("Software\\tnwk\\Output.Memo1_Lines", "Count", Text("1"));
    registry.PutValue("Software\\tnwk\\Output.Memo1_Lines\\Deeper", "X", Text("1"));
    registry.PutValue("Software\\tnwk\\Output.Memo1_LinesOther", "X", Text("1"));
    TMemorySettingsStore store(registry);
    store.OpenKey("Software\\tnwk");
    store.EraseSection("output.memo1_lines");
    EXPECT_FALSE(registry.KeyExists("Software\\tnwk\\Output.Memo1_Lines"));
    EXPECT_FALSE(registry.KeyExists("Software\\tnwk\\Output.Memo1_Lines\\Deeper"));
    EXPECT_TRUE(registry.KeyExists("Software\\tnwk\\Output.Memo1_LinesOther"));
    store.EraseSection("NoSuch");
}

TEST(PlacementValuesTest, NamesTextsAndOrder) {
    placement::TWindowFacts facts = MainWindowFacts();
    const TPlacementRecord record{0, 1, {-1, -1}, {-4, -3}, {100, 50, 500, 350}};
    const auto values =
        placement::PlacementValues(record, facts, {1024, 768, 96}, DefaultWindowOptions, false);
    EXPECT_EQ(values, (std::vector<placement::TNamedText>{{"Flags", "0"},
                                                          {"ShowCmd", "1"},
                                                          {"PixelsPerInch", "96"},
                                                          {"MinMaxPos(1024x768)", "-1,-1,-4,-3"},
                                                          {"MinMaxPos", "-1,-1,-4,-3"},
                                                          {"NormPos(1024x768)", "100,50,500,350"},
                                                          {"NormPos", "100,50,500,350"},
                                                          {"Visible", "0"}}));

    facts.applicationMinimized = true;
    facts.activeControl = "RunBtn";
    const auto minimised = placement::PlacementValues(
        record, facts, {1024, 768, 120},
        DefaultWindowOptions | PlacementOptionBit(TPlacementOption::fpActiveControl), true);
    EXPECT_EQ(minimised[1].second, "2");
    EXPECT_EQ(minimised[2].second, "120");
    EXPECT_EQ(minimised[7], (placement::TNamedText{"ActiveControl", "RunBtn"}));
    EXPECT_EQ(minimised[8], (placement::TNamedText{"Visible", "1"}));

    facts = {};
    facts.mdiChild = true;
    facts.state = TWindowState::wsMinimized;
    EXPECT_EQ(placement::PlacementValues(record, facts, {}, 0, false)[0].second, "1");
}

TEST(PlacementWordsTest, WordsSplitAtBlanksAndCommasWithDefaults) {
    EXPECT_EQ(placement::PositionWords(" 10, 20 ,,30 40,"),
              (std::vector<std::string>{"10", "20", "30", "40"}));
    const auto [min, max] = placement::MinMaxFromText("5,x,$10");
    EXPECT_EQ(min, (placement::TPoint{5, 0}));
    EXPECT_EQ(max, (placement::TPoint{16, 0}));
    placement::TWindowFacts facts = MainWindowFacts();
    EXPECT_EQ(placement::NormalRectFromText("7,,abc", facts), (TRect{7, 50, 500, 350}));
    facts.left = INT_MAX;
    EXPECT_EQ(placement::NormalRectFromText("", facts).right, INT_MAX);
}

TEST(PlacementWordsTest, ShowCommandsMapToStates) {
    for (int cmd : {1, 5, 9})
        EXPECT_EQ(placement::StateFromShowCmd(cmd), TWindowState::wsNormal);
    for (int cmd : {2, 6, 7})
        EXPECT_EQ(placement::StateFromShowCmd(cmd), TWindowState::wsMinimized);
    EXPECT_EQ(placement::StateFromShowCmd(3), TWindowState::wsMaximized);
    for (int cmd : {0, 4, 8, 10, -1})
        EXPECT_EQ(placement::StateFromShowCmd(cmd), std::nullopt);
}

namespace {
struct ReadCase : ::testing::Test {
    std::map<std::string, std::string> stored;
    std::vector<std::string> asked;
    placement::TWindowFacts facts = MainWindowFacts();
    placement::TScreenFacts screen;
    TPlacementRecord current{0, 1, {-1, -1}, {-1, -1}, {100, 50, 500, 350}};

    placement::TPlacementReading Read(TPlacementOptions options = DefaultWindowOptions) {
        return placement::ReadPlacement(
            [this](const std::string& name, const std::string& def) {
                asked.push_back(name);
                const auto it = stored.find(name);
                return it == stored.end() ? def : it->second;
            },
            current, facts, screen, options);
    }
};
} // namespace

TEST_F(ReadCase, PositionForThisScreenSizeWinsOverThePlainOne) {
    stored = {{"NormPos(1024x768)", "10,20,310,220"},
              {"NormPos", "1,2,3,4"},
              {"MinMaxPos", "-1,-1,-4,-4"},
              {"Flags", "0x2"},
              {"PixelsPerInch", "96"}};
    const auto reading = Read();
    EXPECT_TRUE(reading.applyPlacement);
    EXPECT_EQ(reading.placement.rcNormalPosition, (TRect{10, 20, 310, 220}));
    EXPECT_EQ(reading.placement.ptMaxPosition, (placement::TPoint{-4, -4}));
    EXPECT_EQ(reading.placement.flags, 2);

    screen = {1280, 1024, 96};
    EXPECT_EQ(Read().placement.rcNormalPosition, (TRect{1, 2, 3, 4}));
}

TEST_F(ReadCase, OtherPixelsPerInchOrEmptyRectangleApplyNothing) {
    stored = {{"NormPos", "10,20,310,220"}, {"PixelsPerInch", "120"}};
    EXPECT_FALSE(Read().applyPlacement);
    stored = {{"NormPos", "300,20,300,220"}};
    EXPECT_FALSE(Read().applyPlacement);
    stored = {};
    EXPECT_FALSE(Read().applyPlacement);
}

TEST_F(ReadCase, FixedBorderKeepsSizeCentredWindowTakesDesignedPositionHiddenStaysHidden) {
    stored = {{"NormPos", "10,20,999,999"}};
    facts.sizeableBorder = false;
    facts.screenCenter = true;
    facts.visible = false;
    const auto reading = Read();
    EXPECT_EQ(reading.placement.rcNormalPosition, (TRect{10, 20, 410, 320}));
    EXPECT_TRUE(reading.useDesignedPosition);
    EXPECT_EQ(reading.placement.showCmd, 0);
}

TEST_F(ReadCase, StateFromShowCmdWithDefaults) {
    stored = {{"ShowCmd", "3"}};
    EXPECT_EQ(Read().state, TWindowState::wsMaximized);
    stored = {{"ShowCmd", "4"}};
    EXPECT_EQ(Read().state, TWindowState::wsNormal);
    facts.defaultPosition = true;
    EXPECT_EQ(Read().state, TWindowState::wsMaximized); // main window at the system's position
    facts.defaultPosition = false;
    facts.mdiFrame = true;
    EXPECT_EQ(Read().state, TWindowState::wsMaximized);
    facts.isMainWindow = false;
    EXPECT_EQ(Read().state, TWindowState::wsNormal);
}

TEST_F(ReadCase, MinimisedMainWindowMinimisesTheApplication) {
    stored = {{"ShowCmd", "2"}};
    auto reading = Read();
    EXPECT_TRUE(reading.minimizeApplication);
    EXPECT_EQ(reading.state, std::nullopt);
    facts.isMainWindow = false;
    reading = Read();
    EXPECT_FALSE(reading.minimizeApplication);
    EXPECT_EQ(reading.state, TWindowState::wsMinimized);
}

TEST_F(ReadCase, OptionsChooseWhatIsRead) {
    Read(0);
    EXPECT_TRUE(asked.empty());
    Read(PlacementOptionBit(TPlacementOption::fpState));
    EXPECT_EQ(asked, (std::vector<std::string>{"ShowCmd"}));
    asked.clear();
    Read(PlacementOptionBit(TPlacementOption::fpPosition));
    EXPECT_EQ(asked, (std::vector<std::string>{"Flags", "MinMaxPos(1024x768)", "MinMaxPos",
                                               "NormPos(1024x768)", "NormPos", "PixelsPerInch"}));
}
