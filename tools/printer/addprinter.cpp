// Installs or removes a PostScript printer in the current Wine prefix, on Wine's own PostScript
// driver with the PPD given, on port "LPT1:", and makes it the default printer.
//   addprinter install "Tarnwick PostScript" C:\tarnwick.ppd
//   addprinter remove "Tarnwick PostScript"
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {
int Install(const char* name, const char* ppd) {
    DRIVER_INFO_3A driver{};
    driver.cVersion = 3;
    driver.pName = const_cast<char*>(name);
    driver.pEnvironment = nullptr;
    driver.pDriverPath = const_cast<char*>("wineps.drv");
    driver.pConfigFile = const_cast<char*>("wineps.drv");
    driver.pDataFile = const_cast<char*>(ppd);
    if (!AddPrinterDriverExA(nullptr, 3, reinterpret_cast<BYTE*>(&driver),
                             APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY)) {
        std::fprintf(stderr, "AddPrinterDriverEx failed: %lu\n", GetLastError());
        return 1;
    }
    HANDLE existing = nullptr;
    if (OpenPrinterA(const_cast<char*>(name), &existing, nullptr)) {
        ClosePrinter(existing);
    } else {
        PRINTER_INFO_2A info{};
        info.pPrinterName = const_cast<char*>(name);
        info.pPortName = const_cast<char*>("LPT1:");
        info.pDriverName = const_cast<char*>(name);
        info.pPrintProcessor = const_cast<char*>("WinPrint");
        info.pDatatype = const_cast<char*>("RAW");
        info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
        HANDLE printer = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
        if (!printer) {
            std::fprintf(stderr, "AddPrinter failed: %lu\n", GetLastError());
            return 1;
        }
        ClosePrinter(printer);
    }
    if (!SetDefaultPrinterA(name)) {
        std::fprintf(stderr, "SetDefaultPrinter failed: %lu\n", GetLastError());
        return 1;
    }
    return 0;
}

int Remove(const char* name) {
    PRINTER_DEFAULTSA access{nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE printer = nullptr;
    if (!OpenPrinterA(const_cast<char*>(name), &printer, &access))
        return 0; // nothing to remove
    const BOOL ok = DeletePrinter(printer);
    ClosePrinter(printer);
    return ok ? 0 : 1;
}
} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "install") == 0)
        return Install(argv[2], argv[3]);
    if (argc == 3 && std::strcmp(argv[1], "remove") == 0)
        return Remove(argv[2]);
    std::fprintf(stderr, "usage: addprinter install NAME PPD | addprinter remove NAME\n");
    return 2;
}
