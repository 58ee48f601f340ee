#pragma once
// The gradient caption: takes over the painting of its form's caption bar through a hook on the
// form's window procedure, fills the bar with a horizontal gradient, draws the window icon and a row
// of caption pieces (each in its own font), then the form caption; a narrow bar drops or shortens
// pieces. The caption buttons stay the system's.
#include "controls/GrdCpt_core.h"
#include "win/Forms.h"
#include "win/Handles.h"
#include "win/Menus.h"
#include "win/WindowHook.h"

#include <memory>
#include <vector>

class TGradientCaption;
class TCaptionPieceList;

class TCaptionPiece {
  public:
    explicit TCaptionPiece(TCaptionPieceList& list);
    TCaptionPiece(const TCaptionPiece&) = delete;
    TCaptionPiece& operator=(const TCaptionPiece&) = delete;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    // Changing the font makes it the piece's own (ParentFont off).
    TFont& Font() { return font_; }
    const TFont& Font() const { return font_; }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool parentFont);
    TColor InactiveColor() const { return inactiveColor_; }
    void SetInactiveColor(TColor color);
    bool GlueNext() const { return glueNext_; }
    void SetGlueNext(bool glue);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    void Assign(const TCaptionPiece& other);

  private:
    friend class TGradientCaption;
    void Changed();
    // Copies the owner's font without making it the piece's own.
    void TakeParentFont();

    TCaptionPieceList& list_;
    std::string caption_;
    TFont font_;
    bool parentFont_ = true;
    bool takingParentFont_ = false;
    TColor inactiveColor_ = clInactiveCaptionText;
    bool glueNext_ = false;
    bool visible_ = true;
};

class TCaptionPieceList {
  public:
    explicit TCaptionPieceList(TGradientCaption* owner) : owner_(owner) {}
    TGradientCaption* Owner() const { return owner_; }
    TCaptionPiece* Add(const std::string& caption = {});
    void Clear();
    int Count() const { return static_cast<int>(items_.size()); }
    TCaptionPiece* Items(int index) const { return items_.at(static_cast<std::size_t>(index)).get(); }
    void BeginUpdate() { ++updates_; }
    void EndUpdate();
    // Any change of a piece repaints the caption bar.
    void Changed();

  private:
    TGradientCaption* owner_;
    std::vector<std::unique_ptr<TCaptionPiece>> items_;
    int updates_ = 0;
};

class TGradientCaption : public TComponent {
  public:
    // The owner is the form whose caption bar it paints.
    explicit TGradientCaption(TComponent* owner);
    ~TGradientCaption() override;
    std::string ClassName() const override { return "TGradientCaption"; }

    // True when set, the window system draws caption bars our way (version 4 on) and the owner is a form.
    bool Active() const;
    void SetActive(bool active);
    TCaptionPieceList& Captions() { return captions_; }
    bool DefaultFont() const { return defaultFont_; }
    void SetDefaultFont(bool useDefault);
    const std::string& FormCaption() const { return formCaption_; }
    void SetFormCaption(const std::string& caption);
    TColor FontInactiveColor() const { return fontInactiveColor_; }
    void SetFontInactiveColor(TColor color);
    TFont& Font() { return font_; }
    bool GradientActive() const { return gradientActive_; }
    void SetGradientActive(bool gradient);
    bool GradientInactive() const { return gradientInactive_; }
    void SetGradientInactive(bool gradient);
    int GradientSteps() const { return gradientSteps_; }
    void SetGradientSteps(int steps);
    grdcpt::THideDirection HideDirection() const { return hideDirection_; }
    void SetHideDirection(grdcpt::THideDirection direction);
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* menu);
    TColor StartColor() const { return startColor_; }
    void SetStartColor(TColor color);
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;

    // Ends the setting up of the properties: from now on the caption bar is painted.
    void Loaded();
    // Hooks or unhooks the form and repaints its caption bar now.
    void UpdateCaption();
    // Paints the caption bar into the form's window device context.
    void PaintCaption(HDC windowDc);
    // The caption bar in screen coordinates and the caption buttons the system shows.
    grdcpt::TRect GetCaptionRect(unsigned* buttons = nullptr) const;
    void LoadSystemCaptionFont();
    bool IsFormActive() const { return isFormActive_; }

  protected:
    void Notification(TComponent* component, TOperation operation) override;

  private:
    friend class TCaptionPieceList;
    TForm* Form() const;
    grdcpt::TCaptionBorder Border() const;
    // Repaints when painting is on (`when` false skips it, for changes that do not show now).
    void Repaint(bool when = true);
    void FontChanged();
    void CopyFontIntoParentFontPieces();
    void BeforeMessage(TMessage& message);
    void AfterMessage(const TMessage& message);
    void PaintBackground(HDC dc, int width, int height) const;
    int PaintIcon(HDC dc, int height) const;
    void PaintPieces(HDC dc, int x, int width, int height);
    TColor PieceColor(int font) const;

    bool active_ = true;
    TCaptionPieceList captions_;
    bool defaultFont_ = true;
    bool loadingFont_ = false;
    std::string formCaption_;
    TColor fontInactiveColor_ = clInactiveCaptionText;
    TFont font_;
    bool gradientActive_ = true;
    bool gradientInactive_ = false;
    int gradientSteps_ = 64;
    grdcpt::THideDirection hideDirection_ = grdcpt::THideDirection::hdLeftToRight;
    TPopupMenu* popupMenu_ = nullptr;
    TColor startColor_ = clWindowText;

    bool loading_ = true;
    bool destroying_ = false;
    bool isFormActive_ = false;
    bool rightButtonDown_ = false;
    // The non-client region handed to the system for one WM_NCPAINT: the window's without the bar.
    RegionHandle substituteRegion_;
    TWindowHook hook_;
};
