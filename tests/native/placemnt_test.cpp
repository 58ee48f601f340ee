// Form storage: the settings store's rules, the placement values, and the storage's load/save sequences.
#include "native/published_test_classes.h"
#include "base/SysUtils.h"
#include "prefs/Placemnt_core.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <map>

using placement::TPlacementRecord;
using placement::TRect;

namespace {

const std::string SectionKey = "Software\\tnwk\\Defaults";

TRegValue Text(std::string text) {
    return {TRegValueType::rvString, std::move(text)};
}
TRegValue DWord(std::uint8_t low) {
    return {TRegValueType::rvDWord, std::string("\0\0\0\0", 4).replace(0, 1, 1, static_cast<char>(low))};
}

std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const ERegistryException& e) {
        return e.Message();
    }
    return "<none>";
}

// The memory store, with every write logged in order.
class TLoggingStore final : public ISettingsStore {
  public:
    explicit TLoggingStore(TMemoryRegistry& registry) : inner(registry) {}
    bool OpenKey(const std::string& keyPath) override { return inner.OpenKey(keyPath); }
    void CloseKey() override { inner.CloseKey(); }
    bool KeyOpen() const override { return inner.KeyOpen(); }
    std::string ReadString(const std::string& s, const std::string& n, const std::string& d) override {
        return inner.ReadString(s, n, d);
    }
    void WriteString(const std::string& s, const std::string& n, const std::string& t) override {
        inner.WriteString(s, n, t);
        writes.push_back(n);
    }
    void EraseSection(const std::string& s) override { inner.EraseSection(s); }
    TMemorySettingsStore inner;
    std::vector<std::string> writes;
};

class TFakeWindow : public TComponent, public IPlacementWindow {
  public:
    explicit TFakeWindow(std::string className) : className_(std::move(className)) {}
    std::string ClassName() const override { return className_; }
    placement::TWindowFacts WindowFacts() const override { return facts; }
    placement::TScreenFacts ScreenFacts() const override { return screen; }
    bool HandleAllocated() const override { return handle; }
    TPlacementRecord GetPlacement() const override { return record; }
    void SetPlacement(const TPlacementRecord& r) override {
        record = r;
        log += "place;";
    }
    void UseDesignedPosition() override { log += "designed;"; }
    void SetWindowState(TWindowState state) override {
        facts.state = state;
        log += "state;";
    }
    void MinimizeApplication() override { log += "minimizeApp;"; }
    void Repaint() override {}
    void ActivateControl(const std::string& name) override { log += "activate " + name + ";"; }
    placement::TPoint FrameSize() const override { return {4, 3}; }

    placement::TWindowFacts facts;
    placement::TScreenFacts screen;
    bool handle = true;
    TPlacementRecord record;
    std::string log;

  private:
    std::string className_;
};

placement::TWindowFacts MainWindowFacts() {
    placement::TWindowFacts facts;
    facts.isMainWindow = true;
    facts.visible = true;
    facts.left = 100;
    facts.top = 50;
    facts.width = 400;
    facts.height = 300;
    return facts;
}

class FormStorageTest : public ::testing::Test {
  protected:
    FormStorageTest() {
        placement::SetApplicationExeName("C:\\Program Files\\Tarnwick\\tnwk.exe");
        window.SetName("MainForm");
        window.facts = MainWindowFacts();
        window.record = {0, 1, {-1, -1}, {-1, -1}, {100, 50, 500, 350}};
        box->SetName("RunP");
        edit->SetName("Project");
        storage = MakeStorage();
    }

    TFormStorage* MakeStorage() {
        auto* s = new TFormStorage(&window);
        s->SetName("FormStorage1");
        s->SetIniSection("Defaults");
        s->SetUseRegistry(true);
        auto logging = std::make_unique<TLoggingStore>(registry);
        store = logging.get();
        s->SetStore(std::move(logging));
        s->SetStoredProps(TStringList({"RunP.Checked", "Project.InitialDir"}));
        s->Loaded();
        s->OnHookError = [this](const std::exception& e) { errors.push_back(e.what()); };
        return s;
    }

    std::string Value(const std::string& name) const {
        const auto value = registry.Value(SectionKey, name);
        return value ? value->data : "<missing>";
    }
    bool Close() {
        bool canClose = true;
        storage->WindowCloseQuery(canClose);
        return canClose;
    }

    TMemoryRegistry registry;
    TFakeWindow window{"TMainForm"};
    TTestCheckBox* box = new TTestCheckBox(&window);
    TTestFileEdit* edit = new TTestFileEdit(&window);
    TFormStorage* storage = nullptr;
    TLoggingStore* store = nullptr;
    std::vector<std::string> errors;
};

} // namespace

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

TEST(FormStorageNamesTest, DefaultKeyAndSection) {
    EXPECT_EQ(placement::DefaultKeyName("C:\\Program Files\\Tarnwick\\tnwk.exe"), "Software\\tnwk");
    EXPECT_EQ(placement::DefaultKeyName("C:\\x\\My.Tool.EXE"), "Software\\My.Tool");
    for (const char* unnamed : {"", "C:\\bin\\", ".exe"})
        EXPECT_THROW(placement::DefaultKeyName(unnamed), Exception) << unnamed;

    TFakeWindow form("TOpForm");
    EXPECT_EQ(placement::DefaultSectionName(&form), "TOpForm");
    auto* onWindow = new TFormStorage(&form);
    EXPECT_EQ(onWindow->Section(), "TOpForm");
    EXPECT_EQ(onWindow->Options(), DefaultWindowOptions);
    placement::SetApplicationExeName("C:\\bin\\tnwk.exe");
    EXPECT_EQ(onWindow->KeyPath(), "Software\\tnwk");
    onWindow->SetIniFileName("Software\\Other");
    EXPECT_EQ(onWindow->KeyPath(), "Software\\Other");

    struct TPanel : TComponent, IControlOnWindow {
        TPanel(TComponent* owner, const TComponent* parent) : TComponent(owner), parent(parent) {}
        const TComponent* ParentWindow() const override { return parent; }
        const TComponent* parent;
    };
    TPanel panel(nullptr, &form);
    panel.SetName("Panel1");
    EXPECT_EQ(placement::DefaultSectionName(&panel), "TOpFormPanel1");
    TComponent module(&form);
    module.SetName("Module");
    EXPECT_EQ(placement::DefaultSectionName(&module), "TOpForm.Module");
    TComponent loose;
    EXPECT_EQ(placement::DefaultSectionName(&loose), "");
    EXPECT_EQ(TFormStorage(&loose).Options(), 0u);
    // A storage handed an adapter over its owner's window treats the owner as that window.
    TFormStorage adapted(&loose, std::make_unique<TFakeWindow>("TUnused"));
    EXPECT_EQ(adapted.Section(), "TComponent");
    EXPECT_EQ(adapted.Options(), DefaultWindowOptions);
}

TEST_F(FormStorageTest, FirstStartFindsNothingAndCreatesOnlyTheKey) {
    int firstTime = -1;
    storage->OnRestorePlacement = [&](TComponent* sender) {
        EXPECT_EQ(sender, storage);
        firstTime = storage->LoadInteger("FirstTime", 0);
    };
    edit->initialDir = "C:\\Projects";
    storage->WindowShow();
    EXPECT_EQ(firstTime, 0);
    EXPECT_TRUE(registry.KeyExists("Software\\tnwk"));
    EXPECT_FALSE(registry.KeyExists(SectionKey));
    EXPECT_EQ(edit->initialDir, "C:\\Projects");
    EXPECT_FALSE(box->checked);
    EXPECT_EQ(store->inner.OpenCount(), 1); // the integer used the load's key
    EXPECT_FALSE(store->KeyOpen());
    EXPECT_TRUE(errors.empty());
    EXPECT_TRUE(storage->Restored());
}

TEST_F(FormStorageTest, SaveWritesPlacementThenPropertiesThenTheProgramsValues) {
    storage->OnSavePlacement = [&](TComponent*) { storage->StoreInteger("FirstTime", 1); };
    storage->WindowShow();
    box->checked = true;
    edit->initialDir = " C:\\Projects ";
    EXPECT_TRUE(Close());
    EXPECT_EQ(store->writes,
              (std::vector<std::string>{"Flags", "ShowCmd", "PixelsPerInch", "MinMaxPos(1024x768)",
                                        "MinMaxPos", "NormPos(1024x768)", "NormPos", "Visible",
                                        "RunP_Checked", "Project_InitialDir", "FirstTime"}));
    EXPECT_EQ(Value("RunP_Checked"), "True");
    EXPECT_EQ(Value("Project_InitialDir"), "C:\\Projects");
    EXPECT_EQ(Value("FirstTime"), "1");
    EXPECT_EQ(Value("Visible"), "0");
    EXPECT_EQ(Value("NormPos"), "100,50,500,350");
    EXPECT_EQ(store->inner.OpenCount(), 2);
    EXPECT_TRUE(storage->Saved());
}

TEST_F(FormStorageTest, AWindowNeverLoadedNeverOverwritesItsValues) {
    registry.PutValue(SectionKey, "RunP_Checked", Text("True"));
    storage->SavePlacement();
    storage->WindowDestroy();
    EXPECT_TRUE(store->writes.empty());
    storage->SetActive(false); // an inactive storage saves when asked
    storage->SavePlacement();
    EXPECT_EQ(Value("RunP_Checked"), "False");
}

TEST_F(FormStorageTest, PlacementAndPropertiesRoundTrip) {
    registry.PutValue(SectionKey, "FirstTime", Text("0x1"));
    storage->WindowShow();
    window.record.rcNormalPosition = {30, 40, 630, 440};
    window.record.showCmd = 3;
    box->checked = true;
    Close();

    window.record = {0, 1, {-1, -1}, {-1, -1}, {100, 50, 500, 350}};
    box->checked = false;
    window.log.clear();
    storage->WindowShow();
    EXPECT_EQ(window.record.rcNormalPosition, (TRect{30, 40, 630, 440}));
    EXPECT_EQ(window.record.ptMaxPosition, (placement::TPoint{-4, -3})); // at minus the frame after the load
    EXPECT_EQ(window.facts.state, TWindowState::wsMaximized);
    EXPECT_EQ(window.log, "place;state;place;");
    EXPECT_TRUE(box->checked);
    EXPECT_EQ(storage->LoadInteger("FirstTime", 0), 1);
}

TEST_F(FormStorageTest, StoredMinimisedMainWindowMinimisesTheApplication) {
    registry.PutValue(SectionKey, "ShowCmd", Text("2"));
    storage->WindowShow();
    EXPECT_EQ(window.log, "minimizeApp;place;");
    EXPECT_EQ(window.facts.state, TWindowState::wsNormal);
}

TEST_F(FormStorageTest, WrongTypedValueIsReportedOnceAndTheRestStillLoads) {
    registry.PutValue(SectionKey, "ShowCmd", DWord(3));
    registry.PutValue(SectionKey, "Flags", DWord(0));
    registry.PutValue(SectionKey, "NormPos", Text("30,40,630,440"));
    registry.PutValue(SectionKey, "RunP_Checked", Text("True"));
    bool restoredEventRan = false;
    storage->OnRestorePlacement = [&](TComponent*) { restoredEventRan = true; };
    storage->WindowShow();
    EXPECT_EQ(errors, (std::vector<std::string>{"Ungültiger Datentyp für 'Flags'"}));
    EXPECT_EQ(window.record.rcNormalPosition, (TRect{30, 40, 630, 440}));
    EXPECT_TRUE(box->checked);
    EXPECT_TRUE(restoredEventRan);

    // The next close rewrites the values as strings, so the next start loads cleanly.
    EXPECT_TRUE(Close());
    EXPECT_EQ(registry.Value(SectionKey, "ShowCmd")->type, TRegValueType::rvString);
    errors.clear();
    storage->WindowShow();
    EXPECT_TRUE(errors.empty());
}

TEST_F(FormStorageTest, DirectLoadPassesTheFailureOnAfterLoading) {
    registry.PutValue(SectionKey, "ShowCmd", DWord(3));
    registry.PutValue(SectionKey, "RunP_Checked", Text("True"));
    EXPECT_EQ(ErrorOf([&] { storage->LoadPlacement(); }), "Ungültiger Datentyp für 'ShowCmd'");
    EXPECT_TRUE(box->checked);
    EXPECT_TRUE(storage->Restored());
    EXPECT_FALSE(store->KeyOpen());
}

TEST_F(FormStorageTest, HookOrderAndFailuresLetTheWindowGoOn) {
    std::string order;
    storage->OnRestorePlacement = [&](TComponent*) { order += "load;"; };
    storage->OnSavePlacement = [&](TComponent*) { order += "save;"; };
    storage->WindowShow([&] { order += "own show;"; });
    bool canClose = true;
    storage->WindowCloseQuery(canClose, [&](bool& allowed) {
        order += "own query;";
        allowed = false;
    });
    EXPECT_FALSE(canClose);
    window.handle = false;
    canClose = true;
    storage->WindowCloseQuery(canClose);
    EXPECT_EQ(order, "load;own show;own query;");

    window.handle = true;
    registry.SetReadOnly(true);
    canClose = true;
    storage->WindowCloseQuery(canClose);
    EXPECT_TRUE(canClose);
    EXPECT_EQ(errors, (std::vector<std::string>{"Erzeugung von Schlüssel Defaults misslungen"}));
    EXPECT_FALSE(store->KeyOpen());
}

TEST_F(FormStorageTest, DestroySavesOnlyWhatIsUnsavedAndMarksItVisible) {
    storage->WindowShow();
    std::string order;
    storage->OnSavePlacement = [&](TComponent*) {
        order += storage->Destroying() ? "save destroying;" : "save;";
    };
    storage->WindowDestroy([&] { order += "own destroy;"; });
    EXPECT_EQ(order, "save destroying;own destroy;");
    EXPECT_EQ(Value("Visible"), "1");
    EXPECT_FALSE(storage->Destroying());

    order.clear();
    Close();
    storage->WindowDestroy([&] { order += "own destroy;"; });
    EXPECT_EQ(order, "save;own destroy;");
    EXPECT_EQ(Value("Visible"), "0");

    storage->OnRestorePlacement = [&](TComponent*) { order += "load;"; };
    storage->SetActive(false);
    storage->WindowShow();
    EXPECT_EQ(order, "save;own destroy;");
}

TEST_F(FormStorageTest, WindowWithoutOptionsWritesPlacementButNeverReadsIt) {
    storage->SetOptions(0);
    registry.PutValue(SectionKey, "NormPos", Text("30,40,630,440"));
    registry.PutValue(SectionKey, "ShowCmd", Text("3"));
    registry.PutValue(SectionKey, "RunP_Checked", Text("True"));
    storage->WindowShow();
    EXPECT_EQ(window.log, "place;");
    EXPECT_EQ(window.record.rcNormalPosition, (TRect{100, 50, 500, 350}));
    EXPECT_TRUE(box->checked);
    Close();
    EXPECT_EQ(Value("NormPos"), "100,50,500,350");
}

TEST_F(FormStorageTest, ActiveControlIsWrittenAndRestoredWithItsOption) {
    storage->SetOptions(DefaultWindowOptions | PlacementOptionBit(TPlacementOption::fpActiveControl));
    window.facts.activeControl = "RunP";
    storage->WindowShow();
    Close();
    EXPECT_EQ(Value("ActiveControl"), "RunP");
    window.log.clear();
    storage->WindowShow();
    EXPECT_NE(window.log.find("activate RunP;"), std::string::npos);
}

TEST_F(FormStorageTest, StoredPropsDropEntriesWithoutComponents) {
    storage->SetStoredProps(TStringList({"NoSuch.Checked", "NoDot", "RunP.Checked", "project . InitialDir"}));
    EXPECT_EQ(storage->StoredProps(), TStringList({"RunP.Checked", "project . InitialDir"}));
    storage->WindowShow();
    Close();
    EXPECT_EQ(storage->StoredProps(), TStringList({"RunP.Checked", "Project.InitialDir"}));

    delete box;
    box = nullptr;
    EXPECT_EQ(storage->StoredProps(), TStringList({"Project.InitialDir"}));
    store->writes.clear();
    Close();
    EXPECT_EQ(std::count(store->writes.begin(), store->writes.end(), "RunP_Checked"), 0);
    EXPECT_EQ(std::count(store->writes.begin(), store->writes.end(), "Project_InitialDir"), 1);
}

TEST_F(FormStorageTest, IntegerAccessOutsideALoadOpensAndClosesTheKey) {
    registry.PutValue(SectionKey, "FirstTime", Text("abc"));
    EXPECT_EQ(storage->LoadInteger("FirstTime", 5), 5);
    EXPECT_EQ(storage->LoadInteger("Missing", -1), -1);
    storage->StoreInteger("FirstTime", 1);
    EXPECT_EQ(Value("FirstTime"), "1");
    EXPECT_EQ(store->inner.OpenCount(), 3);
    EXPECT_FALSE(store->KeyOpen());
}

TEST_F(FormStorageTest, AStorageKeyThatCannotBeCreatedIsNoFailure) {
    registry.SetReadOnly(true);
    box->checked = true;
    storage->WindowShow();
    EXPECT_TRUE(errors.empty());
    EXPECT_TRUE(box->checked);
    EXPECT_FALSE(registry.KeyExists("Software\\tnwk"));
}

TEST_F(FormStorageTest, NoStoreIsAFailureHandedToTheHandler) {
    auto* bare = new TFormStorage(&window);
    bare->OnHookError = [this](const std::exception& e) { errors.push_back(e.what()); };
    bool shown = false;
    bare->WindowShow([&] { shown = true; });
    EXPECT_TRUE(shown);
    EXPECT_EQ(errors.size(), 1u);
}
