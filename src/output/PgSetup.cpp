#include "output/PgSetup.h"

#include "win/Forms.h"
#include "win/Printers.h"
#include "win/WindowHook.h"

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
GlobalMemory DeviceNames(const std::string& driver, const std::string& device, const std::string& port) {
    const std::size_t size = 8 + driver.size() + device.size() + port.size() + 3;
    GlobalMemory block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size));
    const GlobalLockScope<DEVNAMES> names(block.get());
    if (!names.get())
        return {};
    char* base = reinterpret_cast<char*>(names.get());
    names->wDriverOffset = 8;
    names->wDeviceOffset = static_cast<WORD>(names->wDriverOffset + driver.size() + 1);
    names->wOutputOffset = static_cast<WORD>(names->wDeviceOffset + device.size() + 1);
    names->wDefault = 0;
    std::memcpy(base + names->wDriverOffset, driver.c_str(), driver.size() + 1);
    std::memcpy(base + names->wDeviceOffset, device.c_str(), device.size() + 1);
    std::memcpy(base + names->wOutputOffset, port.c_str(), port.size() + 1);
    return block;
}

GlobalMemory CopyOfBlock(HGLOBAL source) {
    const SIZE_T size = GlobalSize(source);
    GlobalMemory copy(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size));
    const GlobalLockScope<const char> from(source);
    const GlobalLockScope<char> to(copy.get());
    if (!from.get() || !to.get())
        return {};
    std::memcpy(to.get(), from.get(), size);
    return copy;
}

// Makes the printer the dialog chose current; the printer takes over the device-mode block.
void SelectChosenPrinter(HGLOBAL namesBlock, GlobalMemory devMode) {
    std::string driver, device, port;
    if (const GlobalLockScope<const DEVNAMES> names(namesBlock); names.get()) {
        const char* base = reinterpret_cast<const char*>(names.get());
        driver = base + names->wDriverOffset;
        device = base + names->wDeviceOffset;
        port = base + names->wOutputOffset;
    }
    Printer().SelectPrinter(device, driver, port, std::move(devMode));
}

// The registered message the dialog's Help button sends to the dialog's owner.
UINT HelpMessage() {
    static const UINT message = RegisterWindowMessageA(HELPMSGSTRINGA);
    return message;
}

// While the dialog runs its owner answers the help message with the dialog's help context.
class HelpMessageRoute {
  public:
    HelpMessageRoute(HWND owner, int context) {
        TWinControl* control = TWinControl::FromHandle(owner);
        if (!control)
            return;
        hook_.BeforeMessage = [context](TMessage& m) {
            if (m.msg != HelpMessage() || !Application)
                return;
            m.handled = true;
            Application->HelpContext(context);
        };
        hook_.SetWinControl(control);
    }

  private:
    TWindowHook hook_;
};

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
        const GlobalMemory mode(record.hDevMode), names(record.hDevNames);
        if (ok)
            ReadGeometry(record, geometry);
        return ok != FALSE;
    }

    bool Run(TPageSetupDialog& dialog, std::uint32_t flags, TPSGeometry& geometry) override {
        PAGESETUPDLGA record = ClearedRecord(flags);
        if (flags & pagesetup::kEnablePageSetupHook)
            record.lpfnPageSetupHook = PageSetupHook;
        if (flags & pagesetup::kEnablePagePaintHook)
            record.lpfnPagePaintHook = PageSetupHook;
        DialogCtl3D = dialog.Ctl3D;
        // The record's blocks: made here, possibly replaced by the dialog, freed unless the printer
        // takes the device mode over.
        GlobalMemory names, mode;
        if (HGLOBAL current = Printer().DevMode()) {
            names = DeviceNames(Printer().Driver(), Printer().Device(), Printer().Port());
            mode = CopyOfBlock(current);
        }
        record.hDevNames = names.get();
        record.hDevMode = mode.get();
        WriteGeometry(geometry, record);
        TPageSetupDialog* previous = ExecutingDialog;
        ExecutingDialog = &dialog;
        BOOL ok = FALSE;
        {
            const ModalScope modal(record.hwndOwner);
            // cppcheck-suppress unreadVariable ; a scope: it routes the help message while it lives
            const HelpMessageRoute help(record.hwndOwner, dialog.HelpContext);
            ok = CallPageSetupDlg(record);
        }
        ExecutingDialog = previous;
        names.release();
        mode.release();
        names.reset(record.hDevNames);
        mode.reset(record.hDevMode);
        if (!ok)
            return false;
        ReadGeometry(record, geometry);
        if (names)
            SelectChosenPrinter(names.get(), std::move(mode));
        return true;
    }

    char LocaleMeasure() override {
        char value[4] = {};
        if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IMEASURE, value, 2) == 0)
            return '0';
        return value[0];
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
