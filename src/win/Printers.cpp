#include "win/Printers.h"

#include <winspool.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {
// The few printer-library calls, taken from winspool when first needed.
struct Winspool {
    using GetDefaultPrinterFn = BOOL(WINAPI*)(LPSTR, LPDWORD);
    using OpenPrinterFn = BOOL(WINAPI*)(LPSTR, LPHANDLE, LPPRINTER_DEFAULTSA);
    using ClosePrinterFn = BOOL(WINAPI*)(HANDLE);
    using GetPrinterFn = BOOL(WINAPI*)(HANDLE, DWORD, LPBYTE, DWORD, LPDWORD);
    using DocumentPropertiesFn = LONG(WINAPI*)(HWND, HANDLE, LPSTR, PDEVMODEA, PDEVMODEA, DWORD);
    GetDefaultPrinterFn getDefaultPrinter;
    OpenPrinterFn openPrinter;
    ClosePrinterFn closePrinter;
    GetPrinterFn getPrinter;
    DocumentPropertiesFn documentProperties;

    Winspool()
        : getDefaultPrinter(LibraryFunction<GetDefaultPrinterFn>("winspool.drv", "GetDefaultPrinterA")),
          openPrinter(LibraryFunction<OpenPrinterFn>("winspool.drv", "OpenPrinterA")),
          closePrinter(LibraryFunction<ClosePrinterFn>("winspool.drv", "ClosePrinter")),
          getPrinter(LibraryFunction<GetPrinterFn>("winspool.drv", "GetPrinterA")),
          documentProperties(LibraryFunction<DocumentPropertiesFn>("winspool.drv", "DocumentPropertiesA")) {}
    bool Usable() const {
        return getDefaultPrinter && openPrinter && closePrinter && getPrinter && documentProperties;
    }
};

const Winspool& Spooler() {
    static const Winspool spooler;
    return spooler;
}

class PrinterHandle {
  public:
    explicit PrinterHandle(const std::string& device) {
        std::string name = device;
        if (!Spooler().openPrinter(name.data(), &h_, nullptr))
            h_ = nullptr;
    }
    ~PrinterHandle() {
        if (h_)
            Spooler().closePrinter(h_);
    }
    PrinterHandle(const PrinterHandle&) = delete;
    PrinterHandle& operator=(const PrinterHandle&) = delete;
    HANDLE get() const { return h_; }

  private:
    HANDLE h_ = nullptr;
};

std::string DefaultPrinterName() {
    char name[512] = {};
    DWORD size = sizeof name;
    if (!Spooler().getDefaultPrinter(name, &size))
        return {};
    return name;
}
} // namespace

void TPrinter::EnsurePrinter() {
    if (looked_)
        return;
    looked_ = true;
    if (!Spooler().Usable())
        return;
    const std::string device = DefaultPrinterName();
    if (device.empty())
        return;
    PrinterHandle printer(device);
    if (!printer.get())
        return;
    DWORD needed = 0;
    Spooler().getPrinter(printer.get(), 2, nullptr, 0, &needed);
    std::vector<BYTE> info(needed ? needed : 1);
    std::string driver, port;
    if (needed && Spooler().getPrinter(printer.get(), 2, info.data(), needed, &needed)) {
        const auto* p2 = reinterpret_cast<const PRINTER_INFO_2A*>(info.data());
        driver = p2->pDriverName ? p2->pDriverName : "";
        port = p2->pPortName ? p2->pPortName : "";
    }
    std::string name = device;
    const LONG size = Spooler().documentProperties(nullptr, printer.get(), name.data(), nullptr, nullptr, 0);
    GlobalMemory mode;
    if (size > 0) {
        mode.reset(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(size)));
        LONG got = -1;
        if (const GlobalLockScope<DEVMODEA> dm(mode.get()); dm.get())
            got = Spooler().documentProperties(nullptr, printer.get(), name.data(), dm.get(), nullptr,
                                               DM_OUT_BUFFER);
        if (got < 0)
            mode.reset();
    }
    device_ = device;
    driver_ = driver;
    port_ = port;
    devMode_ = std::move(mode);
}

const std::string& TPrinter::Device() {
    EnsurePrinter();
    return device_;
}
const std::string& TPrinter::Driver() {
    EnsurePrinter();
    return driver_;
}
const std::string& TPrinter::Port() {
    EnsurePrinter();
    return port_;
}
HGLOBAL TPrinter::DevMode() {
    EnsurePrinter();
    return devMode_.get();
}

void TPrinter::SelectPrinter(const std::string& device, const std::string& driver, const std::string& port,
                             GlobalMemory devMode) {
    if (printing_)
        throw EPrinter(printers::SPrinting);
    looked_ = true;
    device_ = device;
    driver_ = driver;
    port_ = port;
    devMode_ = std::move(devMode);
    dc_.reset();
}

HDC TPrinter::Handle() {
    EnsurePrinter();
    if (device_.empty())
        throw EPrinter(printers::SNoDefaultPrinter);
    if (!dc_) {
        const GlobalLockScope<DEVMODEA> mode(devMode_.get());
        dc_.reset(CreateDCA(driver_.empty() ? nullptr : driver_.c_str(), device_.c_str(),
                            port_.empty() ? nullptr : port_.c_str(), mode.get()));
        if (!dc_)
            throw EPrinter(printers::SNoDefaultPrinter);
        ++dcGeneration_;
    }
    return dc_.get();
}

bool TPrinter::Landscape() {
    EnsurePrinter();
    const GlobalLockScope<DEVMODEA> mode(devMode_.get());
    return mode.get() && (mode->dmFields & DM_ORIENTATION) && mode->dmOrientation == DMORIENT_LANDSCAPE;
}

void TPrinter::SetLandscape(bool landscape) {
    if (printing_)
        throw EPrinter(printers::SPrinting);
    EnsurePrinter();
    bool changed = false;
    {
        const GlobalLockScope<DEVMODEA> mode(devMode_.get());
        if (!mode.get())
            return;
        const short wanted = landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
        changed = !(mode->dmFields & DM_ORIENTATION) || mode->dmOrientation != wanted;
        mode->dmFields |= DM_ORIENTATION;
        mode->dmOrientation = wanted;
    }
    if (changed)
        dc_.reset(); // the next use makes a device context with the new orientation
}

void TPrinter::BeginDoc() {
    if (printing_)
        throw EPrinter(printers::SPrinting);
    HDC dc = Handle();
    DOCINFOA info{};
    info.cbSize = sizeof info;
    info.lpszDocName = title_.c_str();
    if (StartDocA(dc, &info) <= 0)
        throw EPrinter(printers::SJobFailed);
    if (StartPage(dc) <= 0) {
        AbortDoc(dc);
        throw EPrinter(printers::SJobFailed);
    }
    printing_ = true;
    pageNumber_ = 1;
}

void TPrinter::EndDoc() {
    if (!printing_)
        throw EPrinter(printers::SNotPrinting);
    printing_ = false; // a job that fails to end is over all the same
    HDC dc = dc_.get();
    const bool pageEnded = EndPage(dc) > 0;
    const bool ended = ::EndDoc(dc) > 0;
    if (!pageEnded || !ended)
        throw EPrinter(printers::SJobFailed);
}

void TPrinter::NewPage() {
    if (!printing_)
        throw EPrinter(printers::SNotPrinting);
    HDC dc = dc_.get();
    if (EndPage(dc) <= 0 || StartPage(dc) <= 0)
        throw EPrinter(printers::SJobFailed);
    ++pageNumber_;
}

void TPrinter::Abort() {
    if (!printing_)
        return;
    printing_ = false;
    AbortDoc(dc_.get());
}

TPrinter& Printer() {
    static TPrinter printer;
    return printer;
}
