// The desktop library's operations that touch the system, each called many times in one process,
// leave nothing behind: kernel objects, registry keys, GDI and USER objects, heap bytes. Before
// any operation runs, the counters must prove that they move by exactly what one known object
// adds, also for a leak of a hundred, and come back when the objects are released.
// ZORV_SOAK_CALLS sets the calls per operation.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>

#include "common/log.h"
#include "common/log_clock.h"
#include "desktoplib/desktoplib.h"
#include "imaging/imaging_fixture.h"
#include "office/link_files.h"
#include "office/office_classes.h"
#include "office/office_message_box.h"
#include "process_resources.h"

namespace {

struct Kind {
  const char* name;
  void* (*make)();
  void (*release)(void*);
  ProcessResources adds;  // heap bytes are compared only where this names some
};

constexpr SIZE_T kBlock = 1000, kLargeBlock = 600000;  // the large one is a mapping of its own

void* event() { return CreateEventA(nullptr, TRUE, FALSE, nullptr); }
void* key() {
  HKEY opened = nullptr;
  RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software", 0, KEY_READ, &opened);
  return opened;
}
void* brush() { return CreateSolidBrush(RGB(1, 2, 3)); }
void* window(HWND parent) { return CreateWindowA("STATIC", "", 0, 0, 0, 8, 8, parent, 0, 0, 0); }
void* topLevelWindow() { return window(nullptr); }
void* messageOnlyWindow() { return window(HWND_MESSAGE); }
void* menu() { return CreateMenu(); }
void* icon() {  // monochrome: Wine keeps its mask as a bitmap of the process (colour: two)
  static const BYTE mask[32] = {}, colour[32] = {};
  return CreateIcon(nullptr, 16, 16, 1, 1, mask, colour);
}
void* processHeapBlock() { return HeapAlloc(GetProcessHeap(), 0, kBlock); }
void* runtimeBlock() { return std::malloc(kBlock); }
void* largeRuntimeBlock() { return std::malloc(kLargeBlock); }

void closeHandle(void* h) { CloseHandle(h); }
void closeKey(void* k) { RegCloseKey(static_cast<HKEY>(k)); }
void deleteObject(void* o) { DeleteObject(o); }
void destroyWindow(void* w) { DestroyWindow(static_cast<HWND>(w)); }
void destroyMenu(void* m) { DestroyMenu(static_cast<HMENU>(m)); }
void destroyIcon(void* i) { DestroyIcon(static_cast<HICON>(i)); }
void processHeapFree(void* p) { HeapFree(GetProcessHeap(), 0, p); }

const Kind kKinds[] = {
    {"Event", event, closeHandle, {1, 0, 0, 0, 0}},
    {"RegistryKey", key, closeKey, {0, 1, 0, 0, 0}},
    {"Brush", brush, deleteObject, {0, 0, 1, 0, 0}},
    {"Window", topLevelWindow, destroyWindow, {0, 0, 0, 1, 0}},
    {"MessageOnlyWindow", messageOnlyWindow, destroyWindow, {0, 0, 0, 1, 0}},
    {"Menu", menu, destroyMenu, {0, 0, 0, 1, 0}},
    {"Icon", icon, destroyIcon, {0, 0, 1, 1, 0}},
    {"ProcessHeapBlock", processHeapBlock, processHeapFree, {0, 0, 0, 0, kBlock}},
    {"RuntimeHeapBlock", runtimeBlock, std::free, {0, 0, 0, 0, kBlock}},
    {"LargeRuntimeBlock", largeRuntimeBlock, std::free, {0, 0, 0, 0, kLargeBlock}},
};

void* g_objects[100];  // outside the test, so that no allocation can be optimised away

ProcessResources times(ProcessResources r, long n) {
  return {r.kernelObjects * n, r.registryKeys * n, r.gdiObjects * n, r.userObjects * n,
          r.heapBytes * n};
}

void calibrate(const Kind& kind) {
  SCOPED_TRACE(kind.name);
  void* first = kind.make();  // kept: it sets up what all of its kind share (the IME window)
  for (long count : {1, 100}) {
    const ProcessResources before = processResources();
    for (long i = 0; i < count; ++i) ASSERT_NE(g_objects[i] = kind.make(), nullptr);
    ProcessResources added = processResources() - before;
    for (long i = 0; i < count; ++i) kind.release(g_objects[i]);
    ProcessResources left = processResources() - before;
    if (kind.adds.heapBytes == 0) added.heapBytes = left.heapBytes = 0;
    EXPECT_EQ(added, times(kind.adds, count)) << count << " made";
    EXPECT_EQ(left, ProcessResources{}) << count << " released";
  }
  kind.release(first);
}

// Runs first: a failed calibration stops the program before any operation is measured.
class Calibration : public ::testing::Environment {
  void SetUp() override {
    for (const Kind& kind : kKinds) calibrate(kind);
    ASSERT_FALSE(::testing::Test::HasFailure()) << "the counters are off: nothing is measured";
  }
};
const auto* const g_calibration = ::testing::AddGlobalTestEnvironment(new Calibration);

constexpr char kWorld[] = "dZORV_Soak";

// A temporary installation with one world, an open log, the files and objects the operations
// use, a document type and an Office server of the tests' own.
struct Scene {
  Scene() {
    removeInstallKey();
    writeRegText(kInstallKeyPath, "MainDir", folder.root + "\\");
    writeRegText(kInstallKeyPath, "CurrMovie", kWorld);
    writeRegText(std::string(kInstallKeyPath) + "\\" + kWorld, "Score", "0");
    std::filesystem::create_directories(folder.path(std::string("Desktops\\") + kWorld));
    folder.file(std::string("Desktops\\") + kWorld + "\\" + kWorld + ".dcr", "");
    setLogTimeSource([](SYSTEMTIME* now) { *now = SYSTEMTIME{2026, 12, 0, 6, 10, 0, 0, 0}; });
    openLog("soak", true);
    writeJpegFile(jpeg.c_str(), picture.get());
    const std::string whole = readFile(jpeg);
    folder.file("cut.jpg", whole.substr(0, whole.size() / 2));  // ends within the picture
    writeDibToBmpFile(bmp.c_str(), dib);
    bitmap =
        static_cast<HBITMAP>(LoadImageA(nullptr, bmp.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    registerOfficeServer("Word.Application", 0, "C:\\Office\\WINWORD.EXE /automation");
    setOfficeMessageBox([](const char*, const char*) {});  // a failure shows in the result
  }
  ~Scene() {
    setOfficeMessageBox(nullptr);
    removeOfficeServers();
    DeleteObject(bitmap);
    GlobalFree(dib);
    DestroyWindow(window);
    closeLog();
    setLogTimeSource(nullptr);
    removeInstallKey();
  }

  TempFolder folder{"sok"};
  const RegisteredType type{".zsoak", "ZorvSoak.Document", "\"C:\\Soak\\Viewer.exe\" \"%1\""};
  const std::string document = folder.file("paper.zsoak"), jpeg = folder.path("p.jpg"),
                    bmp = folder.path("p.bmp"), out = folder.path("out.jpg");
  const std::string link = makeLink(folder, "paper.lnk", {document}),
                    wordLink =
                        makeLink(folder, "Microsoft Word.lnk", {folder.file("wordicon.exe")});
  const DibPtr picture = noiseDib(40, 30, 1);
  const HGLOBAL dib = noiseDibHandle(40, 30, 2);
  HBITMAP bitmap = nullptr;
  const HWND window = static_cast<HWND>(topLevelWindow());
};

struct Operation {
  const char* name;
  bool (*call)(Scene& s);  // one call and its release; true when it did what it should
};

const Operation kOperations[] = {
    {"WorldAndFolders",
     [](Scene&) {
       char world[MAX_PATH], visual[MAX_PATH];
       CString dir, media;
       getShockwaveMediaDir(media);
       return getCurrentWorld(world) && std::strcmp(world, kWorld) == 0 && getWorldDir(dir) &&
              getVisualDir(visual) && !media.IsEmpty();
     }},
    {"GameStats",
     [](Scene&) {
       char text[8];
       setGameStat("Score", "42");
       getGameStat("Score", text, sizeof text);
       return std::strcmp(text, "42") == 0;
     }},
    {"WorldKey", [](Scene&) { return RegCloseKey(openWorldKey()) == ERROR_SUCCESS; }},
    {"Associations",
     [](Scene&) {
       char program[MAX_PATH], name[MAX_PATH];
       getFriendlyAppName("C:\\Soak\\Viewer.exe", name);
       return getOpenCommandExe(".zsoak", program) && std::strcmp(name, "Viewer") == 0;
     }},
    {"ParseShellPath",
     [](Scene& s) {
       ITEMIDLIST* list = nullptr;
       const bool parsed = parseShellPath(s.document.c_str(), &list);
       CoTaskMemFree(list);
       return parsed;
     }},
    {"ResolveShortcut",  // and a file that is no link
     [](Scene& s) {
       ShortcutInfo info, none;
       return resolveShortcut(s.link.c_str(), info) && !info.executable.IsEmpty() &&
              !resolveShortcut(s.document.c_str(), none);
     }},
    {"LocateOffice",
     [](Scene& s) {
       char path[MAX_PATH];
       std::strcpy(path, s.wordLink.c_str());
       return locateOfficeApplication(path) && std::strcmp(path, "C:\\Office\\WINWORD.EXE ") == 0;
     }},
    {"FindProcessWindow", [](Scene&) { return findProcessWindow(GetCurrentProcessId()) != 0; }},
    {"FileIconSavedAsJpeg",  // and a missing file's icon
     [](Scene& s) {
       HICON icon = getFileIcon(s.document.c_str());
       const bool saved = saveIconAsJpeg(icon, s.out.c_str());
       releaseFileIcon(icon);
       return icon != nullptr && saved && !getFileIcon(s.folder.path("no.zsoak").c_str());
     }},
    {"SaveFileIconAsJpeg",
     [](Scene& s) {
       return saveFileIconAsJpeg(s.folder.root.c_str(), "paper.zsoak", s.out.c_str());
     }},
    {"DdbToDib",
     [](Scene& s) {
       HGLOBAL dib = ddbToDib(s.bitmap, nullptr);
       return dib != nullptr && GlobalFree(dib) == nullptr;
     }},
    {"WriteDibToBmpFile", [](Scene& s) { return writeDibToBmpFile(s.bmp.c_str(), s.dib); }},
    {"WriteBmpToCaptures",
     [](Scene& s) {
       return writeBmpToCaptures(s.dib, s.out.c_str(), s.folder.path("full.jpg").c_str(), 64);
     }},
    {"JpegFiles",  // and a cut one
     [](Scene& s) {
       BITMAPINFOHEADER* dib = nullptr;
       const bool done =
           writeJpegFile(s.out.c_str(), s.picture.get()) && readJpegFile(s.out.c_str(), &dib);
       ::operator delete(dib);
       return done && !readJpegFile(s.folder.path("cut.jpg").c_str(), &dib) && dib == nullptr;
     }},
    {"FramedThumbnails",
     [](Scene& s) {
       int width, height;
       return framedThumbnailFromJpeg(s.jpeg.c_str(), 64, width, height, s.out.c_str()) &&
              framedThumbnailFromBmp(s.bmp.c_str(), 64, width, height, s.out.c_str());
     }},
    {"Log",
     [](Scene&) {
       closeLog();
       openLog("soak", true);
       logMessage("soak");
       return true;
     }},
};

class SoakTest : public ::testing::TestWithParam<Operation> {
 protected:
  static void SetUpTestSuite() { scene_ = std::make_unique<Scene>(); }
  static void TearDownTestSuite() { scene_.reset(); }
  static inline std::unique_ptr<Scene> scene_;
};

// Warm-up calls first: caches of the system and the runtime fill once.
TEST_P(SoakTest, NothingIsLeftBehind) {
  const Operation& operation = GetParam();
  for (int i = 0; i < 20; ++i) ASSERT_TRUE(operation.call(*scene_)) << "warm-up call " << i;
  const char* callsSet = std::getenv("ZORV_SOAK_CALLS");
  const long calls = callsSet != nullptr ? std::atol(callsSet) : 100;
  const ProcessResources before = processResources();
  const DWORD start = GetTickCount();
  long failed = 0;
  for (long i = 0; i < calls; ++i) failed += !operation.call(*scene_);
  const DWORD milliseconds = GetTickCount() - start;
  ProcessResources growth = processResources() - before;
  std::cout << operation.name << ": " << calls << " calls, " << milliseconds << " ms, growth "
            << growth << "\n";
  EXPECT_EQ(failed, 0);
  EXPECT_LT(growth.heapBytes, 64 * 1024);
  growth.heapBytes = 0;
  EXPECT_EQ(growth, ProcessResources{});
}

INSTANTIATE_TEST_SUITE_P(Operations, SoakTest, ::testing::ValuesIn(kOperations),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
