#include "prefs/PropsStorage_core.h"

#include "base/Component.h"
#include "base/ScopeExit.h"
#include "base/SysUtils.h"

#include <algorithm>
#include <map>

TPropInfoList::TPropInfoList(const IPublished& object) {
    for (const TPropDesc* prop : object.PublishedClass().Properties())
        if (prop->kind != TTypeKind::tkMethod && prop->kind != TTypeKind::tkUnknown)
            properties_.push_back(prop);
    std::stable_sort(properties_.begin(), properties_.end(), [](const TPropDesc* a, const TPropDesc* b) {
        return rtl::CompareText(a->name, b->name) < 0;
    });
}

const TPropDesc* TPropInfoList::Find(std::string_view name) const {
    for (const TPropDesc* prop : properties_)
        if (rtl::SameText(prop->name, name))
            return prop;
    return nullptr;
}

std::optional<TEntryParts> SplitStoredEntry(std::string_view entry) {
    const std::size_t dot = entry.find('.');
    if (dot == std::string_view::npos)
        return std::nullopt;
    TEntryParts parts{rtl::Trim(entry.substr(0, dot)), rtl::Trim(entry.substr(dot + 1))};
    if (parts.component.empty() || parts.property.empty())
        return std::nullopt;
    return parts;
}

namespace {
bool IsTextKind(TTypeKind kind) {
    return kind == TTypeKind::tkString || kind == TTypeKind::tkLString || kind == TTypeKind::tkWChar;
}

bool IsStoredAsOwnValues(const TPropDesc& prop) {
    return prop.kind == TTypeKind::tkClass && prop.objectKind != TObjectKind::okComponent;
}
} // namespace

std::string TPropsStorage::ReadText(const std::string& section, const std::string& name,
                                    const std::string& def) {
    return onReadText_ ? onReadText_(section, name, def) : std::string();
}

void TPropsStorage::WriteText(const std::string& section, const std::string& name, const std::string& text) {
    if (onWriteText_)
        onWriteText_(section, name, text);
}

void TPropsStorage::EraseSection(const std::string& section) {
    if (onEraseSection_)
        onEraseSection_(section);
}

std::string TPropsStorage::ValueName(const std::string& propertyName) const {
    return prefix_ + propertyName;
}

std::unique_ptr<TPropsStorage> TPropsStorage::NewStorage() const {
    auto storage = std::make_unique<TPropsStorage>();
    storage->onReadText_ = onReadText_;
    storage->onWriteText_ = onWriteText_;
    storage->onEraseSection_ = onEraseSection_;
    return storage;
}

std::unique_ptr<TPropsStorage> TPropsStorage::NestedStorage(IPublished& target, std::string section,
                                                            std::string prefix) const {
    std::unique_ptr<TPropsStorage> storage = NewStorage();
    storage->findWindow_ = findWindow_;
    storage->ownerWindow_ = ownerWindow_;
    storage->target_ = &target;
    storage->section_ = std::move(section);
    storage->prefix_ = std::move(prefix);
    return storage;
}

template <class Step>
void TPropsStorage::ForEachEntry(TComponent& ownerWindow, TStoredEntries& entries, Step step) {
    for (std::size_t i = entries.size(); i-- > 0;) {
        const auto parts = SplitStoredEntry(entries[i].text);
        if (!entries[i].component || !parts)
            entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(i));
        else
            entries[i].text = entries[i].component->Name() + "." + parts->property;
    }

    const TScopeExit restore([this] {
        ownerWindow_ = nullptr;
        target_ = nullptr;
        prefix_.clear();
    });
    ownerWindow_ = &ownerWindow;
    std::map<const TComponent*, TPropInfoList> propertyLists;
    // A snapshot: a setter that frees a component must not pull the list from under the loop.
    const TStoredEntries snapshot = entries;
    for (const TStoredEntry& entry : snapshot) {
        auto* object = dynamic_cast<IPublished*>(entry.component);
        const auto parts = SplitStoredEntry(entry.text);
        if (!object || !parts)
            continue;
        auto list = propertyLists.find(entry.component);
        if (list == propertyLists.end())
            list = propertyLists.emplace(entry.component, TPropInfoList(*object)).first;
        const TPropDesc* prop = list->second.Find(parts->property);
        if (!prop)
            continue;
        target_ = object;
        prefix_ = entry.component->Name() + "_";
        step(*prop);
    }
}

void TPropsStorage::StoreEntries(TComponent& ownerWindow, TStoredEntries& entries) {
    ForEachEntry(ownerWindow, entries, [this](const TPropDesc& prop) { StoreProperty(prop); });
}

void TPropsStorage::LoadEntries(TComponent& ownerWindow, TStoredEntries& entries) {
    ForEachEntry(ownerWindow, entries, [this](const TPropDesc& prop) { LoadProperty(prop); });
}

std::string TPropsStorage::ValueText(const TPropDesc& prop) const {
    IPublished& target = *target_;
    switch (prop.kind) {
    case TTypeKind::tkInteger:
        return proptext::IntegerText(prop.getOrd(target));
    case TTypeKind::tkChar:
    case TTypeKind::tkWChar:
        return proptext::CharText(prop.kind, prop.getOrd(target));
    case TTypeKind::tkEnumeration:
        return proptext::EnumText(*prop.enumType, prop.getOrd(target));
    case TTypeKind::tkFloat:
        return proptext::FloatText(prop.floatType, prop.getFloat(target));
    case TTypeKind::tkString:
    case TTypeKind::tkLString:
        return prop.getString(target);
    case TTypeKind::tkSet:
        return proptext::SetText(*prop.enumType, static_cast<std::uint32_t>(prop.getOrd(target)));
    case TTypeKind::tkVariant:
        return VariantToText(prop.getVariant(target));
    case TTypeKind::tkClass:
        if (prop.objectKind == TObjectKind::okComponent)
            return proptext::ComponentText(prop.getComponent(target), ownerWindow_);
        return {};
    case TTypeKind::tkMethod:
    case TTypeKind::tkUnknown:
        return {};
    }
    return {};
}

void TPropsStorage::StoreProperty(const TPropDesc& prop) {
    if (IsStoredAsOwnValues(prop)) {
        StoreObject(prop);
        return;
    }
    const std::string text = rtl::Trim(ValueText(prop));
    if (!text.empty() || IsTextKind(prop.kind))
        WriteText(section_, ValueName(prop.name), text);
}

void TPropsStorage::LoadProperty(const TPropDesc& prop) {
    try {
        if (IsStoredAsOwnValues(prop)) {
            LoadObject(prop);
            return;
        }
        // A missing value reads as the current one, so unstored properties keep their values.
        const std::string def = prop.kind == TTypeKind::tkClass ? std::string() : ValueText(prop);
        const bool read = !def.empty() || IsTextKind(prop.kind) || prop.kind == TTypeKind::tkClass;
        ApplyText(prop, read ? rtl::Trim(ReadText(section_, ValueName(prop.name), def)) : std::string());
    } catch (const std::exception&) {
        // The property keeps its value; the next one is loaded.
    }
}

void TPropsStorage::ApplyText(const TPropDesc& prop, const std::string& text) {
    IPublished& target = *target_;
    switch (prop.kind) {
    case TTypeKind::tkInteger:
        prop.setOrd(target, proptext::IntegerFromText(text));
        break;
    case TTypeKind::tkChar:
    case TTypeKind::tkWChar:
        if (const auto c = proptext::CharFromText(text))
            prop.setOrd(target, *c);
        break;
    case TTypeKind::tkEnumeration:
        if (const auto ordinal = proptext::EnumFromText(*prop.enumType, text))
            prop.setOrd(target, *ordinal);
        break;
    case TTypeKind::tkFloat:
        if (const auto value = proptext::FloatFromText(prop.floatType, text))
            prop.setFloat(target, *value);
        break;
    case TTypeKind::tkString:
        prop.setString(target, text.substr(0, static_cast<std::size_t>(std::max(prop.maxLength, 0))));
        break;
    case TTypeKind::tkLString:
        prop.setString(target, text);
        break;
    case TTypeKind::tkSet:
        prop.setOrd(target, proptext::SetFromText(*prop.enumType, text));
        break;
    case TTypeKind::tkVariant:
        // Nothing is stored for an empty variant; reading nothing keeps what it holds.
        if (!text.empty())
            prop.setVariant(target, TVariant(text));
        break;
    case TTypeKind::tkClass:
        if (const auto lookup = proptext::ComponentFromText(text, ownerWindow_, findWindow_); lookup.change)
            prop.setComponent(target, lookup.component);
        break;
    case TTypeKind::tkMethod:
    case TTypeKind::tkUnknown:
        break;
    }
}

void TPropsStorage::StoreAll() {
    const TPropInfoList properties(*target_);
    for (int i = 0; i < properties.Count(); ++i)
        StoreProperty(properties[i]);
}

void TPropsStorage::LoadAll() {
    const TPropInfoList properties(*target_);
    for (int i = 0; i < properties.Count(); ++i)
        LoadProperty(properties[i]);
}

void TPropsStorage::StoreObject(const TPropDesc& prop) {
    const std::string valueName = ValueName(prop.name);
    switch (prop.objectKind) {
    case TObjectKind::okStrings: {
        const TStringList lines = prop.getStrings(*target_);
        const std::string section = proptext::ListSection(section_, valueName);
        EraseSection(section);
        if (lines.Count() == 0)
            break;
        WriteText(section, "Count", rtl::IntToStr(lines.Count()));
        for (int i = 0; i < lines.Count(); ++i)
            WriteText(section, proptext::ItemName(i), lines[i]);
        break;
    }
    case TObjectKind::okCollection: {
        ICollection* collection = prop.getCollection(*target_);
        if (!collection)
            break;
        const std::string section = proptext::ListSection(section_, valueName);
        EraseSection(section);
        for (int i = 0; i < collection->Count(); ++i)
            NestedStorage(collection->Item(i), section, proptext::ItemPrefix(i))->StoreAll();
        break;
    }
    case TObjectKind::okPersistent:
        prop.withObject(*target_,
                        [&](IPublished& inner) { NestedStorage(inner, section_, valueName)->StoreAll(); });
        break;
    case TObjectKind::okComponent:
        break;
    }
}

void TPropsStorage::LoadObject(const TPropDesc& prop) {
    const std::string valueName = ValueName(prop.name);
    switch (prop.objectKind) {
    case TObjectKind::okStrings: {
        const std::string section = proptext::ListSection(section_, valueName);
        const int count = proptext::IntegerFromText(ReadText(section, "Count", "0"));
        if (count <= 0 || count > proptext::MaxStoredLines)
            break;
        TStringList lines;
        for (int i = 0; i < count; ++i)
            lines.Add(ReadText(section, proptext::ItemName(i), ""));
        prop.setStrings(*target_, lines);
        break;
    }
    case TObjectKind::okCollection: {
        ICollection* collection = prop.getCollection(*target_);
        if (!collection)
            break;
        const std::string section = proptext::ListSection(section_, valueName);
        collection->BeginUpdate();
        const TScopeExit endUpdate([collection] { collection->EndUpdate(); });
        for (int i = 0; i < collection->Count(); ++i)
            NestedStorage(collection->Item(i), section, proptext::ItemPrefix(i))->LoadAll();
        break;
    }
    case TObjectKind::okPersistent:
        prop.withObject(*target_,
                        [&](IPublished& inner) { NestedStorage(inner, section_, valueName)->LoadAll(); });
        break;
    case TObjectKind::okComponent:
        break;
    }
}
