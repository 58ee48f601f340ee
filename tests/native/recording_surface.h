#pragma once
// A print surface without a printer: fixed device numbers, a fixed-pitch font, and a log of what was
// drawn on which page. `failing` makes every call raise EPrinter, as a machine without printer does.
#include "output/LinePrnt_core.h"

#include <array>
#include <string>
#include <vector>

struct RecordedText {
    int page, x, y;
    std::string text;
};
struct RecordedLine {
    int page, penWidth, x1, y1, x2, y2;
};

class RecordingSurface : public TPrintSurface {
  public:
    // The worked example's A4 printer at 600 pixels per inch.
    std::array<int, 8> caps{600, 600, 4960, 7016, 100, 100, 4760, 6816};
    int charWidth = 50;
    int mHeight = 100;
    TPrintTextMetrics metrics{100, 0};
    bool failing = false;
    bool failBegin = false, failEnd = false, failNewPage = false, aborted = false;

    bool printing = false;
    int page = 0, pages = 0, penWidth = 1, penX = 0, penY = 0;
    std::string title;
    TPrinterOrientation orientation = TPrinterOrientation::poPortrait;
    TFontDesc font;
    int fontPpi = 0;
    std::vector<RecordedText> texts;
    std::vector<RecordedLine> lines;

    void Check() const {
        if (failing)
            throw EPrinter("no printer");
    }
    void BeginDoc() override {
        Check();
        if (failBegin)
            throw EPrinter("refused");
        printing = true;
        page = 1;
        pages = 1;
    }
    void EndDoc() override {
        Check();
        printing = false; // a failed end still ends the job
        if (failEnd)
            throw EPrinter("refused");
    }
    void AbortDoc() override {
        printing = false;
        aborted = true;
    }
    void NewPage() override {
        Check();
        if (failNewPage)
            throw EPrinter("refused");
        ++page;
        ++pages;
    }
    bool Printing() const override { return printing; }
    int PageNumber() const override { return page; }
    void SetTitle(const std::string& t) override { title = t; }
    TPrinterOrientation Orientation() override {
        Check();
        return orientation;
    }
    void SetOrientation(TPrinterOrientation o) override {
        Check();
        orientation = o;
    }
    int DeviceCaps(TDeviceCap cap) override {
        Check();
        return caps[static_cast<std::size_t>(cap)];
    }
    void SetFont(const TFontDesc& f, int ppi) override {
        Check();
        font = f;
        fontPpi = ppi;
    }
    int TextWidth(std::string_view text) override {
        Check();
        return static_cast<int>(text.size()) * charWidth;
    }
    int TextHeightM() override {
        Check();
        return mHeight;
    }
    TPrintTextMetrics TextMetrics() override {
        Check();
        return metrics;
    }
    void DrawString(int x, int y, std::string_view text) override {
        Check();
        texts.push_back({page, x, y, std::string(text)});
    }
    void SetPenWidth(int w) override {
        Check();
        penWidth = w;
    }
    void MoveTo(int x, int y) override {
        Check();
        penX = x;
        penY = y;
    }
    void LineTo(int x, int y) override {
        Check();
        lines.push_back({page, penWidth, penX, penY, x, y});
    }
    std::string ShortDate() override { return "08.12.2026"; }
    std::string LongTime() override { return "12:00:00"; }

    // Lines drawn per page, first page first.
    std::vector<int> LinesPerPage() const {
        std::vector<int> counts(static_cast<std::size_t>(pages), 0);
        for (const RecordedText& t : texts)
            ++counts[static_cast<std::size_t>(t.page - 1)];
        return counts;
    }
};
