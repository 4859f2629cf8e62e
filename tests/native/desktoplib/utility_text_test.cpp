// The string hash and the shaping of random draws.
#include <gtest/gtest.h>

#include <climits>
#include <map>

#include "desktoplib/desktoplib.h"
#include "desktoplib/random_scale.h"

namespace {

TEST(HashStringTest, KnownValues) {
  EXPECT_EQ(hashString("abc"), 25284);
  EXPECT_EQ(hashString(""), 0);
  EXPECT_EQ(hashString("a"), 97);
  EXPECT_EQ(hashString("ab"), 97 * 256 + 98);
  // Characters above 127 count as negative: 0 - 1 wraps to all ones, whose two low bytes then
  // trade places (0xFFFF) before "a" is added.
  EXPECT_EQ(hashString("\xFF"), -1);
  EXPECT_EQ(hashString("\xFF"
                       "a"),
            0xFFFF + 97);
  EXPECT_NE(hashString("abc"), hashString("acb"));
}

TEST(RandomScaleTest, DrawsSpanLowToHigh) {
  EXPECT_EQ(scaleRandomDraw(0, 2.5f, 7.5f), 2.5f);
  EXPECT_EQ(scaleRandomDraw(kRandomDrawMax, 2.5f, 7.5f), 7.5f);
  EXPECT_FLOAT_EQ(scaleRandomDraw(kRandomDrawMax / 2, 0.0f, 32767.0f), 16383.0f);
  for (int draw : {0, 1, 12345, kRandomDrawMax}) EXPECT_EQ(scaleRandomDraw(draw, 2, 2), 2.0f);
}

// How often each value comes up over every possible draw.
std::map<int, int> countsOver(int low, int high) {
  std::map<int, int> counts;
  for (int draw = 0; draw <= kRandomDrawMax; ++draw) ++counts[randomIntFromDraw(draw, low, high)];
  return counts;
}

TEST(RandomScaleTest, EndValuesWeighPointNineNine) {
  const std::map<int, int> counts = countsOver(1, 6);
  ASSERT_EQ(counts.size(), 6u);
  EXPECT_EQ(counts.begin()->first, 1);
  EXPECT_EQ(counts.rbegin()->first, 6);
  // 32768 draws over a width of 5.98: about 5479.6 per inner value, 5424.8 per end value.
  const double perUnit = (kRandomDrawMax + 1) / 5.98;
  for (const auto& [value, count] : counts) {
    const double weight = (value == 1 || value == 6) ? 0.99 : 1.0;
    EXPECT_NEAR(count, weight * perUnit, 2.0) << value;
  }
}

TEST(RandomScaleTest, ResultsStayWithinTheBounds) {
  EXPECT_EQ(countsOver(0, 0), (std::map<int, int>{{0, kRandomDrawMax + 1}}));
  for (const auto& [low, high] :
       {std::pair{INT_MIN, INT_MAX}, std::pair{-5, -1}, std::pair{16777217, 16777219},
        std::pair{INT_MAX, INT_MAX}, std::pair{6, 1}}) {
    const std::map<int, int> counts = countsOver(low, high);
    EXPECT_GE(counts.begin()->first, std::min(low, high)) << low << ".." << high;
    EXPECT_LE(counts.rbegin()->first, std::max(low, high)) << low << ".." << high;
  }
}

}  // namespace
