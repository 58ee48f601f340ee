// The form storage's registry store against Wine's real registry.
#include "base/SysUtils.h"
#include "prefs/Placemnt.h"

#include <gtest/gtest.h>

namespace {
const char* const kKey = "Software\\TarnwickStoreTest";

class RegistryStore : public ::testing::Test {
  protected:
    void SetUp() override { Erase(); }
    void TearDown() override { Erase(); }
    static void Erase() {
        TRegistrySettingsStore store;
        store.EraseSection(kKey);
    }
    static void PutDword(const std::string& section, const std::string& name, DWORD value) {
        HKEY key;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, (std::string(kKey) + "\\" + section).c_str(), 0, nullptr,
                                  0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
        RegCloseKey(key);
    }
};
} // namespace

TEST_F(RegistryStore, WritesStringsWithTheirZeroAndReadsThemBack) {
    TRegistrySettingsStore store;
    ASSERT_TRUE(store.OpenKey(kKey));
    store.WriteString("Defaults", "NormPos", "1,2,3,4");
    store.WriteString("Defaults", "Empty", "");
    EXPECT_EQ(store.ReadString("Defaults", "NormPos", "x"), "1,2,3,4");
    EXPECT_EQ(store.ReadString("Defaults", "Empty", "x"), "");
    EXPECT_EQ(store.ReadString("Defaults", "Missing", "x"), "x");
    EXPECT_EQ(store.ReadString("NoSection", "NormPos", "d"), "d");
    store.CloseKey();

    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, (std::string(kKey) + "\\Defaults").c_str(), 0, KEY_READ, &key),
              ERROR_SUCCESS);
    DWORD type = 0, size = 0;
    RegQueryValueExA(key, "NormPos", nullptr, &type, nullptr, &size);
    RegCloseKey(key);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, 8u);
}

TEST_F(RegistryStore, AValueOfAnotherTypeFailsWithTheRuntimeText) {
    PutDword("Defaults", "ShowCmd", 2);
    TRegistrySettingsStore store;
    ASSERT_TRUE(store.OpenKey(kKey));
    try {
        store.ReadString("Defaults", "ShowCmd", "0");
        FAIL() << "no failure";
    } catch (const ERegistryException& e) {
        EXPECT_STREQ(e.what(), "Ungültiger Datentyp für 'ShowCmd'");
    }
}

TEST_F(RegistryStore, ErasingASectionRemovesEverythingBelowIt) {
    TRegistrySettingsStore store;
    ASSERT_TRUE(store.OpenKey(kKey));
    store.WriteString("Output.Memo1_Lines", "Count", "1");
    store.WriteString("Output.Memo1_Lines\\Deeper", "Item0", "x");
    store.EraseSection("Output.Memo1_Lines");
    EXPECT_EQ(store.ReadString("Output.Memo1_Lines", "Count", "gone"), "gone");
    HKEY key;
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, (std::string(kKey) + "\\Output.Memo1_Lines").c_str(), 0,
                            KEY_READ, &key),
              ERROR_SUCCESS);
    store.EraseSection("NeverThere"); // no failure
}

TEST_F(RegistryStore, IntegersReuseTheOpenKeyAndReadHexadecimal) {
    class TWindowlessOwner : public TComponent {
      public:
        TWindowlessOwner() : TComponent(nullptr) {}
        std::string ClassName() const override { return "TWindowlessOwner"; }
    } owner;
    auto* storage = new TFormStorage(&owner);
    storage->SetIniFileName(kKey);
    storage->SetIniSection("Defaults");
    storage->SetStore(std::make_unique<TRegistrySettingsStore>());
    storage->StoreInteger("FirstTime", 1);
    EXPECT_EQ(storage->LoadInteger("FirstTime", 0), 1);
    TRegistrySettingsStore raw;
    ASSERT_TRUE(raw.OpenKey(kKey));
    raw.WriteString("Defaults", "Hex", "0x1F");
    raw.WriteString("Defaults", "Bad", "twelve");
    EXPECT_EQ(storage->LoadInteger("Hex", 0), 31);
    EXPECT_EQ(storage->LoadInteger("Bad", 7), 7);
    EXPECT_EQ(storage->LoadInteger("Missing", -3), -3);
}
