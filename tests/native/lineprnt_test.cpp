#include "native/recording_surface.h"

#include <gtest/gtest.h>

namespace {
struct Fixture {
    RecordingSurface* surface;
    std::unique_ptr<TLinePrinter> printer;
};

Fixture MakePrinter(RecordingSurface* s = new RecordingSurface) {
    return {s, std::make_unique<TLinePrinter>(nullptr, std::unique_ptr<TPrintSurface>(s))};
}

// The A4 printer at 600 pixels per inch with margins 20/20/25/15 mm and 100-pixel lines.
Fixture WorkedExample() {
    Fixture f = MakePrinter();
    f.printer->SetMeasureUnit(TMeasureUnit::muMillimeters);
    f.printer->SetMarginTop(20);
    f.printer->SetMarginBottom(20);
    f.printer->SetMarginLeft(25);
    f.printer->SetMarginRight(15);
    return f;
}

std::vector<int> PrintLines(Fixture& f, int count, const std::string& text = "x") {
    f.printer->BeginDocument();
    f.printer->SetLines(TStringList(std::vector<std::string>(static_cast<std::size_t>(count), text)));
    f.printer->PrintLines(false);
    f.printer->EndDocument();
    return f.surface->LinesPerPage();
}

std::vector<std::string> Drawn(const RecordingSurface& s) {
    std::vector<std::string> out;
    for (const RecordedText& t : s.texts)
        out.push_back(t.text);
    return out;
}
} // namespace

TEST(LinePrinterGeometry, WorkedExample) {
    Fixture f = WorkedExample();
    TLinePrinter& p = *f.printer;
    EXPECT_FLOAT_EQ(p.PaperWidth(), 209.97333f);
    EXPECT_FLOAT_EQ(p.PaperHeight(), 297.01067f);
    EXPECT_FLOAT_EQ(p.PrintableAreaWidth(), 201.50667f);
    EXPECT_FLOAT_EQ(p.PrintableAreaHeight(), 288.544f);
    for (float min : {p.MinMarginLeft(), p.MinMarginTop(), p.MinMarginRight(), p.MinMarginBottom()})
        EXPECT_NEAR(min, 4.2333f, 1e-4f);
    EXPECT_EQ(p.TopOffset(), 372);
    EXPECT_EQ(p.BottomOffset(), 372);
    EXPECT_EQ(p.LeftOffset(), 491);
    EXPECT_EQ(p.RightOffset(), 254);
    EXPECT_EQ(p.TextAreaWidth(), 4015);
    EXPECT_EQ(p.TextAreaHeight(), 6072);
    EXPECT_EQ(p.LineHeight(), 100u);
}

TEST(LinePrinterGeometry, FallbacksWithoutPrinter) {
    auto* s = new RecordingSurface;
    s->failing = true;
    Fixture f = MakePrinter(s);
    TLinePrinter& p = *f.printer;
    EXPECT_EQ(p.LineHeight(), 10u);
    EXPECT_EQ(p.Orientation(), TPrinterOrientation::poPortrait);
    const std::vector<std::pair<float, float>> inches = {
        {p.PaperWidth(), 8.5f},           {p.PaperHeight(), 11},      {p.PrintableAreaWidth(), 8},
        {p.PrintableAreaHeight(), 10.5f}, {p.MinMarginLeft(), 0.25f}, {p.MinMarginTop(), 0.25f},
        {p.MarginTop(), 0.25f},           {p.MarginRight(), 0.25f}};
    for (const auto& [got, want] : inches)
        EXPECT_FLOAT_EQ(got, want);
    EXPECT_EQ(p.TextAreaWidth(), 2400); // 8 inches at the fallback 300 pixels per inch
    p.SetMeasureUnit(TMeasureUnit::muMillimeters);
    const std::vector<std::pair<float, float>> mm = {
        {p.PaperWidth(), 210},          {p.PaperHeight(), 297}, {p.PrintableAreaWidth(), 198},
        {p.PrintableAreaHeight(), 284}, {p.MinMarginLeft(), 6}, {p.MinMarginBottom(), 7}};
    for (const auto& [got, want] : mm)
        EXPECT_FLOAT_EQ(got, want);
}

TEST(LinePrinterMargins, ClampedEachOnItsOwnAndConvertedWithTheUnit) {
    Fixture f = WorkedExample();
    TLinePrinter& p = *f.printer;
    p.SetMarginTop(1);
    EXPECT_FLOAT_EQ(p.MarginTop(), p.MinMarginTop());
    p.SetMarginTop(500);
    EXPECT_FLOAT_EQ(p.MarginTop(), p.PaperHeight() - p.MinMarginBottom());
    p.SetMarginBottom(500);
    EXPECT_FLOAT_EQ(p.MarginBottom(), p.PaperHeight() - p.MinMarginTop()); // overlaps the top margin
    p.SetMarginLeft(-3);
    EXPECT_FLOAT_EQ(p.MarginLeft(), p.MinMarginLeft());
    p.SetMarginRight(1000);
    EXPECT_FLOAT_EQ(p.MarginRight(), p.PaperWidth() - p.MinMarginLeft());

    Fixture g = MakePrinter();
    g.printer->SetMarginLeft(1);
    g.printer->SetDefaultColWidth(2);
    g.printer->SetBorderOffset(0.5f);
    g.printer->SetMeasureUnit(TMeasureUnit::muMillimeters);
    EXPECT_FLOAT_EQ(g.printer->MarginLeft(), 25.4f);
    EXPECT_FLOAT_EQ(g.printer->DefaultColWidth(), 50.8f);
    EXPECT_FLOAT_EQ(g.printer->BorderOffset(), 12.7f);
    g.printer->SetMeasureUnit(TMeasureUnit::muInches);
    EXPECT_NEAR(g.printer->MarginLeft(), 1.0f, 1e-6f);
}

TEST(LinePrinterMargins, StoredOrderMarginsBeforeUnitLeavesNoTextArea) {
    // The output window's stored values: margins applied in inches, then the unit.
    Fixture f = MakePrinter();
    TLinePrinter& p = *f.printer;
    p.SetMarginTop(289.91278f);
    p.SetMarginBottom(294.00497f);
    p.SetMarginLeft(206.58667f);
    p.SetMarginRight(206.58665f);
    p.SetMeasureUnit(TMeasureUnit::muMillimeters);
    EXPECT_LE(p.TextAreaHeight(), static_cast<int>(p.LineHeight()));
    EXPECT_EQ(PrintLines(f, 3), (std::vector<int>{0, 1, 0, 1, 0, 1, 0})); // 2n + 1 pages
}

TEST(LinePrinterPages, LinesPerPageAndPositions) {
    struct Case {
        int lines;
        std::vector<int> pages;
    };
    for (const Case& c : {Case{130, {60, 60, 10}}, Case{60, {60, 0}}, Case{0, {0}}, Case{1, {1}}}) {
        Fixture f = WorkedExample();
        EXPECT_EQ(PrintLines(f, c.lines), c.pages) << c.lines << " lines";
    }
    Fixture f = WorkedExample();
    PrintLines(f, 61);
    for (int k = 0; k < 61; ++k) {
        const RecordedText& t = f.surface->texts[static_cast<std::size_t>(k)];
        EXPECT_EQ(t.x, 491);
        EXPECT_EQ(t.y, 372 + 100 * (k % 60));
    }
}

TEST(LinePrinterPages, HeaderFooterBordersAndEvents) {
    Fixture f = WorkedExample();
    TLinePrinter& p = *f.printer;
    p.Header = "head";
    p.HeaderFormat = "<100";
    p.Footer = "page {$PAGE} {$page} line {$LINE}";
    p.FooterFormat = "^150";
    p.PageBorders = PageBorderBit(TPageBorderStyle::pbTop) | PageBorderBit(TPageBorderStyle::pbRight);
    int newPages = 0, newLines = 0;
    p.OnNewPage = [&](TComponent*) { ++newPages; };
    p.OnNewLine = [&](TComponent*) { ++newLines; };
    PrintLines(f, 61);
    EXPECT_EQ(newPages, 2);
    EXPECT_EQ(newLines, 2 + 61);
    std::vector<RecordedText> bands;
    for (const RecordedText& t : f.surface->texts)
        if (t.text != "x")
            bands.push_back(t);
    ASSERT_EQ(bands.size(), 4u);
    EXPECT_EQ(bands[0].y, 136);
    EXPECT_EQ(bands[0].x, 491);
    EXPECT_EQ(bands[1].y, 6580);
    EXPECT_EQ(bands[1].text, "page 1 {$page} line 0");
    EXPECT_EQ(bands[3].text, "page 2 {$page} line 59");
    ASSERT_EQ(f.surface->lines.size(), 4u);
    const RecordedLine& top = f.surface->lines[0];
    EXPECT_EQ((std::vector<int>{top.penWidth, top.x1, top.y1, top.x2, top.y2}),
              (std::vector<int>{4, 491, 372, 4506, 372}));
    const RecordedLine& right = f.surface->lines[1];
    EXPECT_EQ((std::vector<int>{right.x1, right.y1, right.x2, right.y2}),
              (std::vector<int>{4506, 372, 4506, 6444}));
}

TEST(LinePrinterPages, BandsShorterThanALineNeitherAdvanceNorBreakThePage) {
    struct Case {
        float topAndBottom; // inches, at least the device's 1/6 inch
        int firstLineY, headerY, footerY;
    };
    for (const Case& c : {Case{0, 0, -50, 6766}, Case{0.2f, 20, -40, 6756}}) {
        Fixture f = MakePrinter();
        TLinePrinter& p = *f.printer;
        p.SetMarginTop(c.topAndBottom);
        p.SetMarginBottom(c.topAndBottom);
        p.Header = "head";
        p.HeaderFormat = "<1";
        p.Footer = "{$PAGE}";
        p.FooterFormat = "<1";
        PrintLines(f, 3);
        ASSERT_EQ(f.surface->pages, 1) << c.topAndBottom;
        ASSERT_EQ(f.surface->texts.size(), 5u);
        EXPECT_EQ(f.surface->texts[0].y, c.headerY);
        EXPECT_EQ(f.surface->texts[1].text, "1");
        EXPECT_EQ(f.surface->texts[1].y, c.footerY);
        EXPECT_EQ(f.surface->texts[2].y, c.firstLineY);
        EXPECT_EQ(p.LineNumber(), 3);
    }
}

TEST(LinePrinterPages, BorderPenWidthFollowsResolution) {
    for (const auto& [ppi, pen] : std::vector<std::pair<int, int>>{{600, 4}, {300, 2}, {360, 2}, {200, 0}}) {
        Fixture f = WorkedExample();
        f.surface->caps[0] = f.surface->caps[1] = ppi;
        f.printer->PageBorders = PageBorderBit(TPageBorderStyle::pbLeft);
        PrintLines(f, 0);
        ASSERT_EQ(f.surface->lines.size(), 1u);
        EXPECT_EQ(f.surface->lines[0].penWidth, pen) << ppi;
    }
}

TEST(LinePrinterText, TabsExpandToTheNextStop) {
    using lineprinter::ExpandTabs;
    EXPECT_EQ(ExpandTabs("ab\tc", 8), "ab      c");
    EXPECT_EQ(ExpandTabs("abcdefgh\tc", 8), "abcdefgh        c");
    EXPECT_EQ(ExpandTabs("\t\t", 4), "        ");
    EXPECT_EQ(ExpandTabs("a\tb", 0), "a b");
}

TEST(LinePrinterText, FitTextIsTheLongestPrefixNotWider) {
    Fixture f = MakePrinter(); // 50 pixels a character
    for (const auto& [width, want] : std::vector<std::pair<unsigned, std::string>>{
             {500, "abcdefg"}, {350, "abcdefg"}, {349, "abcdef"}, {100, "ab"}, {99, "a"}, {0, "a"}})
        EXPECT_EQ(f.printer->FitText("abcdefg", width), want) << width;
    f.surface->failing = true;
    EXPECT_EQ(f.printer->FitText("abcdefg", 10), "abcdefg");
}

TEST(LinePrinterText, WordWrapAndCut) {
    struct Case {
        const char* line;
        int areaChars;
        bool wrap;
        TAlignment alignment;
        std::vector<std::string> drawn;
        std::vector<int> xs;
    };
    const std::vector<Case> cases = {
        {"aaa bbb", 5, true, TAlignment::taLeftJustify, {"aaa ", "bbb"}, {0, 0}},
        {"aaa bbb", 3, true, TAlignment::taLeftJustify, {"aaa", "bbb"}, {0, 0}},
        {"aaa  bbbb", 3, true, TAlignment::taLeftJustify, {"aaa", " ", "bbb", "b"}, {0, 0, 0, 0}},
        {"aaa bbb", 5, false, TAlignment::taLeftJustify, {"aaa b"}, {0}},
        {"aaa bbb", 5, true, TAlignment::taRightJustify, {"aaa ", "bbb"}, {50, 100}},
        {"aaa bbb", 5, true, TAlignment::taCenter, {"aaa ", "bbb"}, {25, 50}},
    };
    for (const Case& c : cases) {
        Fixture f = MakePrinter();
        f.surface->caps = {600, 600, 4960, 7016, 0, 0, 50 * c.areaChars, 6816};
        f.printer->SetMarginRight(0);
        f.printer->SetMarginLeft(0);
        f.printer->SetWordWrap(c.wrap);
        f.printer->SetAlignment(c.alignment);
        ASSERT_EQ(f.printer->TextAreaWidth(), 50 * c.areaChars);
        PrintLines(f, 1, c.line);
        EXPECT_EQ(Drawn(*f.surface), c.drawn) << c.line;
        std::vector<int> xs;
        for (const RecordedText& t : f.surface->texts)
            xs.push_back(t.x);
        EXPECT_EQ(xs, c.xs) << c.line;
    }
}

TEST(LinePrinterText, ACharacterWiderThanTheAreaIsAlignedLikeAnyLine) {
    for (const auto& [alignment, x] :
         std::vector<std::pair<TAlignment, int>>{{TAlignment::taLeftJustify, 0},
                                                 {TAlignment::taRightJustify, -20},
                                                 {TAlignment::taCenter, -10}}) {
        Fixture f = MakePrinter();
        f.surface->caps = {600, 600, 4960, 7016, 0, 0, 30, 6816};
        f.printer->SetMarginRight(0);
        f.printer->SetMarginLeft(0);
        f.printer->SetAlignment(alignment);
        ASSERT_EQ(f.printer->TextAreaWidth(), 30);
        PrintLines(f, 1, "W");
        ASSERT_EQ(f.surface->texts.size(), 1u);
        EXPECT_EQ(f.surface->texts[0].x, x) << static_cast<int>(alignment);
    }
}

TEST(LinePrinterRows, ColumnFormats) {
    struct Case {
        std::string format, row;
        float defaultWidth;
        std::vector<std::pair<int, std::string>> drawn; // x relative to the left offset, text
    };
    const std::vector<Case> cases = {
        {"<1|>2|^1.5", "a|b", 0, {{0, "a"}, {600 + 1200 - 50, "b"}, {1800 + 450, ""}}},
        {"<1|>2|^1.5", "a|b|c|d", 0, {{0, "a"}, {1750, "b"}, {1800 + 425, "c"}}},
        {"abc|^", "left|mid", 0.5f, {{0, "left"}, {300 + 75, "mid"}}},
        {"", "header", 0, {{0, "h"}}},
        {"2x", "wide", 0.25f, {{0, "wid"}}},
    };
    for (const Case& c : cases) {
        Fixture f = MakePrinter(); // inches, 600 pixels per inch
        f.printer->SetDefaultColWidth(c.defaultWidth);
        f.printer->TableFormat = c.format;
        f.printer->BeginDocument();
        f.printer->PrintRow(c.row);
        std::vector<std::pair<int, std::string>> drawn;
        for (const RecordedText& t : f.surface->texts)
            drawn.emplace_back(t.x - f.printer->LeftOffset(), t.text);
        EXPECT_EQ(drawn, c.drawn) << c.format << " / " << c.row;
        EXPECT_EQ(f.printer->LineNumber(), 1);
    }
}

TEST(LinePrinterRows, FieldsAreReplacedOnlyInCells) {
    using lineprinter::ReplaceAll;
    EXPECT_EQ(ReplaceAll("{$TITLE}-{$TITLE}", "{$TITLE}", "T"), "T-T");
    EXPECT_EQ(ReplaceAll("{$TITLE}", "{$TITLE}", "my {$TITLE}"), "{$TITLE}");
    Fixture f = MakePrinter();
    f.printer->SetTitle("Job");
    f.printer->TableFormat = "<5";
    f.printer->BeginDocument();
    f.printer->PrintRow("{$TITLE} {$DATE} {$TIME}");
    f.printer->PrintLine("{$TITLE}");
    EXPECT_EQ(Drawn(*f.surface), (std::vector<std::string>{"Job 08.12.2026 12:00:00", "{$TITLE}"}));
}

TEST(LinePrinterSetters, LineSpacingAndColumnWidth) {
    Fixture f = MakePrinter();
    f.surface->mHeight = 51;
    for (const auto& [spacing, height] :
         std::vector<std::pair<TLineSpacing, unsigned>>{{TLineSpacing::lsHalfSpace, 25},
                                                        {TLineSpacing::lsSingleSpace, 51},
                                                        {TLineSpacing::lsSingleAndAHalf, 76},
                                                        {TLineSpacing::lsDoubleSpace, 102}}) {
        f.printer->SetLineSpacing(spacing);
        EXPECT_EQ(f.printer->LineHeight(), height);
    }
    f.printer->SetDefaultColWidth(3);
    try {
        f.printer->SetDefaultColWidth(-1);
        ADD_FAILURE() << "negative width accepted";
    } catch (const ELinePrinter& e) {
        EXPECT_STREQ(e.what(), "DefaultColWidth must be greater than or equal to 0");
    }
    EXPECT_EQ(f.printer->DefaultColWidth(), 0.0f);
}

TEST(LinePrinterSetters, FontTakesThePrinterResolution) {
    Fixture f = MakePrinter();
    TFontDesc font{0, clWindowText, -50, "Courier New", TFontPitch::fpDefault, 0};
    f.printer->SetFont(font, f.printer->FontPixelsPerInch());
    EXPECT_EQ(f.surface->fontPpi, 600);
    EXPECT_EQ(f.surface->font.height, -50);
    f.printer->SetFont(font, 96); // 38 points
    EXPECT_EQ(f.surface->font.height, -317);
}

TEST(LinePrinterSetters, RefusedWhilePrinting) {
    Fixture f = WorkedExample();
    TLinePrinter& p = *f.printer;
    p.BeginDocument();
    using Setter = std::function<void()>;
    const std::vector<std::pair<Setter, const char*>> cases = {
        {[&] { p.SetMarginTop(30); }, "Unable to change top margin while printing"},
        {[&] { p.SetMarginBottom(30); }, "Unable to change bottom margin while printing"},
        {[&] { p.SetMarginLeft(30); }, "Unable to change left margin while printing"},
        {[&] { p.SetMarginRight(30); }, "Unable to change right margin while printing"},
        {[&] { p.SetTitle("t"); }, "Unable to change title while printing"},
        {[&] { p.SetOrientation(TPrinterOrientation::poLandscape); },
         "Unable to change orientation while printing"},
        {[&] { p.SetMeasureUnit(TMeasureUnit::muInches); }, "Unable to change top margin while printing"},
    };
    for (const auto& [set, message] : cases) {
        try {
            set();
            ADD_FAILURE() << message;
        } catch (const ELinePrinter& e) {
            EXPECT_STREQ(e.what(), message);
        }
    }
    EXPECT_EQ(p.MarginTop(), 20.0f);
    EXPECT_EQ(p.MarginRight(), 15.0f);
    EXPECT_EQ(f.surface->orientation, TPrinterOrientation::poPortrait);
    EXPECT_EQ(p.MeasureUnit(), TMeasureUnit::muInches); // stored before the refusal
}

namespace {
struct ProgressLog : TPrintProgress {
    std::vector<std::string>* log;
    explicit ProgressLog(std::vector<std::string>* l) : log(l) {}
    void Update(const std::string* status, const std::string& title, int page) override {
        log->push_back((status ? *status : "-") + "|" + title + "|" + std::to_string(page));
    }
    void Close() override { log->push_back("close"); }
};
} // namespace

TEST(LinePrinterJob, ProgressEventsAndFailures) {
    std::vector<std::string> log;
    auto* s = new RecordingSurface;
    TLinePrinter p(nullptr, std::unique_ptr<TPrintSurface>(s), std::make_unique<ProgressLog>(&log));
    p.SetTitle("T");
    p.ShowProgress = true;
    p.OnEndDoc = [&](TComponent*) { log.push_back("end"); };
    p.BeginDocument();
    p.BreakPage();
    p.EndDocument();
    EXPECT_EQ(log,
              (std::vector<std::string>{"Preparing to Print|T|1", "Currently Printing|T|1",
                                        "Currently Printing|T|2", "Finished Printing|T|2", "close", "end"}));
    log.clear();
    s->failEnd = true;
    p.BeginDocument();
    EXPECT_THROW(
        try { p.EndDocument(); } catch (const ELinePrinter& e) {
            EXPECT_STREQ(e.what(), "Unable to finish printing.");
            throw;
        },
        ELinePrinter);
    EXPECT_EQ(log.back(), "close"); // and no "end"
    s->failEnd = false;
    s->failBegin = true;
    bool began = false;
    p.OnBeginDoc = [&](TComponent*) { began = true; };
    try {
        p.BeginDocument();
        ADD_FAILURE();
    } catch (const ELinePrinter& e) {
        EXPECT_STREQ(e.what(), "Unable to begin printing.");
    }
    EXPECT_TRUE(began);
}
