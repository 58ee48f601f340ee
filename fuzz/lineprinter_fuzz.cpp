// Printer input lines: any text as a plain line and as a table row, with any table format, on a
// recording surface with a narrow text area (wrapping, cutting, fitting, fields, tabs, page breaks).
#include "output/LinePrnt_core.h"

#include <cstddef>
#include <cstdint>
#include <string>

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
    int TextHeightM() override { return 40; }
    TPrintTextMetrics TextMetrics() override { return {40, 4}; }
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
    if (size < 3)
        return 0;
    const std::string input(reinterpret_cast<const char*>(data) + 3, size - 3);
    const std::size_t split = input.find('\n');
    auto* surface = new CountingSurface;
    surface->width = data[0] * 9; // text areas from 2380 pixels down to a few
    TLinePrinter printer(nullptr, std::unique_ptr<TPrintSurface>(surface));
    printer.SetTabSize(data[1] % 12);
    printer.SetWordWrap(data[2] & 1);
    printer.SetAlignment(static_cast<TAlignment>((data[2] >> 1) % 3));
    printer.SetDefaultColWidth(static_cast<float>(data[2] >> 3) / 8);
    printer.TableFormat = input.substr(0, split);
    printer.Header = "{$PAGE}|{$LINE}";
    printer.HeaderFormat = printer.TableFormat;
    printer.BeginDocument();
    const std::string line = split == std::string::npos ? input : input.substr(split + 1);
    printer.PrintLine(line);
    printer.PrintRow(line);
    printer.EndDocument();
    return 0;
}
