// zorvdesk open-with and app-name: the file association questions on a registry set up here.
// The cached display names are the library tests'.
#include "installation_fixture.h"

namespace {

TEST(ZorvdeskAssociationTest, OpenWithAndAppNamePrintWhatTheLibraryAnswers) {
  const RegisteredType type(".zdktest", "ZorvdeskTest.Doc",
                            "\"D:\\Program Files\\App\\APP.EXE\" /n \"%1\"");
  EXPECT_EQ(expectZorvdesk("open-with .zdktest", 0, "").output,
            "d:\\program files\\app\\app.exe\n");
  EXPECT_EQ(expectZorvdesk("open-with .zdknone", 1, "").output,
            "zorvdesk: no program is registered to open .zdknone files\n");
  for (const char* arguments : {"open-with", "open-with txt", "open-with .a\\b"}) {
    EXPECT_EQ(zorvdesk(arguments).exitCode, 2u) << arguments;
  }
  EXPECT_EQ(expectZorvdesk("app-name \"D:\\Tools\\Paint (new).exe\"", 0, "").output,
            "Paint {new}\n");
  EXPECT_EQ(zorvdesk("app-name").exitCode, 2u);
  EXPECT_EQ(zorvdesk("app-name " + std::string(260, 'p')).exitCode, 2u);
}

}  // namespace
