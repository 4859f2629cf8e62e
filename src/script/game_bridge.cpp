// Methods 1 to 4: load a GameModule and call its start, score and stop dialogs. Success or
// failure reaches the script only through the result value; the host always gets 0.
#include <cstring>

#include "common/install_registry.h"
#include "host/guard.h"
#include "script/game_path.h"
#include "script/script_interface.h"
#include "sdk/zorv_game_module.h"

namespace xtra {

namespace {

constexpr std::int32_t kStartTextSize = ZORV_GAME_START_TEXT_SIZE;
constexpr std::int32_t kScoreTextSize = 260;

// The GameModule's export of that name, looked up afresh; null without a GameModule or export.
template <class Fn>
Fn gameExport(HMODULE module, const char* name) {
  if (module == nullptr) return nullptr;
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

void ScriptInterface::setIntegerResult(ScriptCallRecord* record, std::int32_t value) {
  instance().values->IntegerToValue(value, &record->result);
}

// The first argument as text. The buffer is cleared first, so an argument the host cannot
// convert leaves it empty rather than holding older bytes; it always ends in a NUL. A record
// with no argument at all gives the empty text without reading the array.
void ScriptInterface::argumentText(const ScriptCallRecord* record, char* buffer,
                                   std::int32_t size) {
  std::memset(buffer, 0, size);
  if (record->argCount < 1 || record->args == nullptr) return;
  instance().values->ValueToString(&record->args[0], buffer, size);
  buffer[size - 1] = '\0';
}

XtraResult XTRA_CALL ScriptInterface::gameLoadDLLzorv(ScriptCallRecord* record) {
  ModuleGuard guard;
  ScriptInstance& s = instance();
  // A call without its file name is answered with 0 before anything is loaded or freed.
  if (record->argCount < 1 || record->args == nullptr) {
    setIntegerResult(record, 0);
    return kOk;
  }
  char name[kGameModuleNameSize];
  argumentText(record, name, sizeof name);
  if (s.gameModule != nullptr) {
    if (sameNameIgnoringCase(s.gameModuleName, name)) {
      setIntegerResult(record, 1);
      return kOk;
    }
    FreeLibrary(s.gameModule);
    s.gameModule = nullptr;
  }
  std::memcpy(s.gameModuleName, name, sizeof name);

  // An empty name (also what an argument the host could not convert leaves) takes the same
  // road as any other: neither load can succeed, and the script gets 0.
  // The bare name first, so the system's DLL search order applies; then the Xtras folder. An
  // installation that keeps GameModules to itself skips the first and refuses a name that
  // names a folder or a drive, so a movie cannot reach a DLL outside the Xtras folder.
  const bool installationOnly = gameModulesFromInstallationOnly();
  if (!installationOnly) s.gameModule = LoadLibraryA(s.gameModuleName);
  if (s.gameModule == nullptr &&
      !(installationOnly && std::strpbrk(s.gameModuleName, "\\/:") != nullptr)) {
    char installDir[MAX_PATH];
    char path[MAX_PATH];
    if (getInstallDir(installDir) &&
        composeGameModulePath(installDir, s.gameModuleName, path, sizeof path)) {
      s.gameModule = LoadLibraryA(path);
    }
  }
  setIntegerResult(record, s.gameModule != nullptr ? 1 : 0);
  return kOk;
}

XtraResult XTRA_CALL ScriptInterface::gameStartDlgzorv(ScriptCallRecord* record) {
  ModuleGuard guard;
  ScriptInstance& s = instance();
  auto start = gameExport<ZorvGameStartDlgFn>(s.gameModule, ZORV_GAME_START_EXPORT);
  if (start == nullptr) {
    setIntegerResult(record, 0);
    return kOk;
  }
  char text[kStartTextSize] = {};
  const unsigned char accepted = start(text, kStartTextSize);
  text[kStartTextSize - 1] = '\0';  // a GameModule that fills all 128 bytes is cut, not overread
  if (accepted != 0) {
    s.values->StringToValue(text, &record->result);
  } else {
    setIntegerResult(record, 0);
  }
  return kOk;
}

XtraResult XTRA_CALL ScriptInterface::gameScoreDlgzorv(ScriptCallRecord* record) {
  ModuleGuard guard;
  ScriptInstance& s = instance();
  // Without a GameModule, or without the score text, the script gets 0 and nothing is called.
  if (s.gameModule == nullptr || record->argCount < 1 || record->args == nullptr) {
    setIntegerResult(record, 0);
    return kOk;
  }
  // The text is read before the export is looked up.
  char score[kScoreTextSize];
  argumentText(record, score, sizeof score);
  auto scoreDlg = gameExport<ZorvGameScoreDlgFn>(s.gameModule, ZORV_GAME_SCORE_EXPORT);
  if (scoreDlg == nullptr) {
    setIntegerResult(record, 0);
    return kOk;
  }
  const std::int32_t answer = scoreDlg(score, static_cast<std::int32_t>(std::strlen(score)));
  setIntegerResult(record, answer);
  return kOk;
}

XtraResult XTRA_CALL ScriptInterface::gameStopDlgzorv(ScriptCallRecord* record) {
  ModuleGuard guard;
  ScriptInstance& s = instance();
  auto stop = gameExport<ZorvGameStopDlgFn>(s.gameModule, ZORV_GAME_STOP_EXPORT);
  const bool stopped = stop != nullptr && stop() != 0;
  setIntegerResult(record, stopped ? 1 : 0);
  return kOk;
}

}  // namespace xtra
