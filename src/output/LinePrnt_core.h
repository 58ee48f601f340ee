#pragma once
// The line printer: prints text lines page by page inside margins, with header, footer, borders,
// table rows and fields. Every coordinate is worked out here over a print surface, so the layout runs
// against the real printer and against a recording surface alike.
#include "base/Classes.h"
#include "base/Component.h"
#include "base/SysUtils.h"
#include "base/Types.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

enum class TMeasureUnit { muInches, muMillimeters };
enum class TLineSpacing { lsHalfSpace, lsSingleSpace, lsSingleAndAHalf, lsDoubleSpace };
enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TPrinterOrientation { poPortrait, poLandscape };
enum class TPageBorderStyle { pbTop, pbBottom, pbLeft, pbRight };
using TPageBorders = std::uint32_t; // bit i stands for the style with ordinal i
constexpr TPageBorders PageBorderBit(TPageBorderStyle s) {
    return 1u << static_cast<unsigned>(s);
}

// The printer's device numbers the layout is made of.
enum class TDeviceCap {
    LogPixelsX,
    LogPixelsY,
    PhysicalWidth,
    PhysicalHeight,
    PhysicalOffsetX,
    PhysicalOffsetY,
    HorzRes,
    VertRes
};

struct TPrintTextMetrics {
    int height = 0;
    int externalLeading = 0;
};

// What the line printer needs of a printer. Every call may raise EPrinter (no printer, a refused step).
// Device coordinates start at the printable area's top-left corner.
class TPrintSurface {
  public:
    virtual ~TPrintSurface() = default;
    // The job.
    virtual void BeginDoc() = 0;
    virtual void EndDoc() = 0;
    virtual void NewPage() = 0;
    // Ends a job that failed half-way without finishing it.
    virtual void AbortDoc() = 0;
    virtual bool Printing() const = 0;
    virtual int PageNumber() const = 0;
    virtual void SetTitle(const std::string& title) = 0;
    virtual TPrinterOrientation Orientation() = 0;
    virtual void SetOrientation(TPrinterOrientation orientation) = 0;
    // The device.
    virtual int DeviceCaps(TDeviceCap cap) = 0;
    // The canvas: the font's height is in pixels at the given pixels per inch.
    virtual void SetFont(const TFontDesc& font, int pixelsPerInch) = 0;
    virtual int TextWidth(std::string_view text) = 0;
    virtual int TextHeightM() = 0;
    virtual TPrintTextMetrics TextMetrics() = 0;
    virtual void DrawString(int x, int y, std::string_view text) = 0;
    virtual void SetPenWidth(int width) = 0;
    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;
    // The field texts "{$DATE}" and "{$TIME}" stand for, in the system's formats.
    virtual std::string ShortDate() = 0;
    virtual std::string LongTime() = 0;
};

// The progress window's view of a job: shown and updated, or closed.
class TPrintProgress {
  public:
    virtual ~TPrintProgress() = default;
    // status null keeps the status shown before.
    virtual void Update(const std::string* status, const std::string& title, int pageNumber) = 0;
    virtual void Close() = 0;
};

class ELinePrinter : public EPrinter {
    using EPrinter::EPrinter;
};

namespace lineprinter {
inline constexpr const char* SBeginFailed = "Unable to begin printing.";
inline constexpr const char* SEndFailed = "Unable to finish printing.";
inline constexpr const char* SNewPageFailed = "Unable to print a new page.";
inline constexpr const char* STitleWhilePrinting = "Unable to change title while printing";
inline constexpr const char* SOrientationWhilePrinting = "Unable to change orientation while printing";
inline constexpr const char* STopWhilePrinting = "Unable to change top margin while printing";
inline constexpr const char* SBottomWhilePrinting = "Unable to change bottom margin while printing";
inline constexpr const char* SLeftWhilePrinting = "Unable to change left margin while printing";
inline constexpr const char* SRightWhilePrinting = "Unable to change right margin while printing";
inline constexpr const char* SNegativeColWidth = "DefaultColWidth must be greater than or equal to 0";
inline constexpr const char* SPreparing = "Preparing to Print";
inline constexpr const char* SPrinting = "Currently Printing";
inline constexpr const char* SFinished = "Finished Printing";

// Tabs become 1 ... tabSize blanks up to the next tab stop (a tab size of 0 counts as 1).
std::string ExpandTabs(std::string_view text, unsigned tabSize);
// Cells of a row or items of a format: "" gives one empty item, "a|" gives "a" and "".
std::vector<std::string> SplitColumns(std::string_view text);
// Every occurrence of code replaced by value, unless value itself holds code.
std::string ReplaceAll(std::string text, std::string_view code, std::string_view value);
// A 32-bit float as the system writes numbers (15 significant digits), and read back; empty when the
// text is no number.
std::string FloatText(float value, char decimalSeparator);
std::optional<double> ParseFloat(std::string_view text, char decimalSeparator);
} // namespace lineprinter

class TLinePrinter : public TComponent {
  public:
    TLinePrinter(TComponent* owner, std::unique_ptr<TPrintSurface> surface,
                 std::unique_ptr<TPrintProgress> progress = nullptr);
    std::string ClassName() const override { return "TLinePrinter"; }

    // Published properties, in the order a stored description applies them.
    float MarginTop() const { return marginTop_; }
    void SetMarginTop(float value);
    float MarginBottom() const { return marginBottom_; }
    void SetMarginBottom(float value);
    float MarginLeft() const { return marginLeft_; }
    void SetMarginLeft(float value);
    float MarginRight() const { return marginRight_; }
    void SetMarginRight(float value);
    TMeasureUnit MeasureUnit() const { return unit_; }
    void SetMeasureUnit(TMeasureUnit unit);
    TLineSpacing LineSpacing() const { return lineSpacing_; }
    void SetLineSpacing(TLineSpacing spacing);
    unsigned TabSize() const { return tabSize_; }
    void SetTabSize(unsigned size) { tabSize_ = size; }
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wrap) { wordWrap_ = wrap; }
    const TStringList& Lines() const { return lines_; }
    void SetLines(const TStringList& lines) { lines_ = lines; }
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment) { alignment_ = alignment; }
    std::string Header, HeaderFormat, Footer, FooterFormat, TableFormat;
    TPageBorders PageBorders = 0;
    bool ShowProgress = false;
    const TFontDesc& Font() const { return font_; }
    // The font's height is taken at sourcePixelsPerInch; the printer's resolution then applies.
    void SetFont(const TFontDesc& font, int sourcePixelsPerInch);
    // The pixels per inch the font's height is held at (the printer's once it was asked).
    int FontPixelsPerInch() const { return fontPpi_; }
    TPrinterOrientation Orientation();
    void SetOrientation(TPrinterOrientation orientation);
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title);
    float DefaultColWidth() const { return defaultColWidth_; }
    void SetDefaultColWidth(float value);
    float BorderOffset() const { return borderOffset_; }
    void SetBorderOffset(float value) { borderOffset_ = value; }
    std::function<void(TComponent*)> OnBeginDoc, OnEndDoc, OnNewLine, OnNewPage;
    // The system's decimal separator, for column widths in table formats.
    char DecimalSeparator = '.';

    void BeginDocument();
    void PrintLines(bool asTable);
    void EndDocument();
    // Gives up a job that failed half-way, so that the printer is free for the next one.
    void AbortDocument();
    void PrintLine(const std::string& text);
    void PrintRow(const std::string& text);
    void BreakPage();
    int AdvanceLine();

    // Device geometry in MeasureUnit, read afresh from the device.
    float PaperWidth();
    float PaperHeight();
    float PrintableAreaWidth();
    float PrintableAreaHeight();
    float MinMarginLeft();
    float MinMarginTop();
    float MinMarginRight();
    float MinMarginBottom();
    // Device pixels.
    int LeftOffset();
    int RightOffset();
    int TopOffset();
    int BottomOffset();
    int TextAreaWidth();
    int TextAreaHeight();
    unsigned LineHeight() const { return lineHeight_; }
    int CurX() const { return curX_; }
    int CurY() const { return curY_; }
    int LineNumber() const { return lineNumber_; }
    bool Printing() const;
    TPrintSurface& Surface() { return *surface_; }

    // The longest prefix of text not wider than width (at least one character).
    std::string FitText(const std::string& text, unsigned width);

  private:
    enum class Axis { Horizontal, Vertical };
    int Resolution(Axis axis);
    float ToUnit(int pixels, Axis axis);
    int ToPixels(float value, Axis axis);
    float Geometry(TDeviceCap cap, Axis axis, float fallbackInches, float fallbackMm);
    float Clamp(float value, float low, float high) const;
    void CheckIdle(const char* message) const;
    void ApplyPrinterResolution();
    void ReadTextMetrics();
    int MeasureOrZero(std::string_view text);
    void PutText(int x, int y, std::string_view text);
    void PreparePage();
    // The cells of a row at CurY, without advancing the line.
    void DrawRowCells(const std::string& text);
    void PrintBandRow(const std::string& row, const std::string& format, int curY);
    void DrawBorders();
    void WrapLine(const std::string& line);
    std::string ExpandFields(std::string text);
    void UpdateProgress(const char* status);

    std::unique_ptr<TPrintSurface> surface_;
    std::unique_ptr<TPrintProgress> progress_;
    float marginTop_ = 0, marginBottom_ = 0, marginLeft_ = 0, marginRight_ = 0;
    TMeasureUnit unit_ = TMeasureUnit::muInches;
    TLineSpacing lineSpacing_ = TLineSpacing::lsSingleSpace;
    unsigned tabSize_ = 8;
    bool wordWrap_ = true;
    TStringList lines_;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    TFontDesc font_;
    int fontPpi_ = 96;
    std::string title_;
    float defaultColWidth_ = 0;
    float borderOffset_ = 0;
    TPrintTextMetrics metrics_;
    unsigned lineHeight_ = 0;
    int curX_ = 0, curY_ = 0, lineNumber_ = 0;
};
