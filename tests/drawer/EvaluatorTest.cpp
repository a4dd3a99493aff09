// The spreadsheet evaluator through its public operations, as the drawer uses it.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "VCF1.h"

namespace numora {
namespace {

double Eval(const std::string& formula) {
  TF1Book book;
  book.PutCellFormula(1, 1, formula);
  return book.GetCellNumber(1, 1);
}

struct TValueCase {
  const char* formula;
  double value;
};

void PrintTo(const TValueCase& c, std::ostream* os) { *os << c.formula; }

class FormulaValue : public ::testing::TestWithParam<TValueCase> {};

TEST_P(FormulaValue, IsComputedWhenPut) {
  EXPECT_DOUBLE_EQ(Eval(GetParam().formula), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Numbers, FormulaValue,
                         ::testing::Values(TValueCase{"0", 0}, TValueCase{"42", 42},
                                           TValueCase{"2.5", 2.5}, TValueCase{".5", 0.5},
                                           TValueCase{"5.", 5}, TValueCase{"1e3", 1000},
                                           TValueCase{"1.5E+2", 150}, TValueCase{"25e-1", 2.5},
                                           TValueCase{"1e-400", 0}, TValueCase{" 7 ", 7},
                                           TValueCase{"\t1 +\t2", 3}));

INSTANTIATE_TEST_SUITE_P(
    Precedence, FormulaValue,
    ::testing::Values(TValueCase{"1+2*3", 7}, TValueCase{"(1+2)*3", 9}, TValueCase{"10-4-3", 3},
                      TValueCase{"24/4/3", 2}, TValueCase{"2^3^2", 64}, TValueCase{"2*3^2", 18},
                      TValueCase{"-5^2", 25}, TValueCase{"-(5^2)", -25}, TValueCase{"0-5^2", -25},
                      TValueCase{"2^-1", 0.5}, TValueCase{"+3", 3}, TValueCase{"--3", 3},
                      TValueCase{"-+-3", 3}, TValueCase{"1+-5/10", 0.5}, TValueCase{"3*-2", -6},
                      TValueCase{"3--2", 5}, TValueCase{"(-4)", -4}, TValueCase{"-(-(-1))", -1},
                      TValueCase{"((((((1))))))", 1}));

INSTANTIATE_TEST_SUITE_P(
    Functions, FormulaValue,
    ::testing::Values(
        TValueCase{"SIN(PI()/2)", 1}, TValueCase{"COS(0)", 1}, TValueCase{"TAN(PI()/4)", 1},
        TValueCase{"ASIN(1)", M_PI / 2}, TValueCase{"ACOS(1)", 0}, TValueCase{"ATAN(1)", M_PI / 4},
        TValueCase{"ATAN2(0,1)", M_PI / 2}, TValueCase{"ATAN2(-1,0)", M_PI},
        TValueCase{"SINH(1)", std::sinh(1.0)}, TValueCase{"COSH(1)", std::cosh(1.0)},
        TValueCase{"TANH(1)", std::tanh(1.0)}, TValueCase{"EXP(1)", M_E},
        TValueCase{"LN(EXP(2))", 2}, TValueCase{"LOG(1000)", 3}, TValueCase{"LOG(8,2)", 3},
        TValueCase{"LOG10(0.01)", -2}, TValueCase{"SQRT(16)", 4}, TValueCase{"ABS(-3.5)", 3.5},
        TValueCase{"INT(2.7)", 2}, TValueCase{"INT(-2.5)", -3}, TValueCase{"ROUND(2.5)", 3},
        TValueCase{"ROUND(-2.5)", -3}, TValueCase{"ROUND(3.14159,2)", 3.14},
        TValueCase{"ROUND(1234,-2)", 1200}, TValueCase{"TRUNC(-2.7)", -2},
        TValueCase{"TRUNC(3.789,1)", 3.7}, TValueCase{"MOD(7,3)", 1}, TValueCase{"MOD(-7,3)", 2},
        TValueCase{"MOD(7,-3)", -2}, TValueCase{"POWER(2,10)", 1024}, TValueCase{"SIGN(-4)", -1},
        TValueCase{"SIGN(0)", 0}, TValueCase{"SIGN(9)", 1}, TValueCase{"MIN(3,1,2)", 1},
        TValueCase{"MAX(3,1,2)", 3}, TValueCase{"MAX(-1)", -1}, TValueCase{"PI()", M_PI},
        TValueCase{"2*PI ( )", 2 * M_PI}, TValueCase{"SQRT(ABS(-16))+MAX(1,MIN(5,2))", 6}));

INSTANTIATE_TEST_SUITE_P(LetterCase, FormulaValue,
                         ::testing::Values(TValueCase{"sin(0)+1", 1}, TValueCase{"Sin(0)+1", 1},
                                           TValueCase{"sIn(0)+1", 1}, TValueCase{"pi()", M_PI},
                                           TValueCase{"Log10(100)", 2},
                                           TValueCase{"atan2(1,1)", M_PI / 4}));

class FormulaWithoutNumber : public ::testing::TestWithParam<const char*> {};

TEST_P(FormulaWithoutNumber, GivesNotANumber) { EXPECT_TRUE(std::isnan(Eval(GetParam()))); }

INSTANTIATE_TEST_SUITE_P(Arithmetic, FormulaWithoutNumber,
                         ::testing::Values("1/0", "0/0", "-1/0", "LN(-1)", "LN(0)", "SQRT(-1)",
                                           "ASIN(2)", "ACOS(-2)", "LOG(-5)", "LOG(10,1)",
                                           "MOD(5,0)", "0^-1", "(-8)^(1/3)", "EXP(1000)",
                                           "1e308*10", "1/0+5", "SIN(1/0)", "MAX(1,1/0)",
                                           "MIN(1/0,1)", "ATAN2(0,0)", "POWER(0,-2)"));

struct TErrorCase {
  const char* formula;
  std::size_t position;
  const char* words;  // part of the message
};

void PrintTo(const TErrorCase& c, std::ostream* os) { *os << '"' << c.formula << '"'; }

class RejectedFormula : public ::testing::TestWithParam<TErrorCase> {};

TEST_P(RejectedFormula, NamesThePositionAndWhatWasExpectedAndKeepsTheCell) {
  TF1Book book;
  book.PutCellFormula(2, 3, "41+1");
  try {
    book.PutCellFormula(2, 3, GetParam().formula);
    FAIL() << "accepted";
  } catch (const EF1BookError& error) {
    EXPECT_EQ(error.Position(), GetParam().position);
    const std::string what = error.what();
    EXPECT_NE(what.find("at character " + std::to_string(GetParam().position) + ": "),
              std::string::npos)
        << what;
    EXPECT_NE(what.find(GetParam().words), std::string::npos) << what;
  }
  EXPECT_EQ(book.GetCellNumber(2, 3), 42);
}

INSTANTIATE_TEST_SUITE_P(
    Syntax, RejectedFormula,
    ::testing::Values(
        TErrorCase{"", 1, "expected a number"}, TErrorCase{"   ", 4, "expected a number"},
        TErrorCase{"-()", 3, "expected a number"}, TErrorCase{"()", 2, "expected a number"},
        TErrorCase{"1+", 3, "expected a number"}, TErrorCase{"w+*2", 1, "unknown name \"w\""},
        TErrorCase{"1+*2", 3, "expected a number"}, TErrorCase{"(1+2", 5, "expected \")\""},
        TErrorCase{"1+2)", 4, "expected an operator or the end"},
        TErrorCase{"2 3", 3, "expected an operator"}, TErrorCase{"sin(", 5, "expected a number"},
        TErrorCase{"sin(1", 6, "expected \",\" or \")\""},
        TErrorCase{"sin 1", 5, "expected \"(\" after the function name \"sin\""},
        TErrorCase{"PI", 3, "expected \"(\""}, TErrorCase{"1,2", 2, "expected an operator"},
        TErrorCase{"1e", 3, "digits of the exponent"}, TErrorCase{"1e+x", 4, "exponent"},
        TErrorCase{"1e999", 1, "too large"}, TErrorCase{"2#3", 2, "expected an operator"},
        TErrorCase{"#", 1, "expected a number"}, TErrorCase{"1.2.3", 4, "expected an operator"},
        TErrorCase{"3,5", 2, "expected an operator"}, TErrorCase{"1 ** 2", 4, "expected a number"},
        TErrorCase{"x", 1, "unknown name \"x\""}, TErrorCase{"A1", 1, "unknown name \"A1\""},
        TErrorCase{"é+1", 1, "expected a number"}, TErrorCase{"1+é", 3, "expected a number"},
        TErrorCase{"1+(2é", 5, "expected \")\""}));

INSTANTIATE_TEST_SUITE_P(Functions, RejectedFormula,
                         ::testing::Values(TErrorCase{"pow(2,2)", 1, "unknown function \"pow\""},
                                           TErrorCase{"1+foo()", 3, "unknown function \"foo\""},
                                           TErrorCase{"SIN()", 1, "SIN takes 1 argument"},
                                           TErrorCase{"SIN(1,2)", 1, "SIN takes 1 argument"},
                                           TErrorCase{"log(1,2,3)", 1,
                                                      "LOG takes 1 to 2 arguments"},
                                           TErrorCase{"ATAN2(1)", 1, "ATAN2 takes 2 arguments"},
                                           TErrorCase{"2*PI(1)", 3, "PI takes 0 arguments"},
                                           TErrorCase{"MAX()", 1, "MAX takes 1 to 255 arguments"},
                                           TErrorCase{"MIN(1,,2)", 7, "expected a number"}));

INSTANTIATE_TEST_SUITE_P(References, RejectedFormula,
                         ::testing::Values(TErrorCase{"R0C1", 1, "outside rows 1 to 65536"},
                                           TErrorCase{"1+R1C0", 3, "outside"},
                                           TErrorCase{"R65537C1", 1, "outside"},
                                           TErrorCase{"R1C257", 1, "outside"},
                                           TErrorCase{"R99999999999999C1", 1, "outside"},
                                           TErrorCase{"R1", 1, "unknown name"},
                                           TErrorCase{"RC1", 1, "unknown name"},
                                           TErrorCase{"R1C1X", 1, "unknown name"}));

TEST(FormulaBounds, DeepNestingIsAnErrorNotACrash) {
  TF1Book book;
  std::string ok = std::string(100, '(') + "1" + std::string(100, ')');
  book.PutCellFormula(1, 1, ok);
  EXPECT_EQ(book.GetCellNumber(1, 1), 1);
  const std::string deep = std::string(101, '(') + "1" + std::string(101, ')');
  try {
    book.PutCellFormula(1, 1, deep);
    FAIL() << "accepted";
  } catch (const EF1BookError& error) {
    EXPECT_EQ(error.Position(), 101u);
    EXPECT_NE(std::string(error.what()).find("at most 100"), std::string::npos);
  }
  std::string calls;
  for (int i = 0; i < 101; ++i) calls += "abs(";
  calls += "1" + std::string(101, ')');
  EXPECT_THROW(book.PutCellFormula(1, 1, calls), EF1BookError);
  // Far too deep for any stack if it were recursion, and still a plain error.
  EXPECT_THROW(book.PutCellFormula(1, 1, std::string(8000, '(')), EF1BookError);
  EXPECT_EQ(book.GetCellNumber(1, 1), 1);
}

TEST(FormulaBounds, SignsAndPowersChainWithoutNesting) {
  EXPECT_EQ(Eval(std::string(4000, '-') + "2"), 2);
  std::string powers = "1";
  for (int i = 0; i < 2000; ++i) powers += "^1";
  EXPECT_EQ(Eval(powers), 1);
}

TEST(FormulaBounds, FormulasLongerThanTheLimitAreRejected) {
  std::string sum = "1";
  while (sum.size() < 8190) sum += "+1";
  EXPECT_EQ(sum.size(), 8191u);
  EXPECT_EQ(Eval(sum), 4096);
  TF1Book book;
  try {
    book.PutCellFormula(1, 1, sum + "+1");
    FAIL() << "accepted";
  } catch (const EF1BookError& error) {
    EXPECT_EQ(error.Position(), 8193u);
    EXPECT_NE(std::string(error.what()).find("at most 8192 characters"), std::string::npos);
  }
}

TEST(FormulaBounds, ManyArgumentsAreCountedUpToTheLimit) {
  std::string args = "MAX(1";
  for (int i = 2; i <= 255; ++i) args += "," + std::to_string(i);
  EXPECT_EQ(Eval(args + ")"), 255);
  EXPECT_THROW(Eval(args + ",256)"), EF1BookError);
}

TEST(CellReferences, NeverHoldTheLetterW) {
  TF1Book book;
  for (int row : {1, 2, 23, 401, 65536}) {
    for (int col = 1; col <= 256; ++col) {
      const std::string text = book.CellReference(row, col, false);
      ASSERT_EQ(text.find_first_of("wW"), std::string::npos) << text;
      EXPECT_EQ(text, book.CellReference(row, col, true));
    }
  }
  EXPECT_EQ(book.CellReference(12, 3, false), "R12C3");
}

TEST(CellReferences, StandForTheCellsNumberWhenTheFormulaIsPut) {
  TF1Book book;
  book.PutCellEntry(4, 23, "-5");
  const std::string ref = book.CellReference(4, 23, false);
  book.PutCellFormula(1, 1, ref + "^2");
  EXPECT_EQ(book.GetCellNumber(1, 1), 25);  // the same as -5^2
  book.PutCellFormula(1, 2, "-" + ref + "*2");
  EXPECT_EQ(book.GetCellNumber(1, 2), 10);
  book.PutCellEntry(4, 23, "7");
  EXPECT_EQ(book.GetCellNumber(1, 1), 25);  // computed when put, not later
  book.PutCellFormula(1, 1, "r4c23+R1C1");  // any case; its own old number
  EXPECT_EQ(book.GetCellNumber(1, 1), 32);
  book.PutCellFormula(2, 2, "R300C200+1");  // a cell never written holds 0
  EXPECT_EQ(book.GetCellNumber(2, 2), 1);
}

TEST(CellEntries, AcceptDecimalNumerals) {
  TF1Book book;
  for (const auto& [text, value] :
       std::initializer_list<std::pair<const char*, double>>{{"0", 0},
                                                             {"-200", -200},
                                                             {"200", 200},
                                                             {"+3", 3},
                                                             {"2.5", 2.5},
                                                             {"-0.25", -0.25},
                                                             {"1e3", 1000},
                                                             {"-1.5E-1", -0.15}}) {
    book.PutCellEntry(1, 1, text);
    EXPECT_EQ(book.GetCellNumber(1, 1), value) << text;
  }
}

TEST(CellEntries, RejectEverythingElseAndKeepTheNumber) {
  TF1Book book;
  book.PutCellEntry(3, 1, "12");
  for (const auto& [text, position] :
       std::initializer_list<std::pair<const char*, std::size_t>>{{"", 1},
                                                                  {"-", 2},
                                                                  {"abc", 1},
                                                                  {"1+1", 2},
                                                                  {" 5", 1},
                                                                  {"5 ", 2},
                                                                  {"1,5", 2},
                                                                  {"--5", 2},
                                                                  {"1e", 3},
                                                                  {"0x10", 2},
                                                                  {"R1C1", 1},
                                                                  {"1e999", 1}}) {
    try {
      book.PutCellEntry(3, 1, text);
      ADD_FAILURE() << "accepted " << text;
    } catch (const EF1BookError& error) {
      EXPECT_EQ(error.Position(), position) << text;
    }
    EXPECT_EQ(book.GetCellNumber(3, 1), 12) << text;
  }
}

TEST(CellAddresses, OutsideTheSheetAreErrorsWithoutPosition) {
  TF1Book book;
  book.SelectCell(5, 6);
  for (const auto& [row, col] :
       std::initializer_list<std::pair<int, int>>{{0, 1}, {1, 0}, {-1, 1}, {65537, 1}, {1, 257}}) {
    EXPECT_THROW(book.SelectCell(row, col), EF1BookError);
    EXPECT_THROW(book.PutCellEntry(row, col, "1"), EF1BookError);
    EXPECT_THROW(book.PutCellFormula(row, col, "1"), EF1BookError);
    EXPECT_THROW(book.GetCellNumber(row, col), EF1BookError);
    EXPECT_THROW(book.CellReference(row, col, false), EF1BookError);
    try {
      book.GetCellNumber(row, col);
    } catch (const EF1BookError& error) {
      EXPECT_EQ(error.Position(), 0u);
      EXPECT_NE(std::string(error.what()).find("expected rows 1 to 65536"), std::string::npos);
    }
  }
  int row = 0, col = 0;
  book.GetSelectedCell(row, col);
  EXPECT_EQ(row, 5);
  EXPECT_EQ(col, 6);
  EXPECT_EQ(book.GetCellNumber(65536, 256), 0);
}

TEST(CellSelection, StartsAtTheFirstCellAndFollowsSelectCell) {
  TF1Book book;
  int row = 0, col = 0;
  book.GetSelectedCell(row, col);
  EXPECT_EQ(row, 1);
  EXPECT_EQ(col, 1);
  book.SelectCell(401, 2);
  book.GetSelectedCell(row, col);
  EXPECT_EQ(row, 401);
  EXPECT_EQ(col, 2);
}

// The drawer's own calls: w in column 1, minus F(w) in column 2, the readout in R1C3.
double DefaultF(double w) {
  return std::sin((w / 10 + std::sin(w / 10) * 10 + std::cos(w / 10) * 10) / 10) * 100 + w / 10 + 5;
}

TEST(DrawerUse, FillsTheRowsOfAPlotWithTheDefaultFormula) {
  TF1Book book;
  for (int i = 0; i <= 400; ++i) {
    const int row = i + 1;
    book.SelectCell(row, 1);
    book.PutCellEntry(row, 1, std::to_string(i - 200));
    int r = 0, c = 0;
    book.GetSelectedCell(r, c);
    const std::string ref = book.CellReference(r, c, false);
    book.PutCellFormula(row, 2,
                        "-(Sin((" + ref + "/10+sin(" + ref + "/10)*10+cos(" + ref +
                            "/10)*10)/10)*100+" + ref + "/10+5)");
  }
  for (int i = 0; i <= 400; ++i) {
    EXPECT_EQ(book.GetCellNumber(i + 1, 1), i - 200);
    EXPECT_NEAR(book.GetCellNumber(i + 1, 2), -DefaultF(i - 200), 1e-12) << i;
  }
}

TEST(DrawerUse, ANegativeNumeralAfterAnOperatorMeansTheSameAsAReference) {
  TF1Book book;
  book.PutCellEntry(1, 1, "-5");
  for (const char* shape : {"(Sin((#/10+sin(#/10)*10+cos(#/10)*10)/10)*100+#/10+5)", "(#^2)",
                            "(2^#)", "(#*#)", "(-#)", "(#-#)", "(3-#)"}) {
    std::string byRef = shape, byNumeral = shape;
    for (std::size_t p; (p = byRef.find('#')) != std::string::npos;) byRef.replace(p, 1, "R1C1");
    for (std::size_t p; (p = byNumeral.find('#')) != std::string::npos;)
      byNumeral.replace(p, 1, "-5");
    book.PutCellFormula(1, 2, byRef);
    book.PutCellFormula(1, 3, byNumeral);
    EXPECT_DOUBLE_EQ(book.GetCellNumber(1, 2), book.GetCellNumber(1, 3)) << byNumeral;
  }
  book.PutCellFormula(1, 3, "(1+-5/10)");
  EXPECT_EQ(book.GetCellNumber(1, 3), 0.5);
}

TEST(DrawerUse, ReadoutAtWOneIsALittleAbove94) {
  TF1Book book;
  book.PutCellFormula(1, 3, "(Sin((1/10+sin(1/10)*10+cos(1/10)*10)/10)*100+1/10+5)");
  EXPECT_DOUBLE_EQ(book.GetCellNumber(1, 3), DefaultF(1));
  EXPECT_GT(book.GetCellNumber(1, 3), 94.43);
  EXPECT_LT(book.GetCellNumber(1, 3), 94.44);
}

TEST(DrawerUse, EmptyFormulasOfTheDrawerAreRejected) {
  TF1Book book;
  EXPECT_THROW(book.PutCellFormula(1, 2, "-()"), EF1BookError);
  EXPECT_THROW(book.PutCellFormula(1, 3, "()"), EF1BookError);
}

}  // namespace
}  // namespace numora
