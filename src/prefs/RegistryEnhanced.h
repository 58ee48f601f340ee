#pragma once
// TRegistryEnhanced: reads one named value from a registry key as a variant, never writing or
// creating anything.
#include "base/Component.h"
#include "base/Types.h"
#include "prefs/RegistryEnhanced_core.h"

#include <array>
#include <cstdint>
#include <string>

class TRegistryEnhanced : public TComponent {
  public:
    using TAccess = registryenhanced::TAccess;
    using TLangType = registryenhanced::TLangType;
    using TRootKey = registryenhanced::TRootKey;

    explicit TRegistryEnhanced(TComponent* owner = nullptr);
    std::string ClassName() const override { return "TRegistryEnhanced"; }

    TAccess Access() const { return access_; }
    void SetAccess(TAccess value) { access_ = value; }
    const std::string& Key() const { return key_; }
    void SetKey(std::string value) { key_ = std::move(value); }
    TLangType LangType() const { return langType_; }
    void SetLangType(TLangType value);
    TRootKey RootKey() const { return rootKey_; }
    void SetRootKey(TRootKey value) { rootKey_ = value; }
    // Reads through the 32-bit programs' view of the registry, where a 32-bit program's entries live
    // on 64-bit Windows; off: the view of this build.
    bool View32() const { return view32_; }
    void SetView32(bool value) { view32_ = value; }

    // The component's two texts in the language LangType selects.
    const registryenhanced::TMessageTexts& Messages() const { return messages_; }

    // Reads the value `name` (which may lead through subkeys below Key) into `result`; see
    // registryenhanced::ReadValue for what each registry type gives.
    void ReadValue(const std::string& name, TVariant& result);

  private:
    TAccess access_ = TAccess::kAllAccess;
    std::string key_;
    TLangType langType_ = TLangType::ltFrench;
    TRootKey rootKey_ = TRootKey::hkCurrentUser;
    bool view32_ = false;
    registryenhanced::TMessageTexts messages_;
    std::array<std::uint8_t, registryenhanced::binaryBufferSize> binaryBuffer_{};
};
