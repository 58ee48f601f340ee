// Property text storage: value texts of every kind, value names, entry upkeep, nested objects, lists.
#include "native/published_test_classes.h"
#include "base/SysUtils.h"
#include "prefs/PropsStorage_core.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

namespace {

// The three callbacks over a map of (section, name) → text, logging writes and erasures in order.
struct TextStore {
    std::map<std::pair<std::string, std::string>, std::string> values;
    std::vector<std::string> writes; // "section|name=text"
    std::vector<std::string> erased;
    std::set<std::string> failingNames;

    void Attach(TPropsStorage& storage) {
        storage.SetOnReadText([this](const std::string& s, const std::string& n, const std::string& def) {
            if (failingNames.count(n))
                throw Exception("read failed");
            const auto it = values.find({s, n});
            return it == values.end() ? def : it->second;
        });
        storage.SetOnWriteText([this](const std::string& s, const std::string& n, const std::string& t) {
            if (failingNames.count(n))
                throw Exception("write failed");
            values[{s, n}] = t;
            writes.push_back(s + "|" + n + "=" + t);
        });
        storage.SetOnEraseSection([this](const std::string& s) {
            erased.push_back(s);
            for (auto it = values.begin(); it != values.end();)
                it = it->first.first == s ? values.erase(it) : std::next(it);
        });
    }
    void Put(const std::string& name, const std::string& text) { values[{"Output", name}] = text; }
    std::string Get(const std::string& name) const {
        const auto it = values.find({"Output", name});
        return it == values.end() ? "<missing>" : it->second;
    }
};

class TTestWindow : public TComponent {
  public:
    explicit TTestWindow(std::string className, TComponent* owner = nullptr)
        : TComponent(owner), className_(std::move(className)) {}
    std::string ClassName() const override { return className_; }

  private:
    std::string className_;
};

const TEnumTypeDesc& ShapeType() {
    static const TEnumTypeDesc type{"TShape", {"shRound", "shSquare", "shStar"}};
    return type;
}

class TTestItem : public IPublished {
  public:
    const TClassDesc& PublishedClass() const override {
        static const TClassDesc desc(
            "TTestItem", nullptr,
            {published::String<TTestItem>(
                 "Caption", [](const TTestItem& i) { return i.caption; },
                 [](TTestItem& i, const std::string& v) { i.caption = v; }),
             published::Integer<TTestItem>(
                 "Width", [](const TTestItem& i) { return i.width; },
                 [](TTestItem& i, std::int64_t v) { i.width = static_cast<int>(v); })});
        return desc;
    }
    std::string caption;
    int width = 0;
};

class TTestCollection : public ICollection {
  public:
    int Count() const override { return static_cast<int>(items.size()); }
    IPublished& Item(int index) override { return items.at(static_cast<std::size_t>(index)); }
    void BeginUpdate() override { log += "begin;"; }
    void EndUpdate() override { log += "end;"; }
    std::vector<TTestItem> items;
    std::string log;
};

// Every kind of property at once.
class TTestAll : public TComponent, public IPublished {
  public:
    using TComponent::TComponent;
    std::string ClassName() const override { return "TTestAll"; }
    const TClassDesc& PublishedClass() const override {
        using A = TTestAll;
        static const TClassDesc base("TTestBase", nullptr,
                                     {published::Integer<A>(
                                         "Tag", [](const A& a) { return a.Tag(); },
                                         [](A& a, std::int64_t v) { a.SetTag(static_cast<int>(v)); })});
        static const TClassDesc desc(
            "TTestAll", &base,
            {
                published::Char<A>(
                    "Letter", [](const A& a) { return static_cast<unsigned char>(a.letter); },
                    [](A& a, std::int64_t v) { a.letter = static_cast<char>(v); }),
                published::WideChar<A>(
                    "Wide", [](const A& a) { return a.wide; },
                    [](A& a, std::int64_t v) { a.wide = static_cast<char16_t>(v); }),
                published::Float<A>(
                    "Single", TFloatType::ftSingle, [](const A& a) { return a.single; },
                    [](A& a, long double v) { a.single = static_cast<float>(v); }),
                published::Float<A>(
                    "Double", TFloatType::ftDouble, [](const A& a) { return a.dbl; },
                    [](A& a, long double v) { a.dbl = static_cast<double>(v); }),
                published::Float<A>(
                    "Extended", TFloatType::ftExtended, [](const A& a) { return a.extended; },
                    [](A& a, long double v) { a.extended = v; }),
                published::ShortString<A>(
                    "Short", 5, [](const A& a) { return a.shortText; },
                    [](A& a, const std::string& v) { a.shortText = v; }),
                published::Variant<A>(
                    "Var", [](const A& a) { return a.variant; },
                    [](A& a, const TVariant& v) { a.variant = v; }),
                published::Set<A>(
                    "Shapes", ShapeType(), [](const A& a) { return a.shapes; },
                    [](A& a, std::int64_t v) { a.shapes = static_cast<std::uint32_t>(v); }),
                published::Enumeration<A>(
                    "Shape", ShapeType(), [](const A& a) { return a.shape; },
                    [](A& a, std::int64_t v) { a.shape = static_cast<int>(v); }),
                published::Component<A>(
                    "Buddy", [](const A& a) { return a.buddy; }, [](A& a, TComponent* c) { a.buddy = c; }),
                published::Collection<A>("Columns", [](A& a) { return &a.columns; }),
                published::Object<A>("Nothing", [](A&) -> IPublished* { return nullptr; }),
                published::Method("OnChange"),
                // Redeclared: replaces the inherited Tag in place.
                published::Integer<A>(
                    "TAG", [](const A& a) { return a.Tag() * 10; },
                    [](A& a, std::int64_t v) { a.SetTag(static_cast<int>(v / 10)); }),
            });
        return desc;
    }
    char letter = 'A';
    char16_t wide = u'w';
    float single = 0.1f;
    double dbl = 0.1;
    long double extended = 1.0L / 3;
    std::string shortText = "abc";
    TVariant variant;
    std::uint32_t shapes = 0;
    int shape = 0;
    TComponent* buddy = nullptr;
    TTestCollection columns;
};

TStoredEntries Entries(std::initializer_list<std::pair<const char*, TComponent*>> list) {
    TStoredEntries entries;
    for (const auto& [text, component] : list)
        entries.push_back({text, component});
    return entries;
}

class PropsStorageTest : public ::testing::Test {
  protected:
    PropsStorageTest() {
        store.Attach(props);
        props.SetSection("Output");
        memo.SetName("Memo1");
        button.SetName("ClBtn");
        box.SetName("RunP");
        edit.SetName("CompPath");
        all.SetName("All");
    }
    TTestWindow window{"TOutput"};
    TTestMemo& memo = *new TTestMemo(&window);
    TTestColorButton& button = *new TTestColorButton(&window);
    TTestCheckBox& box = *new TTestCheckBox(&window);
    TTestFileEdit& edit = *new TTestFileEdit(&window);
    TTestAll& all = *new TTestAll(&window);
    TPropsStorage props;
    TextStore store;
};

} // namespace

TEST(PropTextTest, ComponentReferences) {
    TTestWindow form("TOpForm");
    form.SetName("OpForm");
    TTestWindow other("TMainForm");
    other.SetName("MainForm");
    TTestWindow nameless("TDataModule1");
    auto* own = new TTestCheckBox(&form);
    own->SetName("RunP");
    auto* foreign = new TTestCheckBox(&other);
    foreign->SetName("Start");
    auto* modules = new TTestCheckBox(&nameless);
    modules->SetName("Box");
    TTestCheckBox orphan;
    orphan.SetName("Orphan");

    EXPECT_EQ(proptext::ComponentText(nullptr, &form), "(null)");
    EXPECT_EQ(proptext::ComponentText(own, &form), "RunP");
    EXPECT_EQ(proptext::ComponentText(foreign, &form), "MainForm.Start");
    EXPECT_EQ(proptext::ComponentText(modules, &form), "DataModule1.Box");
    EXPECT_EQ(proptext::ComponentText(&orphan, &form), "");

    const proptext::TWindowFinder finder = [&](std::string_view name) -> TComponent* {
        return rtl::SameText(name, "mainform") ? &other : nullptr;
    };
    auto lookup = [&](std::string_view text) { return proptext::ComponentFromText(text, &form, finder); };
    EXPECT_FALSE(lookup("").change);
    EXPECT_TRUE(lookup("(NULL)").change);
    EXPECT_EQ(lookup("(NULL)").component, nullptr);
    EXPECT_EQ(lookup("runp").component, own);
    EXPECT_EQ(lookup("MAINFORM.start").component, foreign);
    EXPECT_TRUE(lookup("MainForm.NoSuch").change);
    EXPECT_EQ(lookup("MainForm.NoSuch").component, nullptr);
    EXPECT_FALSE(lookup("NoWindow.Start").change);
    EXPECT_FALSE(proptext::ComponentFromText("MainForm.Start", &form, nullptr).change);
}

TEST(PropInfoListTest, SortedByNameWithoutMethodsAndFoundIgnoringCase) {
    TTestAll all;
    const TPropInfoList list(all);
    std::vector<std::string> names;
    for (int i = 0; i < list.Count(); ++i)
        names.push_back(list[i].name);
    EXPECT_EQ(names, (std::vector<std::string>{"Buddy", "Columns", "Double", "Extended", "Letter", "Nothing",
                                               "Shape", "Shapes", "Short", "Single", "TAG", "Var", "Wide"}));
    ASSERT_NE(list.Find("shapes"), nullptr);
    EXPECT_EQ(list.Find("shapes")->kind, TTypeKind::tkSet);
    EXPECT_EQ(list.Find("OnChange"), nullptr);
    EXPECT_EQ(list.Find("Tag")->name, "TAG");
}

TEST(SplitStoredEntryTest, SplitsAtTheFirstDotAndTrims) {
    const auto parts = SplitStoredEntry(" Memo1 . Font.Size ");
    ASSERT_TRUE(parts);
    EXPECT_EQ(parts->component, "Memo1");
    EXPECT_EQ(parts->property, "Font.Size");
    EXPECT_FALSE(SplitStoredEntry("NoDot"));
    EXPECT_FALSE(SplitStoredEntry(" .Checked"));
    EXPECT_FALSE(SplitStoredEntry("RunP. "));
}

TEST_F(PropsStorageTest, ValueNamesUseTheComponentsNameAndTheDeclaredPropertyName) {
    box.checked = true;
    auto entries = Entries({{" RunP . checked ", &box}, {"ClBtn.Color", &button}});
    props.StoreEntries(window, entries);
    EXPECT_EQ(store.writes,
              (std::vector<std::string>{"Output|RunP_Checked=True", "Output|ClBtn_Color=-2147483633"}));
    EXPECT_EQ(entries[0].text, "RunP.checked");
    EXPECT_EQ(props.OwnerWindow(), nullptr);
}

TEST_F(PropsStorageTest, EntryUpkeepRenamesAndDropsEntries) {
    auto entries = Entries({{"OldName.Checked", &box},
                            {"Gone.Checked", nullptr},
                            {"NoDot", &box},
                            {"Memo1.Font.Size", &memo},
                            {"Memo1.NoSuch", &memo},
                            {"ClBtn.Color", &button}});
    props.StoreEntries(window, entries);
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].text, "RunP.Checked");
    EXPECT_EQ(entries[1].text, "Memo1.Font.Size"); // kept, but names no property: skipped
    EXPECT_EQ(entries[2].text, "Memo1.NoSuch");
    EXPECT_EQ(store.writes,
              (std::vector<std::string>{"Output|RunP_Checked=False", "Output|ClBtn_Color=-2147483633"}));

    entries = Entries({{"Gone.Checked", nullptr}});
    props.LoadEntries(window, entries);
    EXPECT_TRUE(entries.empty());
}

TEST_F(PropsStorageTest, AFontIsSevenValuesInNameOrder) {
    memo.font = TFontDesc{ANSI_CHARSET_VALUE,
                          clNavy,
                          -13,
                          "Courier",
                          TFontPitch::fpFixed,
                          FontStyleBit(TFontStyle::fsBold) | FontStyleBit(TFontStyle::fsItalic)};
    memo.color = clSilver;
    auto entries = Entries({{"Memo1.Color", &memo}, {"Memo1.Font", &memo}});
    props.StoreEntries(window, entries);
    EXPECT_EQ(store.writes, (std::vector<std::string>{
                                "Output|Memo1_Color=12632256", "Output|Memo1_FontCharset=0",
                                "Output|Memo1_FontColor=8388608", "Output|Memo1_FontHeight=-13",
                                "Output|Memo1_FontName=Courier", "Output|Memo1_FontPitch=fpFixed",
                                "Output|Memo1_FontSize=10", "Output|Memo1_FontStyle=[fsBold,fsItalic]"}));
    EXPECT_EQ(store.Get("Memo1_Font"), "<missing>");
}

TEST_F(PropsStorageTest, FontLoadsHeightBeforeSizeSoTheSizeDecides) {
    store.Put("Memo1_FontHeight", "-13");
    store.Put("Memo1_FontSize", "12");
    store.Put("Memo1_FontStyle", "[fsBold, fsitalic]");
    store.Put("Memo1_FontPitch", "FPVARIABLE");
    store.Put("Memo1_FontName", "  Courier New ");
    store.Put("Memo1_FontCharset", "$1FF"); // one byte
    auto entries = Entries({{"Memo1.Font", &memo}});
    props.LoadEntries(window, entries);
    EXPECT_EQ(memo.font.height, -16);
    EXPECT_EQ(memo.font.style, FontStyleBit(TFontStyle::fsBold) | FontStyleBit(TFontStyle::fsItalic));
    EXPECT_EQ(memo.font.pitch, TFontPitch::fpVariable);
    EXPECT_EQ(memo.font.name, "Courier New");
    EXPECT_EQ(memo.font.charset, 0xFF);
    EXPECT_EQ(memo.font.color, clWindowText); // missing: kept
}

TEST_F(PropsStorageTest, FontSizeFollowsTheScreensPixelsPerInch) {
    fontprops::SetPixelsPerInch(120);
    store.Put("Memo1_FontSize", "12");
    auto entries = Entries({{"Memo1.Font", &memo}});
    props.LoadEntries(window, entries);
    fontprops::SetPixelsPerInch(0); // ignored
    EXPECT_EQ(fontprops::PixelsPerInch(), 120);
    fontprops::SetPixelsPerInch(96);
    EXPECT_EQ(memo.font.height, -20);
    store.Put("Memo1_FontSize", "2000000000"); // no height fits: refused
    props.LoadEntries(window, entries);
    EXPECT_EQ(memo.font.height, -20);
}

TEST_F(PropsStorageTest, LoadingDecodesEachKindAndKeepsWhatItCannotRead) {
    auto entries = Entries({{"RunP.Checked", &box}, {"ClBtn.Color", &button}});
    store.Put("RunP_Checked", "true");
    store.Put("ClBtn_Color", "$FF");
    props.LoadEntries(window, entries);
    EXPECT_TRUE(box.checked);
    EXPECT_EQ(button.color, clRed);

    store.Put("RunP_Checked", "yes");
    store.Put("ClBtn_Color", "0xFF");
    props.LoadEntries(window, entries);
    EXPECT_TRUE(box.checked);
    EXPECT_EQ(button.color, 0);

    button.color = clRed;
    store.Put("ClBtn_Color", "abc");
    props.LoadEntries(window, entries);
    EXPECT_EQ(button.color, clBlack);
}

TEST_F(PropsStorageTest, MissingValuesKeepTheCurrentValues) {
    box.checked = true;
    button.color = clLime;
    edit.fileName = "C:\\dcc32.exe";
    auto entries = Entries({{"RunP.Checked", &box}, {"ClBtn.Color", &button}, {"CompPath.FileName", &edit}});
    props.LoadEntries(window, entries);
    EXPECT_TRUE(box.checked);
    EXPECT_EQ(button.color, clLime);
    EXPECT_EQ(edit.fileName, "C:\\dcc32.exe");
}

TEST_F(PropsStorageTest, StringsAreTrimmedAndWrittenEvenWhenEmpty) {
    edit.fileName = "  C:\\Delphi 3\\Bin\\dcc32.exe  ";
    auto entries = Entries({{"CompPath.FileName", &edit}, {"CompPath.InitialDir", &edit}});
    props.StoreEntries(window, entries);
    EXPECT_EQ(store.writes, (std::vector<std::string>{"Output|CompPath_FileName=C:\\Delphi 3\\Bin\\dcc32.exe",
                                                      "Output|CompPath_InitialDir="}));
    edit.fileName = "x";
    edit.initialDir = "y";
    props.LoadEntries(window, entries);
    EXPECT_EQ(edit.fileName, "C:\\Delphi 3\\Bin\\dcc32.exe");
    EXPECT_EQ(edit.initialDir, "");
}

TEST_F(PropsStorageTest, EmptyTextsOfOtherKindsAreNotWritten) {
    all.letter = ' ';
    all.wide = 0x20AC;
    auto entries =
        Entries({{"All.Letter", &all}, {"All.Var", &all}, {"All.Wide", &all}, {"All.Nothing", &all}});
    props.StoreEntries(window, entries);
    // A blank character trims to nothing; an empty variant has no text; a wide character is written even so.
    EXPECT_EQ(store.writes, (std::vector<std::string>{"Output|All_Wide="}));
    props.LoadEntries(window, entries);
    EXPECT_EQ(all.letter, ' ');
    EXPECT_EQ(all.wide, 0x20AC);
    EXPECT_EQ(all.variant, TVariant{});
}

TEST_F(PropsStorageTest, OtherKindsRoundTrip) {
    all.letter = 'Q';
    all.single = 2.5f;
    all.dbl = 1e-7;
    all.extended = 1.0L / 7;
    all.shortText = "abcd";
    all.variant = std::int32_t{42};
    all.shapes = 0b101;
    all.shape = 2;
    all.SetTag(7);
    auto entries = Entries({{"All.Letter", &all},
                            {"All.Single", &all},
                            {"All.Double", &all},
                            {"All.Extended", &all},
                            {"All.Short", &all},
                            {"All.Var", &all},
                            {"All.Shapes", &all},
                            {"All.Shape", &all},
                            {"All.Tag", &all}});
    props.StoreEntries(window, entries);
    EXPECT_EQ(store.Get("All_Single"), "2.5");
    EXPECT_EQ(store.Get("All_Double"), "1E-7");
    EXPECT_EQ(store.Get("All_Extended"), "0.142857142857142857");
    EXPECT_EQ(store.Get("All_Var"), "42");
    EXPECT_EQ(store.Get("All_Shapes"), "[shRound,shStar]");
    EXPECT_EQ(store.Get("All_Shape"), "shStar");
    EXPECT_EQ(store.Get("All_TAG"), "70");

    TTestAll& copy = *new TTestAll(&window);
    copy.SetName("All");
    copy.variant = std::string("x"); // an unassigned variant has no text and so reads nothing
    all.SetName("Old");
    auto copyEntries = Entries({{"All.Letter", &copy},
                                {"All.Single", &copy},
                                {"All.Double", &copy},
                                {"All.Extended", &copy},
                                {"All.Short", &copy},
                                {"All.Var", &copy},
                                {"All.Shapes", &copy},
                                {"All.Shape", &copy},
                                {"All.Tag", &copy}});
    props.LoadEntries(window, copyEntries);
    EXPECT_EQ(copy.letter, 'Q');
    EXPECT_EQ(copy.single, 2.5f);
    EXPECT_EQ(copy.dbl, 1e-7);
    EXPECT_NEAR(static_cast<double>(copy.extended), 1.0 / 7, 1e-17);
    EXPECT_EQ(copy.shortText, "abcd");
    EXPECT_EQ(copy.variant, TVariant{std::string("42")});
    EXPECT_EQ(copy.shapes, 0b101u);
    EXPECT_EQ(copy.shape, 2);
    EXPECT_EQ(copy.Tag(), 7);
}

TEST_F(PropsStorageTest, ShortStringsAreCutAndBadFloatsKeepTheValue) {
    store.Put("All_Short", "abcdefgh");
    store.Put("All_Double", "1,5");
    store.Put("All_Single", "1e39");
    store.Put("All_Letter", "xyz");
    auto entries =
        Entries({{"All.Short", &all}, {"All.Double", &all}, {"All.Single", &all}, {"All.Letter", &all}});
    props.LoadEntries(window, entries);
    EXPECT_EQ(all.shortText, "abcde");
    EXPECT_EQ(all.dbl, 0.1);
    EXPECT_EQ(all.single, 0.1f);
    EXPECT_EQ(all.letter, 'x');
}

TEST_F(PropsStorageTest, AFailingReadOrSetterOnlyLosesThatProperty) {
    store.Put("RunP_Checked", "True");
    store.Put("ClBtn_Color", "255");
    store.failingNames.insert("Memo1_FontHeight");
    store.Put("Memo1_FontName", "Courier");
    auto entries = Entries({{"Memo1.Font", &memo}, {"RunP.Checked", &box}, {"ClBtn.Color", &button}});
    props.LoadEntries(window, entries);
    EXPECT_EQ(memo.font.height, -11);
    EXPECT_EQ(memo.font.name, "Courier");
    EXPECT_TRUE(box.checked);
    EXPECT_EQ(button.color, 255);
}

TEST_F(PropsStorageTest, WriteFailuresArePassedOn) {
    store.failingNames.insert("ClBtn_Color");
    auto entries = Entries({{"RunP.Checked", &box}, {"ClBtn.Color", &button}});
    EXPECT_THROW(props.StoreEntries(window, entries), Exception);
    EXPECT_EQ(props.OwnerWindow(), nullptr);
}

TEST_F(PropsStorageTest, StringListsLiveInASectionOfTheirOwn) {
    memo.lines = TStringList({"first", "  second  "});
    auto entries = Entries({{"Memo1.Lines", &memo}});
    store.values[{"Output.Memo1_Lines", "Item7"}] = "stale";
    props.StoreEntries(window, entries);
    EXPECT_EQ(store.erased, (std::vector<std::string>{"Output.Memo1_Lines"}));
    EXPECT_EQ(store.writes,
              (std::vector<std::string>{"Output.Memo1_Lines|Count=2", "Output.Memo1_Lines|Item0=first",
                                        "Output.Memo1_Lines|Item1=  second  "}));

    memo.lines = TStringList({"other"});
    props.LoadEntries(window, entries);
    EXPECT_EQ(memo.lines, TStringList({"first", "  second  "}));

    memo.lines.Clear();
    store.writes.clear();
    props.StoreEntries(window, entries);
    EXPECT_TRUE(store.writes.empty());
    EXPECT_EQ(store.erased.size(), 2u);
}

TEST_F(PropsStorageTest, AStringListCountThatIsNoCountKeepsTheLines) {
    memo.lines = TStringList({"kept"});
    auto entries = Entries({{"Memo1.Lines", &memo}});
    for (const char* count : {"0", "-3", "abc", "100001"}) {
        store.values[{"Output.Memo1_Lines", "Count"}] = count;
        props.LoadEntries(window, entries);
        EXPECT_EQ(memo.lines, TStringList({"kept"})) << count;
    }
    store.values[{"Output.Memo1_Lines", "Count"}] = "2";
    store.values[{"Output.Memo1_Lines", "Item1"}] = "b";
    props.LoadEntries(window, entries);
    EXPECT_EQ(memo.lines, TStringList({"", "b"}));
}

TEST_F(PropsStorageTest, CollectionItemsUseItemPrefixesInTheListSection) {
    all.columns.items = {TTestItem{}, TTestItem{}};
    all.columns.items[0].caption = "Name";
    all.columns.items[1].width = 80;
    auto entries = Entries({{"All.Columns", &all}});
    props.StoreEntries(window, entries);
    EXPECT_EQ(store.erased, (std::vector<std::string>{"Output.All_Columns"}));
    EXPECT_EQ(store.writes, (std::vector<std::string>{
                                "Output.All_Columns|Item0_Caption=Name", "Output.All_Columns|Item0_Width=0",
                                "Output.All_Columns|Item1_Caption=", "Output.All_Columns|Item1_Width=80"}));

    store.values[{"Output.All_Columns", "Item1_Caption"}] = "Size";
    store.values[{"Output.All_Columns", "Item2_Caption"}] = "not created";
    props.LoadEntries(window, entries);
    ASSERT_EQ(all.columns.items.size(), 2u);
    EXPECT_EQ(all.columns.items[1].caption, "Size");
    EXPECT_EQ(all.columns.log, "begin;end;");
}

TEST_F(PropsStorageTest, ComponentReferencesAreStoredByNameAndResolvedOnLoad) {
    auto entries = Entries({{"All.Buddy", &all}});
    props.StoreEntries(window, entries);
    EXPECT_EQ(store.Get("All_Buddy"), "(null)");
    all.buddy = &box;
    props.StoreEntries(window, entries);
    EXPECT_EQ(store.Get("All_Buddy"), "RunP");

    store.Put("All_Buddy", "clbtn");
    props.LoadEntries(window, entries);
    EXPECT_EQ(all.buddy, &button);
    store.Put("All_Buddy", "Elsewhere.ClBtn");
    props.LoadEntries(window, entries);
    EXPECT_EQ(all.buddy, &button);
    store.Put("All_Buddy", "NoSuch");
    props.LoadEntries(window, entries);
    EXPECT_EQ(all.buddy, nullptr);
}
