// The display's number format in both directions.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

#include "Engine.h"

namespace numora {
namespace {

struct TFormatCase {
  const char* name;
  long double value;
  const char* text;
};

class FloatToStrTest : public ::testing::TestWithParam<TFormatCase> {};

TEST_P(FloatToStrTest, FormatsWithFifteenSignificantDigits) {
  EXPECT_EQ(FloatToStr(GetParam().value), GetParam().text);
}

const TFormatCase kFormats[] = {
    {"ZeroIsZero", 0.0L, "0"},
    {"NegativeZeroIsZero", -0.0L, "0"},
    {"OneThird", 1.0L / 3, "0,333333333333333"},
    {"TwoThirdsRoundsUp", 2.0L / 3, "0,666666666666667"},
    {"FiveHalves", 5.0L / 2, "2,5"},
    {"TenToTheMinusFourIsFixed", 1e-4L, "0,0001"},
    {"TenToTheMinusFiveIsScientific", 1e-5L, "1E-5"},
    {"FifteenNinesAreFixed", 999999999999999.0L, "999999999999999"},
    {"TenToTheFifteenIsScientific", 1e15L, "1E15"},
    {"LargeIntegerRoundsToFifteenDigits", 123456789012345678.0L, "1,23456789012346E17"},
    {"SquareRootOfTwo", std::sqrt(2.0L), "1,4142135623731"},
    {"ExactTieRoundsAwayFromZero", 0x1p-22L, "2,38418579101563E-7"},
    {"JustBelowATieRoundsDown", std::nextafter(1000000000000005.0L, 0.0L), "1E15"},
    {"NegativeValuesGetAMinus", -2.5L, "-2,5"},
    {"NegativeScientific", -1e-5L, "-1E-5"},
    {"SixteenNinesRoundToTenToTheSixteen", 9999999999999999.0L, "1E16"},
    {"HugeExtendedValue", 1e4000L, "1E4000"},
    {"SubnormalKeepsOnlyItsOwnPrecision", 1e-4940L, "9,99999999996053E-4941"},
};
INSTANTIATE_TEST_SUITE_P(Examples, FloatToStrTest, ::testing::ValuesIn(kFormats),
                         [](const auto& info) { return std::string(info.param.name); });

struct TParseCase {
  const char* name;
  const char* text;
  long double value;
};

class StrToFloatTest : public ::testing::TestWithParam<TParseCase> {};

TEST_P(StrToFloatTest, ReadsTheDisplayForm) {
  EXPECT_EQ(StrToFloat(GetParam().text), GetParam().value);
}

const TParseCase kParses[] = {
    {"Integer", "42", 42.0L},
    {"CommaFraction", "2,5", 2.5L},
    {"TrailingCommaIsAccepted", "5,", 5.0L},
    {"LeadingComma", ",5", 0.5L},
    {"NegativeNumber", "-7", -7.0L},
    {"ExplicitPlus", "+7", 7.0L},
    {"Exponent", "1E-5", 1e-5L},
    {"LowerCaseExponentWithPlus", "1,5e+3", 1500.0L},
    {"BlanksAroundAreIgnored", "  12  ", 12.0L},
    {"TabsAreBlanksToo", "\t 12\t", 12.0L},
    {"LeadingZeros", "007", 7.0L},
    {"MinusZero", "-0", -0.0L},
};
INSTANTIATE_TEST_SUITE_P(Texts, StrToFloatTest, ::testing::ValuesIn(kParses),
                         [](const auto& info) { return std::string(info.param.name); });

class StrToFloatRejectTest : public ::testing::TestWithParam<const char*> {};

TEST_P(StrToFloatRejectTest, RaisesAConversionFault) {
  try {
    StrToFloat(GetParam());
    FAIL() << "accepted '" << GetParam() << "'";
  } catch (const EEngineFault& fault) {
    EXPECT_EQ(fault.Kind(), EEngineFault::TKind::Conversion);
    EXPECT_NE(std::string(fault.what()).find("not a valid"), std::string::npos);
  }
}

INSTANTIATE_TEST_SUITE_P(BadTexts, StrToFloatRejectTest,
                         ::testing::Values("", "-", "+", ",", "abc", "1.5", "1,5,", "1E", "1E+",
                                           "5 5", "1E99999", "--5", "0x10", "inf", "nan"));

TEST(FloatTextLocaleTest, DoesNotDependOnTheProcessLocale) {
  const char* chosen = nullptr;
  for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "ru_RU.UTF-8", "C.UTF-8"}) {
    if (std::setlocale(LC_ALL, name) != nullptr) {
      chosen = name;
      break;
    }
  }
  EXPECT_EQ(FloatToStr(2.5L), "2,5");
  EXPECT_EQ(StrToFloat("2,5"), 2.5L);
  EXPECT_THROW(StrToFloat("2.5"), EEngineFault);
  std::setlocale(LC_ALL, "C");
  if (chosen == nullptr) GTEST_SKIP() << "no other locale installed";
}

TEST(FloatTextRoundTripTest, EveryShownNumberReadsBackToItsOwnText) {
  for (long double v : {1.0L / 3, 1e-5L, 123456789012345678.0L, -2.0L / 7, 1e300L, 6.02e23L}) {
    const std::string text = FloatToStr(v);
    EXPECT_EQ(FloatToStr(StrToFloat(text)), text);
  }
}

TEST(StripWordTest, RemovesEveryOccurrenceIgnoringCase) {
  EXPECT_EQ(StripWord("Button", "PlusButton"), "Plus");
  EXPECT_EQ(StripWord("Button", "xUPyButton"), "xUPy");
  EXPECT_EQ(StripWord("Button", "buttonBUTTONMinusButton"), "Minus");
  EXPECT_EQ(StripWord("Button", "BuButtontton"), "");
  EXPECT_EQ(StripWord("Button", "MemClearBtn"), "MemClearBtn");
  EXPECT_EQ(StripWord("", "Plus"), "Plus");
}

}  // namespace
}  // namespace numora
