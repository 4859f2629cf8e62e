#include "dice_rules.h"

#include <cstdlib>

namespace dice {

namespace {

int clampRounds(long rounds) {
  return rounds < 1 ? 1 : (rounds > 9 ? 9 : static_cast<int>(rounds));
}

// xorshift32: enough for dice, reproducible for a given seed.
class Dice {
 public:
  // Nearby seeds (tick counts) would start with alike dice: the seed is spread over all bits
  // and the first outputs are dropped.
  explicit Dice(std::uint32_t seed) : state_((seed * 2654435761u) ^ 0x9E3779B9u) {
    if (state_ == 0) state_ = 0x9E3779B9u;
    for (int i = 0; i < 8; ++i) roll();
  }
  int roll() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<int>(state_ % 6) + 1;
  }

 private:
  std::uint32_t state_;
};

}  // namespace

std::string formatSetup(const Setup& setup) {
  return setup.player + ";" + std::to_string(clampRounds(setup.rounds));
}

Setup parseSetup(const char* text) {
  Setup setup;
  if (text == nullptr) return setup;
  std::string s = text;
  const std::size_t semicolon = s.rfind(';');
  std::string name = s.substr(0, semicolon);
  if (!name.empty()) setup.player = name;
  if (semicolon != std::string::npos) {
    setup.rounds = clampRounds(std::strtol(s.c_str() + semicolon + 1, nullptr, 10));
  }
  return setup;
}

Match play(const Setup& setup, std::uint32_t seed) {
  Dice dice(seed);
  Match match;
  for (int i = 0; i < clampRounds(setup.rounds); ++i) {
    Round r{{dice.roll(), dice.roll()}, {dice.roll(), dice.roll()}};
    match.playerPips += r.player[0] + r.player[1];
    match.housePips += r.house[0] + r.house[1];
    match.rounds.push_back(r);
  }
  return match;
}

}  // namespace dice
