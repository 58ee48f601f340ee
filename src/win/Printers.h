#pragma once
// The application's current printer: which printer (device, driver, port, device mode), its device
// context, and the print job on it. The default printer is looked up when first needed; the printer
// library (winspool) is loaded only then, so programs that never print do not pay for it at start.
#include "base/SysUtils.h"
#include "win/Handles.h"
#include "win/Library.h"

#include <string>

namespace printers {
inline constexpr const char* SNoDefaultPrinter = "There is no default printer currently selected";
inline constexpr const char* SPrinting = "Printing in progress";
inline constexpr const char* SNotPrinting = "Printer is not currently printing";
inline constexpr const char* SJobFailed = "The printer refused the print job";
} // namespace printers

class TPrinter {
  public:
    TPrinter() = default;
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;

    // Which printer; empty device when there is none.
    const std::string& Device();
    const std::string& Driver();
    const std::string& Port();
    HGLOBAL DevMode();
    // Makes another printer current; takes over the device-mode block (also when it refuses).
    void SelectPrinter(const std::string& device, const std::string& driver, const std::string& port,
                       GlobalMemory devMode);

    // The printer's device context; EPrinter when there is no printer.
    HDC Handle();
    // Counts the device contexts made: a new one starts with the device's own font and pen.
    unsigned DcGeneration() const { return dcGeneration_; }
    bool Landscape();
    // EPrinter while printing; nothing without a printer.
    void SetLandscape(bool landscape);
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title) { title_ = title; }

    // The job, each step checked: EPrinter when the printer refuses it.
    void BeginDoc();
    void EndDoc();
    void NewPage();
    // Gives up the running job, if any.
    void Abort();
    bool Printing() const { return printing_; }
    int PageNumber() const { return pageNumber_; }

  private:
    void EnsurePrinter();

    bool looked_ = false;
    std::string device_, driver_, port_, title_;
    GlobalMemory devMode_;
    PrinterDc dc_;
    unsigned dcGeneration_ = 0;
    bool printing_ = false;
    int pageNumber_ = 0;
};

// The one printer object of the application.
TPrinter& Printer();
