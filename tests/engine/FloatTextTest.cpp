// What the display's number reader accepts, whatever the locale, and the two helpers of the
// key handlers: the hidden field's character filter and StripWord.
#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "Engine.h"

namespace numora {
namespace {

TEST(StrToFloatTest, ReadsTheDisplayFormAndRejectsEveryOtherText) {
  const std::pair<const char*, long double> accepted[] = {
      {"42", 42},
      {"2,5", 2.5},
      {"5,", 5},
      {",5", 0.5},
      {"-7", -7},
      {"+7", 7},
      {"1E-5", 1e-5L},
      {"1,5e+3", 1500},
      {"  12  ", 12},
      {"\t 12\t", 12},
      {"007", 7},
      // Read at full extended precision (a path through double would lose the last bits), with
      // the separator moved into the exponent, and exponents far beyond the range saturated.
      {"0,1", 0.1L},
      {"3,14159265358979323846", 3.14159265358979323846L},
      {"1,25E3", 1250},
      {"0,00012345e-3", 1.2345e-7L},
      {"1E-99999999999999999999", 0}};
  for (const auto& [text, value] : accepted) EXPECT_EQ(StrToFloat(text), value) << text;
  for (const char* text :
       {"", "-", "+", ",", "abc", "1.5", "1,5,", "1E", "1E+", "5 5", "1E99999",
        "1E99999999999999999999", ",E5", "--5", "0x10", "inf", "nan", "\n5", "5\v"}) {
    try {
      StrToFloat(text);
      ADD_FAILURE() << "accepted '" << text << "'";
    } catch (const EEngineFault& fault) {
      EXPECT_EQ(fault.Kind(), EEngineFault::TKind::Conversion) << text;
    }
  }
}

TEST(StrToFloatTest, DoesNotDependOnTheProcessLocale) {
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

TEST(HiddenFieldTest, PassesOnlyDigitsSeparatorsAndEditingCharacters) {
  const std::string passed = "\b\t\r,.0123456789";
  for (int c = -128; c < 128; ++c) {
    const bool expected = c != 0 && passed.find(static_cast<char>(c)) != std::string::npos;
    EXPECT_EQ(IsPassedCharacter(static_cast<char>(c)), expected) << c;
  }
}

TEST(StripWordTest, RemovesEveryOccurrenceIgnoringCase) {
  EXPECT_EQ(StripWord("Button", "xUPyButton"), "xUPy");
  EXPECT_EQ(StripWord("Button", "buttonBUTTONMinusButton"), "Minus");
  EXPECT_EQ(StripWord("Button", "BuButtontton"), "");
  EXPECT_EQ(StripWord("Button", "MemClearBtn"), "MemClearBtn");
  EXPECT_EQ(StripWord("", "Plus"), "Plus");
}

}  // namespace
}  // namespace numora
