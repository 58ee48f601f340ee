// The platform-free runtime: texts, numbers, file names, string lists, components.
#include "base/Classes.h"
#include "base/Component.h"
#include "base/SysUtils.h"
#include "base/Types.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <new>
#include <stdexcept>

TEST(SysUtils, TheDefaultHandlerAppendsAPeriodOnlyAfterCharactersSortingAboveIt) {
    EXPECT_EQ(rtl::MessageWithPeriod("File was not found"), "File was not found.");
    EXPECT_EQ(rtl::MessageWithPeriod("Done."), "Done.");
    EXPECT_EQ(rtl::MessageWithPeriod("Datentyp für 'x'"), "Datentyp für 'x'"); // quote sorts below "."
    EXPECT_EQ(rtl::MessageWithPeriod("Can´t"), "Can´t.");                      // byte 180 sorts above
    EXPECT_EQ(rtl::MessageWithPeriod("a/"), "a/.");
    EXPECT_EQ(rtl::MessageWithPeriod(""), "");
}

TEST(SysUtils, RuntimeTextsAreWindows1252) {
    EXPECT_EQ(std::string(rtl::SInvalidFileName), "Ung\xFCltiger Dateiname - %s");
    EXPECT_EQ(std::string(rtl::SFOpenError), "Datei %s kann nicht ge\xF6"
                                             "ffnet werden");
    EXPECT_EQ(rtl::Format(rtl::SRegGetDataFailed, "Flags"), "Konnte Daten f\xFCr 'Flags' nicht holen");
    EXPECT_EQ(rtl::Format("100%% of %s", "x"), "100% of x");
}

TEST(SysUtils, IntegersAreDecimalOrDollarHexadecimalWithin32Bits) {
    EXPECT_EQ(rtl::TryStrToInt("42"), 42);
    EXPECT_EQ(rtl::TryStrToInt("-13"), -13);
    EXPECT_EQ(rtl::TryStrToInt("+7"), 7);
    EXPECT_EQ(rtl::TryStrToInt("$FF"), 255);
    EXPECT_EQ(rtl::TryStrToInt("$ffffffff"), -1);
    EXPECT_EQ(rtl::TryStrToInt("-2147483648"), -2147483647 - 1);
    for (const char* bad : {"", "-", "$", "0xFF", "12a", " 1", "2147483648", "$100000000", "1.0"})
        EXPECT_FALSE(rtl::TryStrToInt(bad).has_value()) << bad;
    EXPECT_EQ(rtl::StrToIntDef("abc", 9), 9);
}

TEST(SysUtils, TrimCaseAndComparison) {
    EXPECT_EQ(rtl::Trim("\t a b \r\n"), "a b");
    EXPECT_EQ(rtl::Trim("   "), "");
    EXPECT_EQ(rtl::LowerCase("C:\\Work\\Demo.DPR"), "c:\\work\\demo.dpr");
    EXPECT_TRUE(rtl::SameText("fsBold", "FSBOLD"));
    EXPECT_LT(rtl::CompareText("abc", "ABD"), 0);
    EXPECT_GT(rtl::CompareText("b", "A"), 0);
}

TEST(SysUtils, FileNamePartsSplitAtTheLastBackslashOrColon) {
    EXPECT_EQ(rtl::ExtractFilePath("c:\\work\\demo.dpr"), "c:\\work\\");
    EXPECT_EQ(rtl::ExtractFilePath("c:demo.dpr"), "c:");
    EXPECT_EQ(rtl::ExtractFilePath("demo.dpr"), "");
    EXPECT_EQ(rtl::ExtractFileName("c:\\work\\demo.dpr"), "demo.dpr");
    EXPECT_EQ(rtl::ExtractFileExt("c:\\my.pascal\\demo"), "");
    EXPECT_EQ(rtl::ExtractFileExt("c:\\src\\demo.tar.dpr"), ".dpr");
    EXPECT_EQ(rtl::ChangeFileExt("C:\\WORK~1\\HELLO.DPR", ".exe"), "C:\\WORK~1\\HELLO.exe");
    EXPECT_EQ(rtl::ChangeFileExt("c:\\a.b\\noext", ".dcu"), "c:\\a.b\\noext.dcu");
}

TEST(StringList, TextSplitsAtEveryLineBreakKindAndJoinsWithCrLf) {
    TStringList list;
    list.SetText("a\r\nb\nc\rd\r\n");
    EXPECT_EQ(list.Lines(), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(list.Text(), "a\r\nb\r\nc\r\nd\r\n");
    list.SetText("x\r\n\r\n");
    EXPECT_EQ(list.Count(), 2);
    list.Insert(0, "top");
    EXPECT_EQ(list[0], "top");
    EXPECT_THROW(list.Insert(9, "x"), Exception);
    EXPECT_EQ(list.IndexOf("X"), 1);
}

TEST(StringList, LoadingAMissingFileFailsWithTheRuntimeTextAndKeepsTheLines) {
    TStringList list({"kept"});
    try {
        list.LoadFromFile("no-such-folder/output.txt");
        FAIL() << "no failure";
    } catch (const EFOpenError& e) {
        EXPECT_STREQ(e.what(), "Datei no-such-folder/output.txt kann nicht ge\xF6"
                               "ffnet werden");
    }
    EXPECT_EQ(list.Lines(), std::vector<std::string>{"kept"});

    const char* name = "stringlist-test.txt";
    if (std::FILE* f = std::fopen(name, "wb")) {
        std::fputs("one\r\ntwo", f);
        std::fclose(f);
    }
    list.LoadFromFile(name);
    std::remove(name);
    EXPECT_EQ(list.Lines(), (std::vector<std::string>{"one", "two"}));
}

namespace {
class TWatcher : public TComponent {
  public:
    using TComponent::TComponent;
    std::vector<TComponent*> removed;

  protected:
    void Notification(TComponent* component, TOperation operation) override {
        if (operation == TOperation::opRemove)
            removed.push_back(component);
        TComponent::Notification(component, operation);
    }
};
} // namespace

TEST(Component, OwnersFreeWhatTheyOwnAndSiblingsHearOfRemovals) {
    TComponent owner;
    auto* watcher = new TWatcher(&owner);
    auto* child = new TComponent(&owner);
    child->SetName("Memo1");
    EXPECT_EQ(owner.FindComponent("memo1"), child);
    EXPECT_EQ(owner.ComponentCount(), 2);
    delete child;
    EXPECT_EQ(watcher->removed, std::vector<TComponent*>{child});
    EXPECT_EQ(owner.FindComponent("Memo1"), nullptr);

    TWatcher outsider;
    auto* other = new TComponent(&owner);
    other->FreeNotification(&outsider);
    delete other;
    EXPECT_EQ(outsider.removed, std::vector<TComponent*>{other});
}

TEST(Types, ColoursVariantsAndFontSizes) {
    EXPECT_EQ(clSilver, 12632256);
    EXPECT_EQ(clWindowText, -2147483640);
    EXPECT_TRUE(IsSystemColor(clBtnFace));
    EXPECT_EQ(VariantToText(TVariant{}), "");
    EXPECT_EQ(VariantToText(TVariant{std::int32_t{-1}}), "-1");
    EXPECT_EQ(VariantToText(TVariant{std::string("x")}), "x");

    TFontDesc font;
    font.height = -13;
    EXPECT_EQ(font.Size(96), 10);
    font.SetSize(8, 96);
    EXPECT_EQ(font.height, -11);
    font.height = -2147483647 - 1;
    EXPECT_EQ(font.Size(72), 2147483647);
    font.SetSize(-1610612736, 96);
    EXPECT_EQ(font.height, 2147483647);
}

// The default handler shows the program's texts only: what the C++ library reports in its own words
// (a failed allocation, say) reads as the runtime's message instead.
TEST(SysUtilsExceptionText, LibraryTextsNeverReachTheUser) {
    EXPECT_EQ(rtl::ExceptionText(EFOpenError("Datei x kann nicht ge\xF6"
                                             "ffnet werden")),
              "Datei x kann nicht ge\xF6"
              "ffnet werden");
    EXPECT_EQ(rtl::ExceptionText(std::bad_alloc()), "Zu wenig Arbeitsspeicher");
    EXPECT_EQ(rtl::ExceptionText(std::length_error("basic_string::_M_create")), "Zu wenig Arbeitsspeicher");
    EXPECT_EQ(rtl::ExceptionText(std::out_of_range("vector::_M_range_check")), "Interner Fehler");
    EXPECT_EQ(rtl::ExceptionText(std::runtime_error("x")), "Interner Fehler");
}
