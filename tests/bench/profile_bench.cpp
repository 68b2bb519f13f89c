// Prints the median time of the reads a mode click makes, done through the
// system's profile functions (GetPrivateProfileStringA): the 64 keys of each
// of the five ModeN_data.ini and the keys of ModeN.ini, from the shipped
// factory files, timed with QueryPerformanceCounter. Windows (wine) only: it
// stands beside settings_bench built for the same system.
//
// profile_bench [RUNS] [RESOURCES]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kModes = 5;
constexpr int kImageKeys = 64;
constexpr DWORD kValueSize = 512;

std::string fullPath(const std::string& path) {
  char buffer[MAX_PATH];
  const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, buffer, nullptr);
  if (length == 0 || length >= MAX_PATH) return {};
  return std::string(buffer, length);
}

// The key names of a section, in their order; empty when the file or the
// section cannot be read.
std::vector<std::string> keyNames(const std::string& file, const std::string& section) {
  std::vector<char> buffer(32768);
  const DWORD length = GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer.data(),
                                                static_cast<DWORD>(buffer.size()), file.c_str());
  std::vector<std::string> names;
  for (DWORD at = 0; at < length;) {
    const std::string name(buffer.data() + at);
    if (name.empty()) break;
    names.push_back(name);
    at += static_cast<DWORD>(name.size()) + 1;
  }
  return names;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 400;
  const std::string resources = fullPath(argc > 2 ? argv[2] : KESTROVANE_RESOURCES);
  if (resources.empty()) {
    std::fprintf(stderr, "profile_bench: no resources folder\n");
    return 1;
  }

  std::string dataFiles[kModes];
  std::string settingsFiles[kModes];
  std::vector<std::string> settingsKeys[kModes];
  for (int n = 1; n <= kModes; ++n) {
    const std::string mode = "Mode" + std::to_string(n);
    dataFiles[n - 1] = resources + "\\data\\" + mode + "_data.ini";
    settingsFiles[n - 1] = resources + "\\configure\\" + mode + ".ini";
    settingsKeys[n - 1] = keyNames(settingsFiles[n - 1], mode);
    if (settingsKeys[n - 1].empty() ||
        keyNames(dataFiles[n - 1], mode + "_data").size() != static_cast<std::size_t>(kImageKeys)) {
      std::fprintf(stderr, "profile_bench: cannot read the factory files of %s\n", mode.c_str());
      return 1;
    }
  }

  LARGE_INTEGER frequency;
  if (!QueryPerformanceFrequency(&frequency)) return 1;
  std::vector<double> times;
  char value[kValueSize];
  std::size_t checksum = 0;
  for (int i = 0; i < runs; ++i) {
    const int current = i % kModes;
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (int n = 1; n <= kModes; ++n) {
      const std::string section = "Mode" + std::to_string(n) + "_data";
      for (int k = 0; k < kImageKeys; ++k) {
        const std::string key = "Data" + std::to_string(k);
        checksum += GetPrivateProfileStringA(section.c_str(), key.c_str(), "", value, kValueSize,
                                             dataFiles[n - 1].c_str());
      }
    }
    const std::string section = "Mode" + std::to_string(current + 1);
    for (const std::string& key : settingsKeys[current])
      checksum += GetPrivateProfileStringA(section.c_str(), key.c_str(), "", value, kValueSize,
                                           settingsFiles[current].c_str());
    QueryPerformanceCounter(&end);
    times.push_back(1e6 * double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart));
  }
  std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
  std::printf(
      "GetPrivateProfileStringA: 5 x 64 image keys + %d settings keys  %9.1f us  "
      "median of %d\n",
      static_cast<int>(settingsKeys[0].size()), times[static_cast<std::size_t>(runs / 2)], runs);
  return checksum == 0 ? 1 : 0;
}
