// File icons as JPEG pictures.
#include <cstdio>

#include "command.h"
#include "imaging/file_icon.h"
#include "imaging/icon_pictures.h"

namespace zorvdesk {
namespace {

int icon(const Arguments& args);

const Command kIcon{"icon", "icon FILE OUT.jpg",
                    "writes the icon the desktop shows for FILE as a JPEG picture", icon};

int icon(const Arguments& args) {
  if (args.size() != 2) return usageError(kIcon, "icon takes a file and a JPEG path");
  const char* file = args[0].c_str();
  const char* jpeg = args[1].c_str();
  HICON found = getFileIcon(file);
  if (found == nullptr) {
    std::fprintf(stderr, "zorvdesk: no icon for %s\n", file);
    return kFailed;
  }
  const bool saved = saveIconAsJpeg(found, jpeg);
  releaseFileIcon(found);
  if (!saved) {
    std::fprintf(stderr, "zorvdesk: cannot write the icon of %s to %s\n", file, jpeg);
    return kFailed;
  }
  std::printf("%s: the icon of %s\n", jpeg, file);
  return kOk;
}

const CommandRegistration registerIcon(kIcon);

}  // namespace
}  // namespace zorvdesk
