#include "output/PgSetup_core.h"

#include "base/ScopeExit.h"

#include <cmath>

namespace pagesetup {
namespace {
constexpr double kToMm = 2.54;
constexpr double kToInches = 0.3937007874015748;

TPSGeometry Converted(const TPSGeometry& g, double f) {
    auto rect = [f](const TPSRect& r) {
        return TPSRect{Scaled(r.Left, f), Scaled(r.Top, f), Scaled(r.Right, f), Scaled(r.Bottom, f)};
    };
    return {{Scaled(g.PaperSize.X, f), Scaled(g.PaperSize.Y, f)}, rect(g.MinimumMargins), rect(g.Margins)};
}
} // namespace

std::int32_t Scaled(std::int32_t value, double factor) {
    return static_cast<std::int32_t>(std::nearbyint(static_cast<double>(value) * factor));
}
TPSGeometry ToMillimeters(const TPSGeometry& inches) {
    return Converted(inches, kToMm);
}
TPSGeometry ToInches(const TPSGeometry& millimeters) {
    return Converted(millimeters, kToInches);
}

TPSRect ClampToMinimum(TPSRect m, const TPSRect& min) {
    if (m.Left < min.Left)
        m.Left = min.Left;
    if (m.Right < min.Right)
        m.Right = min.Right;
    if (m.Top < min.Top)
        m.Top = min.Top;
    if (m.Bottom < min.Bottom)
        m.Bottom = min.Bottom;
    return m;
}

TPSPoint CenterPosition(int screenWidth, int screenHeight, int windowWidth, int windowHeight) {
    return {(screenWidth - windowWidth) / 2, (screenHeight - windowHeight) / 3};
}
} // namespace pagesetup

using namespace pagesetup;

TPageSetupDefaults& TPageSetupDefaults::Load(TPageSetupPlatform& platform) {
    if (!loaded_) {
        loaded_ = true;
        TPSGeometry returned;
        if (platform.ReturnDefault(kDefaultsQuery, returned))
            inches_ = returned;
        mm_ = ToMillimeters(inches_);
    }
    return *this;
}

TPageSetupDialog::TPageSetupDialog(TComponent* owner, TPageSetupPlatform& platform,
                                   TPageSetupDefaults& defaults)
    : TComponent(owner), platform_(platform), defaults_(defaults) {
    geometry_ = UnitDefaults();
}

void TPageSetupDialog::SetName(std::string name) {
    TComponent::SetName(std::move(name));
    if (!loading_)
        LoadPrinterDefaults();
}

bool TPageSetupDialog::Millimetric(TPSMeasurements m) const {
    if (m == TPSMeasurements::pmDefault)
        return platform_.LocaleMeasure() == '0';
    return m == TPSMeasurements::pmMillimeters;
}

const TPSGeometry& TPageSetupDialog::UnitDefaults() {
    return Millimetric() ? defaults_.Millimeters(platform_) : defaults_.Inches(platform_);
}

void TPageSetupDialog::SetMeasurements(TPSMeasurements value) {
    const bool toMm = Millimetric(value);
    if (toMm != Millimetric())
        geometry_ = toMm ? ToMillimeters(geometry_) : ToInches(geometry_);
    measurements_ = value;
    LoadPrinterDefaults();
}

void TPageSetupDialog::LoadPrinterDefaults() {
    queryingDefaults_ = true;
    const TScopeExit queried([this] { queryingDefaults_ = false; });
    TPSGeometry returned;
    if (!platform_.ReturnDefault(kDefaultsQuery, returned))
        return;
    if (!Millimetric()) {
        geometry_ = returned;
        return;
    }
    const TPSGeometry mm = ToMillimeters(returned);
    const TPSGeometry& defaults = defaults_.Millimeters(platform_);
    if (loading_ || geometry_.PaperSize == defaults.PaperSize)
        geometry_.PaperSize = mm.PaperSize;
    if (loading_ || geometry_.MinimumMargins == defaults.MinimumMargins)
        geometry_.MinimumMargins = mm.MinimumMargins;
    if (loading_ || geometry_.Margins == defaults.Margins)
        geometry_.Margins = mm.Margins;
}

std::uint32_t TPageSetupDialog::ExecuteFlags() const {
    auto has = [this](TPageSetupOption o) { return (Options & PageSetupOptionBit(o)) != 0; };
    std::uint32_t flags = kMargins | (Millimetric() ? kInHundredthsOfMillimeters : kInThousandthsOfInches);
    if (!has(TPageSetupOption::poDefaultMinMargins))
        flags |= kMinMargins;
    const bool paintEvents = OnInitPaintPage && OnPaintPage;
    if (OnPrinter || OnInitPaintPage || OnPaintPage || Centered)
        flags |= kEnablePageSetupHook;
    const std::pair<TPageSetupOption, std::uint32_t> optionFlags[] = {
        {TPageSetupOption::poDisableMargins, kDisableMargins},
        {TPageSetupOption::poDisableOrientation, kDisableOrientation},
        {TPageSetupOption::poDisablePagePainting, kDisablePagePainting},
        {TPageSetupOption::poDisablePaper, kDisablePaper},
        {TPageSetupOption::poDisablePrinter, kDisablePrinter},
        {TPageSetupOption::poNoWarning, kNoWarning},
        {TPageSetupOption::poShowHelp, kShowHelp}};
    for (const auto& [option, flag] : optionFlags)
        if (has(option))
            flags |= flag;
    if (paintEvents)
        flags |= kEnablePagePaintHook;
    return flags;
}

TPSGeometry TPageSetupDialog::ExecuteGeometry(std::uint32_t flags) const {
    TPSGeometry g = geometry_;
    if (flags & kMinMargins)
        g.Margins = ClampToMinimum(g.Margins, g.MinimumMargins);
    return g;
}

bool TPageSetupDialog::Execute() {
    queryingDefaults_ = false;
    const std::uint32_t flags = ExecuteFlags();
    TPSGeometry g = ExecuteGeometry(flags);
    if (!platform_.Run(*this, flags, g))
        return false;
    geometry_ = g;
    return true;
}

bool TPageSetupDialog::HandlePrinterButton(std::intptr_t wnd) {
    if (!OnPrinter)
        return false;
    OnPrinter(this, wnd);
    return true;
}

bool TPageSetupDialog::PaperSizeStored() {
    return geometry_.PaperSize != UnitDefaults().PaperSize;
}
bool TPageSetupDialog::MinimumMarginsStored() {
    return geometry_.MinimumMargins != UnitDefaults().MinimumMargins;
}
bool TPageSetupDialog::MarginsStored() {
    return geometry_.Margins != UnitDefaults().Margins;
}
