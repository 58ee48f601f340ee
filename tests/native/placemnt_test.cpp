// Form storage: its load and save sequences over a logging memory store and a stand-in window.
#include "native/published_test_classes.h"
#include "base/SysUtils.h"
#include "native/placemnt_support.h"
#include "prefs/Placemnt_core.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <map>

using placement::TPlacementRecord;
using placement::TRect;
using namespace placemnt_test;

namespace {

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
