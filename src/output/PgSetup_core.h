#pragma once
// The page setup dialog's rules: units, the default printer's geometry, the dialog's flags, the clamp of
// margins to the minimum margins and the conversions between thousandths of an inch and hundredths of a
// millimetre. The platform's dialog call stays behind TPageSetupPlatform.
#include "base/Component.h"

#include <cstdint>
#include <functional>
#include <string>

struct TPSPoint {
    std::int32_t X = 0, Y = 0;
    friend bool operator==(const TPSPoint&, const TPSPoint&) = default;
};

// Margins, held left, top, right, bottom.
struct TPSRect {
    std::int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
    friend bool operator==(const TPSRect&, const TPSRect&) = default;
};

struct TPSGeometry {
    TPSPoint PaperSize;
    TPSRect MinimumMargins, Margins;
    friend bool operator==(const TPSGeometry&, const TPSGeometry&) = default;
};

enum class TPSMeasurements { pmDefault, pmMillimeters, pmInches };
enum class TPageSetupOption {
    poDefaultMinMargins,
    poDisableMargins,
    poDisableOrientation,
    poDisablePagePainting,
    poDisablePaper,
    poDisablePrinter,
    poNoWarning,
    poShowHelp
};
using TPageSetupOptions = std::uint32_t; // bit i stands for the option with ordinal i
constexpr TPageSetupOptions PageSetupOptionBit(TPageSetupOption o) {
    return 1u << static_cast<unsigned>(o);
}

namespace pagesetup {
inline constexpr std::uint32_t kMinMargins = 0x1, kMargins = 0x2, kInThousandthsOfInches = 0x4,
                               kInHundredthsOfMillimeters = 0x8, kDisableMargins = 0x10,
                               kDisablePrinter = 0x20, kNoWarning = 0x80, kDisableOrientation = 0x100,
                               kReturnDefault = 0x400, kDisablePaper = 0x200, kShowHelp = 0x800,
                               kEnablePageSetupHook = 0x2000, kEnablePagePaintHook = 0x40000,
                               kDisablePagePainting = 0x80000;
// The silent query of the default printer's paper and margins. It carries "no warning": on a machine
// without printers the query must not stop the program with a message box.
inline constexpr std::uint32_t kDefaultsQuery =
    kMargins | kInThousandthsOfInches | kReturnDefault | kNoWarning;
inline constexpr const char* kVersion = "TPageSetupDialog v1.0";

// value × factor, rounded to the nearest integer, halves to even.
std::int32_t Scaled(std::int32_t value, double factor);
TPSGeometry ToMillimeters(const TPSGeometry& inches);
TPSGeometry ToInches(const TPSGeometry& millimeters);
// Each margin raised to its minimum where smaller.
TPSRect ClampToMinimum(TPSRect margins, const TPSRect& minimum);
// Where the dialog goes: centred across, a third of the free height from the top.
TPSPoint CenterPosition(int screenWidth, int screenHeight, int windowWidth, int windowHeight);
} // namespace pagesetup

// The platform's page setup dialog.
class TPageSetupPlatform {
  public:
    virtual ~TPageSetupPlatform() = default;
    // Asks for the default printer's geometry in the unit the flags name; false when there is none.
    virtual bool ReturnDefault(std::uint32_t flags, TPSGeometry& geometry) = 0;
    // Runs the dialog; true when confirmed, with the geometry read back and the chosen printer made current.
    virtual bool Run(class TPageSetupDialog& dialog, std::uint32_t flags, TPSGeometry& geometry) = 0;
    // The user locale's measurement system: '0' metric.
    virtual char LocaleMeasure() = 0;
};

// The default printer's geometry in both units, asked for once, when first needed.
class TPageSetupDefaults {
  public:
    const TPSGeometry& Inches(TPageSetupPlatform& platform) { return Load(platform).inches_; }
    const TPSGeometry& Millimeters(TPageSetupPlatform& platform) { return Load(platform).mm_; }

  private:
    TPageSetupDefaults& Load(TPageSetupPlatform& platform);
    bool loaded_ = false;
    TPSGeometry inches_, mm_;
};

class TPageSetupDialog : public TComponent {
  public:
    TPageSetupDialog(TComponent* owner, TPageSetupPlatform& platform, TPageSetupDefaults& defaults);
    std::string ClassName() const override { return "TPageSetupDialog"; }

    // A rename takes the printer's defaults again, unless a stored description is being applied.
    void SetName(std::string name);
    std::string Version() const { return pagesetup::kVersion; }
    TPSMeasurements Measurements() const { return measurements_; }
    void SetMeasurements(TPSMeasurements value);
    const TPSPoint& PaperSize() const { return geometry_.PaperSize; }
    void SetPaperSize(const TPSPoint& value) { geometry_.PaperSize = value; }
    const TPSRect& MinimumMargins() const { return geometry_.MinimumMargins; }
    void SetMinimumMargins(const TPSRect& value) { geometry_.MinimumMargins = value; }
    const TPSRect& Margins() const { return geometry_.Margins; }
    void SetMargins(const TPSRect& value) { geometry_.Margins = value; }
    bool Centered = true;
    TPageSetupOptions Options = PageSetupOptionBit(TPageSetupOption::poDefaultMinMargins) |
                                PageSetupOptionBit(TPageSetupOption::poShowHelp);
    bool Ctl3D = true;
    int HelpContext = 0;
    std::function<void(TComponent*, std::intptr_t wnd)> OnPrinter;
    std::function<bool(TComponent*, std::int16_t paperSize, int paperType, int orientation, int printerType,
                       void* setupData)>
        OnInitPaintPage;
    std::function<bool(TComponent*, int paintWhat, void* dc, int left, int top, int right, int bottom)>
        OnPaintPage;

    // Set while the component is applied from a stored description.
    void SetLoading(bool loading) { loading_ = loading; }
    bool QueryingDefaults() const { return queryingDefaults_; }
    bool Millimetric() const { return Millimetric(measurements_); }
    // What Execute hands the platform.
    std::uint32_t ExecuteFlags() const;
    TPSGeometry ExecuteGeometry(std::uint32_t flags) const;
    // Whether a stored description keeps the value (it differs from the default printer's).
    bool PaperSizeStored();
    bool MinimumMarginsStored();
    bool MarginsStored();

    bool Execute();
    virtual bool HandlePrinterButton(std::intptr_t wnd);
    virtual void LoadPrinterDefaults();

  private:
    bool Millimetric(TPSMeasurements m) const;
    const TPSGeometry& UnitDefaults();

    TPageSetupPlatform& platform_;
    TPageSetupDefaults& defaults_;
    TPSMeasurements measurements_ = TPSMeasurements::pmDefault;
    TPSGeometry geometry_;
    bool loading_ = false;
    bool queryingDefaults_ = false;
};
