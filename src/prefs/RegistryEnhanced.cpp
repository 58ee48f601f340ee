#include "prefs/RegistryEnhanced.h"

#include "win/Handles.h"

namespace {

using namespace registryenhanced;

static_assert(regSz == REG_SZ && regExpandSz == REG_EXPAND_SZ && regBinary == REG_BINARY &&
              regDword == REG_DWORD && regMultiSz == REG_MULTI_SZ);

// The real registry: one key open at a time, closed when the object goes.
class TWinRegistryAccess : public TRegistryAccess {
  public:
    bool OpenKey(std::uint32_t rootKey, const std::string& path, std::uint32_t accessMask) override {
        key_.reset();
        // The predefined roots are handle values by definition: 32-bit values, sign-extended on 64-bit.
        const HKEY root = reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(rootKey)));
        HKEY key = nullptr;
        if (RegOpenKeyExA(root, path.c_str(), 0, accessMask, &key) != ERROR_SUCCESS)
            return false;
        key_.reset(key);
        return true;
    }

    std::optional<TRegValueInfo> QueryValueInfo(const std::string& valueName) override {
        DWORD type = 0;
        DWORD size = 0;
        if (!key_ ||
            RegQueryValueExA(key_.get(), valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            return std::nullopt;
        return TRegValueInfo{type, size};
    }

    std::optional<TRegValueInfo> ReadData(const std::string& valueName,
                                          std::span<std::uint8_t> buffer) override {
        DWORD type = 0;
        DWORD size = static_cast<DWORD>(buffer.size());
        // A zero-length buffer is passed as a pointer all the same, so that the call reads rather than asks.
        std::uint8_t spare = 0;
        BYTE* data = buffer.empty() ? &spare : buffer.data();
        if (!key_ ||
            RegQueryValueExA(key_.get(), valueName.c_str(), nullptr, &type, data, &size) != ERROR_SUCCESS)
            return std::nullopt;
        return TRegValueInfo{type, size};
    }

  private:
    RegKey key_;
};

} // namespace

TRegistryEnhanced::TRegistryEnhanced(TComponent* owner) : TComponent(owner) {
    SetLangType(TLangType::ltFrench);
}

void TRegistryEnhanced::SetLangType(TLangType value) {
    langType_ = value;
    messages_ = MessageTexts(value);
}

void TRegistryEnhanced::ReadValue(const std::string& name, TVariant& result) {
    TWinRegistryAccess registry;
    registryenhanced::ReadValue(registry, TReadRequest{rootKey_, key_, access_, name, view32_}, binaryBuffer_,
                                result);
}
