#include "com_thread.h"

#include <gtest/gtest.h>
#include <ole2.h>

#include "win_thread.h"

std::ostream& operator<<(std::ostream& out, ComSetup setup) {
  const char* names[] = {"no COM", "STA", "MTA", "OLE"};
  return out << names[static_cast<int>(setup)];
}

void runOnComThread(ComSetup setup, const std::function<void()>& body) {
  runOnThread([setup, &body] {
    if (setup == ComSetup::kOle) {
      ASSERT_EQ(S_OK, ::OleInitialize(nullptr));
    }
    if (setup == ComSetup::kApartment || setup == ComSetup::kMultithreaded) {
      const DWORD model =
          setup == ComSetup::kApartment ? COINIT_APARTMENTTHREADED : COINIT_MULTITHREADED;
      ASSERT_EQ(S_OK, ::CoInitializeEx(nullptr, model));
    }
    body();
    if (setup == ComSetup::kOle) ::OleUninitialize();
    if (setup == ComSetup::kApartment || setup == ComSetup::kMultithreaded) ::CoUninitialize();
  });
}

void expectOleAsSetUp(ComSetup setup) {
  if (setup == ComSetup::kMultithreaded) {
    // The thread's own apartment is still there: joining it again only counts (S_FALSE).
    const HRESULT again = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    EXPECT_EQ(S_FALSE, again) << "the thread's COM set-up was undone";
    if (SUCCEEDED(again)) ::CoUninitialize();
    return;
  }
  if (setup == ComSetup::kOle) ::OleUninitialize();
  EXPECT_EQ(S_OK, ::OleInitialize(nullptr)) << "OLE was left started";
  if (setup != ComSetup::kOle) ::OleUninitialize();
}
