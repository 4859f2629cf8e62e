// Dice Duel: a sample GameModule. The start dialog asks for the player's name and the number
// of rounds; the score dialog plays the rounds against the house and shows them; the answer is
// the player's pips less the house's. Each game played is recorded in the current ZORV world
// (games played and the best score, as the world's game statistics) and the score dialog shows
// the record.
//
// Unattended runs (the demo, tests): with the environment variable ZORV_GAME_UNATTENDED set,
// every dialog still opens from its template but presses its default button by itself shortly
// after it appears, and the dice use a fixed seed so the outcome is reproducible.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "dice_record.h"
#include "dice_rules.h"
#include "resource.h"
#include "zorv_desktop.h"
#include "zorv_game_module.h"

namespace {

HINSTANCE g_instance = nullptr;
constexpr UINT_PTR kAutoAnswerTimer = 1;
constexpr UINT kAutoAnswerDelayMs = 200;
constexpr std::uint32_t kUnattendedSeed = 20261205;

bool unattended() { return GetEnvironmentVariableA("ZORV_GAME_UNATTENDED", nullptr, 0) > 0; }

void armAutoAnswer(HWND dialog) {
  if (unattended()) SetTimer(dialog, kAutoAnswerTimer, kAutoAnswerDelayMs, nullptr);
}

bool handleAutoAnswer(HWND dialog, WPARAM timer) {
  if (timer != kAutoAnswerTimer) return false;
  KillTimer(dialog, kAutoAnswerTimer);
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  return true;
}

struct StartState {
  dice::Setup setup;
  bool accepted = false;
};

INT_PTR CALLBACK startProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = reinterpret_cast<StartState*>(GetWindowLongPtrA(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      state = reinterpret_cast<StartState*>(lParam);
      SetDlgItemTextA(dialog, IDC_NAME, state->setup.player.c_str());
      SetDlgItemInt(dialog, IDC_ROUNDS, state->setup.rounds, FALSE);
      armAutoAnswer(dialog);
      return TRUE;
    case WM_TIMER:
      return handleAutoAnswer(dialog, wParam);
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        char name[64] = {};
        GetDlgItemTextA(dialog, IDC_NAME, name, sizeof name);
        BOOL ok = FALSE;
        const UINT rounds = GetDlgItemInt(dialog, IDC_ROUNDS, &ok, FALSE);
        if (name[0] != '\0') state->setup.player = name;
        if (ok) state->setup.rounds = static_cast<int>(rounds);
        state->accepted = true;
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      break;
  }
  return FALSE;
}

struct ScoreView {
  std::vector<std::string> rounds;
  std::string total;
  std::string record;
};

INT_PTR CALLBACK scoreProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      const auto* view = reinterpret_cast<const ScoreView*>(lParam);
      HWND list = GetDlgItem(dialog, IDC_RESULTS);
      for (const std::string& line : view->rounds) {
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
      }
      SetDlgItemTextA(dialog, IDC_TOTAL, view->total.c_str());
      SetDlgItemTextA(dialog, IDC_RECORD, view->record.c_str());
      armAutoAnswer(dialog);
      return TRUE;
    }
    case WM_TIMER:
      return handleAutoAnswer(dialog, wParam);
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
      }
      break;
  }
  return FALSE;
}

std::uint32_t seedFor(const char* scoreText) {
  if (unattended()) return kUnattendedSeed;
  std::uint32_t seed = GetTickCount();
  for (const char* p = scoreText; *p != '\0'; ++p)
    seed = seed * 31 + static_cast<unsigned char>(*p);
  return seed;
}

// Adds a game to the current world's record and says what the record is now. Without a world
// nothing is kept: the statistics belong to a world, and asking once here means the library's
// "No ZORV Worlds are installed" box appears at most once per game.
std::string recordGame(int margin) {
  char world[ZORV_DESKTOP_PATH_SIZE] = {};
  getCurrentWorld(world);
  if (world[0] == '\0') return "No ZORV world is installed: the record is not kept.";
  char played[32];
  char best[32];
  getGameStat(dice::kGamesPlayedStat, played, sizeof played);
  getGameStat(dice::kBestScoreStat, best, sizeof best);
  const dice::Record record = dice::addGame(dice::parseRecord(played, best), margin);
  setGameStat(dice::kGamesPlayedStat, std::to_string(record.gamesPlayed).c_str());
  setGameStat(dice::kBestScoreStat, std::to_string(record.bestScore).c_str());
  return std::string(world) + ": " + dice::describeRecord(record);
}

}  // namespace

extern "C" {

ZORV_GAME_EXPORT ZorvGameBool ZORV_GAME_CALL fnGameStartDlgzorv(char* text, int size) {
  if (text == nullptr || size <= 0) return 0;
  StartState state;
  if (DialogBoxParamA(g_instance, MAKEINTRESOURCEA(IDD_START), nullptr, startProc,
                      reinterpret_cast<LPARAM>(&state)) != IDOK ||
      !state.accepted) {
    return 0;
  }
  std::snprintf(text, static_cast<std::size_t>(size), "%s", dice::formatSetup(state.setup).c_str());
  return 1;
}

ZORV_GAME_EXPORT int ZORV_GAME_CALL fnGameScoreDlgzorv(const char* scoreText, int length) {
  const std::string setupText(scoreText != nullptr ? scoreText : "",
                              scoreText != nullptr && length > 0 ? length : 0);
  const dice::Setup setup = dice::parseSetup(setupText.c_str());
  const dice::Match match = dice::play(setup, seedFor(setupText.c_str()));

  ScoreView view;
  for (std::size_t i = 0; i < match.rounds.size(); ++i) {
    const dice::Round& r = match.rounds[i];
    char line[96];
    std::snprintf(line, sizeof line, "Round %u: %s %d+%d, house %d+%d", unsigned(i + 1),
                  setup.player.c_str(), r.player[0], r.player[1], r.house[0], r.house[1]);
    view.rounds.push_back(line);
  }
  char total[96];
  std::snprintf(total, sizeof total, "Total: %s %d, house %d", setup.player.c_str(),
                match.playerPips, match.housePips);
  view.total = total;
  view.record = recordGame(match.margin());
  DialogBoxParamA(g_instance, MAKEINTRESOURCEA(IDD_SCORE), nullptr, scoreProc,
                  reinterpret_cast<LPARAM>(&view));
  return match.margin();
}

ZORV_GAME_EXPORT ZorvGameBool ZORV_GAME_CALL fnGameStopDlgzorv(void) { return 1; }

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_instance = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

}  // extern "C"
