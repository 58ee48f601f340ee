#include "prefs/PropText_core.h"

#include "base/Component.h"
#include "base/SysUtils.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace proptext {

std::string IntegerText(std::int64_t value) {
    return rtl::IntToStr(static_cast<std::int32_t>(value));
}

std::int32_t IntegerFromText(std::string_view text) {
    return rtl::StrToIntDef(text, 0);
}

std::string CharText(TTypeKind kind, std::int64_t ordinal) {
    if (kind == TTypeKind::tkWChar && (ordinal < 0 || ordinal > 0xFF))
        return {};
    return std::string(1, static_cast<char>(ordinal & 0xFF));
}

std::optional<std::uint8_t> CharFromText(std::string_view text) {
    if (text.empty())
        return std::nullopt;
    return static_cast<std::uint8_t>(text.front());
}

std::string EnumText(const TEnumTypeDesc& type, std::int64_t ordinal) {
    if (ordinal < 0 || ordinal >= static_cast<std::int64_t>(type.identifiers.size()))
        return {};
    return type.identifiers[static_cast<std::size_t>(ordinal)];
}

std::optional<int> EnumFromText(const TEnumTypeDesc& type, std::string_view text) {
    for (std::size_t i = 0; i < type.identifiers.size(); ++i)
        if (rtl::SameText(type.identifiers[i], text))
            return static_cast<int>(i);
    return std::nullopt;
}

namespace {
constexpr std::size_t MaxSetMembers = 32;

std::size_t SetMemberCount(const TEnumTypeDesc& members) {
    return members.identifiers.size() < MaxSetMembers ? members.identifiers.size() : MaxSetMembers;
}
} // namespace

std::string SetText(const TEnumTypeDesc& members, std::uint32_t bits) {
    std::string text = "[";
    bool first = true;
    for (std::size_t i = 0; i < SetMemberCount(members); ++i) {
        if ((bits & (1u << i)) == 0)
            continue;
        if (!first)
            text += ',';
        text += members.identifiers[i];
        first = false;
    }
    text += ']';
    return text;
}

std::uint32_t SetFromText(const TEnumTypeDesc& members, std::string_view text) {
    constexpr std::string_view delimiters = " ,[]";
    std::uint32_t bits = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t start = text.find_first_not_of(delimiters, pos);
        if (start == std::string_view::npos)
            break;
        std::size_t end = text.find_first_of(delimiters, start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view word = text.substr(start, end - start);
        for (std::size_t i = 0; i < SetMemberCount(members); ++i)
            if (rtl::SameText(members.identifiers[i], word))
                bits |= 1u << i;
        pos = end;
    }
    return bits;
}

int FloatPrecision(TFloatType type) {
    switch (type) {
    case TFloatType::ftSingle:
        return 7;
    case TFloatType::ftDouble:
        return 15;
    case TFloatType::ftExtended:
    case TFloatType::ftComp:
        return 18;
    case TFloatType::ftCurr:
        return 19;
    }
    return 15;
}

std::string FloatText(TFloatType type, long double value) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";
    const int precision = FloatPrecision(type);
    // "%e" rounds to the wanted number of significant digits: [-]d.ddde[+-]xx.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*Le", precision - 1, value);
    std::string_view scientific(buffer);
    const bool negative = scientific.front() == '-';
    if (negative)
        scientific.remove_prefix(1);
    const std::size_t e = scientific.find_first_of("eE");
    std::string digits;
    for (char c : scientific.substr(0, e))
        if (c >= '0' && c <= '9')
            digits += c;
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    const int exponent = std::atoi(std::string(scientific.substr(e + 1)).c_str());

    std::string text = negative ? "-" : "";
    const int integerDigits = exponent + 1;
    if (integerDigits > precision || integerDigits < -3) {
        text += digits.front();
        if (digits.size() > 1)
            text += "." + digits.substr(1);
        text += "E" + std::to_string(exponent);
    } else if (integerDigits <= 0) {
        text += "0." + std::string(static_cast<std::size_t>(-integerDigits), '0') + digits;
    } else {
        const auto point = static_cast<std::size_t>(integerDigits);
        if (digits.size() <= point)
            text += digits + std::string(point - digits.size(), '0');
        else
            text += digits.substr(0, point) + "." + digits.substr(point);
    }
    return text;
}

namespace {
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Copies the number's characters when the whole text is one; empty otherwise.
std::string CheckedNumber(std::string_view text) {
    std::string number;
    std::size_t i = 0;
    auto takeSign = [&] {
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            number += text[i++];
    };
    auto takeDigits = [&] {
        std::size_t count = 0;
        for (; i < text.size() && IsDigit(text[i]); ++i, ++count)
            number += text[i];
        return count;
    };
    takeSign();
    std::size_t mantissaDigits = takeDigits();
    if (i < text.size() && text[i] == '.') {
        number += text[i++];
        mantissaDigits += takeDigits();
    }
    if (mantissaDigits == 0)
        return {};
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        number += text[i++];
        takeSign();
        if (takeDigits() == 0)
            return {};
    }
    return i == text.size() ? number : std::string{};
}

bool InRange(TFloatType type, long double value) {
    switch (type) {
    case TFloatType::ftSingle:
        return std::fabs(value) <= FLT_MAX;
    case TFloatType::ftDouble:
        return std::fabs(value) <= DBL_MAX;
    case TFloatType::ftExtended:
        return true;
    case TFloatType::ftComp: {
        // A comp holds a 64-bit integer; the value is rounded to it.
        const long double rounded = std::nearbyint(value);
        return rounded >= -9223372036854775808.0L && rounded < 9223372036854775808.0L;
    }
    case TFloatType::ftCurr: {
        // A currency holds a 64-bit integer of ten-thousandths.
        const long double scaled = std::nearbyint(value * 10000);
        return scaled >= -9223372036854775808.0L && scaled < 9223372036854775808.0L;
    }
    }
    return false;
}
} // namespace

std::optional<long double> FloatFromText(TFloatType type, std::string_view text) {
    const std::string number = CheckedNumber(text);
    if (number.empty())
        return std::nullopt;
    const long double value = std::strtold(number.c_str(), nullptr);
    if (!std::isfinite(value) || !InRange(type, value))
        return std::nullopt;
    return value;
}

std::string ListSection(std::string_view section, std::string_view valueName) {
    std::string name(section);
    name += '.';
    name += valueName;
    return name;
}

std::string ItemName(int index) {
    return "Item" + std::to_string(index);
}

std::string ItemPrefix(int index) {
    return ItemName(index) + "_";
}

std::string ComponentText(const TComponent* component, const TComponent* ownerWindow) {
    if (!component)
        return "(null)";
    const TComponent* owner = component->Owner();
    if (!owner)
        return {};
    if (owner == ownerWindow)
        return component->Name();
    std::string ownerName = owner->Name();
    if (ownerName.empty()) {
        ownerName = owner->ClassName();
        if (!ownerName.empty() && ownerName.front() == 'T')
            ownerName.erase(0, 1);
    }
    return ownerName + "." + component->Name();
}

TComponentLookup ComponentFromText(std::string_view text, TComponent* ownerWindow,
                                   const TWindowFinder& findWindow) {
    if (text.empty())
        return {};
    if (rtl::SameText(text, "(null)"))
        return {true, nullptr};
    TComponent* window = ownerWindow;
    std::string_view name = text;
    if (const std::size_t dot = text.find('.'); dot != std::string_view::npos) {
        window = findWindow ? findWindow(text.substr(0, dot)) : nullptr;
        name = text.substr(dot + 1);
    }
    if (!window)
        return {};
    return {true, window->FindComponent(std::string(name))};
}

} // namespace proptext
