#pragma once
// The standard controls the program's windows are made of.
#include "base/Classes.h"
#include "win/Controls.h"
#include "win/Memo.h"

#include <string>
#include <vector>

// A push button with an optional glyph left of its caption (drawn by the button itself).
class TButton : public TWinControl {
  public:
    TButton(TComponent* owner, TWinControl* parent, const TBounds& bounds, const std::string& caption);
    std::string ClassName() const override { return "TBitBtn"; }
    // The glyph comes from a bitmap resource; `numGlyphs` images side by side (normal, disabled).
    void SetGlyph(const char* resourceName, int numGlyphs = 1);
    void SetModalResult(int result) { modalResult_ = result; }
    void SetDefault(bool isDefault);
    void Click();

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void CommandNotify(WORD code) override;

    bool DrawItem(const DRAWITEMSTRUCT& item) override;

  private:
    BitmapHandle glyph_;
    int numGlyphs_ = 1;
    int modalResult_ = 0;
    bool default_ = false;
};

class TGroupBox : public TWinControl {
  public:
    TGroupBox(TComponent* owner, TWinControl* parent, const TBounds& bounds, const std::string& caption);
    std::string ClassName() const override { return "TGroupBox"; }

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

enum class TBevelCut { bvNone, bvLowered, bvRaised };

class TPanel : public TWinControl {
  public:
    TPanel(TComponent* owner, TWinControl* parent, const TBounds& bounds);
    std::string ClassName() const override { return "TPanel"; }
    void SetBevels(TBevelCut outer, TBevelCut inner, int width);

  protected:
    void Paint(HDC dc) override;

  private:
    TBevelCut outer_ = TBevelCut::bvRaised;
    TBevelCut inner_ = TBevelCut::bvNone;
    int bevelWidth_ = 1;
};

// Draws a 3-D frame `width` pixels wide just inside `rc` and shrinks `rc` past it.
void Frame3D(HDC dc, RECT& rc, TColor topLeft, TColor bottomRight, int width);

// A caption; its size follows its text.
class TLabel : public TWinControl {
  public:
    TLabel(TComponent* owner, TWinControl* parent, int left, int top, const std::string& caption);
    std::string ClassName() const override { return "TLabel"; }
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent) { transparent_ = transparent; }
    void AdjustSize();

  protected:
    void FontChanged() override;
    HBRUSH CtlColor(HDC dc) override;

  private:
    bool transparent_ = false;
};

class TEdit : public TWinControl {
  public:
    TEdit(TComponent* owner, TWinControl* parent, const TBounds& bounds, DWORD extraStyle = 0);
    std::string ClassName() const override { return "TEdit"; }
    std::string Text() const { return Caption(); }
    void SetText(const std::string& text) { SetCaption(text); }

  protected:
    void CommandNotify(WORD code) override;
};

class TListBox : public TWinControl {
  public:
    TListBox(TComponent* owner, TWinControl* parent, const TBounds& bounds, bool border);
    std::string ClassName() const override { return "TListBox"; }
    void SetItemHeight(int height);
    void AddItem(const std::string& item);
    int Count() const;
};

enum class TBevelShape { bsFrame, bsBottomLine };

class TBevel : public TWinControl {
  public:
    TBevel(TComponent* owner, TWinControl* parent, const TBounds& bounds, TBevelShape shape);
    std::string ClassName() const override { return "TBevel"; }

  protected:
    void Paint(HDC dc) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    TBevelShape shape_;
};

// A picture: a bitmap or an icon resource, drawn at its size or stretched.
class TImage : public TWinControl {
  public:
    TImage(TComponent* owner, TWinControl* parent, const TBounds& bounds);
    std::string ClassName() const override { return "TImage"; }
    void SetBitmap(const char* resourceName);
    void SetIcon(const char* resourceName, bool stretch);

  protected:
    void Paint(HDC dc) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    BitmapHandle bitmap_;
    HICON icon_ = nullptr;
    bool stretch_ = false;
};
