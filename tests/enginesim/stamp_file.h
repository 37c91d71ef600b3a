// The file the stand-in writes its moments to (ENGINESIM_TIMESTAMPS), for the tests: named in
// the environment while the object lives, read back line by line.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace larkwell::enginesim::test {

struct Stamp {
  int64_t time = 0;  // 100 ns units since 1601
  std::string event;
  std::string detail;
};

// The system time in the stamps' units: for telling a stamp of now from one of another epoch.
inline int64_t system_time_now() {
  using Ticks = std::chrono::duration<int64_t, std::ratio<1, 10000000>>;
  return 116444736000000000 + std::chrono::duration_cast<Ticks>(std::chrono::system_clock::now().time_since_epoch()).count();
}

class StampFile {
 public:
  StampFile() : path_(std::filesystem::temp_directory_path() / ("enginesim-stamps-" + std::to_string(system_time_now()))) {
    set_variable(path_.string().c_str());
  }
  ~StampFile() {
    set_variable(nullptr);
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }
  StampFile(const StampFile&) = delete;
  StampFile& operator=(const StampFile&) = delete;

  bool exists() const { return std::filesystem::exists(path_); }
  std::vector<Stamp> stamps() const {
    std::vector<Stamp> read;
    std::ifstream file(path_, std::ios::binary);
    for (std::string line; std::getline(file, line);) {
      Stamp stamp;
      std::istringstream fields(line);
      fields >> stamp.time >> stamp.event;
      if (fields.get() == ' ') std::getline(fields, stamp.detail);
      read.push_back(stamp);
    }
    return read;
  }

 private:
  static void set_variable(const char* value) {
#ifdef _WIN32
    _putenv_s("ENGINESIM_TIMESTAMPS", value != nullptr ? value : "");  // "" removes it
#else
    if (value != nullptr) setenv("ENGINESIM_TIMESTAMPS", value, 1);
    else unsetenv("ENGINESIM_TIMESTAMPS");
#endif
  }
  std::filesystem::path path_;
};

}  // namespace larkwell::enginesim::test
