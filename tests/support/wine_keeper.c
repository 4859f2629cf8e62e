/* Keeps one program alive in the test prefix while the tests run. With no program left,
 * Wine starts shutting its background processes down, and a test program started at that
 * moment can die before it prints anything. The keeper ends when the test run's clean-up
 * stops the prefix, or by itself after half an hour, so it never outlives a run for long. */
#include <windows.h>

int main(void) {
  Sleep(30 * 60 * 1000);
  return 0;
}
