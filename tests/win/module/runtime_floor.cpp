// A DLL that uses what the compiler runtime brings to any C++ module (a thread_local, a
// function-local static, a caught exception, a std::string): what loading and unloading it
// leaves behind is the runtime's own, the floor the module is measured against.
#include <windows.h>

#include <stdexcept>
#include <string>

namespace {

thread_local int t_calls = 0;

const std::string& greeting() {
  static const std::string text(40, 'g');  // past the short-string buffer: a heap block
  return text;
}

}  // namespace

extern "C" __declspec(dllexport) int exercise() {
  ++t_calls;
  try {
    throw std::runtime_error(greeting());
  } catch (const std::exception& e) {
    return static_cast<int>(std::string(e.what()).size()) + t_calls - 1;
  }
}
