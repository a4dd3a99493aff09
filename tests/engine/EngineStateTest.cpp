// The engine state each key leaves behind, including after faults.
#include <gtest/gtest.h>

#include "KeySequence.h"

namespace numora {
namespace {

struct TStateCase {
  const char* name;
  const char* keys;
  const char* accumulator;  // FloatToStr of it
  const char* memory;
  const char* pending;
  TEntryMode mode;
  bool noOperand;
};

class EngineStateTest : public ::testing::TestWithParam<TStateCase> {};

TEST_P(EngineStateTest, LeavesTheExpectedState) {
  const TStateCase& c = GetParam();
  THeadlessCalculator calculator;
  ASSERT_TRUE(test::Press(calculator, c.keys));
  const TEngineState& s = calculator.State();
  EXPECT_EQ(FloatToStr(s.Accumulator), c.accumulator);
  EXPECT_EQ(FloatToStr(s.Memory), c.memory);
  EXPECT_EQ(s.PendingOperation, c.pending);
  EXPECT_EQ(s.EntryMode, c.mode);
  EXPECT_EQ(s.NoOperand, c.noOperand);
}

using enum TEntryMode;
const TStateCase kStates[] = {
    {"ProgramStart", "", "0", "0", "Num", emAppend, true},
    {"DigitEndsNothingEntered", "7", "0", "0", "Num", emAppend, false},
    {"AcceptedCommaEntersAfterCommaMode", "7 ,", "0", "0", "Num", emAfterComma, false},
    {"OperatorCalculatesAndWaitsForANewNumber", "7 +", "7", "0", "Plus", emNewNumber, false},
    {"OperatorAfterOperatorOnlyReplacesTheName", "7 + *", "7", "0", "Multiply", emNewNumber, false},
    {"FunctionLeavesEqualPending", "9 sqrt", "3", "0", "Equal", emAppend, false},
    {"FunctionWhileNothingEnteredLeavesEqualPending", "sqrt", "0", "0", "Equal", emAppend, true},
    {"PercentDividesTheAccumulator", "50 %", "0,5", "0", "Percent", emNewNumber, false},
    {"ClearEntryKeepsMemory", "5 m+ 2 + ce", "0", "5", "Num", emAppend, true},
    {"ClearAllClearsMemory", "5 m+ 2 + c", "0", "0", "Num", emAppend, true},
    {"MemoryRecallStoresTheAccumulator", "7 + 2 = 4 mr", "9", "9", "Equal", emAppend, false},
    {"MemoryPlusWaitsForANewNumber", "5 m+", "0", "5", "Num", emNewNumber, false},
    {"MemoryClearAfterClear", "ce mc", "0", "0", "Num", emAppend, false},
    // Faults: the failing step stores nothing and the rest of the handler does not run.
    {"OperatorFaultKeepsTheOldModeAndName", "5 +/- back +", "0", "0", "Num", emAppend, false},
    {"FunctionFaultLeavesItsNamePending", "4 +/- sqrt", "0", "0", "Root", emNewNumber, false},
    // The factors run downwards from 1755, so the overflow comes near the end of the loop.
    {"FactorialOverflowLeavesTheLastProductThatFitted", "1755 n!", "2,89467051427858E4931", "0",
     "Factor", emNewNumber, false},
    {"FactorialConversionFaultLeavesOne", "5 +/- back n!", "1", "0", "Factor", emNewNumber, false},
    {"ZeroByZeroKeepsTheAccumulator", "0 / 0 =", "0", "0", "Divide", emAppend, false},
    {"DivisionByZeroSetsZeroAndGoesOn", "5 / 0 =", "0", "0", "Equal", emNewNumber, false},
};
INSTANTIATE_TEST_SUITE_P(Keys, EngineStateTest, ::testing::ValuesIn(kStates),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EngineFaultTest, CubeOverflowLeavesTheSquareOfTheDisplayedNumber) {
  THeadlessCalculator calculator;
  calculator.Paste("1E2000");  // x * x fits in 80 bits, x * x * x does not
  calculator.TakeEvents();
  calculator.Click("OneButton");  // leave the nothing-entered state; the display becomes "1E20001"
  calculator.Standard().SetDisplayText("1E2000");
  calculator.Click("CubeButton");
  EXPECT_EQ(FloatToStr(calculator.State().Accumulator), "1E4000");
  EXPECT_EQ(calculator.Standard().DisplayText(), "1E2000");
  EXPECT_EQ(test::EventLines(calculator), "fault: overflow");
}

TEST(EngineFaultTest, FaultDescriptionsNameTheirKind) {
  struct {
    const char* keys;
    EEngineFault::TKind kind;
  } const cases[] = {{"0 / 0 =", EEngineFault::TKind::InvalidOperation},
                     {"0 ln", EEngineFault::TKind::DivisionByZero},
                     {"12000 exp", EEngineFault::TKind::Overflow},
                     {"5 +/- back =", EEngineFault::TKind::Conversion}};
  for (const auto& c : cases) {
    THeadlessCalculator calculator;
    test::Press(calculator, c.keys);
    const auto events = calculator.TakeEvents();
    ASSERT_EQ(events.size(), 1u) << c.keys;
    EXPECT_EQ(events[0].FaultKind, c.kind) << c.keys;
    EXPECT_FALSE(events[0].Text.empty());
  }
}

TEST(EngineWindowsTest, ScientificWindowStartsFromZero) {
  THeadlessCalculator calculator;
  test::Press(calculator, "12 + 3 =");
  calculator.OpenScientific();
  EXPECT_EQ(calculator.Current().DisplayText(), "0");
  test::Press(calculator, "4 * 5 =");
  EXPECT_EQ(calculator.Current().DisplayText(), "20");
}

TEST(EngineWindowsTest, OpeningTheScientificWindowClearsMemoryAndReturningDoesNot) {
  THeadlessCalculator calculator;
  test::Press(calculator, "5 m+");
  calculator.OpenScientific();
  EXPECT_EQ(FloatToStr(calculator.State().Memory), "0");
  test::Press(calculator, "3 m+");
  calculator.ReturnToStandard();
  EXPECT_EQ(FloatToStr(calculator.State().Memory), "3");
}

TEST(EngineWindowsTest, ClosingTheStandardWindowResetsTheCalculation) {
  THeadlessCalculator calculator;
  test::Press(calculator, "5 m+ 2 +");
  calculator.CloseStandard();
  const TEngineState& s = calculator.State();
  EXPECT_EQ(s.Accumulator, 0);
  EXPECT_EQ(s.PendingOperation, "Num");
  EXPECT_EQ(s.EntryMode, TEntryMode::emAppend);
  EXPECT_EQ(FloatToStr(s.Memory), "5");
}

}  // namespace
}  // namespace numora
