// Conversions between the system's ANSI code page and wide text, into caller buffers.
#include "office/office.h"

int wideToAnsi(char* out, const wchar_t* text, int outBytes) {
  if (out == nullptr || outBytes <= 0) return 0;
  out[0] = '\0';
  if (text == nullptr) return 0;
  const int written = WideCharToMultiByte(CP_ACP, 0, text, -1, out, outBytes, nullptr, nullptr);
  if (written <= 0) {
    out[0] = '\0';  // a text that did not fit may have left a cut, unterminated part behind
    return 0;
  }
  return written - 1;  // the count includes the terminator
}

int ansiToWide(wchar_t* out, const char* text, int outChars) {
  if (out == nullptr || outChars <= 0) return 0;
  out[0] = L'\0';
  if (text == nullptr) return 0;
  const int written = MultiByteToWideChar(CP_ACP, 0, text, -1, out, outChars);
  if (written <= 0) {
    out[0] = L'\0';
    return 0;
  }
  return written - 1;
}
