// Dice Duel's rules: the start text, clamped rounds, and reproducible matches.
#include <gtest/gtest.h>

#include "samples/dice/dice_rules.h"

namespace {

TEST(DiceSetup, RoundTripsAndClampsTheRounds) {
  EXPECT_EQ(dice::formatSetup({"Ada", 3}), "Ada;3");
  EXPECT_EQ(dice::formatSetup({"Ada", 42}), "Ada;9");
  const dice::Setup parsed = dice::parseSetup("Ada;Lovelace;0");
  EXPECT_EQ(parsed.player, "Ada;Lovelace");
  EXPECT_EQ(parsed.rounds, 1);
  EXPECT_EQ(dice::parseSetup("").player, "Player");
  EXPECT_EQ(dice::parseSetup("Bob").rounds, 3);
  EXPECT_EQ(dice::parseSetup(nullptr).rounds, 3);
}

TEST(DiceMatch, IsReproducibleForASeedAndAddsUp) {
  const dice::Match a = dice::play({"Ada", 5}, 1234);
  const dice::Match b = dice::play({"Ada", 5}, 1234);
  ASSERT_EQ(a.rounds.size(), 5u);
  int player = 0;
  int house = 0;
  for (std::size_t i = 0; i < a.rounds.size(); ++i) {
    for (int d = 0; d < 2; ++d) {
      EXPECT_GE(a.rounds[i].player[d], 1);
      EXPECT_LE(a.rounds[i].player[d], 6);
      EXPECT_EQ(a.rounds[i].player[d], b.rounds[i].player[d]);
      player += a.rounds[i].player[d];
      house += a.rounds[i].house[d];
    }
  }
  EXPECT_EQ(a.margin(), player - house);
  EXPECT_NE(dice::play({"Ada", 5}, 4321).rounds[0].player[0] * 100 +
                dice::play({"Ada", 5}, 4321).rounds[1].player[0],
            a.rounds[0].player[0] * 100 + a.rounds[1].player[0]);  // another seed, other dice
}

}  // namespace
