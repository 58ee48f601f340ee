#include "output/PgSetup.h"

#include "win/Forms.h"
#include "win/Printers.h"

#include <commdlg.h>

#include <cstring>
#include <exception>

namespace {
// The dialog whose run the hook serves, and its 3-D flag (kept for the record: the platform's own
// controls already look three-dimensional).
TPageSetupDialog* ExecutingDialog = nullptr;
bool DialogCtl3D = false;

using PageSetupDlgFn = BOOL(WINAPI*)(LPPAGESETUPDLGA);

// comdlg32 is taken when a page setup is first needed.
BOOL CallPageSetupDlg(PAGESETUPDLGA& record) {
    static const auto call = LibraryFunction<PageSetupDlgFn>("comdlg32.dll", "PageSetupDlgA");
    return call ? call(&record) : FALSE;
}

HWND OwnerWindow() {
    return Application ? Application->Handle() : nullptr;
}

PAGESETUPDLGA ClearedRecord(std::uint32_t flags) {
    PAGESETUPDLGA record{};
    record.lStructSize = sizeof record;
    record.hwndOwner = OwnerWindow();
    record.hInstance = GetModuleHandleA(nullptr);
    record.Flags = flags;
    return record;
}

void ReadGeometry(const PAGESETUPDLGA& r, TPSGeometry& g) {
    g.PaperSize = {r.ptPaperSize.x, r.ptPaperSize.y};
    g.MinimumMargins = {r.rtMinMargin.left, r.rtMinMargin.top, r.rtMinMargin.right, r.rtMinMargin.bottom};
    g.Margins = {r.rtMargin.left, r.rtMargin.top, r.rtMargin.right, r.rtMargin.bottom};
}

void WriteGeometry(const TPSGeometry& g, PAGESETUPDLGA& r) {
    r.ptPaperSize = {g.PaperSize.X, g.PaperSize.Y};
    r.rtMinMargin = {g.MinimumMargins.Left, g.MinimumMargins.Top, g.MinimumMargins.Right,
                     g.MinimumMargins.Bottom};
    r.rtMargin = {g.Margins.Left, g.Margins.Top, g.Margins.Right, g.Margins.Bottom};
}

// The current printer's names in the platform's DEVNAMES layout: driver, device, port.
HGLOBAL DeviceNames(const std::string& driver, const std::string& device, const std::string& port) {
    const std::size_t size = 8 + driver.size() + device.size() + port.size() + 3;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (!block)
        return nullptr;
    auto* names = static_cast<DEVNAMES*>(GlobalLock(block));
    char* base = reinterpret_cast<char*>(names);
    names->wDriverOffset = 8;
    names->wDeviceOffset = static_cast<WORD>(names->wDriverOffset + driver.size() + 1);
    names->wOutputOffset = static_cast<WORD>(names->wDeviceOffset + device.size() + 1);
    names->wDefault = 0;
    std::memcpy(base + names->wDriverOffset, driver.c_str(), driver.size() + 1);
    std::memcpy(base + names->wDeviceOffset, device.c_str(), device.size() + 1);
    std::memcpy(base + names->wOutputOffset, port.c_str(), port.size() + 1);
    GlobalUnlock(block);
    return block;
}

HGLOBAL CopyOfBlock(HGLOBAL source) {
    const SIZE_T size = GlobalSize(source);
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (!copy)
        return nullptr;
    const void* from = GlobalLock(source);
    void* to = GlobalLock(copy);
    std::memcpy(to, from, size);
    GlobalUnlock(copy);
    GlobalUnlock(source);
    return copy;
}

// Makes the printer the dialog chose current; the printer takes over the device-mode block.
void SelectChosenPrinter(HGLOBAL namesBlock, HGLOBAL devMode) {
    const auto* names = static_cast<const DEVNAMES*>(GlobalLock(namesBlock));
    const char* base = reinterpret_cast<const char*>(names);
    const std::string driver = base + names->wDriverOffset;
    const std::string device = base + names->wDeviceOffset;
    const std::string port = base + names->wOutputOffset;
    GlobalUnlock(namesBlock);
    Printer().SelectPrinter(device, driver, port, devMode);
}

UINT_PTR PageSetupMessage(TPageSetupDialog* dialog, HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND && LOWORD(wParam) == 0x402 && HIWORD(wParam) == 0)
        return dialog->HandlePrinterButton(reinterpret_cast<std::intptr_t>(wnd)) ? 1 : 0;
    if (dialog->OnInitPaintPage && dialog->OnPaintPage) {
        if (msg == WM_PSD_PAGESETUPDLG) {
            const unsigned flags = HIWORD(wParam);
            return dialog->OnInitPaintPage(dialog, static_cast<std::int16_t>(LOWORD(wParam)),
                                           (flags & 8) ? 1 : 0, (flags & 4) ? 0 : 1, (flags & 8) ? 1 : 0,
                                           reinterpret_cast<void*>(lParam))
                       ? 1
                       : 0;
        }
        if (msg >= WM_PSD_FULLPAGERECT && msg <= WM_PSD_YAFULLPAGERECT) {
            RECT rc{};
            if (lParam)
                rc = *reinterpret_cast<const RECT*>(lParam);
            return dialog->OnPaintPage(dialog, static_cast<int>(msg - WM_USER - 1),
                                       reinterpret_cast<void*>(wParam), rc.left, rc.top, rc.right, rc.bottom)
                       ? 1
                       : 0;
        }
    }
    if (msg == WM_INITDIALOG) {
        if (dialog->Centered)
            CenterDialogWindow(wnd);
        return 1;
    }
    return 0;
}

// The dialog's handlers raise nothing through the system: what they raise is shown.
UINT_PTR CALLBACK PageSetupHook(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    TPageSetupDialog* dialog = ExecutingDialog;
    if (!dialog)
        return 0;
    try {
        return PageSetupMessage(dialog, wnd, msg, wParam, lParam);
    } catch (...) {
        ShowCurrentException();
        return 0;
    }
}

class WinPageSetupPlatform : public TPageSetupPlatform {
  public:
    bool ReturnDefault(std::uint32_t flags, TPSGeometry& geometry) override {
        PAGESETUPDLGA record = ClearedRecord(flags);
        const BOOL ok = CallPageSetupDlg(record);
        if (ok)
            ReadGeometry(record, geometry);
        FreeBlocks(record);
        return ok != FALSE;
    }

    bool Run(TPageSetupDialog& dialog, std::uint32_t flags, TPSGeometry& geometry) override {
        PAGESETUPDLGA record = ClearedRecord(flags);
        if (flags & pagesetup::kEnablePageSetupHook)
            record.lpfnPageSetupHook = PageSetupHook;
        if (flags & pagesetup::kEnablePagePaintHook)
            record.lpfnPagePaintHook = PageSetupHook;
        DialogCtl3D = dialog.Ctl3D;
        if (HGLOBAL mode = Printer().DevMode()) {
            record.hDevNames = DeviceNames(Printer().Driver(), Printer().Device(), Printer().Port());
            record.hDevMode = CopyOfBlock(mode);
        }
        WriteGeometry(geometry, record);
        TPageSetupDialog* previous = ExecutingDialog;
        ExecutingDialog = &dialog;
        BOOL ok = FALSE;
        {
            const ModalScope modal(record.hwndOwner);
            ok = CallPageSetupDlg(record);
        }
        ExecutingDialog = previous;
        if (!ok) {
            FreeBlocks(record);
            return false;
        }
        ReadGeometry(record, geometry);
        if (record.hDevNames)
            SelectChosenPrinter(record.hDevNames, record.hDevMode);
        else if (record.hDevMode)
            GlobalFree(record.hDevMode);
        if (record.hDevNames)
            GlobalFree(record.hDevNames);
        return true;
    }

    char LocaleMeasure() override {
        char value[4] = {};
        if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IMEASURE, value, 2) == 0)
            return '0';
        return value[0];
    }

  private:
    static void FreeBlocks(PAGESETUPDLGA& record) {
        if (record.hDevMode)
            GlobalFree(record.hDevMode);
        if (record.hDevNames)
            GlobalFree(record.hDevNames);
        record.hDevMode = record.hDevNames = nullptr;
    }
};

WinPageSetupPlatform& Platform() {
    static WinPageSetupPlatform platform;
    return platform;
}
// The default printer's geometry, asked for the first time a page setup dialog needs it.
TPageSetupDefaults& Defaults() {
    static TPageSetupDefaults defaults;
    return defaults;
}
} // namespace

TPageSetupDialog* CreatePageSetupDialog(TComponent* owner) {
    return new TPageSetupDialog(owner, Platform(), Defaults());
}

void CenterDialogWindow(HWND wnd) {
    RECT rc{};
    GetWindowRect(wnd, &rc);
    const TPSPoint at = pagesetup::CenterPosition(
        GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), rc.right - rc.left, rc.bottom - rc.top);
    SetWindowPos(wnd, nullptr, at.X, at.Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
