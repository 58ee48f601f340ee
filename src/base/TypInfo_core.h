#pragma once
// Published properties: every class that wants its settings kept describes its properties in a table
// (name, kind, type data, accessors), so the settings storage can find, read and write them by name.
#include "base/Classes.h"
#include "base/Types.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TComponent;
class TClassDesc;

enum class TTypeKind {
    tkUnknown,
    tkInteger,
    tkChar,
    tkEnumeration,
    tkFloat,
    tkString,
    tkSet,
    tkClass,
    tkMethod,
    tkWChar,
    tkLString,
    tkVariant
};

enum class TFloatType { ftSingle, ftDouble, ftExtended, ftComp, ftCurr };

// What an object-valued property holds; it decides how the object is stored.
enum class TObjectKind {
    okPersistent, // an object with published properties of its own (a font)
    okStrings,    // a string list
    okCollection, // a collection of items with published properties
    okComponent   // a reference to a component
};

// An enumeration type: its identifiers in ordinal order. Also the member type of a set.
struct TEnumTypeDesc {
    std::string name;
    std::vector<std::string> identifiers;
};

// Boolean: the enumeration "False", "True".
const TEnumTypeDesc& BooleanType();

// An object with published properties.
class IPublished {
  public:
    virtual ~IPublished() = default;
    virtual const TClassDesc& PublishedClass() const = 0;
};

// A collection as the storage sees it: a fixed number of items, changed between begin and end of an update.
class ICollection {
  public:
    virtual ~ICollection() = default;
    virtual int Count() const = 0;
    virtual IPublished& Item(int index) = 0;
    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;
};

// One published property. Only the accessors of its kind are set.
struct TPropDesc {
    std::string name;
    TTypeKind kind = TTypeKind::tkUnknown;
    const TEnumTypeDesc* enumType = nullptr; // enumerations; for sets the members' enumeration
    TFloatType floatType = TFloatType::ftDouble;
    int maxLength = 255; // short strings
    TObjectKind objectKind = TObjectKind::okPersistent;

    // Integers, characters, enumerations (ordinal) and sets (bit i for member i).
    std::function<std::int64_t(const IPublished&)> getOrd;
    std::function<void(IPublished&, std::int64_t)> setOrd;
    std::function<long double(const IPublished&)> getFloat;
    std::function<void(IPublished&, long double)> setFloat;
    std::function<std::string(const IPublished&)> getString;
    std::function<void(IPublished&, const std::string&)> setString;
    std::function<TVariant(const IPublished&)> getVariant;
    std::function<void(IPublished&, const TVariant&)> setVariant;
    std::function<TStringList(const IPublished&)> getStrings;
    std::function<void(IPublished&, const TStringList&)> setStrings;
    std::function<TComponent*(const IPublished&)> getComponent;
    std::function<void(IPublished&, TComponent*)> setComponent;
    // Hands the nested object to `use` for as long as it is worked on; nothing when there is none.
    std::function<void(IPublished&, const std::function<void(IPublished&)>& use)> withObject;
    std::function<ICollection*(IPublished&)> getCollection;
};

// A class's published properties, with its parent class's before its own.
class TClassDesc {
  public:
    TClassDesc(std::string className, const TClassDesc* parent, std::vector<TPropDesc> properties);

    const std::string& ClassName() const { return className_; }
    const TClassDesc* Parent() const { return parent_; }
    const std::vector<TPropDesc>& OwnProperties() const { return properties_; }
    // Inherited properties first; a property declared again replaces the inherited one in its place.
    std::vector<const TPropDesc*> Properties() const;

  private:
    std::string className_;
    const TClassDesc* parent_;
    std::vector<TPropDesc> properties_;
};

// Builders for property tables of a class T derived from IPublished. Getters take `const T&`,
// setters `T&` and the value.
namespace published {
namespace detail {
template <class T> const T& As(const IPublished& object) {
    return dynamic_cast<const T&>(object);
}
template <class T> T& As(IPublished& object) {
    return dynamic_cast<T&>(object);
}

template <class T, class Getter, class Setter>
TPropDesc Ordinal(std::string name, TTypeKind kind, Getter get, Setter set) {
    TPropDesc p;
    p.name = std::move(name);
    p.kind = kind;
    p.getOrd = [get](const IPublished& o) { return static_cast<std::int64_t>(get(As<T>(o))); };
    p.setOrd = [set](IPublished& o, std::int64_t v) { set(As<T>(o), v); };
    return p;
}
} // namespace detail

// Integer properties are 32-bit; the setter gets the value as read.
template <class T, class Getter, class Setter> TPropDesc Integer(std::string name, Getter get, Setter set) {
    return detail::Ordinal<T>(std::move(name), TTypeKind::tkInteger, get, set);
}

template <class T, class Getter, class Setter> TPropDesc Char(std::string name, Getter get, Setter set) {
    return detail::Ordinal<T>(std::move(name), TTypeKind::tkChar, get, set);
}

template <class T, class Getter, class Setter> TPropDesc WideChar(std::string name, Getter get, Setter set) {
    return detail::Ordinal<T>(std::move(name), TTypeKind::tkWChar, get, set);
}

// The getter gives the ordinal; the setter gets an ordinal of one of the type's identifiers.
template <class T, class Getter, class Setter>
TPropDesc Enumeration(std::string name, const TEnumTypeDesc& type, Getter get, Setter set) {
    TPropDesc p = detail::Ordinal<T>(std::move(name), TTypeKind::tkEnumeration, get, set);
    p.enumType = &type;
    return p;
}

template <class T, class Getter, class Setter> TPropDesc Boolean(std::string name, Getter get, Setter set) {
    return Enumeration<T>(
        std::move(name), BooleanType(), [get](const T& o) { return get(o) ? 1 : 0; },
        [set](T& o, std::int64_t v) { set(o, v != 0); });
}

// The getter gives the members as bits (bit i for member i).
template <class T, class Getter, class Setter>
TPropDesc Set(std::string name, const TEnumTypeDesc& members, Getter get, Setter set) {
    TPropDesc p = detail::Ordinal<T>(std::move(name), TTypeKind::tkSet, get, set);
    p.enumType = &members;
    return p;
}

template <class T, class Getter, class Setter>
TPropDesc Float(std::string name, TFloatType floatType, Getter get, Setter set) {
    TPropDesc p;
    p.name = std::move(name);
    p.kind = TTypeKind::tkFloat;
    p.floatType = floatType;
    p.getFloat = [get](const IPublished& o) { return static_cast<long double>(get(detail::As<T>(o))); };
    p.setFloat = [set](IPublished& o, long double v) { set(detail::As<T>(o), v); };
    return p;
}

namespace detail {
template <class T, class Getter, class Setter>
TPropDesc Text(std::string name, TTypeKind kind, Getter get, Setter set) {
    TPropDesc p;
    p.name = std::move(name);
    p.kind = kind;
    p.getString = [get](const IPublished& o) { return std::string(get(As<T>(o))); };
    p.setString = [set](IPublished& o, const std::string& v) { set(As<T>(o), v); };
    return p;
}
} // namespace detail

// A short string of at most `maxLength` characters; longer texts are cut when loaded.
template <class T, class Getter, class Setter>
TPropDesc ShortString(std::string name, int maxLength, Getter get, Setter set) {
    TPropDesc p = detail::Text<T>(std::move(name), TTypeKind::tkString, get, set);
    p.maxLength = maxLength;
    return p;
}

template <class T, class Getter, class Setter> TPropDesc String(std::string name, Getter get, Setter set) {
    return detail::Text<T>(std::move(name), TTypeKind::tkLString, get, set);
}

template <class T, class Getter, class Setter> TPropDesc Variant(std::string name, Getter get, Setter set) {
    TPropDesc p;
    p.name = std::move(name);
    p.kind = TTypeKind::tkVariant;
    p.getVariant = [get](const IPublished& o) { return TVariant(get(detail::As<T>(o))); };
    p.setVariant = [set](IPublished& o, const TVariant& v) { set(detail::As<T>(o), v); };
    return p;
}

// A string list, read and written as a copy.
template <class T, class Getter, class Setter> TPropDesc Strings(std::string name, Getter get, Setter set) {
    TPropDesc p;
    p.name = std::move(name);
    p.kind = TTypeKind::tkClass;
    p.objectKind = TObjectKind::okStrings;
    p.getStrings = [get](const IPublished& o) { return TStringList(get(detail::As<T>(o))); };
    p.setStrings = [set](IPublished& o, const TStringList& v) { set(detail::As<T>(o), v); };
    return p;
}

// The getter gives the collection the object holds (or null).
template <class T, class Getter> TPropDesc Collection(std::string name, Getter get) {
    TPropDesc p;
    p.name = std::move(name);
    p.kind = TTypeKind::tkClass;
    p.objectKind = TObjectKind::okCollection;
    p.getCollection = [get](IPublished& o) -> ICollection* { return get(detail::As<T>(o)); };
    return p;
}

// A reference to a component; the setter may refuse a component of the wrong class by throwing.
template <class T, class Getter, class Setter> TPropDesc Component(std::string name, Getter get, Setter set) {
    TPropDesc p;
    p.name = std::move(name);
    p.kind = TTypeKind::tkClass;
    p.objectKind = TObjectKind::okComponent;
    p.getComponent = [get](const IPublished& o) -> TComponent* { return get(detail::As<T>(o)); };
    p.setComponent = [set](IPublished& o, TComponent* v) { set(detail::As<T>(o), v); };
    return p;
}

// A nested object the instance holds; the getter gives it (or null).
template <class T, class Getter> TPropDesc Object(std::string name, Getter get) {
    TPropDesc p;
    p.name = std::move(name);
    p.kind = TTypeKind::tkClass;
    p.objectKind = TObjectKind::okPersistent;
    p.withObject = [get](IPublished& o, const std::function<void(IPublished&)>& use) {
        if (IPublished* inner = get(detail::As<T>(o)))
            use(*inner);
    };
    return p;
}

// An event; listed by the class but never stored.
TPropDesc Method(std::string name);
} // namespace published
