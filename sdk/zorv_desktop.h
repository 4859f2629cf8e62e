/*
 * The ZORV desktop's utility library for GameModules: the installation, the current world and
 * its folders, per-world game statistics, random numbers and a few path helpers.
 *
 * Linking: a C++ GameModule built with MinGW-w64 g++ links the static library libzorvdesktop.a
 * (sdk/lib in the package, built for the package's architecture) and the system libraries
 * advapi32, user32, shell32 and ole32:
 *
 *     g++ -shared -o MyGame.dll my_game.cpp -Isdk -Lsdk/lib -lzorvdesktop \
 *         -ladvapi32 -luser32 -lshell32 -lole32 -static
 *
 * With CMake, find_package(ZorvGame) and link the target ZorvGame::Desktop, which brings all of
 * that (the package's lib/cmake/ZorvGame).
 *
 * Only the char-buffer forms are offered. The library's string forms take the ZORV runtime's
 * own CString, a small class that merely shares its name with the framework string classes a
 * game may already use; declaring it here would give such a game two different classes of one
 * name. Where the library has a string form only, this header offers a buffer form of the same
 * name that the static library adds. Every buffer is ZORV_DESKTOP_PATH_SIZE (260) bytes unless
 * a size is passed.
 *
 * Nothing here throws. The functions explain their failures in the ZORV log, which writes
 * nothing until the game opens it with openLog. Everything runs on the caller's thread; the
 * library keeps no state between calls except the log and the random generator's seeded flag,
 * so call it from one thread.
 *
 * The current world: a ZORV installation (HKEY_LOCAL_MACHINE\SOFTWARE\ZORV, "MainDir") keeps
 * its worlds in folders below "Desktops" (desktops), "MUDs" and "Webs"; the current one is
 * recorded as "CurrMovie". Any function that needs the current world checks that its movie
 * file <MainDir>Desktops\<world>\<world>.dcr exists; when it does not, the first desktop world
 * "Desktops\dZORV_*" with a movie file is chosen and recorded. When no folder matches at all,
 * the user sees the message box "No ZORV Worlds are installed" (caption "ZORV Error") and the
 * world name is empty. An empty name means "no world", whatever a function returned.
 */
#ifndef ZORV_DESKTOP_H
#define ZORV_DESKTOP_H

#ifndef __cplusplus
#error "zorv_desktop.h declares C++ functions: compile the GameModule as C++"
#endif

#include <shlobj.h>
#include <windows.h>

/* Size of every path and name buffer, terminator included (MAX_PATH). */
#define ZORV_DESKTOP_PATH_SIZE 260

/* --- The installation ------------------------------------------------------------------ */

/* The installation folder ("MainDir"), ending with a backslash. False when it is not
 * recorded or longer than 258 characters; the buffer's contents are then undefined. */
bool getInstallDir(char* dir);

/* --- The current world ----------------------------------------------------------------- */

/* The current world's name (its folder's name), choosing and recording one as described
 * above. False when the installation key cannot be opened or a chosen world cannot be
 * recorded; true otherwise, also with an empty name (no world installed). */
bool getCurrentWorld(char* name);

/* The current world's folder: <MainDir>\Desktops\<world>\ (the folder's two backslashes
 * after MainDir are kept, the file system reads them as one). Without a world the path ends
 * in two backslashes. False only when the path does not fit the buffer (then it is empty). */
bool getWorldDir(char* dir);

/* The current world's Visual folder: <MainDir><kind>\<world>\Visual\, the kind folder
 * chosen by the world name's first character: d "Desktops", m "MUDs", w "Webs", anything
 * else "Desktops". False when there is no installation folder or no world. */
bool getVisualDir(char* path);

/* The Shockwave player's media folder below the Windows folder ("system32\..." on Windows
 * NT, "system\..." on Windows 95/98/Me). False only when it does not fit (then empty). */
bool getShockwaveMediaDir(char* dir);

/* --- Game statistics of the current world --------------------------------------------- */

/* Statistics are text values (REG_SZ) of the world key HKLM\SOFTWARE\ZORV\<world>, named and
 * formatted as the game likes. The key belongs to the world's installer: the library opens
 * it, never creates it. With no world installed the statistics live in SOFTWARE\ZORV itself;
 * a game that wants them only per world checks getCurrentWorld for an empty name first (that
 * check also keeps the "No ZORV Worlds are installed" box to one call). */

/* Reads a statistic into text (size bytes, cleared first). A statistic never written, one
 * that does not fit, or any failure gives the empty text. A null name does nothing. */
void getGameStat(const char* name, char* text, DWORD size);

/* Writes a statistic. When the world key cannot be opened nothing happens (the log says
 * why); when the write fails the user sees "Unable to save game stat info!". Null name or
 * text: nothing happens. */
void setGameStat(const char* name, const char* text);

/* The world key opened with full access, or null; the caller closes it with RegCloseKey. */
HKEY openWorldKey();

/* --- Random numbers ---------------------------------------------------------------------- */

/* The C runtime generator (srand/rand, 0..32767), seeded from the clock by the first
 * randomFloat or randomInt of the process, or again by each seedRandom. A game that calls
 * srand itself shares that generator. */
void seedRandom();

/* A number from low to high, both included. */
float randomFloat(float low, float high);

/* A whole number from low to high, both included; low and high are drawn slightly less
 * often than the numbers between them (weight 0.99 against 1). */
int randomInt(int low, int high);

/* A 16-bit hash of a text: for each character (signed), the two low bytes of the hash trade
 * places and the character is added. "abc" gives 25284, the empty text and null give 0. */
int hashString(const char* text);

/* True on Windows 95, 98 and Me. */
bool isWin9x();

/* --- Paths and programs ---------------------------------------------------------------- */

/* Splits a path at its last backslash: D:\Tools\viewer.exe gives folder D:\Tools and file
 * viewer.exe. Without a backslash neither output is written. */
void splitPath(const char* path, char* folder, char* file);

/* True for D:\ and for a bare server name such as \\server. */
bool isRootPath(const char* path);

/* The name the shell shows for a program (its cached FriendlyCache name, else its file name
 * without the extension), with ( and ) replaced by { and }. A root path is copied unchanged. */
void getFriendlyAppName(const char* path, char* name);

/* The program registered to open files of an extension (".doc", with its dot), in lower
 * case without arguments. False when there is none or it is run through rundll32.exe. */
bool getOpenCommandExe(const char* extension, char* program);

/* The shell's item identifier list for a path. The caller frees it with CoTaskMemFree. */
bool parseShellPath(const char* path, ITEMIDLIST** list);

/* --- The ZORV log ------------------------------------------------------------------------ */

/* Starts the log file <MainDir><name>_MMDDYYYY_HHMMSS.log (with enable true), or closes it.
 * Until then every log line is dropped. */
void openLog(const char* name, bool enable);
void closeLog();

/* Writes one time-stamped line (a whole message without a line end) while the log is open. */
void logMessage(const char* text);

#endif /* ZORV_DESKTOP_H */
