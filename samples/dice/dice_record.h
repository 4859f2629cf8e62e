// Dice Duel's record in a world: how many games were played and the best score (the largest
// margin over the house). Stored as two text statistics; this part reads and updates them and
// needs no window.
#pragma once

#include <string>

namespace dice {

// The statistics' names in the world's registry key.
inline constexpr char kGamesPlayedStat[] = "DiceDuelGamesPlayed";
inline constexpr char kBestScoreStat[] = "DiceDuelBestScore";

struct Record {
  int gamesPlayed = 0;
  bool hasBest = false;  // false until a game has been recorded
  int bestScore = 0;
};

// The record from the stored texts. A text that is not a whole number in range (someone
// edited the registry, or it was never written) counts as missing: no games, no best score.
Record parseRecord(const char* gamesPlayed, const char* bestScore);

// The record after one more game that ended with this margin. The count stops at its largest
// value rather than wrapping to a negative one.
Record addGame(Record record, int margin);

// What the score dialog shows: "Games played: 2, best score: 7".
std::string describeRecord(const Record& record);

}  // namespace dice
