#pragma once
// Published properties of a window's controls as text values and back. Entries name the component and
// the property ("RunP.Checked"); values are named by the component's name, "_" and the property
// ("RunP_Checked"), nested objects by the outer value name followed by the inner property
// ("Memo1_FontSize").
#include "prefs/PropText_core.h"
#include "base/TypInfo_core.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TComponent;

// The published properties of an object whose kind is not a method or unknown, sorted by name
// ignoring case.
class TPropInfoList {
  public:
    explicit TPropInfoList(const IPublished& object);
    int Count() const { return static_cast<int>(properties_.size()); }
    const TPropDesc& operator[](int index) const { return *properties_.at(static_cast<std::size_t>(index)); }
    // By name ignoring case; null when there is none.
    const TPropDesc* Find(std::string_view name) const;

  private:
    std::vector<const TPropDesc*> properties_;
};

// One stored-property entry: "Component.Property" and, once resolved, the component it names.
struct TStoredEntry {
    std::string text;
    TComponent* component = nullptr;
};
using TStoredEntries = std::vector<TStoredEntry>;

struct TEntryParts {
    std::string component;
    std::string property;
};
// Splits at the first "."; both sides trimmed. No parts when there is no "." or a side is empty.
std::optional<TEntryParts> SplitStoredEntry(std::string_view entry);

class TPropsStorage {
  public:
    using TReadText = std::function<std::string(const std::string& section, const std::string& name,
                                                const std::string& def)>;
    using TWriteText =
        std::function<void(const std::string& section, const std::string& name, const std::string& text)>;
    using TEraseSection = std::function<void(const std::string& section)>;

    TPropsStorage() = default;
    virtual ~TPropsStorage() = default;
    TPropsStorage(const TPropsStorage&) = delete;
    TPropsStorage& operator=(const TPropsStorage&) = delete;

    void SetOnReadText(TReadText read) { onReadText_ = std::move(read); }
    void SetOnWriteText(TWriteText write) { onWriteText_ = std::move(write); }
    void SetOnEraseSection(TEraseSection erase) { onEraseSection_ = std::move(erase); }
    // How "Window.Component" references find their window; without one, only the owner window's own
    // components can be referred to.
    void SetWindowFinder(proptext::TWindowFinder finder) { findWindow_ = std::move(finder); }

    const std::string& Section() const { return section_; }
    void SetSection(std::string section) { section_ = std::move(section); }
    const std::string& Prefix() const { return prefix_; }
    void SetPrefix(std::string prefix) { prefix_ = std::move(prefix); }
    IPublished* Target() const { return target_; }
    void SetTarget(IPublished* target) { target_ = target; }
    TComponent* OwnerWindow() const { return ownerWindow_; }

    // Brings the entries up to date (entries with a component are renamed after it, the others deleted)
    // and writes every entry's property. Failures of the callbacks are passed on.
    void StoreEntries(TComponent& ownerWindow, TStoredEntries& entries);
    // The same upkeep, then reads every entry's property; a failure only leaves that property unchanged.
    void LoadEntries(TComponent& ownerWindow, TStoredEntries& entries);

    // One property of the target under the current prefix.
    void StoreProperty(const TPropDesc& prop);
    void LoadProperty(const TPropDesc& prop);

  protected:
    virtual std::string ReadText(const std::string& section, const std::string& name, const std::string& def);
    virtual void WriteText(const std::string& section, const std::string& name, const std::string& text);
    virtual void EraseSection(const std::string& section);
    virtual std::string ValueName(const std::string& propertyName) const;
    // A storage for a nested object, with this one's callbacks and owner window.
    virtual std::unique_ptr<TPropsStorage> NewStorage() const;

  private:
    template <class Step> void ForEachEntry(TComponent& ownerWindow, TStoredEntries& entries, Step step);
    std::unique_ptr<TPropsStorage> NestedStorage(IPublished& target, std::string section,
                                                 std::string prefix) const;
    std::string ValueText(const TPropDesc& prop) const;
    void ApplyText(const TPropDesc& prop, const std::string& text);
    void StoreObject(const TPropDesc& prop);
    void LoadObject(const TPropDesc& prop);
    void StoreAll();
    void LoadAll();

    TReadText onReadText_;
    TWriteText onWriteText_;
    TEraseSection onEraseSection_;
    proptext::TWindowFinder findWindow_;
    std::string section_;
    std::string prefix_;
    IPublished* target_ = nullptr;
    TComponent* ownerWindow_ = nullptr;
};
