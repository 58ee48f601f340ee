#pragma once
// The registry reader's rules, apart from the real registry: key and name paths, the path splitter,
// the message texts, and how a value's registry type becomes a variant. The registry itself is
// reached through TRegistryAccess, so every rule runs against a fake as well.
#include "base/Classes.h"
#include "base/Component.h"
#include "base/Types.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace registryenhanced {

enum class TRootKey { hkClassesRoot, hkCurrentConfig, hkCurrentUser, hkDynData, hkLocalMachine, hkUsers };
enum class TAccess { kRead, kWrite, kExecute, kAllAccess };
enum class TLangType { ltFrench, ltEnglish };

// The predefined root handles and access masks, as the platform numbers them.
std::uint32_t RootKeyValue(TRootKey root);
std::uint32_t AccessMask(TAccess access);
inline constexpr std::uint32_t kWow64_32Key = 0x0200u;

// Registry data types the reader tells apart (the platform's numbers).
inline constexpr std::uint32_t regSz = 1;
inline constexpr std::uint32_t regExpandSz = 2;
inline constexpr std::uint32_t regBinary = 3;
inline constexpr std::uint32_t regDword = 4;
inline constexpr std::uint32_t regMultiSz = 7;

// Binary values are read through a buffer of this size; longer ones are refused.
inline constexpr std::size_t binaryBufferSize = 2048;

struct TMessageTexts {
    std::string tooManyEntries;
    std::string unknownDataType;
};
TMessageTexts MessageTexts(TLangType lang);

// Cuts BaseString at every BreakString into the pieces between them, in order, into StringList;
// empty pieces are dropped unless AllowEmptyString. An empty BreakString leaves the base whole.
class TBrkApart : public TComponent {
  public:
    explicit TBrkApart(TComponent* owner = nullptr) : TComponent(owner) {}
    std::string ClassName() const override { return "TBrkApart"; }

    const std::string& BaseString() const { return baseString_; }
    void SetBaseString(std::string value);
    const std::string& BreakString() const { return breakString_; }
    void SetBreakString(std::string value);
    bool AllowEmptyString() const { return allowEmptyString_; }
    void SetAllowEmptyString(bool value);
    const TStringList& StringList() const { return stringList_; }

  private:
    void BreakApart();

    std::string baseString_;
    std::string breakString_;
    bool allowEmptyString_ = false;
    TStringList stringList_;
};

// One trailing "\" goes; then one leading "\" when more than one character remains.
std::string NormaliseKey(const std::string& key);

// A value name that may carry subkeys: "A\B\C" has the path part "\A\B" and the value name "C".
struct TValuePath {
    std::string pathPart;
    std::string valueName;
};
TValuePath SplitValueName(const std::string& name);

// "\" + normalised key + path part of the name; the reader opens it without the leading "\".
std::string FullKeyPath(const std::string& key, const std::string& name);

struct TRegValueInfo {
    std::uint32_t type = 0;
    std::uint32_t size = 0;
};

// The registry as the reader needs it: one key opened at a time; whatever was opened is closed
// when the object goes.
class TRegistryAccess {
  public:
    virtual ~TRegistryAccess() = default;
    // Opens `path` (no leading "\") below the root with the access mask; never creates it.
    virtual bool OpenKey(std::uint32_t rootKey, const std::string& path, std::uint32_t accessMask) = 0;
    // Type and size of a value of the open key; empty when there is no such value.
    virtual std::optional<TRegValueInfo> QueryValueInfo(const std::string& valueName) = 0;
    // Copies the value's data into `buffer`: its type and the bytes written, or empty when the read
    // fails, also when the data does not fit.
    virtual std::optional<TRegValueInfo> ReadData(const std::string& valueName,
                                                  std::span<std::uint8_t> buffer) = 0;
};

struct TReadRequest {
    TRootKey rootKey = TRootKey::hkCurrentUser;
    std::string key;
    TAccess access = TAccess::kAllAccess;
    std::string name;
    // The 32-bit programs' view of the registry (KEY_WOW64_32KEY), in the 32-bit and the 64-bit build.
    bool view32 = false;
};

// Reads one value into `result`: untouched when the key is empty or cannot be opened; unassigned
// for a missing value or an unsupported type. A binary value gives the little-endian integer of its
// first four bytes; a shorter one the integer of the bytes it has (missing high bytes zero, no bytes
// zero). Failing reads raise ERegistryException with the value name.
void ReadValue(TRegistryAccess& registry, const TReadRequest& request, std::span<std::uint8_t> binaryBuffer,
               TVariant& result);

} // namespace registryenhanced
