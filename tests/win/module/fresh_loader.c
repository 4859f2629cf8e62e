/* Loads and unloads a module several times in a fresh process that allocates nothing in
 * between, where a module that writes into freed runtime memory while it is unloaded makes the
 * next load fail. Exit code: 0, or 10 + the number of the load that failed. */
#include <stdio.h>
#include <windows.h>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  for (int i = 0; i < 3; ++i) {
    HMODULE module = LoadLibraryA(argv[1]);
    if (module == NULL) {
      printf("load %d of %s failed: error %lu\n", i + 1, argv[1], GetLastError());
      return 10 + i;
    }
    FreeLibrary(module);
  }
  return 0;
}
