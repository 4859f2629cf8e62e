#include "dice_record.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace dice {

namespace {

// A decimal int with nothing after it (strtol allows leading blanks); false for anything else.
bool parseWhole(const char* text, int* value) {
  if (text == nullptr || *text == '\0') return false;
  char* end = nullptr;
  errno = 0;
  const long parsed = std::strtol(text, &end, 10);
  if (*end != '\0' || errno == ERANGE || parsed < INT_MIN || parsed > INT_MAX) return false;
  *value = static_cast<int>(parsed);
  return true;
}

}  // namespace

Record parseRecord(const char* gamesPlayed, const char* bestScore) {
  Record record;
  if (!parseWhole(gamesPlayed, &record.gamesPlayed) || record.gamesPlayed < 0) {
    record.gamesPlayed = 0;
  }
  record.hasBest = parseWhole(bestScore, &record.bestScore);
  if (!record.hasBest) record.bestScore = 0;
  return record;
}

Record addGame(Record record, int margin) {
  if (record.gamesPlayed < INT_MAX) ++record.gamesPlayed;
  if (!record.hasBest || margin > record.bestScore) record.bestScore = margin;
  record.hasBest = true;
  return record;
}

std::string describeRecord(const Record& record) {
  return "Games played: " + std::to_string(record.gamesPlayed) +
         ", best score: " + (record.hasBest ? std::to_string(record.bestScore) : "none");
}

}  // namespace dice
