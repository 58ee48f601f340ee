#include "base/SysUtils.h"
#include "prefs/RegistryEnhanced_core.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <vector>

using namespace registryenhanced;

namespace {

struct FakeValue {
    std::uint32_t type;
    std::vector<std::uint8_t> data;
};

// A registry of one root with keys by path; it records what the reader asked for.
class FakeRegistry : public TRegistryAccess {
  public:
    std::map<std::string, std::map<std::string, FakeValue>> keys;
    std::uint32_t deniedMask = 0; // keys opened with any of these bits fail
    bool failReads = false;
    std::uint32_t typeOnRead = 0; // when set, the value changes its type between query and read

    std::vector<std::string> opened;
    std::uint32_t lastRoot = 0;
    std::uint32_t lastMask = 0;
    int reads = 0;

    bool OpenKey(std::uint32_t rootKey, const std::string& path, std::uint32_t accessMask) override {
        lastRoot = rootKey;
        lastMask = accessMask;
        if ((accessMask & deniedMask) != 0 || !keys.contains(path))
            return false;
        opened.push_back(path);
        return true;
    }
    std::optional<TRegValueInfo> QueryValueInfo(const std::string& valueName) override {
        const FakeValue* value = Find(valueName);
        if (!value)
            return std::nullopt;
        return TRegValueInfo{value->type, static_cast<std::uint32_t>(value->data.size())};
    }
    std::optional<TRegValueInfo> ReadData(const std::string& valueName,
                                          std::span<std::uint8_t> buffer) override {
        ++reads;
        const FakeValue* value = Find(valueName);
        if (failReads || !value || value->data.size() > buffer.size())
            return std::nullopt;
        std::copy(value->data.begin(), value->data.end(), buffer.begin());
        return TRegValueInfo{typeOnRead ? typeOnRead : value->type,
                             static_cast<std::uint32_t>(value->data.size())};
    }

    void Set(const std::string& key, const std::string& name, std::uint32_t type,
             std::vector<std::uint8_t> data) {
        keys[key][name] = FakeValue{type, std::move(data)};
    }
    void SetString(const std::string& key, const std::string& name, const std::string& text,
                   std::uint32_t type = regSz) {
        std::vector<std::uint8_t> data(text.begin(), text.end());
        data.push_back(0);
        Set(key, name, type, std::move(data));
    }

  private:
    const FakeValue* Find(const std::string& valueName) const {
        if (opened.empty())
            return nullptr;
        const auto& values = keys.at(opened.back());
        const auto it = values.find(valueName);
        return it == values.end() ? nullptr : &it->second;
    }
};

class RegistryReadValue : public ::testing::Test {
  protected:
    FakeRegistry registry;
    std::array<std::uint8_t, binaryBufferSize> buffer{};
    TVariant result;

    void Read(const std::string& key, const std::string& name, TAccess access = TAccess::kAllAccess,
              TRootKey root = TRootKey::hkCurrentUser) {
        ReadValue(registry, TReadRequest{root, key, access, name}, buffer, result);
    }
    std::string ErrorOf(const std::string& key, const std::string& name) {
        try {
            Read(key, name);
        } catch (const ERegistryException& e) {
            return e.Message();
        }
        return "no exception";
    }
};

} // namespace

TEST(RegistryEnhancedTexts, MessagesFollowTheLanguage) {
    EXPECT_EQ(MessageTexts(TLangType::ltFrench).tooManyEntries, "Trop d'entr\xE9"
                                                                "es.");
    EXPECT_EQ(MessageTexts(TLangType::ltFrench).unknownDataType, "Type de donn\xE9"
                                                                 "e inconnu.");
    EXPECT_EQ(MessageTexts(TLangType::ltEnglish).tooManyEntries, "Too much entries.");
    EXPECT_EQ(MessageTexts(TLangType::ltEnglish).unknownDataType, "Unknown data type.");
}

TEST(RegistryEnhancedTexts, RootsAndMasksAreThePlatformConstants) {
    EXPECT_EQ(RootKeyValue(TRootKey::hkClassesRoot), 0x80000000u);
    EXPECT_EQ(RootKeyValue(TRootKey::hkCurrentUser), 0x80000001u);
    EXPECT_EQ(RootKeyValue(TRootKey::hkLocalMachine), 0x80000002u);
    EXPECT_EQ(RootKeyValue(TRootKey::hkUsers), 0x80000003u);
    EXPECT_EQ(RootKeyValue(TRootKey::hkCurrentConfig), 0x80000005u);
    EXPECT_EQ(RootKeyValue(TRootKey::hkDynData), 0x80000006u);
    EXPECT_EQ(AccessMask(TAccess::kRead), 0x20019u);
    EXPECT_EQ(AccessMask(TAccess::kExecute), AccessMask(TAccess::kRead));
    EXPECT_EQ(AccessMask(TAccess::kWrite), 0x20006u);
    EXPECT_EQ(AccessMask(TAccess::kAllAccess), 0xF003Fu);
}

TEST(BrkApart, CutsAtEveryBreakAndDropsEmptyPiecesByDefault) {
    TBrkApart splitter;
    splitter.SetBreakString("\\");
    splitter.SetBaseString("\\A\\\\B\\C\\");
    EXPECT_EQ(splitter.StringList().Lines(), (std::vector<std::string>{"A", "B", "C"}));
    splitter.SetAllowEmptyString(true);
    EXPECT_EQ(splitter.StringList().Lines(), (std::vector<std::string>{"", "A", "", "B", "C", ""}));
}

TEST(BrkApart, LongBreakStringsAndDegenerateInputs) {
    TBrkApart splitter;
    splitter.SetBaseString("a::b:c::");
    splitter.SetBreakString("::");
    EXPECT_EQ(splitter.StringList().Lines(), (std::vector<std::string>{"a", "b:c"}));
    splitter.SetBreakString("");
    EXPECT_EQ(splitter.StringList().Lines(), (std::vector<std::string>{"a::b:c::"}));
    splitter.SetBreakString("::");
    splitter.SetBaseString("");
    EXPECT_EQ(splitter.StringList().Count(), 0);
}

TEST(RegistryEnhancedPaths, KeyLosesOneTrailingAndOneLeadingBackslash) {
    EXPECT_EQ(NormaliseKey("SOFTWARE\\Borland\\Delphi\\3.0"), "SOFTWARE\\Borland\\Delphi\\3.0");
    EXPECT_EQ(NormaliseKey("\\SOFTWARE\\Borland\\Delphi\\3.0\\"), "SOFTWARE\\Borland\\Delphi\\3.0");
    EXPECT_EQ(NormaliseKey("\\\\X\\\\"), "\\X\\");
    EXPECT_EQ(NormaliseKey("\\"), "");
    EXPECT_EQ(NormaliseKey("\\\\"), "\\");
}

TEST(RegistryEnhancedPaths, NameSplitsIntoPathPartAndValueName) {
    const TValuePath deep = SplitValueName("A\\B\\C");
    EXPECT_EQ(deep.pathPart, "\\A\\B");
    EXPECT_EQ(deep.valueName, "C");
    const TValuePath plain = SplitValueName("Delphi 3");
    EXPECT_EQ(plain.pathPart, "");
    EXPECT_EQ(plain.valueName, "Delphi 3");
    // With fewer than two pieces the whole name, backslashes and all, is the value name.
    EXPECT_EQ(SplitValueName("\\X").valueName, "\\X");
    EXPECT_EQ(SplitValueName("").valueName, "");
    const TValuePath doubled = SplitValueName("\\Y\\\\Z\\");
    EXPECT_EQ(doubled.pathPart, "\\Y");
    EXPECT_EQ(doubled.valueName, "Z");
}

TEST(RegistryEnhancedPaths, FullKeyPath) {
    EXPECT_EQ(FullKeyPath("\\Software\\X\\", "Y\\Z"), "\\Software\\X\\Y");
    EXPECT_EQ(FullKeyPath("SOFTWARE\\Borland\\Delphi\\3.0", "Delphi 3"), "\\SOFTWARE\\Borland\\Delphi\\3.0");
}

TEST_F(RegistryReadValue, OpensTheNormalisedKeyBelowTheRootWithTheAccessMask) {
    registry.SetString("SOFTWARE\\Borland\\Delphi\\3.0", "Delphi 3", "C:\\D3\\Bin\\delphi32.exe");
    Read("\\SOFTWARE\\Borland\\Delphi\\3.0\\", "Delphi 3", TAccess::kRead, TRootKey::hkLocalMachine);
    EXPECT_EQ(registry.lastRoot, 0x80000002u);
    EXPECT_EQ(registry.lastMask, 0x20019u);
    EXPECT_EQ(result, TVariant(std::string("C:\\D3\\Bin\\delphi32.exe")));
    ReadValue(registry,
              {TRootKey::hkLocalMachine, "SOFTWARE\\Borland\\Delphi\\3.0", TAccess::kRead, "Delphi 3", true},
              buffer, result);
    EXPECT_EQ(registry.lastMask, 0x20219u) << "the 32-bit view";
}

TEST_F(RegistryReadValue, NamePathSelectsASubkey) {
    registry.SetString("Software\\X\\Y", "Z", "deep");
    Read("\\Software\\X\\", "Y\\Z");
    ASSERT_EQ(registry.opened, (std::vector<std::string>{"Software\\X\\Y"}));
    EXPECT_EQ(result, TVariant(std::string("deep")));
}

TEST_F(RegistryReadValue, EmptyKeyOrUnopenableKeyLeavesTheResultUntouched) {
    registry.SetString("", "V", "root value");
    result = std::string("before");
    Read("", "V");
    EXPECT_TRUE(registry.opened.empty());
    EXPECT_EQ(result, TVariant(std::string("before")));

    Read("Software\\Missing", "V");
    EXPECT_EQ(result, TVariant(std::string("before")));

    registry.SetString("Software\\ReadOnly", "V", "text");
    registry.deniedMask = 0x20006u & ~0x20019u; // the write bits
    Read("Software\\ReadOnly", "V", TAccess::kAllAccess);
    EXPECT_EQ(result, TVariant(std::string("before")));
    Read("Software\\ReadOnly", "V", TAccess::kRead);
    EXPECT_EQ(result, TVariant(std::string("text")));
}

TEST_F(RegistryReadValue, MissingValueOrUnsupportedTypeGivesUnassigned) {
    registry.Set("K", "Multi", regMultiSz, {'a', 0, 'b', 0, 0});
    registry.Set("K", "None", 0, {});
    result = std::string("before");
    Read("K", "Absent");
    EXPECT_TRUE(std::holds_alternative<std::monostate>(result));
    result = 5;
    Read("K", "Multi");
    EXPECT_TRUE(std::holds_alternative<std::monostate>(result));
    result = 5;
    Read("K", "None");
    EXPECT_TRUE(std::holds_alternative<std::monostate>(result));
}

TEST_F(RegistryReadValue, StringsEndAtTheirFirstZeroAndAreNotExpanded) {
    registry.Set("K", "Embedded", regSz, {'a', 'b', 0, 'c', 0});
    registry.Set("K", "Unterminated", regSz, {'x', 'y'});
    registry.Set("K", "Empty", regSz, {});
    registry.SetString("K", "Expand", "%WINDIR%\\x", regExpandSz);
    registry.SetString("K", "Ansi",
                       "D\xFC"
                       "sseldorf");
    Read("K", "Embedded");
    EXPECT_EQ(result, TVariant(std::string("ab")));
    Read("K", "Unterminated");
    EXPECT_EQ(result, TVariant(std::string("xy")));
    result = 1;
    Read("K", "Empty");
    EXPECT_EQ(result, TVariant(std::string()));
    Read("K", "Expand");
    EXPECT_EQ(result, TVariant(std::string("%WINDIR%\\x")));
    Read("K", "Ansi");
    EXPECT_EQ(result, TVariant(std::string("D\xFCsseldorf")));
}

TEST_F(RegistryReadValue, DwordIsSigned) {
    registry.Set("K", "Max", regDword, {0xFF, 0xFF, 0xFF, 0xFF});
    registry.Set("K", "Small", regDword, {0x34, 0x12, 0, 0});
    Read("K", "Max");
    EXPECT_EQ(result, TVariant(std::int32_t{-1}));
    Read("K", "Small");
    EXPECT_EQ(result, TVariant(std::int32_t{0x1234}));
}

TEST_F(RegistryReadValue, BinaryGivesTheIntegerOfItsFirstFourBytes) {
    registry.Set("K", "Four", regBinary, {0x78, 0x56, 0x34, 0x12});
    std::vector<std::uint8_t> long256(256, 0xEE);
    long256[0] = 1;
    long256[1] = 2;
    long256[2] = 0;
    long256[3] = 0x80;
    registry.Set("K", "Long256", regBinary, long256);
    std::vector<std::uint8_t> full(binaryBufferSize, 0x11);
    registry.Set("K", "Full", regBinary, full);
    Read("K", "Four");
    EXPECT_EQ(result, TVariant(std::int32_t{0x12345678}));
    Read("K", "Long256");
    EXPECT_EQ(result, TVariant(static_cast<std::int32_t>(0x80000201u)));
    Read("K", "Full");
    EXPECT_EQ(result, TVariant(std::int32_t{0x11111111}));
}

TEST_F(RegistryReadValue, ShortBinaryUsesOnlyItsOwnBytes) {
    registry.Set("K", "Stale", regBinary, {0xAA, 0xBB, 0xCC, 0xDD});
    registry.Set("K", "Two", regBinary, {0x01, 0x02});
    registry.Set("K", "Nothing", regBinary, {});
    Read("K", "Stale"); // leaves its bytes in the shared buffer
    Read("K", "Two");
    EXPECT_EQ(result, TVariant(std::int32_t{0x0201}));
    Read("K", "Nothing");
    EXPECT_EQ(result, TVariant(std::int32_t{0}));
}

TEST_F(RegistryReadValue, OversizedBinaryFailsWithTheValueName) {
    registry.Set("K\\Sub", "Big", regBinary, std::vector<std::uint8_t>(binaryBufferSize + 1, 1));
    result = std::string("before");
    EXPECT_EQ(ErrorOf("K", "Sub\\Big"), "Ung\xFCltiger Datentyp f\xFCr 'Big'");
    EXPECT_EQ(registry.reads, 0);
    EXPECT_EQ(result, TVariant(std::string("before")));
}

TEST_F(RegistryReadValue, FailedReadsAndChangedTypesRaise) {
    registry.SetString("K", "S", "text");
    registry.Set("K", "D", regDword, {1, 0, 0, 0});
    registry.Set("K", "B", regBinary, {1, 0, 0, 0});
    registry.failReads = true;
    for (const char* name : {"S", "D", "B"})
        EXPECT_EQ(ErrorOf("K", name), std::string("Konnte Daten f\xFCr '") + name + "' nicht holen") << name;
    registry.failReads = false;
    registry.typeOnRead = regMultiSz;
    for (const char* name : {"S", "D", "B"})
        EXPECT_EQ(ErrorOf("K", name), std::string("Ung\xFCltiger Datentyp f\xFCr '") + name + "'") << name;
}

TEST_F(RegistryReadValue, OverlongDwordCannotBeReadIntoFourBytes) {
    registry.Set("K", "Wide", regDword, {1, 2, 3, 4, 5, 6, 7, 8});
    EXPECT_EQ(ErrorOf("K", "Wide"), "Konnte Daten f\xFCr 'Wide' nicht holen");
}
