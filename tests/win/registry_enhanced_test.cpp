#include "base/SysUtils.h"
#include "prefs/RegistryEnhanced.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <sddl.h>

#include <vector>

using registryenhanced::TAccess;
using registryenhanced::TLangType;
using registryenhanced::TRootKey;

namespace {

const char* const testRoot = "Software\\TarnwickTest";

class ScopedKey {
  public:
    explicit ScopedKey(HKEY key = nullptr) : key_(key) {}
    ScopedKey(const ScopedKey&) = delete;
    ScopedKey& operator=(const ScopedKey&) = delete;
    ~ScopedKey() {
        if (key_)
            RegCloseKey(key_);
    }
    HKEY get() const { return key_; }
    HKEY* out() { return &key_; }

  private:
    HKEY key_;
};

class ScopedLocal {
  public:
    explicit ScopedLocal(void* memory) : memory_(memory) {}
    ScopedLocal(const ScopedLocal&) = delete;
    ScopedLocal& operator=(const ScopedLocal&) = delete;
    ~ScopedLocal() { LocalFree(memory_); }

  private:
    void* memory_;
};

// Each test gets HKCU\Software\TarnwickTest\<test name>, removed with everything below it afterwards.
class RegistryEnhancedWin : public ::testing::Test {
  protected:
    void SetUp() override {
        keyPath =
            std::string(testRoot) + "\\" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        RegDeleteTreeA(HKEY_CURRENT_USER, keyPath.c_str());
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  key.out(), nullptr),
                  ERROR_SUCCESS);
        reader.SetKey(keyPath);
    }
    void TearDown() override {
        // A key a test locked is given back to everybody first, so that it can be removed.
        for (const std::string& subkey : lockedKeys)
            SetSecurity(subkey, "D:(A;;KA;;;WD)");
        RegDeleteTreeA(HKEY_CURRENT_USER, keyPath.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, testRoot); // only goes once it is empty
    }

    void Set(const char* name, DWORD type, const void* data, DWORD size, HKEY where = nullptr) {
        ASSERT_EQ(
            RegSetValueExA(where ? where : key.get(), name, 0, type, static_cast<const BYTE*>(data), size),
            ERROR_SUCCESS);
    }
    void SetString(const char* name, const std::string& text, DWORD type = REG_SZ) {
        Set(name, type, text.c_str(), static_cast<DWORD>(text.size() + 1));
    }
    // Replaces the discretionary access list of a subkey of the test key.
    void SetSecurity(const std::string& subkey, const char* sddl) {
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor,
                                                                         nullptr));
        ScopedLocal freeDescriptor(descriptor);
        ScopedKey target;
        ASSERT_EQ(RegOpenKeyExA(key.get(), subkey.c_str(), 0, WRITE_DAC, target.out()), ERROR_SUCCESS);
        ASSERT_EQ(RegSetKeySecurity(target.get(),
                                    DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                                    descriptor),
                  ERROR_SUCCESS);
        lockedKeys.push_back(subkey);
    }
    TVariant Read(const std::string& name, TVariant start = {}) {
        reader.ReadValue(name, start);
        return start;
    }

    std::string keyPath;
    ScopedKey key;
    std::vector<std::string> lockedKeys;
    TRegistryEnhanced reader;
};

} // namespace

TEST(RegistryEnhancedWinConstants, MatchThePlatform) {
    using registryenhanced::AccessMask;
    using registryenhanced::RootKeyValue;
    const auto handle = [](TRootKey root) {
        return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(RootKeyValue(root))));
    };
    EXPECT_EQ(handle(TRootKey::hkClassesRoot), HKEY_CLASSES_ROOT);
    EXPECT_EQ(handle(TRootKey::hkCurrentConfig), HKEY_CURRENT_CONFIG);
    EXPECT_EQ(handle(TRootKey::hkCurrentUser), HKEY_CURRENT_USER);
    EXPECT_EQ(handle(TRootKey::hkDynData), HKEY_DYN_DATA);
    EXPECT_EQ(handle(TRootKey::hkLocalMachine), HKEY_LOCAL_MACHINE);
    EXPECT_EQ(handle(TRootKey::hkUsers), HKEY_USERS);
    EXPECT_EQ(AccessMask(TAccess::kRead), static_cast<std::uint32_t>(KEY_READ));
    EXPECT_EQ(AccessMask(TAccess::kWrite), static_cast<std::uint32_t>(KEY_WRITE));
    EXPECT_EQ(AccessMask(TAccess::kExecute), static_cast<std::uint32_t>(KEY_EXECUTE));
    EXPECT_EQ(AccessMask(TAccess::kAllAccess), static_cast<std::uint32_t>(KEY_ALL_ACCESS));
}

TEST(RegistryEnhancedWinDefaults, CreationSetsTheDefaultsAndFrenchTexts) {
    TRegistryEnhanced reader;
    EXPECT_EQ(reader.Access(), TAccess::kAllAccess);
    EXPECT_EQ(reader.RootKey(), TRootKey::hkCurrentUser);
    EXPECT_EQ(reader.LangType(), TLangType::ltFrench);
    EXPECT_EQ(reader.Key(), "");
    EXPECT_EQ(reader.Messages().unknownDataType, "Type de donnée inconnu.");
    reader.SetLangType(TLangType::ltEnglish);
    EXPECT_EQ(reader.Messages().tooManyEntries, "Too much entries.");
}

TEST_F(RegistryEnhancedWin, EveryTypeMapsToItsVariant) {
    SetString("Text", "C:\\D3\\Bin\\delphi32.exe");
    SetString("Expand", "%SystemRoot%\\x", REG_EXPAND_SZ);
    Set("EmptyText", REG_SZ, "", 0);
    const DWORD allBits = 0xFFFFFFFFu;
    Set("Dword", REG_DWORD, &allBits, 4);
    const BYTE four[] = {0x78, 0x56, 0x34, 0x12};
    Set("Binary", REG_BINARY, four, 4);
    const BYTE two[] = {0x01, 0x02};
    Set("ShortBinary", REG_BINARY, two, 2);
    const char multi[] = "a\0b\0";
    Set("Multi", REG_MULTI_SZ, multi, sizeof multi);
    const unsigned long long wide = 7;
    Set("Qword", REG_QWORD, &wide, 8);

    EXPECT_EQ(Read("Text"), TVariant(std::string("C:\\D3\\Bin\\delphi32.exe")));
    EXPECT_EQ(Read("Expand"), TVariant(std::string("%SystemRoot%\\x")));
    EXPECT_EQ(Read("EmptyText", std::int32_t{3}), TVariant(std::string()));
    EXPECT_EQ(Read("Dword"), TVariant(std::int32_t{-1}));
    EXPECT_EQ(Read("Binary"), TVariant(std::int32_t{0x12345678}));
    EXPECT_EQ(Read("ShortBinary"), TVariant(std::int32_t{0x0201}));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(Read("Multi", std::string("x"))));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(Read("Qword", std::string("x"))));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(Read("Absent", std::string("x"))));
}

TEST_F(RegistryEnhancedWin, KeyAndNamePaths) {
    SetString("V", "top");
    ScopedKey sub;
    ASSERT_EQ(
        RegCreateKeyExA(key.get(), "Sub\\Deeper", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, sub.out(), nullptr),
        ERROR_SUCCESS);
    Set("W", REG_SZ, "deep", 5, sub.get());

    reader.SetKey("\\" + keyPath + "\\");
    EXPECT_EQ(Read("V"), TVariant(std::string("top")));
    EXPECT_EQ(Read("Sub\\Deeper\\W"), TVariant(std::string("deep")));
    EXPECT_EQ(Read("\\Sub\\\\Deeper\\W\\"), TVariant(std::string("deep")));

    reader.SetKey(keyPath + "\\Sub");
    EXPECT_EQ(Read("Deeper\\W"), TVariant(std::string("deep")));
}

TEST_F(RegistryEnhancedWin, MissingKeyOrEmptyKeyLeavesTheResultUntouched) {
    SetString("V", "here");
    reader.SetKey(keyPath + "\\Missing");
    EXPECT_EQ(Read("V", std::string("before")), TVariant(std::string("before")));
    reader.SetKey(keyPath);
    EXPECT_EQ(Read("Missing\\V", std::string("before")), TVariant(std::string("before")));
    reader.SetRootKey(TRootKey::hkLocalMachine);
    EXPECT_EQ(Read("V", std::int32_t{9}), TVariant(std::int32_t{9}));

    // The root itself holds the value, but an empty key reads nothing.
    reader.SetRootKey(TRootKey::hkCurrentUser);
    Set("TarnwickTestRootValue", REG_SZ, "root", 5, HKEY_CURRENT_USER);
    reader.SetKey("");
    const TVariant result = Read("TarnwickTestRootValue", std::string("before"));
    RegDeleteValueA(HKEY_CURRENT_USER, "TarnwickTestRootValue");
    EXPECT_EQ(result, TVariant(std::string("before")));
}

TEST_F(RegistryEnhancedWin, OversizedBinaryFailsWithTheValueName) {
    const std::vector<BYTE> full(2048, 0x11);
    Set("Full", REG_BINARY, full.data(), 2048);
    const std::vector<BYTE> big(2049, 0x22);
    Set("Big", REG_BINARY, big.data(), 2049);
    EXPECT_EQ(Read("Full"), TVariant(std::int32_t{0x11111111}));
    TVariant result = std::string("before");
    try {
        reader.ReadValue("Big", result);
        FAIL() << "no exception";
    } catch (const ERegistryException& e) {
        EXPECT_EQ(e.Message(), "Ungültiger Datentyp für 'Big'");
    }
    EXPECT_EQ(result, TVariant(std::string("before")));
}

TEST_F(RegistryEnhancedWin, ReadOnlyKeyOpensOnlyWithReadRights) {
    {
        ScopedKey locked;
        ASSERT_EQ(RegCreateKeyExA(key.get(), "Locked", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, locked.out(),
                                  nullptr),
                  ERROR_SUCCESS);
        Set("V", REG_SZ, "locked", 7, locked.get());
    }
    // Everybody may read, nobody may write (the security attributes of a new key are not honoured
    // everywhere, the key's own security is).
    SetSecurity("Locked", "D:P(A;;KR;;;WD)");
    ScopedKey probe;
    const LONG allAccess = RegOpenKeyExA(key.get(), "Locked", 0, KEY_ALL_ACCESS, probe.out());
    if (allAccess == ERROR_SUCCESS)
        GTEST_SKIP() << "this registry does not enforce key security";

    reader.SetKey(keyPath + "\\Locked");
    EXPECT_EQ(Read("V", std::string("before")), TVariant(std::string("before")));
    reader.SetAccess(TAccess::kWrite);
    EXPECT_EQ(Read("V", std::string("before")), TVariant(std::string("before")));
    reader.SetAccess(TAccess::kRead);
    EXPECT_EQ(Read("V"), TVariant(std::string("locked")));
    reader.SetAccess(TAccess::kExecute);
    EXPECT_EQ(Read("V"), TVariant(std::string("locked")));
}
