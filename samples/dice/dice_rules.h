// The rules of Dice Duel, free of any window: parse the start text, play the rounds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace dice {

struct Setup {
  std::string player = "Player";
  int rounds = 3;
};

struct Round {
  int player[2];
  int house[2];
};

struct Match {
  std::vector<Round> rounds;
  int playerPips = 0;
  int housePips = 0;
  // What the score dialog answers: the player's pips less the house's (negative when behind).
  int margin() const { return playerPips - housePips; }
};

// The start dialog's answer, "name;rounds", and back. Rounds are clamped to 1..9.
std::string formatSetup(const Setup& setup);
Setup parseSetup(const char* text);

// Plays the rounds with a small deterministic generator seeded by seed.
Match play(const Setup& setup, std::uint32_t seed);

}  // namespace dice
