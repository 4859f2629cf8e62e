/*
 * ZORVgame GameModule interface.
 *
 * A GameModule is a Windows DLL that exports these three functions, undecorated, with the C
 * calling convention (__cdecl). The ZORVgame Xtra looks them up by name on every call and calls
 * them synchronously on the script thread; any of them may be missing.
 *
 * Where the Xtra finds a GameModule: gameLoadDLLzorv("Name.dll") first loads the bare name
 * through the system's DLL search order (the host program's folder, the system folders, the
 * current folder, PATH); failing that, <installation folder>\ZORV_Desktop\Xtras\Name.dll, where
 * the installation folder is the "MainDir" value of HKEY_LOCAL_MACHINE\SOFTWARE\ZORV. Names are
 * at most 15 characters.
 *
 * Compile the GameModule with ZORV_GAME_MODULE_BUILD defined, so that the three functions are
 * exported (CMake: link ZorvGame::GameModule, or use zorv_add_game_module).
 */
#ifndef ZORV_GAME_MODULE_H
#define ZORV_GAME_MODULE_H

#if defined(_WIN32) && defined(__i386__)
#define ZORV_GAME_CALL __cdecl
#else
#define ZORV_GAME_CALL
#endif

#if defined(ZORV_GAME_MODULE_BUILD) && defined(_WIN32)
#define ZORV_GAME_EXPORT __declspec(dllexport)
#else
#define ZORV_GAME_EXPORT
#endif

#define ZORV_GAME_START_EXPORT "fnGameStartDlgzorv"
#define ZORV_GAME_SCORE_EXPORT "fnGameScoreDlgzorv"
#define ZORV_GAME_STOP_EXPORT "fnGameStopDlgzorv"

/* Size of the text buffer handed to the start dialog, terminator included. */
#define ZORV_GAME_START_TEXT_SIZE 128

/* A one-byte truth value: only the low byte is read, nonzero is true. */
typedef unsigned char ZorvGameBool;

#ifdef __cplusplus
extern "C" {
#endif

/*
 * Shows the game's start dialog. text points to size (128) zeroed bytes; on true the game
 * leaves a NUL-terminated text of at most size - 1 characters there, which the script receives
 * (an untouched buffer gives the empty string). On false the script receives 0.
 */
ZORV_GAME_EXPORT ZorvGameBool ZORV_GAME_CALL fnGameStartDlgzorv(char* text, int size);

/*
 * Shows the score dialog for a score text (NUL-terminated; length is its length without the
 * terminator). The returned integer, negative ones included, goes to the script unchanged.
 */
ZORV_GAME_EXPORT int ZORV_GAME_CALL fnGameScoreDlgzorv(const char* scoreText, int length);

/* Closes the game. True gives the script 1, false 0. The GameModule stays loaded. */
ZORV_GAME_EXPORT ZorvGameBool ZORV_GAME_CALL fnGameStopDlgzorv(void);

typedef ZorvGameBool(ZORV_GAME_CALL* ZorvGameStartDlgFn)(char* text, int size);
typedef int(ZORV_GAME_CALL* ZorvGameScoreDlgFn)(const char* scoreText, int length);
typedef ZorvGameBool(ZORV_GAME_CALL* ZorvGameStopDlgFn)(void);

#ifdef __cplusplus
}
#endif

#endif /* ZORV_GAME_MODULE_H */
