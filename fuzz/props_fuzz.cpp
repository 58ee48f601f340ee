// Feeds arbitrary stored texts to the decoder of every property kind, to the integer and placement
// word readers, and through a form storage's whole load and save. Aborts when a decoded value breaks
// its type's rules or a store-load-store cycle changes a text that should survive it.
#include "base/SysUtils.h"
#include "base/FontProps_core.h"
#include "prefs/Placemnt_core.h"
#include "prefs/PropsStorage_core.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "broken rule: %s\n", what);
        std::abort();
    }
}

const TEnumTypeDesc& WideSetType() {
    static const TEnumTypeDesc type = [] {
        TEnumTypeDesc t{"TWide", {}};
        for (int i = 0; i < 40; ++i)
            t.identifiers.push_back("m" + std::to_string(i));
        return t;
    }();
    return type;
}

void DecodeEveryKind(std::string_view text) {
    proptext::IntegerFromText(text);
    SettingsIntegerFromText(text, 7);
    proptext::CharFromText(text);

    for (const TEnumTypeDesc* type : {&BooleanType(), &fontprops::FontPitchType()})
        if (const auto ordinal = proptext::EnumFromText(*type, text)) {
            Check(*ordinal >= 0 && static_cast<std::size_t>(*ordinal) < type->identifiers.size(),
                  "enum range");
            Check(proptext::EnumFromText(*type, proptext::EnumText(*type, *ordinal)) == ordinal,
                  "enum round trip");
        }

    for (const TEnumTypeDesc* type : {&fontprops::FontStyleType(), &WideSetType()}) {
        const std::uint32_t bits = proptext::SetFromText(*type, text);
        if (type->identifiers.size() < 32)
            Check((bits >> type->identifiers.size()) == 0, "set members");
        Check(proptext::SetFromText(*type, proptext::SetText(*type, bits)) == bits, "set round trip");
    }

    for (TFloatType type : {TFloatType::ftSingle, TFloatType::ftDouble, TFloatType::ftExtended,
                            TFloatType::ftComp, TFloatType::ftCurr}) {
        const auto value = proptext::FloatFromText(type, text);
        if (!value)
            continue;
        Check(std::isfinite(*value), "finite float");
        const std::string formatted = proptext::FloatText(type, *value);
        Check(!formatted.empty(), "float text");
        if (std::fabs(*value) < 1e300L) {
            const auto again = proptext::FloatFromText(TFloatType::ftExtended, formatted);
            Check(again.has_value(), "float text reads back");
            const long double tolerance = std::fabs(*value) * 1e-6L + LDBL_MIN;
            Check(std::fabs(*again - *value) <= tolerance, "float text keeps the value");
        }
    }
}

// A window, one control of every property kind, and a font.
class TFuzzWindow : public TComponent, public IPlacementWindow {
  public:
    std::string ClassName() const override { return "TFuzzForm"; }
    placement::TWindowFacts WindowFacts() const override { return facts; }
    placement::TScreenFacts ScreenFacts() const override { return {}; }
    bool HandleAllocated() const override { return true; }
    placement::TPlacementRecord GetPlacement() const override { return record; }
    void SetPlacement(const placement::TPlacementRecord& r) override { record = r; }
    void UseDesignedPosition() override {}
    void SetWindowState(TWindowState) override {}
    void MinimizeApplication() override {}
    void Repaint() override {}
    void ActivateControl(const std::string& name) override { FindComponent(name); }
    placement::TPoint FrameSize() const override { return {4, 4}; }

    placement::TWindowFacts facts;
    placement::TPlacementRecord record;
};

const TEnumTypeDesc& ShapeType() {
    static const TEnumTypeDesc type{"TShape", {"shRound", "shSquare", "shStar"}};
    return type;
}

class TEveryKind : public TComponent, public IPublished {
  public:
    using TComponent::TComponent;
    const TClassDesc& PublishedClass() const override {
        using K = TEveryKind;
        static const TClassDesc desc(
            "TEveryKind", nullptr,
            {published::Integer<K>(
                 "Int", [](const K& k) { return k.integer; },
                 [](K& k, std::int64_t v) { k.integer = static_cast<std::int32_t>(v); }),
             published::Char<K>(
                 "Letter", [](const K& k) { return static_cast<unsigned char>(k.letter); },
                 [](K& k, std::int64_t v) { k.letter = static_cast<char>(v); }),
             published::WideChar<K>(
                 "Wide", [](const K& k) { return k.wide; },
                 [](K& k, std::int64_t v) { k.wide = static_cast<char16_t>(v); }),
             published::Float<K>(
                 "Single", TFloatType::ftSingle, [](const K& k) { return k.single; },
                 [](K& k, long double v) { k.single = static_cast<float>(v); }),
             published::Float<K>(
                 "Double", TFloatType::ftDouble, [](const K& k) { return k.dbl; },
                 [](K& k, long double v) { k.dbl = static_cast<double>(v); }),
             published::Float<K>(
                 "Extended", TFloatType::ftExtended, [](const K& k) { return k.extended; },
                 [](K& k, long double v) { k.extended = v; }),
             published::Float<K>(
                 "Comp", TFloatType::ftComp, [](const K& k) { return static_cast<long double>(k.comp); },
                 [](K& k, long double v) { k.comp = static_cast<std::int64_t>(std::nearbyint(v)); }),
             published::Float<K>(
                 "Curr", TFloatType::ftCurr, [](const K& k) { return k.currency / 10000.0L; },
                 [](K& k, long double v) {
                     k.currency = static_cast<std::int64_t>(std::nearbyint(v * 10000));
                 }),
             published::ShortString<K>(
                 "Short", 8, [](const K& k) { return k.shortText; },
                 [](K& k, const std::string& v) { k.shortText = v; }),
             published::String<K>(
                 "Long", [](const K& k) { return k.longText; },
                 [](K& k, const std::string& v) { k.longText = v; }),
             published::Variant<K>(
                 "Var", [](const K& k) { return k.variant; }, [](K& k, const TVariant& v) { k.variant = v; }),
             published::Set<K>(
                 "Shapes", ShapeType(), [](const K& k) { return k.shapes; },
                 [](K& k, std::int64_t v) { k.shapes = static_cast<std::uint32_t>(v); }),
             published::Enumeration<K>(
                 "Shape", ShapeType(), [](const K& k) { return k.shape; },
                 [](K& k, std::int64_t v) { k.shape = static_cast<int>(v); }),
             published::Boolean<K>(
                 "Flag", [](const K& k) { return k.flag; }, [](K& k, bool v) { k.flag = v; }),
             published::Component<K>(
                 "Buddy", [](const K& k) { return k.buddy; }, [](K& k, TComponent* c) { k.buddy = c; }),
             published::FontMember<K>("Font", &K::font),
             published::Strings<K>(
                 "Lines", [](const K& k) { return k.lines; },
                 [](K& k, const TStringList& v) { k.lines = v; })});
        return desc;
    }
    // Buddy must not outlive the component it names.
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == TOperation::opRemove && component == buddy)
            buddy = nullptr;
    }

    std::int32_t integer = 0;
    char letter = 'a';
    char16_t wide = u'b';
    float single = 0.5f;
    double dbl = 0.25;
    long double extended = 0.125L;
    std::int64_t comp = 3;
    std::int64_t currency = 12345;
    std::string shortText = "short";
    std::string longText = "long";
    TVariant variant = std::string("v");
    std::uint32_t shapes = 1;
    int shape = 1;
    bool flag = false;
    TComponent* buddy = nullptr;
    TFontDesc font;
    TStringList lines;
};

const std::vector<std::string>& ValueNames() {
    static const std::vector<std::string> names{
        "Flags",           "ShowCmd",           "PixelsPerInch",  "MinMaxPos(1024x768)",
        "MinMaxPos",       "NormPos(1024x768)", "NormPos",        "ActiveControl",
        "FirstTime",       "Obj_Int",           "Obj_Letter",     "Obj_Wide",
        "Obj_Single",      "Obj_Double",        "Obj_Extended",   "Obj_Comp",
        "Obj_Curr",        "Obj_Short",         "Obj_Long",       "Obj_Var",
        "Obj_Shapes",      "Obj_Shape",         "Obj_Flag",       "Obj_Buddy",
        "Obj_FontCharset", "Obj_FontColor",     "Obj_FontHeight", "Obj_FontName",
        "Obj_FontPitch",   "Obj_FontSize",      "Obj_FontStyle"};
    return names;
}

// Texts that a store-load-store cycle must keep as they are.
const std::vector<std::string>& StableNames() {
    static const std::vector<std::string> names{"Obj_Int",   "Obj_Double", "Obj_Extended", "Obj_Short",
                                                "Obj_Long",  "Obj_Shapes", "Obj_Shape",    "Obj_Flag",
                                                "Obj_Buddy", "Obj_Var"};
    return names;
}

std::vector<std::string> Fields(std::string_view text) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        fields.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return fields;
}

void LoadAndSaveThroughAFormStorage(std::string_view text) {
    const std::string section = "Software\\fuzz\\Defaults";
    TMemoryRegistry registry;
    const std::vector<std::string> fields = Fields(text);
    const std::vector<std::string>& names = ValueNames();
    for (std::size_t i = 0; i < fields.size() && i < names.size(); ++i) {
        // A field starting with 0x01 is stored as a number, which reads as the wrong type.
        const bool wrongType = !fields[i].empty() && fields[i][0] == '\x01';
        registry.PutValue(section, names[i],
                          {wrongType ? TRegValueType::rvDWord : TRegValueType::rvString, fields[i]});
    }
    // Fields beyond the named values fill the string list's section. Counts in the tens of thousands only
    // slow the search down (the limit itself is tested elsewhere).
    for (std::size_t i = names.size(); i < fields.size(); ++i) {
        if (i == names.size() && proptext::IntegerFromText(fields[i]) > 1000)
            continue;
        registry.PutValue(section + ".Obj_Lines",
                          i == names.size() ? "Count"
                                            : proptext::ItemName(static_cast<int>(i - names.size() - 1)),
                          {TRegValueType::rvString, fields[i]});
    }

    TFuzzWindow window;
    window.facts.isMainWindow = true;
    window.facts.visible = true;
    window.facts.width = 300;
    window.facts.height = 200;
    auto* object = new TEveryKind(&window);
    object->SetName("Obj");
    auto* other = new TEveryKind(&window);
    other->SetName("Other");
    object->buddy = other;
    object->FreeNotification(other);
    auto* storage = new TFormStorage(&window);
    storage->SetIniFileName("Software\\fuzz");
    storage->SetIniSection("Defaults");
    storage->SetStore(std::make_unique<TMemorySettingsStore>(registry));
    TStringList entries;
    for (const char* property : {"Int", "Letter", "Wide", "Single", "Double", "Extended", "Comp", "Curr",
                                 "Short", "Long", "Var", "Shapes", "Shape", "Flag", "Buddy", "Font", "Lines"})
        entries.Add(std::string("Obj.") + property);
    storage->SetStoredProps(entries);
    storage->Loaded();
    storage->SetOptions(DefaultWindowOptions | PlacementOptionBit(TPlacementOption::fpActiveControl));
    storage->OnRestorePlacement = [storage](TComponent*) { storage->LoadInteger("FirstTime", 0); };
    int failures = 0;
    storage->OnHookError = [&failures](const std::exception&) { ++failures; };

    storage->WindowShow();
    Check(failures <= 1, "one reported failure per load");
    bool canClose = true;
    storage->WindowCloseQuery(canClose);
    std::vector<std::string> first;
    for (const std::string& name : StableNames())
        first.push_back(registry.Value(section, name).value_or(TRegValue{}).data);

    // The save rewrote every value it owns as a string; only values it does not write can fail again.
    failures = 0;
    storage->WindowShow();
    const bool unsavedWrongType =
        registry.Value(section, "FirstTime").value_or(TRegValue{}).type == TRegValueType::rvDWord ||
        registry.Value(section, "ActiveControl").value_or(TRegValue{}).type == TRegValueType::rvDWord;
    Check(failures == 0 || (failures == 1 && unsavedWrongType), "values rewritten as strings read cleanly");
    storage->WindowCloseQuery(canClose);
    for (std::size_t i = 0; i < StableNames().size(); ++i)
        Check(registry.Value(section, StableNames()[i]).value_or(TRegValue{}).data == first[i],
              "store-load-store keeps the text");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    DecodeEveryKind(text);
    placement::MinMaxFromText(text);
    placement::NormalRectFromText(text, placement::TWindowFacts{});
    LoadAndSaveThroughAFormStorage(text);
    return 0;
}
