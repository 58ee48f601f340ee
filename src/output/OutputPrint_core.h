#pragma once
// How the output window sets up its line printer: the stored settings in their order, the margins
// it starts with, and the margins a confirmed page setup hands over.
#include "output/LinePrnt_core.h"
#include "output/PgSetup_core.h"

namespace outputprint {
// Hundredths of a millimetre: the page setup dialog's default margin where the printer gives one,
// else 20 mm.
TPSRect StartMargins(const TPSRect& dialogDefaults);
// Applies the window's settings in their stored order: the four margins (given in hundredths of a
// millimetre, applied in the line printer's unit at that moment, inches), then the unit millimetres,
// the progress window and the font "Courier New" of height -50.
void ConfigureLinePrinter(TLinePrinter& printer, const TPSRect& margins);
// The margins of a confirmed page setup (hundredths of a millimetre) as millimetres: top, left, right,
// bottom.
void ApplyPageSetupMargins(TLinePrinter& printer, const TPSRect& margins);
// The margins the next print uses, in hundredths of a millimetre (rounded), for the page setup dialog
// to open with: left, top, right, bottom.
TPSRect PrinterMargins(const TLinePrinter& printer);
// Prints the lines as plain lines in one job. A job that fails half-way is given up before the
// failure goes on, so the printer is free again for the next one.
void PrintPlainLines(TLinePrinter& printer, const TStringList& lines);
} // namespace outputprint
