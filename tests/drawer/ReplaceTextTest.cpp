#include <gtest/gtest.h>

#include <stdexcept>

#include "ReplaceText.h"

namespace numora {
namespace {

struct TReplaceCase {
  const char* pattern;
  const char* replacement;
  const char* source;
  const char* expected;
};

TEST(ReplaceText, ReplacesEveryOccurrenceWithoutRegardToTheCaseOfAToZ) {
  for (const TReplaceCase& c : {
           TReplaceCase{"w", "A1", "w", "A1"},
           TReplaceCase{"w", "A1", "W+w", "A1+A1"},
           TReplaceCase{"w", "-5", "3*w", "3*-5"},
           TReplaceCase{"w", "A1", "", ""},
           TReplaceCase{"w", "A1", "sin(x)", "sin(x)"},
           TReplaceCase{"w", "A1", "Pow(w,2)", "PoA1(A1,2)"},  // a name holding w is cut up
           TReplaceCase{"w", "", "wwxw", "x"},
           TReplaceCase{"ab", "X", "xABxaBxab", "xXxXxX"},
           // A replacement that completes an occurrence with the text before it: every
           // search starts at the beginning again, so that one is replaced too.
           TReplaceCase{"ab", "b", "aaab", "b"},
           TReplaceCase{"ab", "xa", "abb", "xxa"},
           TReplaceCase{"", "A1", "w", "w"},
       }) {
    EXPECT_EQ(ReplaceText(c.pattern, c.replacement, c.source), c.expected)
        << c.pattern << " -> " << c.replacement << " in " << c.source;
  }
}

TEST(ReplaceText, UpperCasesOnlyAsciiLetters) {
  // "\xc3\xb7" (UTF-8 of a division sign) holds 0xF7, which Latin-1 upper-casing maps to
  // nothing; and no byte outside a-z may turn into W.
  EXPECT_EQ(ReplaceText("w", "A1", "\xc3\xb7w\xf7"),
            "\xc3\xb7"
            "A1\xf7");
  EXPECT_EQ(ReplaceText("\xe9", "e", "\xc9\xe9"),
            "\xc9"
            "e");
  EXPECT_EQ(UpperAscii("az{}@[`AZ09w"), "AZ{}@[`AZ09W");
}

TEST(ReplaceText, ReplacesOccurrencesNearTheEndOfAVeryLongText) {
  std::string source, expected;
  for (int i = 0; i < 20000; ++i) {
    source += "sin(w)+";
    expected += "sin(A401)+";
  }
  source += "W";
  expected += "A401";
  EXPECT_EQ(ReplaceText("w", "A401", source), expected);
}

TEST(ReplaceText, RefusesAReplacementThatWouldBeReplacedForever) {
  EXPECT_THROW(ReplaceText("w", "xW", "w"), std::invalid_argument);
  EXPECT_THROW(ReplaceText("ab", "cAbc", "x"), std::invalid_argument);
}

}  // namespace
}  // namespace numora
