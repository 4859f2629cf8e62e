// A fresh folder below the system's temporary folder, for the native and the Windows tests: it
// goes with everything in it when the object goes.
#pragma once

#include <chrono>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

class TempFolder {
 public:
  explicit TempFolder(const char* prefix = "zts") : root(make(prefix)) {}
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string path(const std::string& name) const {
    return root + static_cast<char>(std::filesystem::path::preferred_separator) + name;
  }
  // A file written with the content, or a folder made: its path.
  std::string file(const std::string& name, const std::string& content = "text") const {
    std::ofstream(path(name), std::ios::binary) << content;
    return path(name);
  }
  std::string folder(const std::string& name) const {
    std::filesystem::create_directory(path(name));
    return path(name);
  }

  const std::string root;  // no trailing separator

 private:
  static std::string make(const char* prefix) {
    static unsigned counter = 0;
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count() % 1000000007;
    for (int attempt = 0; attempt < 100; ++attempt) {
      const auto candidate = std::filesystem::temp_directory_path() /
                             (prefix + std::to_string(stamp) + "_" + std::to_string(++counter));
      if (std::filesystem::create_directory(candidate)) return candidate.string();
    }
    throw std::runtime_error("no temporary folder");
  }
};
