// The hidden field: key codes, the character filter and the Edit menu's clipboard commands.
#include <gtest/gtest.h>

#include "KeySequence.h"

namespace numora {
namespace {

constexpr std::uint16_t kEnter = 13, kPadPlus = 107, kPadMinus = 109, kPadTimes = 106,
                        kPadDivide = 111, kPadDecimal = 110, kMainPlus = 187;

void TypeDigits(THeadlessCalculator& calculator, const std::string& digits, bool keypad = false) {
  for (char c : digits)
    calculator.PressKey(static_cast<std::uint16_t>((keypad ? 96 : 48) + c - '0'));
}

TEST(KeyboardTest, TypedSumWithKeypadPlusAndEnterShowsFifteen) {
  THeadlessCalculator calculator;
  TypeDigits(calculator, "12");
  calculator.PressKey(kPadPlus);
  TypeDigits(calculator, "3", true);
  calculator.PressKey(kEnter);
  EXPECT_EQ(calculator.Current().DisplayText(), "15");
}

TEST(KeyboardTest, KeypadPlusTwiceAddsTheDisplayAgain) {
  THeadlessCalculator calculator;
  TypeDigits(calculator, "5");
  calculator.PressKey(kPadPlus);
  calculator.PressKey(kPadPlus);
  EXPECT_EQ(calculator.Current().DisplayText(), "10");
}

TEST(KeyboardTest, ClickedPlusTwiceAddsOnce) {
  THeadlessCalculator calculator;
  test::Press(calculator, "5 + +");
  EXPECT_EQ(calculator.Current().DisplayText(), "5");
}

TEST(KeyboardTest, KeypadOperatorsMapToTheirKeys) {
  THeadlessCalculator calculator;
  TypeDigits(calculator, "8");
  calculator.PressKey(kPadTimes);
  TypeDigits(calculator, "3");
  calculator.PressKey(kPadMinus);
  TypeDigits(calculator, "4");
  calculator.PressKey(kPadDivide);
  TypeDigits(calculator, "5");
  calculator.PressKey(kEnter);
  EXPECT_EQ(calculator.Current().DisplayText(), "4");
}

TEST(KeyboardTest, OperatorWhileNothingEnteredOnlyBeeps) {
  THeadlessCalculator calculator;
  calculator.PressKey(kEnter);
  EXPECT_EQ(test::EventLines(calculator), "beep");
  EXPECT_EQ(calculator.State().PendingOperation, "Num");
}

TEST(KeyboardTest, DecimalKeyEntersOneCommaAndThenBeeps) {
  THeadlessCalculator calculator;
  TypeDigits(calculator, "5");
  calculator.PressKey(kPadDecimal);
  calculator.PressKey(kPadDecimal);
  EXPECT_EQ(calculator.Current().DisplayText(), "5,");
  EXPECT_EQ(test::EventLines(calculator), "beep");
}

TEST(KeyboardTest, MainKeyboardPlusDoesNothing) {
  THeadlessCalculator calculator;
  TypeDigits(calculator, "5");
  calculator.PressKey(kMainPlus);
  EXPECT_EQ(calculator.Current().DisplayText(), "5");
  EXPECT_EQ(calculator.State().PendingOperation, "Num");
  EXPECT_EQ(test::EventLines(calculator), "");
}

struct TFilterCase {
  char character;
  bool passed;
};

TEST(KeyboardTest, FilterPassesOnlyDigitsSeparatorsAndEditingKeys) {
  const TFilterCase cases[] = {{'0', true},  {'9', true},  {',', true},  {'.', true},  {'\b', true},
                               {'\t', true}, {'\r', true}, {'+', false}, {'*', false}, {'a', false},
                               {'E', false}, {' ', false}, {3, false},   {22, false},  {24, false}};
  for (const TFilterCase& c : cases) {
    EXPECT_EQ(TCalculatorEngine::Edit1KeyPress(c.character), c.passed ? c.character : '\0')
        << int(c.character);
  }
}

TEST(ClipboardTest, CopyPutsTheDisplayOnTheClipboardAndInTheField) {
  THeadlessCalculator calculator;
  test::Press(calculator, "2 + 3 =");
  calculator.Copy();
  EXPECT_EQ(calculator.Clipboard().Text, "5");
  EXPECT_EQ(calculator.Standard().Field().Text(), "5");
  EXPECT_EQ(calculator.Standard().Field().SelectionLength(), 1u);
}

TEST(ClipboardTest, CopyThenPasteLeavesTheDisplayUnchanged) {
  THeadlessCalculator calculator;
  test::Press(calculator, "1 / 3 =");
  calculator.Copy();
  calculator.Paste(*calculator.Clipboard().Text);
  EXPECT_EQ(calculator.Current().DisplayText(), "0,333333333333333");
}

TEST(ClipboardTest, PasteKeepsTheTypedDigitsAroundThePastedText) {
  THeadlessCalculator calculator;
  TypeDigits(calculator, "12");
  calculator.Paste("5");
  EXPECT_EQ(calculator.Current().DisplayText(), "125");
}

TEST(ClipboardTest, PasteTakesOnlyTheFirstLine) {
  THeadlessCalculator calculator;
  calculator.Copy();
  calculator.Paste("42\n17");
  EXPECT_EQ(calculator.Current().DisplayText(), "42");
}

TEST(ClipboardTest, PastedTextThatIsNotANumberFaultsAtTheNextOperator) {
  THeadlessCalculator calculator;
  calculator.Copy();
  calculator.Paste("abc");
  EXPECT_EQ(calculator.Current().DisplayText(), "abc");
  EXPECT_EQ(test::EventLines(calculator), "");
  ASSERT_TRUE(test::Press(calculator, "mc +"));
  EXPECT_EQ(test::EventLines(calculator), "fault: conversion");
  EXPECT_EQ(calculator.Current().DisplayText(), "abc");
}

}  // namespace
}  // namespace numora
