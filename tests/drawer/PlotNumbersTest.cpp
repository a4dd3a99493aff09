#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "PlotNumbers.h"

namespace numora {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kTwo63 = 9223372036854775808.0;

struct TRoundCase {
  double value;
  std::optional<std::int64_t> rounded;
};

TEST(PlotNumbers, RoundsToTheNearestIntegerAndHalvesToTheEvenOne) {
  for (const TRoundCase& c : {
           TRoundCase{0.0, 0},
           TRoundCase{0.5, 0},
           TRoundCase{1.5, 2},
           TRoundCase{2.5, 2},
           TRoundCase{3.5, 4},
           TRoundCase{-0.5, 0},
           TRoundCase{-1.5, -2},
           TRoundCase{-2.5, -2},
           TRoundCase{2.4999999999, 2},
           TRoundCase{2.5000000001, 3},
           TRoundCase{-7.6, -8},
           TRoundCase{4503599627370497.0, 4503599627370497},  // 2^52 + 1, already whole
           TRoundCase{-kTwo63, std::numeric_limits<std::int64_t>::min()},
           TRoundCase{9223372036854774784.0, 9223372036854774784},  // largest double below 2^63
           TRoundCase{kTwo63, std::nullopt},
           TRoundCase{-1e19, std::nullopt},
           TRoundCase{kInf, std::nullopt},
           TRoundCase{-kInf, std::nullopt},
           TRoundCase{std::nan(""), std::nullopt},
       }) {
    EXPECT_EQ(RoundHalfEven(c.value), c.rounded) << c.value;
  }
}

TEST(PlotNumbers, PixelCoordinatesStayWithin32Bits) {
  constexpr int kMax = std::numeric_limits<int>::max(), kMin = std::numeric_limits<int>::min();
  EXPECT_EQ(PixelCoordinate(-100.5, 225), 125);
  EXPECT_EQ(PixelCoordinate(double(kMax) - 225, 225), kMax);
  EXPECT_EQ(PixelCoordinate(double(kMax) - 224, 225), std::nullopt);
  EXPECT_EQ(PixelCoordinate(double(kMin) - 316, 316), kMin);
  EXPECT_EQ(PixelCoordinate(double(kMin) - 317, 316), std::nullopt);
  EXPECT_EQ(PixelCoordinate(-kTwo63, 316), std::nullopt);
  EXPECT_EQ(PixelCoordinate(std::nan(""), 316), std::nullopt);
}

TEST(PlotNumbers, TextsAreIntegersOrTheShortTextOfTheNumber) {
  EXPECT_EQ(RoundedText(6.5), "6");
  EXPECT_EQ(RoundedText(-200), "-200");
  EXPECT_EQ(RoundedText(-0.25), "0");
  EXPECT_EQ(RoundedText(5e15), "5000000000000000");
  EXPECT_EQ(RoundedText(1.024e23), "1,024E23");
  EXPECT_EQ(RoundedText(kInf), "INF");
  EXPECT_EQ(RoundedText(-kInf), "-INF");
  EXPECT_EQ(RoundedText(std::nan("")), "NAN");
  EXPECT_EQ(IntegerText(-316), "-316");
}

}  // namespace
}  // namespace numora
