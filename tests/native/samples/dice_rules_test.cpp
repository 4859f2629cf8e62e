// Dice Duel's rules (the start text, clamped rounds, reproducible matches) and its record (what
// stored texts count, how a game adds to it, what the dialog shows).
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "samples/dice/dice_record.h"
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
  int margin = 0;
  for (const dice::Round& round : a.rounds) {
    for (int d = 0; d < 2; ++d) {
      EXPECT_TRUE(round.player[d] >= 1 && round.player[d] <= 6) << round.player[d];
      margin += round.player[d] - round.house[d];
    }
  }
  EXPECT_EQ(a.margin(), margin);
  const std::size_t bytes = 5 * sizeof(dice::Round);
  EXPECT_EQ(std::memcmp(a.rounds.data(), b.rounds.data(), bytes), 0);
  EXPECT_NE(std::memcmp(dice::play({"Ada", 5}, 4321).rounds.data(), a.rounds.data(), bytes), 0)
      << "another seed, other dice";
}

TEST(DiceRecord, StoredTextsThatAreNotWholeNumbersCountAsMissing) {
  dice::Record record = dice::parseRecord("12", "-4");
  EXPECT_EQ(record.gamesPlayed, 12);
  EXPECT_TRUE(record.hasBest);
  EXPECT_EQ(record.bestScore, -4);
  for (const char* bad : {"", "7x", "x7", "99999999999", "-1"}) {
    record = dice::parseRecord(bad, bad);
    EXPECT_EQ(record.gamesPlayed, 0) << bad;
    if (bad[0] != '-') {
      EXPECT_FALSE(record.hasBest) << bad;
    }
  }
  record = dice::parseRecord(nullptr, nullptr);
  EXPECT_EQ(record.gamesPlayed, 0);
  EXPECT_FALSE(record.hasBest);
}

TEST(DiceRecord, AGameCountsKeepsTheLargestMarginEvenANegativeFirstOneAndIsShown) {
  dice::Record record = dice::addGame(dice::Record{}, -3);
  EXPECT_EQ(record.gamesPlayed, 1);
  EXPECT_EQ(record.bestScore, -3);  // a first game sets the best score, however it went
  record = dice::addGame(record, -7);
  EXPECT_EQ(record.bestScore, -3);
  record.gamesPlayed = INT_MAX;
  EXPECT_EQ(dice::addGame(record, 0).gamesPlayed, INT_MAX);
  // A larger margin replacing the best, and a record with one, are the game's record test.
  EXPECT_EQ(dice::describeRecord(dice::Record{}), "Games played: 0, best score: none");
}

}  // namespace
