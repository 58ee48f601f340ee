#pragma once
// Small controls with published properties, standing in for the program's windows' controls.
#include "base/Component.h"
#include "base/FontProps_core.h"
#include "base/TypInfo_core.h"

#include <string>

class TTestCheckBox : public TComponent, public IPublished {
  public:
    using TComponent::TComponent;
    std::string ClassName() const override { return "TBitCheckBox"; }
    const TClassDesc& PublishedClass() const override {
        static const TClassDesc desc("TBitCheckBox", nullptr,
                                     {published::Boolean<TTestCheckBox>(
                                          "Checked", [](const TTestCheckBox& c) { return c.checked; },
                                          [](TTestCheckBox& c, bool v) { c.checked = v; }),
                                      published::Method("OnClick")});
        return desc;
    }
    bool checked = false;
};

class TTestFileEdit : public TComponent, public IPublished {
  public:
    using TComponent::TComponent;
    std::string ClassName() const override { return "TFilenameEdit"; }
    const TClassDesc& PublishedClass() const override {
        using E = TTestFileEdit;
        static const TClassDesc desc("TFilenameEdit", nullptr,
                                     {published::String<E>(
                                          "FileName", [](const E& e) { return e.fileName; },
                                          [](E& e, const std::string& v) { e.fileName = v; }),
                                      published::String<E>(
                                          "InitialDir", [](const E& e) { return e.initialDir; },
                                          [](E& e, const std::string& v) { e.initialDir = v; })});
        return desc;
    }
    std::string fileName;
    std::string initialDir;
};

class TTestColorButton : public TComponent, public IPublished {
  public:
    using TComponent::TComponent;
    std::string ClassName() const override { return "TColorButton"; }
    const TClassDesc& PublishedClass() const override {
        static const TClassDesc desc(
            "TColorButton", nullptr,
            {published::Integer<TTestColorButton>(
                "Color", [](const TTestColorButton& b) { return b.color; },
                [](TTestColorButton& b, std::int64_t v) { b.color = static_cast<TColor>(v); })});
        return desc;
    }
    TColor color = clBtnFace;
};

class TTestMemo : public TComponent, public IPublished {
  public:
    using TComponent::TComponent;
    std::string ClassName() const override { return "TMemo"; }
    const TClassDesc& PublishedClass() const override {
        using M = TTestMemo;
        static const TClassDesc desc("TMemo", nullptr,
                                     {published::Integer<M>(
                                          "Color", [](const M& m) { return m.color; },
                                          [](M& m, std::int64_t v) { m.color = static_cast<TColor>(v); }),
                                      published::FontMember<M>("Font", &M::font),
                                      published::Strings<M>(
                                          "Lines", [](const M& m) { return m.lines; },
                                          [](M& m, const TStringList& v) { m.lines = v; })});
        return desc;
    }
    TColor color = clWindow;
    TFontDesc font;
    TStringList lines;
};
