#include "output/LinePrnt.h"

#include "win/Graphics.h"
#include "win/Printers.h"

#include <memory>

namespace {
constexpr int kDeviceCapIndex[] = {LOGPIXELSX,      LOGPIXELSY,      PHYSICALWIDTH, PHYSICALHEIGHT,
                                   PHYSICALOFFSETX, PHYSICALOFFSETY, HORZRES,       VERTRES};

// The line printer's surface: the current printer's device context, with the font and pen selected
// again whenever the printer made a new one.
class GdiPrintSurface : public TPrintSurface {
  public:
    ~GdiPrintSurface() override { Deselect(); }

    void BeginDoc() override {
        Printer().BeginDoc();
        Select(Printer().Handle());
    }
    void EndDoc() override { Printer().EndDoc(); }
    void AbortDoc() override { Printer().Abort(); }
    void NewPage() override {
        Printer().NewPage();
        Select(Printer().Handle()); // a new page may start with the device's defaults
    }
    bool Printing() const override { return Printer().Printing(); }
    int PageNumber() const override { return Printer().PageNumber(); }
    void SetTitle(const std::string& title) override { Printer().SetTitle(title); }
    TPrinterOrientation Orientation() override {
        return Printer().Landscape() ? TPrinterOrientation::poLandscape : TPrinterOrientation::poPortrait;
    }
    void SetOrientation(TPrinterOrientation o) override {
        Printer().SetLandscape(o == TPrinterOrientation::poLandscape);
    }
    int DeviceCaps(TDeviceCap cap) override {
        return GetDeviceCaps(Printer().Handle(), kDeviceCapIndex[static_cast<int>(cap)]);
    }
    void SetFont(const TFontDesc& font, int) override {
        desc_ = font;
        // The old font goes only after the new one replaced it in the device context.
        FontHandle old = std::move(font_);
        Select(Printer().Handle());
    }
    int TextWidth(std::string_view text) override {
        SIZE size{};
        if (!GetTextExtentPoint32A(Dc(), text.data(), static_cast<int>(text.size()), &size))
            throw EPrinter(printers::SJobFailed);
        return size.cx;
    }
    int TextHeightM() override {
        SIZE size{};
        if (!GetTextExtentPoint32A(Dc(), "M", 1, &size))
            throw EPrinter(printers::SJobFailed);
        return size.cy;
    }
    TPrintTextMetrics TextMetrics() override {
        TEXTMETRICA tm{};
        if (!GetTextMetricsA(Dc(), &tm))
            throw EPrinter(printers::SJobFailed);
        return {tm.tmHeight, tm.tmExternalLeading};
    }
    void DrawString(int x, int y, std::string_view text) override {
        TextOutA(Dc(), x, y, text.data(), static_cast<int>(text.size()));
    }
    void SetPenWidth(int width) override {
        HDC dc = Dc(); // a new device context drops the pen
        if (pen_ && width == penWidth_)
            return;
        penWidth_ = width;
        PenHandle pen(CreatePen(PS_SOLID, width, RGB(0, 0, 0)));
        SelectObject(dc, pen.get());
        pen_ = std::move(pen);
    }
    void MoveTo(int x, int y) override { MoveToEx(Dc(), x, y, nullptr); }
    void LineTo(int x, int y) override { ::LineTo(Dc(), x, y); }
    std::string ShortDate() override {
        char text[128] = {};
        GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, text, sizeof text);
        return text;
    }
    std::string LongTime() override {
        char text[128] = {};
        GetTimeFormatA(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, text, sizeof text);
        return text;
    }

  private:
    HDC Dc() {
        HDC dc = Printer().Handle();
        if (Printer().DcGeneration() != generation_)
            Select(dc);
        return dc;
    }
    // Puts the font (made when first needed) and the pen into the device context, remembering what
    // they replace so the device context gets its own objects back before the font goes.
    void Select(HDC dc) {
        const bool fresh = Printer().DcGeneration() != generation_;
        if (fresh)
            Deselect();
        if (!font_) {
            LOGFONTA lf{};
            lf.lfHeight = desc_.height;
            lf.lfWeight = (desc_.style & FontStyleBit(TFontStyle::fsBold)) ? FW_BOLD : FW_NORMAL;
            lf.lfItalic = (desc_.style & FontStyleBit(TFontStyle::fsItalic)) ? 1 : 0;
            lf.lfUnderline = (desc_.style & FontStyleBit(TFontStyle::fsUnderline)) ? 1 : 0;
            lf.lfStrikeOut = (desc_.style & FontStyleBit(TFontStyle::fsStrikeOut)) ? 1 : 0;
            lf.lfCharSet = static_cast<BYTE>(desc_.charset);
            lstrcpynA(lf.lfFaceName, desc_.name.c_str(), LF_FACESIZE);
            font_.reset(CreateFontIndirectA(&lf));
        }
        HGDIOBJ old = SelectObject(dc, font_.get());
        if (fresh) {
            oldFont_ = old;
            selectedDc_ = dc;
            generation_ = Printer().DcGeneration();
            pen_.reset();
        }
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ColorToRGB(desc_.color));
    }
    // Gives the device context its own font and pen back, unless the printer has replaced it since.
    void Deselect() {
        if (selectedDc_ && Printer().DcGeneration() == generation_) {
            if (oldFont_)
                SelectObject(selectedDc_, oldFont_);
            SelectObject(selectedDc_, GetStockObject(BLACK_PEN));
        }
        selectedDc_ = nullptr;
        oldFont_ = nullptr;
    }

    TFontDesc desc_;
    FontHandle font_;
    PenHandle pen_;
    int penWidth_ = -1;
    HDC selectedDc_ = nullptr;
    unsigned generation_ = 0;
    HGDIOBJ oldFont_ = nullptr;
};

// The progress window, made when a job shows progress and destroyed when it closes.
class DialogProgress : public TPrintProgress {
  public:
    void Update(const std::string* status, const std::string& title, int pageNumber) override {
        if (!dialog_)
            dialog_ = MakeDialog();
        if (!IsWindowVisible(dialog_->Handle()))
            dialog_->Show();
        if (status)
            dialog_->lblStatus->SetCaption(*status);
        dialog_->lblTitle->SetCaption(title);
        dialog_->lblPageNumber->SetCaption(std::to_string(pageNumber));
        for (TLabel* label : {dialog_->lblStatus, dialog_->lblTitle, dialog_->lblPageNumber})
            label->AdjustSize();
        // The job keeps the message loop waiting: paint now.
        RedrawWindow(dialog_->Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    void Close() override { dialog_.reset(); }

  private:
    // Owned as a window by the window the job was started from, which gets the activation back when
    // the progress window goes (not the main window, which would then come to the front).
    static std::unique_ptr<TPrntProgDlg> MakeDialog() {
        auto dialog = std::make_unique<TPrntProgDlg>(nullptr);
        if (HWND active = GetActiveWindow())
            SetWindowLongPtrA(dialog->Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(active));
        return dialog;
    }

    std::unique_ptr<TPrntProgDlg> dialog_;
};
} // namespace

TPrntProgDlg::TPrntProgDlg(TComponent* owner) : TForm(owner) {
    SetName("PrntProgDlg");
    SetCaption("Print Progress");
    SetWindowLongPtrA(Handle(), GWL_STYLE, static_cast<LONG_PTR>(WS_POPUP | WS_CAPTION | WS_THICKFRAME));
    SetWindowLongPtrA(Handle(), GWL_EXSTYLE, static_cast<LONG_PTR>(WS_EX_TOOLWINDOW | WS_EX_TOPMOST));
    SetBounds(0, 0, 293, 111);
    SetPosition(TPosition::poScreenCenter);
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_FRAMECHANGED | SWP_NOACTIVATE);
    Bevel = new TBevel(this, this, {4, 4, 277, 77}, TBevelShape::bsFrame);
    Bevel->SetName("Bevel");
    lblStatus = new TLabel(this, this, 12, 16, "");
    lblStatus->SetName("lblStatus");
    lblTitle = new TLabel(this, this, 12, 36, "");
    lblTitle->SetName("lblTitle");
    lblPageNumDesc = new TLabel(this, this, 12, 56, "Page Number:");
    lblPageNumDesc->SetName("lblPageNumDesc");
    lblPageNumber = new TLabel(this, this, 92, 56, "");
    lblPageNumber->SetName("lblPageNumber");
}

TPrntProgDlg::~TPrntProgDlg() {
    DestroyForm();
}

LRESULT TPrntProgDlg::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = TForm::WndProc(msg, wParam, lParam);
    if (msg == WM_NCHITTEST && result >= HTLEFT && result <= HTBOTTOMRIGHT)
        return HTNOWHERE;
    return result;
}

TLinePrinter* CreateLinePrinter(TComponent* owner) {
    return new TLinePrinter(owner, std::make_unique<GdiPrintSurface>(), std::make_unique<DialogProgress>());
}
