#pragma once
// The stored text of each kind of property value, and the value read back from a stored text.
// Decoders accept any text: what they cannot read gives "no value" (the property stays as it is).
#include "base/TypInfo_core.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

class TComponent;

namespace proptext {

// Integers are 32-bit: decimal with "-" for negatives.
std::string IntegerText(std::int64_t value);
// Decimal, or hexadecimal after "$"; anything else (also "0x1F") gives 0.
std::int32_t IntegerFromText(std::string_view text);

// The character itself; a wide character beyond the 8-bit range has no text.
std::string CharText(TTypeKind kind, std::int64_t ordinal);
// The first character; an empty text gives no value.
std::optional<std::uint8_t> CharFromText(std::string_view text);

// The identifier of the ordinal; empty for an ordinal outside the type.
std::string EnumText(const TEnumTypeDesc& type, std::int64_t ordinal);
// The ordinal whose identifier equals the text ignoring case.
std::optional<int> EnumFromText(const TEnumTypeDesc& type, std::string_view text);

// "[" + the members' identifiers in ascending order joined by "," + "]"; bits without a member are left out.
std::string SetText(const TEnumTypeDesc& members, std::uint32_t bits);
// Words between blanks, ",", "[" and "]" that name a member (ignoring case) give its bit; others are ignored.
std::uint32_t SetFromText(const TEnumTypeDesc& members, std::string_view text);

// Significant digits of the general format per float type: single 7, double 15, extended 18, comp 18,
// currency 19.
int FloatPrecision(TFloatType type);
// The general format with "." as decimal separator: fixed notation while the integer part has at most
// `precision` digits and the value is at least 0.0001, else "d.dddE[-]x"; trailing zeros dropped.
std::string FloatText(TFloatType type, long double value);
// [sign] digits ["." digits] [("E"|"e") [sign] digits], "." as separator; values outside the float type's
// range give no value.
std::optional<long double> FloatFromText(TFloatType type, std::string_view text);

// The section that holds a string list's or collection's values: "<section>.<valueName>".
std::string ListSection(std::string_view section, std::string_view valueName);
// "Item<n>": a string list's line n.
std::string ItemName(int index);
// "Item<n>_": the prefix of a collection item's values.
std::string ItemPrefix(int index);
// The most lines a stored string list may claim; a larger "Count" is taken as damage and ignored.
inline constexpr int MaxStoredLines = 100000;

// "(null)"; the component's name when the owner window owns it; else "<owner>.<name>", where a nameless
// owner is named by its class name without the leading "T". A component without owner has no text.
std::string ComponentText(const TComponent* component, const TComponent* ownerWindow);

// Finds a window or data module of the application by name, ignoring case (null when there is none).
using TWindowFinder = std::function<TComponent*(std::string_view name)>;

// What a stored component reference asks for: nothing to change, or the component to set (may be null).
struct TComponentLookup {
    bool change = false;
    TComponent* component = nullptr;
};
// Empty text changes nothing; "(null)" sets none; "<window>.<name>" looks the component up in that window
// (a window not found changes nothing), a plain name in the owner window; a name not found sets none.
TComponentLookup ComponentFromText(std::string_view text, TComponent* ownerWindow,
                                   const TWindowFinder& findWindow);

} // namespace proptext
