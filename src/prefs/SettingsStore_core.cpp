#include "prefs/SettingsStore_core.h"

#include "base/SysUtils.h"

bool TMemoryRegistry::NoCase::operator()(const std::string& a, const std::string& b) const {
    return rtl::CompareText(a, b) < 0;
}

std::string JoinKeyPath(std::string_view parent, std::string_view child) {
    if (parent.empty())
        return std::string(child);
    if (child.empty())
        return std::string(parent);
    std::string path(parent);
    path += '\\';
    path += child;
    return path;
}

bool TMemoryRegistry::KeyExists(const std::string& path) const {
    return path.empty() || keys_.count(path) != 0;
}

bool TMemoryRegistry::CreateKey(const std::string& path) {
    if (readOnly_)
        return false;
    for (std::size_t end = path.find('\\'); end != std::string::npos; end = path.find('\\', end + 1))
        keys_[path.substr(0, end)];
    if (!path.empty())
        keys_[path];
    return true;
}

void TMemoryRegistry::DeleteKey(const std::string& path) {
    const std::string below = path + "\\";
    for (auto key = keys_.begin(); key != keys_.end();) {
        const bool inside =
            rtl::SameText(key->first, path) ||
            (key->first.size() > below.size() && rtl::SameText(key->first.substr(0, below.size()), below));
        key = inside ? keys_.erase(key) : std::next(key);
    }
}

const TMemoryRegistry::TValues* TMemoryRegistry::Values(const std::string& path) const {
    const auto key = keys_.find(path);
    return key == keys_.end() ? nullptr : &key->second;
}

std::optional<TRegValue> TMemoryRegistry::Value(const std::string& path, const std::string& name) const {
    const TValues* values = Values(path);
    if (!values)
        return std::nullopt;
    const auto value = values->find(name);
    if (value == values->end())
        return std::nullopt;
    return value->second;
}

void TMemoryRegistry::PutValue(const std::string& path, const std::string& name, TRegValue value) {
    const bool readOnly = readOnly_;
    readOnly_ = false;
    CreateKey(path);
    readOnly_ = readOnly;
    keys_[path][name] = std::move(value);
}

bool TMemoryRegistry::SetValue(const std::string& path, const std::string& name, TRegValue value) {
    if (readOnly_ || !KeyExists(path) || Listed(unwritable_, path, name))
        return false;
    keys_[path][name] = std::move(value);
    return true;
}

bool TMemoryRegistry::Unreadable(const std::string& path, const std::string& name) const {
    return Listed(unreadable_, path, name);
}

bool TMemoryRegistry::Listed(const TNames& names, const std::string& path, const std::string& name) {
    const auto key = names.find(path);
    return key != names.end() && key->second.count(name) != 0;
}

bool TMemorySettingsStore::OpenKey(const std::string& keyPath) {
    ++openCount_;
    // Write access first; an existing key the user may only read is still opened for reading.
    if (registry_.CreateKey(keyPath) || registry_.KeyExists(keyPath)) {
        key_ = keyPath;
        return true;
    }
    key_.reset();
    return false;
}

void TMemorySettingsStore::CloseKey() {
    key_.reset();
}

std::string TMemorySettingsStore::SectionPath(const std::string& section) const {
    return JoinKeyPath(key_ ? *key_ : std::string(), section);
}

std::string TMemorySettingsStore::ReadString(const std::string& section, const std::string& name,
                                             const std::string& def) {
    const std::string path = SectionPath(section);
    const std::optional<TRegValue> value = registry_.Value(path, name);
    if (!value)
        return def;
    if (value->type != TRegValueType::rvString && value->type != TRegValueType::rvExpandString)
        throw ERegistryException(rtl::Format(rtl::SInvalidRegType, name));
    if (registry_.Unreadable(path, name))
        throw ERegistryException(rtl::Format(rtl::SRegGetDataFailed, name));
    return value->data.substr(0, value->data.find('\0'));
}

void TMemorySettingsStore::WriteString(const std::string& section, const std::string& name,
                                       const std::string& text) {
    const std::string path = SectionPath(section);
    if (!registry_.CreateKey(path))
        throw ERegistryException(rtl::Format(rtl::SRegCreateFailed, section));
    if (!registry_.SetValue(path, name, TRegValue{TRegValueType::rvString, text}))
        throw ERegistryException(rtl::Format(rtl::SRegSetDataFailed, name));
}

void TMemorySettingsStore::EraseSection(const std::string& section) {
    if (!registry_.ReadOnly())
        registry_.DeleteKey(SectionPath(section));
}

std::int32_t SettingsIntegerFromText(std::string_view text, std::int32_t def) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        return rtl::StrToIntDef("$" + std::string(text.substr(2)), def);
    return rtl::StrToIntDef(text, def);
}
