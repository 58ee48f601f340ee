#include "output/LinePrnt_core.h"

#include <algorithm>
#include <cmath>

using namespace lineprinter;

namespace {
constexpr double kMmPerInch = 25.4;
constexpr double kInchPerMm = 0.03937007874015748;
constexpr int kFallbackResolution = 300;
constexpr int kFallbackMHeight = 10;
// Device coordinates stay far inside the integer range, so sums of a few of them cannot overflow.
constexpr double kMaxPixels = 1 << 28;

int Saturated(double pixels) {
    if (!(pixels > -kMaxPixels))
        return pixels < 0 ? -static_cast<int>(kMaxPixels) : 0;
    return static_cast<int>(std::min(pixels, kMaxPixels));
}
} // namespace

TLinePrinter::TLinePrinter(TComponent* owner, std::unique_ptr<TPrintSurface> surface,
                           std::unique_ptr<TPrintProgress> progress)
    : TComponent(owner), surface_(std::move(surface)), progress_(std::move(progress)) {
    SetFont(TFontDesc{DEFAULT_CHARSET_VALUE, clWindowText, -10, "Courier New", TFontPitch::fpDefault, 0}, 72);
    SetLineSpacing(TLineSpacing::lsSingleSpace);
    SetOrientation(TPrinterOrientation::poPortrait);
    SetTitle("");
    SetMarginTop(MinMarginTop());
    SetMarginBottom(MinMarginBottom());
    SetMarginLeft(MinMarginLeft());
    SetMarginRight(MinMarginRight());
    SetMeasureUnit(TMeasureUnit::muInches);
}

bool TLinePrinter::Printing() const {
    try {
        return surface_->Printing();
    } catch (const EPrinter&) {
        return false;
    }
}

// ---- device geometry ----

int TLinePrinter::Resolution(Axis axis) {
    int ppi = 0;
    try {
        ppi =
            surface_->DeviceCaps(axis == Axis::Horizontal ? TDeviceCap::LogPixelsX : TDeviceCap::LogPixelsY);
    } catch (const EPrinter&) {
    }
    return ppi > 0 ? ppi : kFallbackResolution;
}

float TLinePrinter::ToUnit(int pixels, Axis axis) {
    const float inches = static_cast<float>(static_cast<double>(pixels) / Resolution(axis));
    if (unit_ == TMeasureUnit::muMillimeters)
        return static_cast<float>(static_cast<double>(inches) * kMmPerInch);
    return inches;
}

int TLinePrinter::ToPixels(float value, Axis axis) {
    if (unit_ == TMeasureUnit::muMillimeters)
        value = static_cast<float>(static_cast<double>(value) * kInchPerMm);
    // A column width typed into a table format can be any number: beyond any paper it saturates.
    return Saturated(std::nearbyint(static_cast<double>(value) * Resolution(axis)));
}

float TLinePrinter::Geometry(TDeviceCap cap, Axis axis, float fallbackInches, float fallbackMm) {
    try {
        return ToUnit(surface_->DeviceCaps(cap), axis);
    } catch (const EPrinter&) {
        return unit_ == TMeasureUnit::muMillimeters ? fallbackMm : fallbackInches;
    }
}

float TLinePrinter::PaperWidth() {
    return Geometry(TDeviceCap::PhysicalWidth, Axis::Horizontal, 8.5f, 210.0f);
}
float TLinePrinter::PaperHeight() {
    return Geometry(TDeviceCap::PhysicalHeight, Axis::Vertical, 11.0f, 297.0f);
}
float TLinePrinter::PrintableAreaWidth() {
    return Geometry(TDeviceCap::HorzRes, Axis::Horizontal, 8.0f, 198.0f);
}
float TLinePrinter::PrintableAreaHeight() {
    return Geometry(TDeviceCap::VertRes, Axis::Vertical, 10.5f, 284.0f);
}
float TLinePrinter::MinMarginLeft() {
    return Geometry(TDeviceCap::PhysicalOffsetX, Axis::Horizontal, 0.25f, 6.0f);
}
float TLinePrinter::MinMarginTop() {
    return Geometry(TDeviceCap::PhysicalOffsetY, Axis::Vertical, 0.25f, 6.0f);
}
float TLinePrinter::MinMarginRight() {
    return static_cast<float>(static_cast<double>(PaperWidth()) - PrintableAreaWidth() - MinMarginLeft());
}
float TLinePrinter::MinMarginBottom() {
    return static_cast<float>(static_cast<double>(PaperHeight()) - PrintableAreaHeight() - MinMarginTop());
}

int TLinePrinter::LeftOffset() {
    return ToPixels(static_cast<float>(marginLeft_ - MinMarginLeft()), Axis::Horizontal);
}
int TLinePrinter::RightOffset() {
    return ToPixels(static_cast<float>(marginRight_ - MinMarginRight()), Axis::Horizontal);
}
int TLinePrinter::TopOffset() {
    return ToPixels(static_cast<float>(marginTop_ - MinMarginTop()), Axis::Vertical);
}
int TLinePrinter::BottomOffset() {
    return ToPixels(static_cast<float>(marginBottom_ - MinMarginBottom()), Axis::Vertical);
}
int TLinePrinter::TextAreaWidth() {
    return ToPixels(PrintableAreaWidth(), Axis::Horizontal) - LeftOffset() - RightOffset();
}
int TLinePrinter::TextAreaHeight() {
    return ToPixels(PrintableAreaHeight(), Axis::Vertical) - TopOffset() - BottomOffset();
}

// ---- setters ----

void TLinePrinter::CheckIdle(const char* message) const {
    if (Printing())
        throw ELinePrinter(message);
}

float TLinePrinter::Clamp(float value, float low, float high) const {
    if (value < low)
        return low;
    if (value > high)
        return high;
    return value;
}

void TLinePrinter::SetMarginTop(float value) {
    CheckIdle(STopWhilePrinting);
    marginTop_ = Clamp(value, MinMarginTop(), static_cast<float>(PaperHeight() - MinMarginBottom()));
}

void TLinePrinter::SetMarginBottom(float value) {
    CheckIdle(SBottomWhilePrinting);
    marginBottom_ = Clamp(value, MinMarginBottom(), static_cast<float>(PaperHeight() - MinMarginTop()));
}

void TLinePrinter::SetMarginLeft(float value) {
    CheckIdle(SLeftWhilePrinting);
    marginLeft_ = Clamp(value, MinMarginLeft(), static_cast<float>(PaperWidth() - MinMarginRight()));
}

void TLinePrinter::SetMarginRight(float value) {
    CheckIdle(SRightWhilePrinting);
    marginRight_ = Clamp(value, MinMarginRight(), static_cast<float>(PaperWidth() - MinMarginLeft()));
}

void TLinePrinter::SetMeasureUnit(TMeasureUnit unit) {
    const TMeasureUnit old = unit_;
    unit_ = unit;
    if (old != unit) {
        const double factor = unit == TMeasureUnit::muMillimeters ? kMmPerInch : kInchPerMm;
        auto scaled = [factor](float v) { return static_cast<float>(static_cast<double>(v) * factor); };
        SetMarginTop(scaled(marginTop_));
        SetMarginBottom(scaled(marginBottom_));
        SetMarginLeft(scaled(marginLeft_));
        SetMarginRight(scaled(marginRight_));
        SetBorderOffset(scaled(borderOffset_));
        SetDefaultColWidth(scaled(defaultColWidth_));
    }
    if (!Printing()) {
        SetMarginTop(marginTop_);
        SetMarginBottom(marginBottom_);
        SetMarginLeft(marginLeft_);
        SetMarginRight(marginRight_);
    }
}

void TLinePrinter::SetLineSpacing(TLineSpacing spacing) {
    lineSpacing_ = spacing;
    unsigned h = kFallbackMHeight;
    if (Printing()) {
        h = static_cast<unsigned>(metrics_.height + metrics_.externalLeading);
    } else {
        try {
            h = static_cast<unsigned>(surface_->TextHeightM());
        } catch (const EPrinter&) {
        }
    }
    switch (spacing) {
    case TLineSpacing::lsHalfSpace:
        lineHeight_ = h / 2;
        break;
    case TLineSpacing::lsSingleSpace:
        lineHeight_ = h;
        break;
    case TLineSpacing::lsSingleAndAHalf:
        lineHeight_ = h + h / 2;
        break;
    case TLineSpacing::lsDoubleSpace:
        lineHeight_ = 2 * h;
        break;
    }
}

void TLinePrinter::ApplyPrinterResolution() {
    const int size = font_.Size(fontPpi_);
    try {
        const int ppi = surface_->DeviceCaps(TDeviceCap::LogPixelsY);
        if (ppi > 0)
            fontPpi_ = ppi;
    } catch (const EPrinter&) {
    }
    font_.SetSize(size, fontPpi_);
    try {
        surface_->SetFont(font_, fontPpi_);
    } catch (const EPrinter&) {
    }
}

void TLinePrinter::ReadTextMetrics() {
    try {
        metrics_ = surface_->TextMetrics();
    } catch (const EPrinter&) {
    }
}

void TLinePrinter::SetFont(const TFontDesc& font, int sourcePixelsPerInch) {
    font_ = font;
    font_.SetSize(font.Size(sourcePixelsPerInch), fontPpi_);
    ApplyPrinterResolution();
    if (Printing())
        ReadTextMetrics();
    SetLineSpacing(lineSpacing_);
}

TPrinterOrientation TLinePrinter::Orientation() {
    try {
        return surface_->Orientation();
    } catch (const EPrinter&) {
        return TPrinterOrientation::poPortrait;
    }
}

void TLinePrinter::SetOrientation(TPrinterOrientation orientation) {
    CheckIdle(SOrientationWhilePrinting);
    try {
        surface_->SetOrientation(orientation);
    } catch (const EPrinter&) {
    }
}

void TLinePrinter::SetTitle(const std::string& title) {
    CheckIdle(STitleWhilePrinting);
    title_ = title;
    try {
        surface_->SetTitle(title);
    } catch (const EPrinter&) {
    }
}

void TLinePrinter::SetDefaultColWidth(float value) {
    if (value < 0) {
        defaultColWidth_ = 0;
        throw ELinePrinter(SNegativeColWidth);
    }
    defaultColWidth_ = value;
}

// ---- the job ----

void TLinePrinter::UpdateProgress(const char* status) {
    if (!progress_)
        return;
    if (ShowProgress && Printing()) {
        const std::string text = status ? status : "";
        int page = 0;
        try {
            page = surface_->PageNumber();
        } catch (const EPrinter&) {
        }
        progress_->Update(status ? &text : nullptr, title_, page);
    } else {
        progress_->Close();
    }
}

void TLinePrinter::BeginDocument() {
    if (OnBeginDoc)
        OnBeginDoc(this);
    ApplyPrinterResolution();
    try {
        surface_->BeginDoc();
    } catch (const EPrinter&) {
        throw ELinePrinter(SBeginFailed);
    }
    ReadTextMetrics();
    ApplyPrinterResolution();
    UpdateProgress(SPreparing);
    PreparePage();
}

void TLinePrinter::PrintLines(bool asTable) {
    const bool rows = asTable && !TableFormat.empty();
    for (const std::string& line : lines_.Lines()) {
        if (rows)
            PrintRow(line);
        else
            PrintLine(line);
    }
}

void TLinePrinter::EndDocument() {
    UpdateProgress(SFinished);
    try {
        surface_->EndDoc();
    } catch (const EPrinter&) {
        UpdateProgress(nullptr);
        throw ELinePrinter(SEndFailed);
    } catch (...) {
        UpdateProgress(nullptr);
        throw;
    }
    UpdateProgress(nullptr);
    if (OnEndDoc)
        OnEndDoc(this);
}

void TLinePrinter::AbortDocument() {
    try {
        surface_->AbortDoc();
    } catch (const EPrinter&) {
    }
    UpdateProgress(nullptr);
}

void TLinePrinter::BreakPage() {
    try {
        surface_->NewPage();
    } catch (const EPrinter&) {
        throw ELinePrinter(SNewPageFailed);
    }
    PreparePage();
}

// A header or footer row is drawn in its margin band and never advances the line: where the band is
// shorter than a line, an advance from it would break the page, which prints the band again.
void TLinePrinter::PrintBandRow(const std::string& row, const std::string& format, int curY) {
    curY_ = curY;
    TableFormat = format;
    DrawRowCells(row);
}

void TLinePrinter::PreparePage() {
    UpdateProgress(SPrinting);
    const std::string tableFormat = TableFormat;
    try {
        const int lineHeight = static_cast<int>(lineHeight_);
        if (!Header.empty()) {
            const int top = TopOffset();
            PrintBandRow(Header, HeaderFormat, (top - lineHeight) / 2 - top);
        }
        if (!Footer.empty())
            PrintBandRow(Footer, FooterFormat, (BottomOffset() - lineHeight) / 2 + TextAreaHeight());
    } catch (...) {
        TableFormat = tableFormat;
        throw;
    }
    TableFormat = tableFormat;
    curX_ = 0;
    curY_ = 0;
    lineNumber_ = 0;
    if (OnNewPage)
        OnNewPage(this);
    if (OnNewLine)
        OnNewLine(this);
    DrawBorders();
}

void TLinePrinter::DrawBorders() {
    if (PageBorders == 0)
        return;
    auto has = [this](TPageBorderStyle s) { return (PageBorders & PageBorderBit(s)) != 0; };
    const int left = LeftOffset(), top = TopOffset();
    const int right = left + TextAreaWidth(), bottom = top + TextAreaHeight();
    auto line = [this](int x1, int y1, int x2, int y2) {
        surface_->MoveTo(x1, y1);
        surface_->LineTo(x2, y2);
    };
    try {
        surface_->SetPenWidth(Resolution(Axis::Vertical) / 300 * 2);
        int b = ToPixels(borderOffset_, Axis::Vertical);
        if (has(TPageBorderStyle::pbTop))
            line(left - b, top - b, right + b, top - b);
        if (has(TPageBorderStyle::pbBottom))
            line(left - b, bottom + b, right + b, bottom + b);
        surface_->SetPenWidth(Resolution(Axis::Horizontal) / 300 * 2);
        b = ToPixels(borderOffset_, Axis::Horizontal);
        if (has(TPageBorderStyle::pbLeft))
            line(left - b, top - b, left - b, bottom + b);
        if (has(TPageBorderStyle::pbRight))
            line(right + b, top - b, right + b, bottom + b);
    } catch (const EPrinter&) {
    }
}

// ---- lines ----

int TLinePrinter::MeasureOrZero(std::string_view text) {
    try {
        return surface_->TextWidth(text);
    } catch (const EPrinter&) {
        return 0;
    }
}

void TLinePrinter::PutText(int x, int y, std::string_view text) {
    try {
        surface_->DrawString(x, y, text);
    } catch (const EPrinter&) {
    }
}

void TLinePrinter::PrintLine(const std::string& text) {
    if (text.find('\t') != std::string::npos)
        return PrintLine(ExpandTabs(text, tabSize_));
    const int width = MeasureOrZero(text);
    const int areaWidth = TextAreaWidth();
    // A single character wider than the text area cannot be cut any further: it is drawn where its
    // alignment puts it, reaching beyond the area.
    if (static_cast<std::uint32_t>(width) > static_cast<std::uint32_t>(areaWidth) && text.size() > 1) {
        if (wordWrap_)
            WrapLine(text);
        else
            PrintLine(FitText(text, static_cast<std::uint32_t>(areaWidth)));
        return;
    }
    if (alignment_ == TAlignment::taRightJustify)
        curX_ = areaWidth - width;
    else if (alignment_ == TAlignment::taCenter)
        curX_ = (areaWidth - width) / 2;
    else
        curX_ = 0;
    if (!(TextAreaHeight() > curY_ + static_cast<int>(lineHeight_)))
        BreakPage();
    PutText(LeftOffset() + curX_, TopOffset() + curY_, text);
    AdvanceLine();
}

int TLinePrinter::AdvanceLine() {
    curX_ = 0;
    curY_ += static_cast<int>(lineHeight_);
    if (TextAreaHeight() > curY_ + static_cast<int>(lineHeight_))
        ++lineNumber_;
    else
        BreakPage();
    if (OnNewLine)
        OnNewLine(this);
    return lineNumber_;
}

std::string TLinePrinter::FitText(const std::string& text, unsigned width) {
    try {
        if (static_cast<unsigned>(surface_->TextWidth(text)) <= width)
            return text;
        std::size_t hi = text.size(), lo = 1, previous = 0, mid = 0;
        for (;;) {
            mid = (lo + hi) / 2;
            const unsigned w =
                static_cast<unsigned>(surface_->TextWidth(std::string_view(text).substr(0, mid)));
            if (w > width)
                hi = mid;
            else if (w < width)
                lo = mid;
            else
                lo = hi;
            if (mid == previous || hi <= lo)
                break;
            previous = mid;
        }
        return text.substr(0, mid);
    } catch (const EPrinter&) {
        return text;
    }
}

void TLinePrinter::WrapLine(const std::string& line) {
    std::string rest = line;
    do {
        std::string piece = FitText(rest, static_cast<std::uint32_t>(TextAreaWidth()));
        std::size_t n = piece.size();
        if (n < rest.size()) {
            if (static_cast<unsigned char>(rest[n]) < 33) {
                ++n;
            } else {
                std::size_t blank = piece.size();
                while (blank > 0 && static_cast<unsigned char>(piece[blank - 1]) >= 33)
                    --blank;
                if (blank > 0) {
                    piece.resize(blank);
                    n = blank;
                }
            }
        }
        PrintLine(piece);
        rest.erase(0, n);
    } while (!rest.empty());
}

// ---- table rows ----

std::string TLinePrinter::ExpandFields(std::string text) {
    int page = 0;
    try {
        page = surface_->PageNumber();
    } catch (const EPrinter&) {
    }
    text = ReplaceAll(std::move(text), "{$LINE}", std::to_string(lineNumber_));
    text = ReplaceAll(std::move(text), "{$PAGE}", std::to_string(page));
    text = ReplaceAll(std::move(text), "{$DATE}", surface_->ShortDate());
    text = ReplaceAll(std::move(text), "{$TIME}", surface_->LongTime());
    return ReplaceAll(std::move(text), "{$TITLE}", title_);
}

void TLinePrinter::PrintRow(const std::string& text) {
    DrawRowCells(text);
    if (curY_ >= 0 && curY_ < TextAreaHeight())
        AdvanceLine();
}

void TLinePrinter::DrawRowCells(const std::string& text) {
    const std::vector<std::string> formats = SplitColumns(TableFormat);
    const std::vector<std::string> cells = SplitColumns(text);
    curX_ = LeftOffset();
    for (std::size_t i = 0; i < formats.size(); ++i) {
        std::string item = formats[i];
        const std::string colWidth = FloatText(defaultColWidth_, DecimalSeparator);
        if (item.empty())
            item = "<" + colWidth;
        else if (item == "<" || item == ">" || item == "^")
            item += colWidth;
        const char align = item[0];
        if (align == '<' || align == '>' || align == '^')
            item.erase(0, 1);
        const std::optional<double> width = ParseFloat(item, DecimalSeparator);
        const int cw = ToPixels(width ? static_cast<float>(*width) : defaultColWidth_, Axis::Horizontal);
        std::string cell = i < cells.size() ? cells[i] : std::string();
        if (cell.find("{$") != std::string::npos)
            cell = ExpandFields(std::move(cell));
        cell = FitText(cell, static_cast<std::uint32_t>(cw));
        const int cellWidth = MeasureOrZero(cell);
        const int offset = align == '>' ? cw - cellWidth : align == '^' ? (cw - cellWidth) / 2 : 0;
        PutText(Saturated(static_cast<double>(curX_) + offset), TopOffset() + curY_, cell);
        curX_ = Saturated(static_cast<double>(curX_) + cw);
    }
}
