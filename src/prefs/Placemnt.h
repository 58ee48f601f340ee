#pragma once
// The form storage on the platform: the registry store under HKEY_CURRENT_USER, and the wiring of a
// storage into its window's show, close-query and destroy events.
#include "prefs/Placemnt_core.h"
#include "prefs/SettingsStore_core.h"
#include "win/Handles.h"

#include <initializer_list>
#include <string>

class TForm;

// ISettingsStore over the registry: the storage key below HKEY_CURRENT_USER, one subkey per section.
class TRegistrySettingsStore final : public ISettingsStore {
  public:
    bool OpenKey(const std::string& keyPath) override;
    void CloseKey() override;
    bool KeyOpen() const override { return static_cast<bool>(key_); }
    std::string ReadString(const std::string& section, const std::string& name,
                           const std::string& def) override;
    void WriteString(const std::string& section, const std::string& name, const std::string& text) override;
    void EraseSection(const std::string& section) override;

  private:
    HKEY Base() const { return key_ ? key_.get() : HKEY_CURRENT_USER; }
    RegKey key_;
};

// Makes the form storage of a window: kept in the registry, its failures shown by the application's
// default handler, its entries resolved and its window's events routed through it. Called once the
// window has made its controls and set its own event handlers.
TFormStorage* CreateFormStorage(TForm* form, const std::string& section, TPlacementOptions options,
                                std::initializer_list<const char*> storedProps);
