#pragma once
// Where a form storage keeps its values: a storage key (Software\<program>) with one section subkey per
// window, every value a registry string. The program's registry store implements it over the platform's
// registry; TMemoryRegistry and TMemorySettingsStore keep the same layout in memory.
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>

// Failures are ERegistryException with the runtime's texts (base/SysUtils.h):
//   a section key cannot be created for a write    SRegCreateFailed  with the section name
//   a value cannot be set                          SRegSetDataFailed with the value name
//   a value cannot be read                         SRegGetDataFailed with the value name
//   a value read as text is not a registry string  SInvalidRegType   with the value name
class ISettingsStore {
  public:
    virtual ~ISettingsStore() = default;
    // Opens the storage key, creating it when missing. False when it can be neither created nor opened;
    // that is no failure: sections are then addressed from the root.
    virtual bool OpenKey(const std::string& keyPath) = 0;
    virtual void CloseKey() = 0;
    virtual bool KeyOpen() const = 0;
    // The value's text up to its first zero byte; the default when the section or value is missing.
    // Never creates the section.
    virtual std::string ReadString(const std::string& section, const std::string& name,
                                   const std::string& def) = 0;
    // Creates the section when missing and sets the value as a registry string.
    virtual void WriteString(const std::string& section, const std::string& name,
                             const std::string& text) = 0;
    // Deletes the section subkey with everything below it; a missing section is no failure.
    virtual void EraseSection(const std::string& section) = 0;
};

// A registry value as the platform keeps it: its type and its bytes.
enum class TRegValueType { rvString, rvExpandString, rvDWord, rvBinary, rvMultiString };
struct TRegValue {
    TRegValueType type = TRegValueType::rvString;
    std::string data; // text without its terminating zero, or the raw bytes
    friend bool operator==(const TRegValue&, const TRegValue&) = default;
};

// Registry keys and values in memory; paths are "\"-separated, names compared ignoring case.
class TMemoryRegistry {
  public:
    struct NoCase {
        bool operator()(const std::string& a, const std::string& b) const;
    };
    using TValues = std::map<std::string, TRegValue, NoCase>;

    bool KeyExists(const std::string& path) const;
    // Creates the key with every missing key above it; false when the registry is read-only.
    bool CreateKey(const std::string& path);
    // Deletes the key and everything below it.
    void DeleteKey(const std::string& path);
    const TValues* Values(const std::string& path) const;
    std::optional<TRegValue> Value(const std::string& path, const std::string& name) const;
    // Puts a value of any type (creating its key), also when read-only: how tests prepare the registry.
    void PutValue(const std::string& path, const std::string& name, TRegValue value);
    bool SetValue(const std::string& path, const std::string& name, TRegValue value);

    // A read-only registry refuses to create or write-open keys (existing ones too) and to set values, as
    // the platform does for a user without write access; existing keys can still be read.
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool ReadOnly() const { return readOnly_; }
    // Reading (or setting) this value fails as if the platform could not deliver (or take) its data.
    void SetUnreadable(const std::string& path, const std::string& name) { unreadable_[path].insert(name); }
    bool Unreadable(const std::string& path, const std::string& name) const;
    void SetUnwritable(const std::string& path, const std::string& name) { unwritable_[path].insert(name); }

  private:
    using TNames = std::map<std::string, std::set<std::string, NoCase>, NoCase>;
    static bool Listed(const TNames& names, const std::string& path, const std::string& name);

    std::map<std::string, TValues, NoCase> keys_;
    TNames unreadable_;
    TNames unwritable_;
    bool readOnly_ = false;
};

// "a\b" + "c" = "a\b\c"; either side may be empty.
std::string JoinKeyPath(std::string_view parent, std::string_view child);

// ISettingsStore over a TMemoryRegistry, with the platform store's rules and failures.
class TMemorySettingsStore final : public ISettingsStore {
  public:
    explicit TMemorySettingsStore(TMemoryRegistry& registry) : registry_(registry) {}
    bool OpenKey(const std::string& keyPath) override;
    void CloseKey() override;
    bool KeyOpen() const override { return key_.has_value(); }
    std::string ReadString(const std::string& section, const std::string& name,
                           const std::string& def) override;
    void WriteString(const std::string& section, const std::string& name, const std::string& text) override;
    void EraseSection(const std::string& section) override;

    int OpenCount() const { return openCount_; }

  private:
    std::string SectionPath(const std::string& section) const;

    TMemoryRegistry& registry_;
    std::optional<std::string> key_;
    int openCount_ = 0;
};

// An integer as the form storage reads it: a text longer than two characters that starts with "0x" or
// "0X" is hexadecimal; else an optionally signed decimal or "$" hexadecimal; anything else gives `def`.
std::int32_t SettingsIntegerFromText(std::string_view text, std::int32_t def);
