// Dice Duel's record: what stored texts count, how a game adds to it, what the dialog shows.
#include <gtest/gtest.h>

#include <climits>

#include "samples/dice/dice_record.h"

namespace {

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

TEST(DiceRecord, AGameCountsAndKeepsTheLargestMarginEvenANegativeFirstOne) {
  dice::Record record = dice::addGame(dice::Record{}, -3);
  EXPECT_EQ(record.gamesPlayed, 1);
  EXPECT_EQ(record.bestScore, -3);  // a first game sets the best score, however it went
  record = dice::addGame(record, -7);
  EXPECT_EQ(record.bestScore, -3);
  record = dice::addGame(record, 5);
  EXPECT_EQ(record.gamesPlayed, 3);
  EXPECT_EQ(record.bestScore, 5);
  record.gamesPlayed = INT_MAX;
  EXPECT_EQ(dice::addGame(record, 0).gamesPlayed, INT_MAX);
}

TEST(DiceRecord, DescribesWhatTheScoreDialogShows) {
  EXPECT_EQ(dice::describeRecord(dice::Record{}), "Games played: 0, best score: none");
  EXPECT_EQ(dice::describeRecord(dice::addGame(dice::parseRecord("1", "4"), 2)),
            "Games played: 2, best score: 4");
}

}  // namespace
