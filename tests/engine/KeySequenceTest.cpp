// Key sequences from a fresh start: what the display shows and what the user hears and sees.
#include <gtest/gtest.h>

#include "KeySequence.h"

namespace numora {
namespace {

struct TSequenceCase {
  const char* name;
  const char* keys;
  const char* display;
  const char* events;  // "beep", "message: ...", "fault", joined by "; "
};

class KeySequenceTest : public ::testing::TestWithParam<TSequenceCase> {};

TEST_P(KeySequenceTest, ShowsTheExpectedDisplay) {
  const TSequenceCase& c = GetParam();
  THeadlessCalculator calculator;
  ASSERT_TRUE(test::Press(calculator, c.keys)) << c.keys;
  EXPECT_EQ(calculator.Current().DisplayText(), c.display) << c.keys;
  EXPECT_EQ(test::EventLines(calculator), c.events) << c.keys;
}

const TSequenceCase kChaining[] = {
    {"WorksStrictlyLeftToRight", "2 + 3 * 4 =", "20", ""},
    {"SecondEqualCalculatesNothing", "2 + 3 = =", "5", ""},
    {"SecondOperatorReplacesThePendingOne", "2 + -- 3 =", "-1", ""},
    {"EqualAfterClearAddsToZero", "5 =", "5", ""},
    {"FunctionDropsThePendingAddition", "2 + 3 sqrt =", "1,73205080756888", ""},
    {"DigitsAfterAFunctionAreAppended", "9 sqrt 5", "35", ""},
    {"PercentOfASum", "200 + 10 %", "2,1", ""},
    {"PercentThenMultiply", "50 % * 4 =", "2", ""},
    {"NumberTypedAfterPercentIsNotUsed", "50 % 4 +", "0,5", ""},
    {"DivisionByZeroIsHandled", "5 / 0 =", "0", "message: Division by Zero; beep"},
    {"ReciprocalOfZeroIsHandled", "0 1/x", "0", "message: Division by Zero; beep"},
    {"ZeroByZeroIsAnInvalidOperation", "0 / 0 =", "0", "fault: invalid"},
    {"OneThird", "1 / 3 =", "0,333333333333333", ""},
    {"TwoThirds", "2 / 3 =", "0,666666666666667", ""},
    {"TenByFour", "10 / 4 =", "2,5", ""},
    {"FullPrecisionAccumulatorIsTheLeftOperand", "1 / 3 = * 3 =", "1", ""},
    {"RootOfANegativeNumberFaults", "4 +/- sqrt", "-4", "fault: invalid"},
    {"RootAfterAFaultWorksOnTheNewNumber", "4 +/- sqrt 9 =", "3", "fault: invalid"},
    {"PowerOfZeroFaults", "0 x^y 2 =", "2", "fault: zero-divide"},
    {"PowerOfZeroToTheZeroIsTheLogarithmsDivisionByZero", "0 x^y 0 =", "0", "fault: zero-divide"},
    {"PowerOfANegativeNumberIsInvalid", "2 +/- x^y 2 =", "2", "fault: invalid"},
    {"TwoToTheTenth", "2 x^y 10 =", "1024", ""},
    {"HalfRoundsAwayFromZero", "100000000000000 + 0,5 =", "100000000000001", ""},
    {"QuarterRoundsOnTheDecimalDigits", "10000000000000 + 0,25 =", "10000000000000,3", ""},
    {"SixteenDigitTieRoundsUp", "1000000000000005 =", "1,00000000000001E15", ""},
    {"StoredJustBelowATieRoundsDown", "1,000000000000035 =", "1,00000000000003", ""},
    {"FactorialOfFive", "5 n!", "120", ""},
    {"FactorialOfAFraction", "2,5 n!", "1,875", ""},
    {"FactorialOfZero", "0 n!", "1", ""},
    {"FactorialOfANegativeNumber", "3 +/- n!", "1", ""},
    {"FactorialOf170", "170 n!", "7,257415615308E306", ""},
    {"FactorialOf1755Overflows", "1755 n!", "1755", "fault: overflow"},
    {"SineOf30InDegrees", "30 sin", "0,50000000000003", ""},
    {"CosineOf60InDegrees", "60 cos", "0,49999999999994", ""},
    {"TangentOf45InDegrees", "45 tan", "1,0000000000001", ""},
    {"SineOf90InDegrees", "90 sin", "1", ""},
    {"LogOf100", "100 log", "2", ""},
    {"LnOf1", "1 ln", "0", ""},
    {"ExpOf1", "1 exp", "2,71828182845905", ""},
    {"LogOfZeroFaults", "0 log", "0", "fault: zero-divide"},
    {"SquareAndCube", "3 x^2 + 2 x^3 =", "8", ""},
    {"LargeProductInScientificNotation", "123456789 * 1000000000 =", "1,23456789E17", ""},
    {"TinyQuotientInScientificNotation", "1 / 100000 =", "1E-5", ""},
    {"SmallQuotientInFixedNotation", "1 / 10000 =", "0,0001", ""},
    {"ExpOfAHugeNumberOverflows", "12000 exp", "12000", "fault: overflow"},
};
INSTANTIATE_TEST_SUITE_P(Chaining, KeySequenceTest, ::testing::ValuesIn(kChaining),
                         [](const auto& info) { return std::string(info.param.name); });

const TSequenceCase kClearedState[] = {
    {"EqualRightAfterStartOnlyBeeps", "=", "0", "beep"},
    {"PlusRightAfterStartOnlyBeeps", "+", "0", "beep"},
    {"PercentRightAfterStartOnlyBeeps", "%", "0", "beep"},
    {"RootRightAfterStartIsSilent", "sqrt", "0", ""},
    {"EqualAfterClearEntryBeeps", "2 + 3 = ce =", "0", "beep"},
};
INSTANTIATE_TEST_SUITE_P(ClearedState, KeySequenceTest, ::testing::ValuesIn(kClearedState),
                         [](const auto& info) { return std::string(info.param.name); });

const TSequenceCase kEntry[] = {
    {"LeadingZerosAreReplaced", "0 0 7", "7", ""},
    {"CommaFirstExtendsZero", ", 5", "0,5", ""},
    {"ZeroCommaZeroFive", "0 , 0 5", "0,05", ""},
    {"SecondCommaBeeps", "5 , ,", "5,", "beep"},
    {"CommaAfterOperatorExtendsTheShownNumber", "5 + , 5 =", "10,5", ""},
    {"CommaBeepsWhenTheResultHasOne", "1 , 5 + , 2", "2", "beep"},
    {"ZeroAfterOperatorIsReplacedByTheNextDigit", "2 + 0 5", "5", ""},
    {"BackOnOneCharacterShowsZeroAndBeeps", "9 back", "0", "beep"},
    {"BackDeletesTheLastCharacter", "1 2 back", "1", ""},
    {"BackEditsAShownResult", "7 + 8 = back", "1", ""},
    {"DigitAfterBackOnAResultStartsANewNumber", "7 + 8 = back 2", "2", ""},
    {"SignToggles", "5 +/- +/-", "5", ""},
    {"SignOnZeroBeepsAndShowsMinusZero", "+/-", "-0", "beep"},
    {"SignOnMinusZeroRestoresZero", "+/- +/-", "0", "beep"},
    {"DigitAfterMinusZeroIsAppended", "0 +/- 5", "-05", "beep"},
    {"BackLeavesALoneMinus", "5 +/- back", "-", ""},
    {"ALoneMinusIsAConversionFault", "5 +/- back =", "-", "fault: conversion"},
    {"SignOfAnExponentResult", "1 / 100000 = +/-", "-1E-5", ""},
    {"SignOfANegativeExponentResultTwice", "1 / 100000 = +/- +/-", "1E-5", ""},
    {"SignOnALoneMinusLeavesAnEmptyText", "5 +/- back +/-", "", ""},
    {"DigitOnAnEmptyTextIsShown", "5 +/- back +/- 7", "7", ""},
    {"DigitsAfterRootAreAppended", "9 sqrt 4", "34", ""},
    {"SecondClearEntryChangesNothing", "5 ce ce", "0", ""},
};
INSTANTIATE_TEST_SUITE_P(Entry, KeySequenceTest, ::testing::ValuesIn(kEntry),
                         [](const auto& info) { return std::string(info.param.name); });

const TSequenceCase kMemory[] = {
    {"MemoryPlusRightAfterStartShowsZero", "m+", "0", ""},
    {"DigitAfterMemoryPlusStartsANewNumber", "5 m+ 3", "3", ""},
    {"MemoryPlusAddsToMemory", "5 m+ 3 m+", "8", ""},
    {"MemoryRecallStoresTheAccumulatorAndKeepsTheDisplay", "7 + 2 = mr", "9", ""},
    {"MemoryClearEndsTheNothingEnteredState", "ce mc +", "0", ""},
    {"MemoryRecallEndsTheNothingEnteredState", "c mr =", "0", ""},
    {"MemoryStoreDoesNothing", "5 ms", "5", ""},
    {"MemoryPlusOfANonNumberFaults", "5 +/- back m+", "-", "fault: conversion"},
};
INSTANTIATE_TEST_SUITE_P(Memory, KeySequenceTest, ::testing::ValuesIn(kMemory),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace numora
