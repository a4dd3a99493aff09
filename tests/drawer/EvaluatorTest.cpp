// The spreadsheet evaluator through its public operations. Expected values are worked by
// hand or are well-known constants.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "VCF1.h"

namespace numora {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::string Repeat(const std::string& text, int times) {
  std::string result;
  while (times-- > 0) result += text;
  return result;
}

struct TValueCase {
  std::string formula;
  double value;  // NaN: a value without a number
};

// exact: compare bit for bit; otherwise within 4 units in the last place (transcendentals).
template <std::size_t N>
void ExpectValues(const TValueCase (&cases)[N], bool exact) {
  for (const TValueCase& c : cases) {
    TF1Book book;
    book.PutCellFormula(1, 1, c.formula);
    const double value = book.GetCellNumber(1, 1);
    if (std::isnan(c.value))
      EXPECT_TRUE(std::isnan(value)) << c.formula << " gives " << value;
    else if (exact)
      EXPECT_EQ(value, c.value) << c.formula;
    else
      EXPECT_DOUBLE_EQ(value, c.value) << c.formula.substr(0, 60);
  }
}

TEST(Evaluator, ComputesFormulasWhenTheyArePut) {
  // clang-format off
  const TValueCase cases[] = {
      // Numerals: a magnitude too small for a double is 0.
      {"42", 42}, {"2.5", 2.5}, {".5", 0.5}, {"5.", 5}, {"1.5E+2", 150}, {"25e-1", 2.5}, {" 7 ", 7},
      {"\t1 +\t2", 3}, {"1e-400", 0}, {"0." + std::string(400, '0') + "1", 0},
      // Spreadsheet precedence: signs bind tightest, ^ goes left to right.
      {"1+2*3", 7}, {"(1+2)*3", 9}, {"10-4-3", 3}, {"24/4/3", 2}, {"2^3^2", 64}, {"2*3^2", 18},
      {"-5^2", 25}, {"-(5^2)", -25}, {"0-5^2", -25}, {"2^-1", 0.5}, {"-+-3", 3}, {"1+-5/10", 0.5},
      {"3--2", 5}, {"-(-(-1))", -1}, {Repeat("-", 4000) + "2", 2}, {"1" + Repeat("^1", 2000), 1},
      {std::string(100, '(') + "1" + std::string(100, ')'), 1},
      // Functions in any letter case, angles in radians.
      {"SIN(PI()/2)", 1}, {"cos(0)", 1}, {"Tan(PI()/4)", 1}, {"ASIN(1)", M_PI / 2}, {"ACOS(1)", 0},
      {"ATAN(1)", M_PI / 4}, {"ATAN2(0,1)", M_PI / 2}, {"atan2(-1,0)", M_PI},
      {"SINH(1)", 1.1752011936438014}, {"COSH(1)", 1.5430806348152437},
      {"TANH(1)", 0.76159415595576489}, {"EXP(1)", 2.7182818284590452}, {"LN(EXP(2))", 2},
      {"LOG(1000)", 3}, {"LOG(8,2)", 3}, {"Log10(0.01)", -2}, {"SQRT(16)", 4}, {"ABS(-3.5)", 3.5},
      {"INT(2.7)", 2}, {"INT(-2.5)", -3}, {"POWER(2,10)", 1024}, {"SIGN(-4)", -1}, {"SIGN(0)", 0}, {"SIGN(9)", 1}, {"MIN(3,1,2)", 1},
      {"MAX(3,1,2)", 3}, {"MAX(-1)", -1}, {"2*PI ( )", 2 * M_PI},
      {"MAX(1" + Repeat(",2", 254) + ")", 2}, {"1" + Repeat("+1", 32767) + " ", 32768},  // 65536 characters
      {"ROUND(5,1/0)", kNaN},
      // One rule: what overflows, divides by zero or leaves a function's domain has no
      // number, and neither has anything computed from it.
      {"1/0", kNaN}, {"0/0", kNaN}, {"LN(0)", kNaN}, {"SQRT(-1)", kNaN}, {"ASIN(2)", kNaN},
      {"LOG(10,1)", kNaN}, {"MOD(5,0)", kNaN}, {"0^-1", kNaN}, {"(-8)^(1/3)", kNaN},
      {"EXP(1000)", kNaN}, {"1e308*10", kNaN}, {"10^400", kNaN}, {"1/10^400", kNaN},
      {"10^400/10^399", kNaN}, {"10^-400", 0}, {"1/0+5", kNaN}, {"(1/0)^0", kNaN},
      {"1^(1/0)", kNaN}, {"POWER(1,1/0)", kNaN}, {"MAX(1,1/0)", kNaN}, {"MIN(1/0,1)", kNaN},
      {"SIGN(1/0)", kNaN}, {"ATAN2(0,0)", kNaN}, {"ATAN(1/EXP(1000))", kNaN},
  };
  // clang-format on
  ExpectValues(cases, false);
}

// The expected values are the decimal results worked by hand; the double nearest to each is
// the only right answer, so they compare exactly.
TEST(Evaluator, RoundsTruncatesAndDividesOnTheDecimalNumberAsASpreadsheetDoes) {
  // clang-format off
  const TValueCase cases[] = {
      {"ROUND(2.5)", 3}, {"ROUND(-2.5)", -3}, {"ROUND(3.14159,2)", 3.14}, {"ROUND(1234,-2)", 1200},
      {"TRUNC(-2.7)", -2}, {"TRUNC(3.789,1)", 3.7}, {"TRUNC(0.4)", 0},
      // The binary products 4.35 * 100, 0.285 * 100... fall below the decimal digit.
      {"TRUNC(4.35,2)", 4.35}, {"TRUNC(-4.35,2)", -4.35}, {"ROUND(0.285,2)", 0.29},
      {"ROUND(1.005,2)", 1.01}, {"ROUND(-1.005,2)", -1.01}, {"ROUND(2.675,2)", 2.68},
      {"ROUND(0.15,1)", 0.2}, {"ROUND(0.1+0.2,10)", 0.3}, {"ROUND(1E300,5)", 1e300},
      {"ROUND(1.23456789012345E-300,305)", 1.23457e-300},
      // A carry through every kept digit, and rounding to tens, hundreds...
      {"ROUND(9.995,2)", 10}, {"ROUND(-99.96,1)", -100}, {"ROUND(1250,-2)", 1300},
      {"ROUND(-1250,-2)", -1300}, {"ROUND(5,-1)", 10}, {"ROUND(4,-1)", 0},
      {"TRUNC(987654321,-4)", 987650000},
      // Digits beyond any double's: ROUND and TRUNC keep the number or cut it all away.
      {"ROUND(2.5,400)", 2.5}, {"ROUND(5,-309)", 0}, {"ROUND(1E308,-308)", 1e308},
      {"TRUNC(1E300,10)", 1e300}, {"ROUND(1.7E308,-308)", kNaN},
      // An exact remainder with the divisor's sign: 10^17 = 3 * 33333333333333333 + 1.
      {"MOD(7,3)", 1}, {"MOD(-7,3)", 2}, {"MOD(7,-3)", -2}, {"MOD(-7,-3)", -1}, {"MOD(6,3)", 0},
      {"MOD(1E17,3)", 1}, {"MOD(-1E17,3)", 2}, {"MOD(1E17,-3)", -2}, {"MOD(5.5,2)", 1.5},
      {"MOD(-0.5,1)", 0.5},
  };
  // clang-format on
  ExpectValues(cases, true);
}

struct TErrorCase {
  std::string formula;
  std::size_t position;
  const char* words;  // part of the message
};

TEST(Evaluator, RejectsWithThePositionAndWhatWasExpectedAndKeepsTheCell) {
  // clang-format off
  const TErrorCase cases[] = {
      {"", 1, "expected a number, a cell reference, a function or \"(\""},
      {"   ", 4, "expected a number"}, {"-()", 3, "expected a number"}, {"1+", 3, "a number"},
      {"1 ** 2", 4, "expected a number"}, {"(1+2", 5, "expected \")\""},
      {"1+2)", 4, "expected an operator or the end"}, {"2 3", 3, "expected an operator"},
      {"3,5", 2, "expected an operator"}, {"1.2.3", 4, "expected an operator"},
      {"sin(1", 6, "expected \",\" or \")\""},
      {"sin 1", 5, "expected \"(\" after the function name \"sin\""}, {"PI", 3, "\"(\""},
      {"1e", 3, "digits of the exponent"}, {"1e+x", 4, "exponent"},
      {"1e999", 1, "the number \"1e999\" is too large"},
      {"1" + std::string(400, '0') + "e-5", 1, "too large"},
      {"x", 1, "unknown name \"x\"; expected a function call or a cell reference such as R1C1"},
      {"é+1", 1, "expected a number"}, {"1+(2é", 5, "expected \")\""},
      {"pow(2,2)", 1, "unknown function \"pow\""}, {"1+foo()", 3, "unknown function"},
      {"SIN()", 1, "SIN takes 1 argument"}, {"log(1,2,3)", 1, "LOG takes 1 to 2 arguments"},
      {"ATAN2(1)", 1, "ATAN2 takes 2 arguments"}, {"2*PI(1)", 3, "PI takes 0 arguments"},
      {"MAX(1" + Repeat(",2", 255) + ")", 1, "MAX takes 1 to 255 arguments"},
      {"MIN(1,,2)", 7, "expected a number"},
      {"R0C1", 1, "the cell reference \"R0C1\" is outside rows 1 to 65536 and columns 1 to 256"},
      {"1+R1C0", 3, "outside"}, {"R65537C1", 1, "outside"}, {"R1C257", 1, "outside"},
      {"R99999999999999C1", 1, "outside"}, {"R1", 1, "unknown name"}, {"R1C1X", 1, "unknown name"},
      {std::string(101, '(') + "1" + std::string(101, ')'), 101,
      "expected at most 100 parentheses and function calls one inside the other"},
      {Repeat("abs(", 101) + "1" + std::string(101, ')'), 404, "at most 100"},
      {std::string(100000, '('), 65537, "expected at most 65536 characters"},
  };
  // clang-format on
  for (const TErrorCase& c : cases) {
    TF1Book book;
    book.PutCellFormula(2, 3, "41+1");
    try {
      book.PutCellFormula(2, 3, c.formula);
      ADD_FAILURE() << "accepted " << c.formula.substr(0, 60);
    } catch (const EF1BookError& error) {
      EXPECT_EQ(error.Position(), c.position) << c.formula.substr(0, 60);
      EXPECT_EQ(error.what(), "at character " + std::to_string(c.position) + ": " + error.Reason());
      EXPECT_NE(error.Reason().find(c.words), std::string::npos) << error.what();
    }
    EXPECT_EQ(book.GetCellNumber(2, 3), 42);
  }
}

TEST(Evaluator, ReferencesStandForTheCellsNumberWhenTheFormulaIsPut) {
  TF1Book book;
  EXPECT_EQ(book.CellReference(12, 3, false), "R12C3");
  for (int row : {1, 401, 65536})
    for (int col = 1; col <= 256; ++col)
      ASSERT_EQ(book.CellReference(row, col, true).find_first_of("wW"), std::string::npos);
  book.PutCellEntry(4, 23, "-5");
  // As the numeral -5 in its place would (see the value table): signs bind tightest.
  for (const auto& [formula, value] : std::initializer_list<std::pair<const char*, double>>{
           {"R4C23^2", 25}, {"2^R4C23", 0.03125}, {"-R4C23", 5}, {"3-R4C23", 8}}) {
    book.PutCellFormula(1, 1, formula);
    EXPECT_EQ(book.GetCellNumber(1, 1), value) << formula;
  }
  book.PutCellEntry(4, 23, "7");
  EXPECT_EQ(book.GetCellNumber(1, 1), 8) << "computed when put, not later";
  book.PutCellFormula(1, 1, "r4c23+R1C1+R300C200");  // any case; its own old number; empty 0
  EXPECT_EQ(book.GetCellNumber(1, 1), 15);
}

// The drawer puts one formula into many rows, each naming its own row: the rows must still
// read their own cells, and a text that only looks alike must be read anew.
TEST(Evaluator, AFormulaPutAgainWithItsReferencesMovedReadsTheCellsItNowNames) {
  TF1Book book;
  for (int row = 1; row <= 3; ++row) book.PutCellEntry(row, 1, std::to_string(10 * row));
  book.PutCellEntry(1, 2, "1");
  const std::pair<std::pair<int, int>, const char*> puts[] = {
      {{1, 3}, "R1C1*2+R1C2"},  // 21
      {{2, 3}, "R2C1*2+R2C2"},  // moved a row: 40
      {{3, 3}, "R3C1*2+R1C2"},  // the second reference not moved along: 61
      {{3, 4}, "R3C2*2+R3C3"},  // moved a column: 0 + 61
      {{2, 4}, "R2C1*3+R2C2"},  // another number: 60
      {{1, 4}, "R1C1*3+R1C2x"},
  };
  const double values[] = {21, 40, 61, 61, 60};
  for (std::size_t i = 0; i < std::size(values); ++i) {
    const auto& [cell, text] = puts[i];
    book.PutCellFormula(cell.first, cell.second, text);
    EXPECT_EQ(book.GetCellNumber(cell.first, cell.second), values[i]) << text;
  }
  EXPECT_THROW(book.PutCellFormula(1, 4, puts[5].second), EF1BookError);
  EXPECT_EQ(book.GetCellNumber(1, 4), 0) << "kept";
}

TEST(Evaluator, ACellsFormulaRunsForAnotherNumberInACellItReadsAndChangesNothing) {
  TF1Book book;
  book.PutCellEntry(2, 1, "3");
  book.PutCellEntry(2, 5, "100");
  book.PutCellFormula(2, 2, "-(R2C1*R2C1+R2C5)");
  book.PutCellFormula(3, 2, "-(R3C1*R3C1+R3C5)");  // the same formula, a row down
  EXPECT_EQ(book.GetCellNumberIf(2, 2, 2, 1, 0.5), -100.25);
  EXPECT_EQ(book.GetCellNumberIf(3, 2, 3, 1, 2), -4) << "its own row's cells";
  EXPECT_EQ(book.GetCellNumberIf(2, 2, 7, 7, 0.5), -109) << "a cell it does not read";
  EXPECT_TRUE(std::isnan(book.GetCellNumberIf(2, 2, 2, 1, 1e200))) << "an overflow has no number";
  EXPECT_EQ(book.GetCellNumberIf(2, 1, 2, 1, 8), 3) << "a number stays itself";
  EXPECT_EQ(book.GetCellNumber(2, 2), -109);
  EXPECT_EQ(book.GetCellNumber(2, 1), 3);
  book.PutCellEntry(2, 2, "4");
  EXPECT_EQ(book.GetCellNumberIf(2, 2, 2, 1, 0.5), 4) << "an entry replaces the formula";
  EXPECT_THROW(book.GetCellNumberIf(0, 2, 2, 1, 0), EF1BookError);
}

TEST(Evaluator, EntriesAreDecimalNumeralsAndAnythingElseKeepsTheNumber) {
  TF1Book book;
  for (const auto& [text, value] : std::initializer_list<std::pair<const char*, double>>{
           {"-200", -200}, {"+3", 3}, {"-0.25", -0.25}, {"-1.5E-1", -0.15}, {"0.0e-999", 0}}) {
    book.PutCellEntry(1, 1, text);
    EXPECT_EQ(book.GetCellNumber(1, 1), value) << text;
  }
  // clang-format off
  for (const auto& [text, position] : std::initializer_list<std::pair<const char*, std::size_t>>{
           {"", 1}, {"-", 2}, {"abc", 1}, {"1+1", 2}, {" 5", 1}, {"5 ", 2}, {"1,5", 2}, {"--5", 2},
           {"1e", 3}, {"R1C1", 1}, {"1e999", 1}}) {
    // clang-format on
    try {
      book.PutCellEntry(1, 1, text);
      ADD_FAILURE() << "accepted " << text;
    } catch (const EF1BookError& error) {
      EXPECT_EQ(error.Position(), position) << text;
    }
    EXPECT_EQ(book.GetCellNumber(1, 1), 0) << text;
  }
}

TEST(Evaluator, CellsOutsideTheSheetAreErrorsWithoutPosition) {
  TF1Book book;
  int row = 0, col = 0;
  book.GetSelectedCell(row, col);
  EXPECT_EQ(std::pair(row, col), std::pair(1, 1));
  book.SelectCell(5, 6);
  for (const auto& [r, c] :
       {std::pair(0, 1), std::pair(1, 0), std::pair(65537, 1), std::pair(1, 257)}) {
    EXPECT_THROW(book.SelectCell(r, c), EF1BookError);
    EXPECT_THROW(book.PutCellEntry(r, c, "1"), EF1BookError);
    EXPECT_THROW(book.PutCellFormula(r, c, "1"), EF1BookError);
    EXPECT_THROW(book.CellReference(r, c, false), EF1BookError);
    try {
      book.GetCellNumber(r, c);
      ADD_FAILURE() << r << ", " << c;
    } catch (const EF1BookError& error) {
      EXPECT_EQ(error.what(), "no cell at row " + std::to_string(r) + ", column " +
                                  std::to_string(c) +
                                  "; expected rows 1 to 65536 and columns 1 to 256");
    }
  }
  book.GetSelectedCell(row, col);
  EXPECT_EQ(std::pair(row, col), std::pair(5, 6));
  EXPECT_EQ(book.GetCellNumber(65536, 256), 0);
}

}  // namespace
}  // namespace numora
