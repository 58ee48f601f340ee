#pragma once
// A font's published properties over TFontDesc: Charset, Color, Height, Name, Pitch, Size, Style.
// Size is in points, derived from Height at the screen's pixels per inch.
#include "base/Types.h"
#include "base/TypInfo_core.h"

#include <functional>
#include <utility>

namespace fontprops {

// The screen's logical pixels per inch used for Size (96 until the window code sets the real value);
// values below 1 are ignored.
int PixelsPerInch();
void SetPixelsPerInch(int pixelsPerInch);

const TEnumTypeDesc& FontPitchType(); // fpDefault, fpVariable, fpFixed
const TEnumTypeDesc& FontStyleType(); // fsBold, fsItalic, fsUnderline, fsStrikeOut

} // namespace fontprops

// A font as its published properties see it.
class TPublishedFont : public IPublished {
  public:
    const TClassDesc& PublishedClass() const override;
    virtual TFontDesc Desc() const = 0;
    virtual void SetDesc(const TFontDesc& desc) = 0;
};

// The published class "TFont".
const TClassDesc& FontClass();

// A font that hands every change straight to the object that holds the real one.
class TFontBridge final : public TPublishedFont {
  public:
    TFontBridge(std::function<TFontDesc()> get, std::function<void(const TFontDesc&)> set)
        : get_(std::move(get)), set_(std::move(set)) {}
    TFontDesc Desc() const override { return get_(); }
    void SetDesc(const TFontDesc& desc) override { set_(desc); }

  private:
    std::function<TFontDesc()> get_;
    std::function<void(const TFontDesc&)> set_;
};

namespace published {

// A "Font" object property of T over a getter (`TFontDesc(const T&)`) and a setter (`void(T&, const
// TFontDesc&)`), e.g. for a window class whose font object offers Desc() and Assign().
template <class T, class Getter, class Setter> TPropDesc Font(std::string name, Getter get, Setter set) {
    TPropDesc p;
    p.name = std::move(name);
    p.kind = TTypeKind::tkClass;
    p.objectKind = TObjectKind::okPersistent;
    p.withObject = [get, set](IPublished& o, const std::function<void(IPublished&)>& use) {
        T& owner = detail::As<T>(o);
        TFontBridge font([&owner, get] { return TFontDesc(get(static_cast<const T&>(owner))); },
                         [&owner, set](const TFontDesc& desc) { set(owner, desc); });
        use(font);
    };
    return p;
}

// A "Font" object property over a TFontDesc member of T.
template <class T> TPropDesc FontMember(std::string name, TFontDesc T::*member) {
    return Font<T>(
        std::move(name), [member](const T& o) { return o.*member; },
        [member](T& o, const TFontDesc& desc) { o.*member = desc; });
}

} // namespace published
