#include "native/recording_surface.h"
#include "output/OutputPrint_core.h"

#include <gtest/gtest.h>

using namespace pagesetup;

namespace {
// A platform with a default printer answering in thousandths of an inch, and a dialog that returns
// what the test puts in `confirm`.
struct FakePlatform : TPageSetupPlatform {
    bool hasPrinter = true;
    char measure = '0';
    TPSGeometry printerInches{{8268, 11693}, {250, 250, 250, 250}, {1000, 1000, 1000, 1000}};
    std::vector<std::uint32_t> queries;
    bool accept = true;
    std::uint32_t ranFlags = 0;
    TPSGeometry ranWith;
    std::optional<TPSRect> confirm;

    bool ReturnDefault(std::uint32_t flags, TPSGeometry& g) override {
        queries.push_back(flags);
        if (hasPrinter)
            g = printerInches;
        return hasPrinter;
    }
    bool Run(TPageSetupDialog&, std::uint32_t flags, TPSGeometry& g) override {
        ranFlags = flags;
        ranWith = g;
        if (confirm)
            g.Margins = *confirm;
        return accept;
    }
    char LocaleMeasure() override { return measure; }
};
} // namespace

TEST(PageSetupUnits, ConversionsRoundHalvesToEven) {
    const std::vector<std::tuple<std::int32_t, double, std::int32_t>> cases = {
        {2540, 0.3937007874015748, 1000},
        {21000, 0.3937007874015748, 8268},
        {8268, 2.54, 21001},
        {25, 2.54, 64},
        {75, 2.54, 190},
        {11693, 2.54, 29700}};
    for (const auto& [value, factor, want] : cases)
        EXPECT_EQ(Scaled(value, factor), want) << value;
}

TEST(PageSetupUnits, DefaultsFollowThePrinterOnceAndTheQueryIsSilent) {
    FakePlatform platform;
    TPageSetupDefaults defaults;
    TPageSetupDialog dialog(nullptr, platform, defaults); // metric locale
    EXPECT_EQ(dialog.PaperSize(), (TPSPoint{21001, 29700}));
    EXPECT_EQ(dialog.Margins(), (TPSRect{2540, 2540, 2540, 2540}));
    TPageSetupDialog second(nullptr, platform, defaults);
    ASSERT_EQ(platform.queries.size(), 1u);
    EXPECT_EQ(platform.queries[0], 0x486u);

    FakePlatform none;
    none.hasPrinter = false;
    TPageSetupDefaults empty;
    TPageSetupDialog lonely(nullptr, none, empty);
    EXPECT_EQ(lonely.PaperSize(), (TPSPoint{0, 0}));
    lonely.SetMargins({5, 6, 7, 8});
    lonely.SetMeasurements(TPSMeasurements::pmInches); // converted, then the failed query changes nothing
    EXPECT_EQ(lonely.Margins(), (TPSRect{2, 2, 3, 3}));
}

TEST(PageSetupUnits, SetMeasurementsConvertsThenTakesUntouchedDefaults) {
    FakePlatform platform;
    TPageSetupDefaults defaults;
    TPageSetupDialog d(nullptr, platform, defaults);
    d.SetMeasurements(TPSMeasurements::pmMillimeters); // same unit as the locale's: nothing converted
    d.SetMargins({2540, 2540, 2540, 2600});
    d.SetPaperSize({21000, 29700});
    d.SetMeasurements(TPSMeasurements::pmInches); // inches take the printer's values whole
    EXPECT_EQ(d.PaperSize(), (TPSPoint{8268, 11693}));
    platform.hasPrinter = false;
    d.SetPaperSize({8268, 11693});
    d.SetMargins({1000, 1000, 1000, 1000});
    d.SetMeasurements(TPSMeasurements::pmMillimeters);
    EXPECT_EQ(d.PaperSize(), (TPSPoint{21001, 29700}));
    EXPECT_EQ(d.Margins(), (TPSRect{2540, 2540, 2540, 2540}));
    // With the printer back, values the user changed stay; those equal to the defaults follow the printer.
    platform.hasPrinter = true;
    platform.printerInches.Margins = {500, 500, 500, 500};
    d.SetMargins({3000, 2540, 2540, 2540});
    d.SetMeasurements(TPSMeasurements::pmMillimeters);
    EXPECT_EQ(d.Margins(), (TPSRect{3000, 2540, 2540, 2540}));
    EXPECT_EQ(d.PaperSize(), (TPSPoint{21001, 29700}));
    d.SetLoading(true);
    d.SetName("psetup"); // no query while loading
    EXPECT_EQ(d.Margins(), (TPSRect{3000, 2540, 2540, 2540}));
    d.SetMeasurements(TPSMeasurements::pmMillimeters);
    EXPECT_EQ(d.Margins(), (TPSRect{1270, 1270, 1270, 1270}));
    EXPECT_FALSE(d.QueryingDefaults());
}

TEST(PageSetupExecute, FlagsAndMinimumMargins) {
    FakePlatform platform;
    TPageSetupDefaults defaults;
    TPageSetupDialog d(nullptr, platform, defaults);
    struct Case {
        TPageSetupOptions options;
        bool centered, printerEvent;
        std::uint32_t flags;
    };
    const auto bit = [](TPageSetupOption o) { return PageSetupOptionBit(o); };
    const std::vector<Case> cases = {
        {bit(TPageSetupOption::poDefaultMinMargins) | bit(TPageSetupOption::poShowHelp), true, false, 0x280A},
        {bit(TPageSetupOption::poDefaultMinMargins), false, false, 0xA},
        {0, false, true, 0x200B},
        {bit(TPageSetupOption::poDisableMargins) | bit(TPageSetupOption::poDisablePrinter) |
             bit(TPageSetupOption::poNoWarning) | bit(TPageSetupOption::poDisablePaper) |
             bit(TPageSetupOption::poDisableOrientation) | bit(TPageSetupOption::poDisablePagePainting) |
             bit(TPageSetupOption::poDefaultMinMargins),
         false, false, 0x803BA},
    };
    for (const Case& c : cases) {
        d.Options = c.options;
        d.Centered = c.centered;
        d.OnPrinter = c.printerEvent ? [](TComponent*, std::intptr_t) {}
                                     : std::function<void(TComponent*, std::intptr_t)>();
        EXPECT_EQ(d.ExecuteFlags(), c.flags) << std::hex << c.flags;
    }
    d.OnInitPaintPage = [](TComponent*, std::int16_t, int, int, int, void*) { return true; };
    d.OnPaintPage = [](TComponent*, int, void*, int, int, int, int) { return true; };
    EXPECT_EQ(d.ExecuteFlags() & 0x42000u, 0x42000u);
    d.SetMeasurements(TPSMeasurements::pmInches);
    EXPECT_EQ(d.ExecuteFlags() & 0xCu, 0x4u);

    d.Options = 0;
    d.SetMinimumMargins({635, 635, 635, 635});
    d.SetMargins({100, 700, 635, 10});
    EXPECT_TRUE(d.Execute());
    EXPECT_EQ(platform.ranWith.Margins, (TPSRect{635, 700, 635, 635}));
}

TEST(PageSetupExecute, ConfirmedOrCancelled) {
    FakePlatform platform;
    TPageSetupDefaults defaults;
    TPageSetupDialog d(nullptr, platform, defaults);
    d.SetMeasurements(TPSMeasurements::pmMillimeters);
    const TPSRect before = d.Margins();
    platform.confirm = TPSRect{2500, 1000, 2500, 1000};
    platform.accept = false;
    EXPECT_FALSE(d.Execute());
    EXPECT_EQ(d.Margins(), before);
    platform.accept = true;
    EXPECT_TRUE(d.Execute());
    EXPECT_EQ(d.Margins().Left, 2500);
    EXPECT_EQ(d.Version(), "TPageSetupDialog v1.0");
    EXPECT_EQ(CenterPosition(1024, 768, 400, 300), (TPSPoint{312, 156}));
    EXPECT_EQ(CenterPosition(300, 200, 401, 302), (TPSPoint{-50, -34}));
}

TEST(OutputWindowPrinting, StartsWithSaneMarginsAndTakesConfirmedOnes) {
    EXPECT_EQ(outputprint::StartMargins({0, 0, 0, 0}), (TPSRect{2000, 2000, 2000, 2000}));
    EXPECT_EQ(outputprint::StartMargins({1500, 0, 1000, 3000}), (TPSRect{1500, 2000, 1000, 3000}));
    auto* s = new RecordingSurface;
    TLinePrinter p(nullptr, std::unique_ptr<TPrintSurface>(s));
    outputprint::ConfigureLinePrinter(p, {2500, 2000, 1500, 2000}); // margins set while in inches
    EXPECT_EQ(p.MeasureUnit(), TMeasureUnit::muMillimeters);
    EXPECT_NEAR(p.MarginLeft(), 25.0f, 1e-4f);
    EXPECT_NEAR(p.MarginBottom(), 20.0f, 1e-4f);
    EXPECT_EQ(p.TextAreaWidth(), 4015);
    EXPECT_EQ(p.TextAreaHeight(), 6072);
    EXPECT_EQ(s->font.height, -50);
    outputprint::ApplyPageSetupMargins(p, {2500, 1000, 2500, 1000});
    EXPECT_EQ((std::vector<float>{p.MarginLeft(), p.MarginTop(), p.MarginRight(), p.MarginBottom()}),
              (std::vector<float>{25.0f, 10.0f, 25.0f, 10.0f}));
    outputprint::ApplyPageSetupMargins(p, {0, 0, 0, 0}); // raised to the device minimum
    EXPECT_FLOAT_EQ(p.MarginTop(), p.MinMarginTop());
}

TEST(OutputWindowPrinting, AJobFailingHalfWayIsGivenUpSoTheNextCanStart) {
    auto* s = new RecordingSurface;
    TLinePrinter p(nullptr, std::unique_ptr<TPrintSurface>(s));
    outputprint::ConfigureLinePrinter(p, {2000, 2000, 2000, 2000});
    s->failNewPage = true;
    const TStringList lines(std::vector<std::string>(200, "x"));
    EXPECT_THROW(outputprint::PrintPlainLines(p, lines), ELinePrinter);
    EXPECT_TRUE(s->aborted);
    EXPECT_FALSE(p.Printing());
    s->failNewPage = false;
    outputprint::PrintPlainLines(p, lines);
    EXPECT_GT(s->pages, 1);
    EXPECT_FALSE(p.Printing());
}
