// Property texts: integers, enumerations, sets, floats and characters as the storage writes and reads them.
#include "native/published_test_classes.h"
#include "base/SysUtils.h"
#include "prefs/PropsStorage_core.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(PropTextTest, IntegersAreDecimalOrDollarHexAndNothingElse) {
    EXPECT_EQ(proptext::IntegerText(12632256), "12632256");
    EXPECT_EQ(proptext::IntegerText(clWindowText), "-2147483640");
    EXPECT_EQ(proptext::IntegerText(0x80000008LL), "-2147483640"); // 32-bit, as loaded back
    EXPECT_EQ(proptext::IntegerFromText("-13"), -13);
    EXPECT_EQ(proptext::IntegerFromText("$FF"), 255);
    EXPECT_EQ(proptext::IntegerFromText("0xFF"), 0);
    EXPECT_EQ(proptext::IntegerFromText("abc"), 0);
    EXPECT_EQ(proptext::IntegerFromText(""), 0);
    EXPECT_EQ(proptext::IntegerFromText("2147483648"), 0);
}

TEST(PropTextTest, EnumerationsByIdentifierIgnoringCase) {
    EXPECT_EQ(proptext::EnumText(BooleanType(), 1), "True");
    EXPECT_EQ(proptext::EnumText(fontprops::FontPitchType(), 2), "fpFixed");
    EXPECT_EQ(proptext::EnumText(BooleanType(), 2), "");
    EXPECT_EQ(proptext::EnumText(BooleanType(), -1), "");
    EXPECT_EQ(proptext::EnumFromText(BooleanType(), "true"), 1);
    EXPECT_EQ(proptext::EnumFromText(fontprops::FontPitchType(), "FPVARIABLE"), 1);
    EXPECT_EQ(proptext::EnumFromText(BooleanType(), "yes"), std::nullopt);
    EXPECT_EQ(proptext::EnumFromText(BooleanType(), "1"), std::nullopt);
}

TEST(PropTextTest, SetsAreBracketedIdentifiersAndParseLoosely) {
    const TEnumTypeDesc& styles = fontprops::FontStyleType();
    const auto bold = FontStyleBit(TFontStyle::fsBold);
    const auto italic = FontStyleBit(TFontStyle::fsItalic);
    EXPECT_EQ(proptext::SetText(styles, 0), "[]");
    EXPECT_EQ(proptext::SetText(styles, italic | bold), "[fsBold,fsItalic]");
    EXPECT_EQ(proptext::SetText(styles, 0xF0 | bold), "[fsBold]"); // bits without a member
    EXPECT_EQ(proptext::SetFromText(styles, "[fsBold, fsitalic]"), bold | italic);
    EXPECT_EQ(proptext::SetFromText(styles, "[fsBold,fsNoSuch]"), bold);
    EXPECT_EQ(proptext::SetFromText(styles, "]fsStrikeOut[[ ,fsBold"),
              bold | FontStyleBit(TFontStyle::fsStrikeOut));
    EXPECT_EQ(proptext::SetFromText(styles, "fsBold;fsItalic"), 0u);
    EXPECT_EQ(proptext::SetFromText(styles, ""), 0u);
}

TEST(PropTextTest, FloatsUseGeneralFormatWithTheTypesPrecision) {
    using proptext::FloatText;
    EXPECT_EQ(FloatText(TFloatType::ftDouble, 0.1), "0.1");
    EXPECT_EQ(FloatText(TFloatType::ftSingle, 0.1f), "0.1");
    EXPECT_EQ(FloatText(TFloatType::ftDouble, -2.5), "-2.5");
    EXPECT_EQ(FloatText(TFloatType::ftDouble, 100), "100");
    EXPECT_EQ(FloatText(TFloatType::ftDouble, 0), "0");
    EXPECT_EQ(FloatText(TFloatType::ftDouble, 123456789012345.0), "123456789012345");
    EXPECT_EQ(FloatText(TFloatType::ftDouble, 1e15), "1E15");
    EXPECT_EQ(FloatText(TFloatType::ftExtended, 1e15L), "1000000000000000");
    EXPECT_EQ(FloatText(TFloatType::ftDouble, 0.0001), "0.0001");
    EXPECT_EQ(FloatText(TFloatType::ftDouble, 0.00001), "1E-5");
    EXPECT_EQ(FloatText(TFloatType::ftDouble, -1.25e-7), "-1.25E-7");
    EXPECT_EQ(FloatText(TFloatType::ftSingle, 1.0f / 3), "0.3333333");
    EXPECT_EQ(FloatText(TFloatType::ftDouble, 2.0 / 3), "0.666666666666667");
    EXPECT_EQ(FloatText(TFloatType::ftExtended, 1.0L / 3), "0.333333333333333333");
    EXPECT_EQ(FloatText(TFloatType::ftCurr, 922337203685477.5807L), "922337203685477.5807");
    EXPECT_EQ(FloatText(TFloatType::ftDouble, NAN), "NAN");
    EXPECT_EQ(FloatText(TFloatType::ftDouble, -INFINITY), "-INF");
}

TEST(PropTextTest, FloatsParseWithDotAndWithinTheTypesRange) {
    using proptext::FloatFromText;
    EXPECT_EQ(FloatFromText(TFloatType::ftDouble, "1.5"), 1.5L);
    EXPECT_EQ(FloatFromText(TFloatType::ftDouble, "-.5e1"), -5.0L);
    EXPECT_EQ(FloatFromText(TFloatType::ftDouble, "+7."), 7.0L);
    EXPECT_EQ(FloatFromText(TFloatType::ftDouble, "1E-5"), 1e-5L);
    for (const char* bad :
         {"1,5", "", ".", "-", "1e", "1e+", "e5", " 1", "1 ", "0x10", "INF", "NAN", "1.5.2"})
        EXPECT_EQ(FloatFromText(TFloatType::ftDouble, bad), std::nullopt) << bad;
    EXPECT_EQ(FloatFromText(TFloatType::ftSingle, "1e39"), std::nullopt);
    EXPECT_TRUE(FloatFromText(TFloatType::ftDouble, "1e39"));
    EXPECT_EQ(FloatFromText(TFloatType::ftDouble, "1e400"), std::nullopt);
    EXPECT_EQ(FloatFromText(TFloatType::ftComp, "9.3e18"), std::nullopt);
    EXPECT_TRUE(FloatFromText(TFloatType::ftComp, "-9.2e18"));
    EXPECT_EQ(FloatFromText(TFloatType::ftCurr, "1e15"), std::nullopt);
    EXPECT_EQ(FloatFromText(TFloatType::ftDouble, "1e99999999999999999999"), std::nullopt);
    EXPECT_EQ(FloatFromText(TFloatType::ftDouble, "1e-99999999999999999999"), 0.0L);
}

TEST(PropTextTest, CharactersAreTheCharacterItself) {
    EXPECT_EQ(proptext::CharText(TTypeKind::tkChar, 'x'), "x");
    EXPECT_EQ(proptext::CharText(TTypeKind::tkChar, 0xFC), "ü");
    EXPECT_EQ(proptext::CharText(TTypeKind::tkWChar, 'y'), "y");
    EXPECT_EQ(proptext::CharText(TTypeKind::tkWChar, 0x20AC), "");
    EXPECT_EQ(proptext::CharFromText("xyz"), 'x');
    EXPECT_EQ(proptext::CharFromText(""), std::nullopt);
}
