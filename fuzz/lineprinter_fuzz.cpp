// Printer input lines: any text as a plain line and as table rows, with any table format, on a
// recording surface with a narrow text area (wrapping, cutting, fitting, fields, tabs, page breaks),
// with a header and a footer in margin bands from none to several lines high, and lines from a few
// pixels to taller than the page.
#include "output/LinePrnt_core.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {
class CountingSurface : public TPrintSurface {
  public:
    int width = 0;
    void BeginDoc() override { printing_ = true; }
    void EndDoc() override { printing_ = false; }
    void NewPage() override { ++page_; }
    void AbortDoc() override { printing_ = false; }
    bool Printing() const override { return printing_; }
    int PageNumber() const override { return page_; }
    void SetTitle(const std::string&) override {}
    TPrinterOrientation Orientation() override { return TPrinterOrientation::poPortrait; }
    void SetOrientation(TPrinterOrientation) override {}
    int DeviceCaps(TDeviceCap cap) override {
        const int caps[] = {300, 300, 2480, 3508, 50, 50, 2380 - width, 3408};
        return caps[static_cast<int>(cap)];
    }
    void SetFont(const TFontDesc&, int) override {}
    int TextWidth(std::string_view text) override {
        int w = 0;
        for (const char c : text)
            w += 10 + (static_cast<unsigned char>(c) % 40);
        return w;
    }
    int lineHeight = 40;
    int TextHeightM() override { return lineHeight; }
    TPrintTextMetrics TextMetrics() override { return {lineHeight, 4}; }
    void DrawString(int, int, std::string_view) override {}
    void SetPenWidth(int) override {}
    void MoveTo(int, int) override {}
    void LineTo(int, int) override {}
    std::string ShortDate() override { return "1.1.2000"; }
    std::string LongTime() override { return "00:00:00"; }

  private:
    bool printing_ = false;
    int page_ = 1;
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kHead = 6;
    if (size < kHead)
        return 0;
    const std::string input(reinterpret_cast<const char*>(data) + kHead, size - kHead);
    const std::size_t split = input.find('\n');
    auto* surface = new CountingSurface;
    surface->width = data[0] * 9;           // text areas from 2380 pixels down to a few
    surface->lineHeight = 1 + data[3] * 16; // lines from 1 pixel to beyond the page
    TLinePrinter printer(nullptr, std::unique_ptr<TPrintSurface>(surface));
    printer.SetLineSpacing(static_cast<TLineSpacing>(data[3] % 4));
    // Bands from the device's minimum (no room at all) to several lines, top and bottom on their own.
    printer.SetMarginTop(static_cast<float>(data[4]) / 64);
    printer.SetMarginBottom(static_cast<float>(data[5]) / 64);
    printer.SetTabSize(data[1] % 12);
    printer.SetWordWrap(data[2] & 1);
    printer.SetAlignment(static_cast<TAlignment>((data[2] >> 1) % 3));
    printer.SetDefaultColWidth(static_cast<float>(data[2] >> 3) / 8);
    printer.TableFormat = input.substr(0, split);
    printer.Header = "{$PAGE}|{$LINE}";
    printer.HeaderFormat = printer.TableFormat;
    printer.Footer = "{$LINE}|{$TITLE}|{$PAGE}";
    printer.FooterFormat = data[4] & 1 ? printer.TableFormat : ">1|^";
    printer.BeginDocument();
    const std::string line = split == std::string::npos ? input : input.substr(split + 1);
    printer.PrintLine(line);
    printer.SetLines(TStringList(std::vector<std::string>(3, line)));
    printer.PrintLines(true);
    printer.EndDocument();
    return 0;
}
