// What the display's number reader accepts, whatever the locale, the reader of pasted numbers,
// and StripWord, a helper of the key handlers.
#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "Engine.h"
#include "PastedNumber.h"

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

// Numbers as web pages, spreadsheets, word processors and terminals in several countries write
// them, and what the display shows of each.
TEST(PastedNumberTest, ReadsNumbersAsPeopleWriteThem) {
  const std::pair<const char*, const char*> rows[] = {
      {"3.14", "3,14"},
      {"1 234,5", "1234,5"},
      {"1.234,56", "1234,56"},
      {"1,234.56", "1234,56"},
      {"\u22125", "-5"},
      {"1\u00A0234\u00A0567", "1234567"},
      {"1\u202F234,5", "1234,5"},
      {"1'234'567.89", "1234567,89"},
      {"1\u2019234.5", "1234,5"},
      {"1.234.567", "1234567"},
      {"1,234,567.891", "1234567,891"},
      {"1,234", "1,234"},
      {"$1,234.56", "1234,56"},
      {"12,50 \u20AC", "12,5"},
      {"\u20AC 12.50", "12,5"},
      {"\u00A33", "3"},
      {"\u00A51,000,000", "1000000"},
      {"-$5.25", "-5,25"},
      {"$-5.25", "-5,25"},
      {"+7", "7"},
      {".5", "0,5"},
      {"5.", "5"},
      {"-0", "0"},
      {"  42  \n", "42"},
      {"\n \n\t7\r\n8", "7"},
      {"1.5e3", "1500"},
      {"6.02214076E23", "6,02214076E23"},
      {"2,5e\u22123", "0,0025"},
      {"1E-5", "1E-5"},
      {"1E4932", "1E4932"},
      {"0.333333333333333333", "0,333333333333333"},
      {"3.14159265358979323846", "3,14159265358979"},
      {"123456789012345678", "1,23456789012346E17"},
  };
  for (const auto& [text, shown] : rows) EXPECT_EQ(ReadPastedNumber(text), shown) << text;
}

TEST(PastedNumberTest, RefusesTextsThatHoldNoNumberInRange) {
  const char* const rows[] = {
      "12 apples",
      "4 8 15",
      "1,2,3",
      "1e99999",
      "1E-99999",
      "",
      " \n\t\n ",
      "abc",
      "-",
      "$",
      "--5",
      "5-",
      "5%",
      "(5)",
      "1e",
      "1e+",
      "e5",
      "0x10",
      "1.234.56",
      "1 23",
      "12,34,567",
      "1,5.3",
      "$5\u20AC",
      "1 234 5678",
      "1\xFF"
      "2",
      "\u0661\u0662",
  };
  for (const char* text : rows) EXPECT_EQ(ReadPastedNumber(text), std::nullopt) << text;
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
