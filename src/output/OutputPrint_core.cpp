#include "output/OutputPrint_core.h"

#include <cmath>

namespace outputprint {
namespace {
constexpr std::int32_t kSaneMargin = 2000;

float Millimeters(std::int32_t hundredths) {
    return static_cast<float>(hundredths * 0.01);
}
float Inches(std::int32_t hundredthsOfMm) {
    return static_cast<float>(Millimeters(hundredthsOfMm) * 0.03937007874015748);
}
} // namespace

TPSRect StartMargins(const TPSRect& d) {
    auto given = [](std::int32_t v) { return v > 0 ? v : kSaneMargin; };
    return {given(d.Left), given(d.Top), given(d.Right), given(d.Bottom)};
}

void ConfigureLinePrinter(TLinePrinter& printer, const TPSRect& margins) {
    printer.SetMarginTop(Inches(margins.Top));
    printer.SetMarginBottom(Inches(margins.Bottom));
    printer.SetMarginLeft(Inches(margins.Left));
    printer.SetMarginRight(Inches(margins.Right));
    printer.SetMeasureUnit(TMeasureUnit::muMillimeters);
    printer.ShowProgress = true;
    printer.SetFont(
        TFontDesc{DEFAULT_CHARSET_VALUE, clWindowText, -50, "Courier New", TFontPitch::fpDefault, 0},
        printer.FontPixelsPerInch());
}

void ApplyPageSetupMargins(TLinePrinter& printer, const TPSRect& margins) {
    printer.SetMarginTop(Millimeters(margins.Top));
    printer.SetMarginLeft(Millimeters(margins.Left));
    printer.SetMarginRight(Millimeters(margins.Right));
    printer.SetMarginBottom(Millimeters(margins.Bottom));
}
TPSRect PrinterMargins(const TLinePrinter& printer) {
    const double perUnit = printer.MeasureUnit() == TMeasureUnit::muMillimeters ? 100 : 2540;
    auto hundredths = [perUnit](float margin) {
        return static_cast<std::int32_t>(std::nearbyint(static_cast<double>(margin) * perUnit));
    };
    return {hundredths(printer.MarginLeft()), hundredths(printer.MarginTop()),
            hundredths(printer.MarginRight()), hundredths(printer.MarginBottom())};
}

void PrintPlainLines(TLinePrinter& printer, const TStringList& lines) {
    printer.BeginDocument();
    try {
        printer.SetLines(lines);
        printer.PrintLines(false);
    } catch (...) {
        printer.AbortDocument();
        throw;
    }
    printer.EndDocument();
}
} // namespace outputprint
