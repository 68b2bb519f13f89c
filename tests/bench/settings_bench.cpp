// Prints the median cost of the settings files over the factory settings
// copied into a scratch program folder: a mode click (SelectMode with
// loading on: five image files, the mode's settings file and the replay of
// its options), its parts, and saving a mode (the settings file and the
// image file, each replaced durably). Built natively and with mingw-w64, so
// that it can stand beside profile_bench under wine.
//
// settings_bench [RUNS] [FOLDER]: FOLDER is where the scratch folder goes
// (the system's temporary folder by default; saving flushes to its disk).
//
// settings_bench --large blank|keys [RUNS] [FOLDER]: the read of a settings
// file of exactly 1 MiB, Mode2_data.ini (section and its 64 keys first),
// filled up with blank lines or with keys of its own; the process does
// nothing else, so its peak memory (/usr/bin/time -v) is that read's.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/IniFile.h"
#include "base/ManualClock.h"
#include "config/SettingsFiles.h"
#include "program/ProgramModel.h"

using namespace kestrovane;

namespace {

namespace fs = std::filesystem;

template <typename Run>
double medianMicroseconds(int runs, Run run) {
  std::vector<double> times;
  times.reserve(static_cast<std::size_t>(runs));
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    run(i);
    const auto end = std::chrono::steady_clock::now();
    times.push_back(std::chrono::duration<double, std::micro>(end - start).count());
  }
  std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
  return times[static_cast<std::size_t>(runs / 2)];
}

// A program folder of our own: the shipped configure and data folders.
class ScratchFolder {
 public:
  explicit ScratchFolder(const fs::path& base) {
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    m_path = base / ("kestrovane-settings-bench-" + std::to_string(stamp));
    for (const char* sub : {"configure", "data"}) {
      fs::create_directories(m_path / sub);
      fs::copy(fs::path(KESTROVANE_RESOURCES) / sub, m_path / sub);
    }
  }
  ~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  std::string str() const { return m_path.string(); }

 private:
  fs::path m_path;
};

int measure(int runs, const fs::path& base) {
  const ScratchFolder folder(base);
  ManualClock clock;
  NullPointerStore store;
  NullPointerSystem system;
  ProgramModel model(clock, store, system);
  AppPaths paths;
  fillWorkPaths(paths, folder.str());
  fillProgramPaths(paths, folder.str());
  model.setPaths(paths);

  // As start-up does: the saved mode marked, then loaded once.
  model.ReadGeneralSettings();
  model.loadOnModeSelect = true;
  model.LoadCurrentMode();
  if (model.currentMode() == 0) {
    std::fprintf(stderr, "the factory settings name no current mode\n");
    return 1;
  }

  const double select = medianMicroseconds(runs, [&](int i) { model.SelectMode(1 + i % 5); });
  const double images = medianMicroseconds(runs, [&](int) {
    for (int n = 1; n <= kModeCount; ++n) model.ReadModeImageFile(n);
  });
  const double settings =
      medianMicroseconds(runs, [&](int i) { model.ReadModeSettings(1 + i % 5); });
  const double load = medianMicroseconds(
      runs, [&](int) { (void)IniFile::load(joinPath(paths.dataDir, modeImageFileName(1))); });

  // Saving writes only once the window has been activated.
  model.iniWriteSuppressed = false;
  const int saveRuns = std::max(1, runs / 4);
  const double save = medianMicroseconds(saveRuns, [&](int) {
    const int n = model.currentMode();
    model.images.storedImage(n) = model.images.workingImage;
    model.WriteModeSettings(n);
    model.WriteModeImageFile(n);
  });

  std::printf("factory settings in %s\n", folder.str().c_str());
  std::printf("SelectMode (5 image files, 1 settings file, replay)  %9.1f us  median of %d\n",
              select, runs);
  std::printf("  5 x ReadModeImageFile                             %9.1f us\n", images);
  std::printf("  ReadModeSettings with its replay                  %9.1f us\n", settings);
  std::printf("  IniFile::load of one image file                   %9.1f us\n", load);
  std::printf("SaveCurrentMode (ModeN.ini + ModeN_data.ini)          %9.1f us  median of %d\n",
              save, saveRuns);
  return 0;
}

// Mode2_data.ini of kLargeFileBytes: the mode's section and keys, then
// filler (CR LF blank lines, or "FillNNNNNNN=0" keys) up to the size.
constexpr std::size_t kLargeFileBytes = 1024 * 1024;

std::string largeImageFile(bool keys) {
  std::string text = "[" + modeImageSection(2) + "]\r\n";
  for (int i = 0; i < 64; ++i)
    text += "Data" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
  for (int n = 0; text.size() < kLargeFileBytes; ++n) {
    std::string line = keys ? "Fill" + std::to_string(1000000 + n) + "=0\r\n" : "\r\n";
    if (text.size() + line.size() > kLargeFileBytes)
      line.assign(kLargeFileBytes - text.size(), ' ');
    text += line;
  }
  return text;
}

int measureLarge(bool keys, int runs, const fs::path& base) {
  const ScratchFolder folder(base);
  ManualClock clock;
  NullPointerStore store;
  NullPointerSystem system;
  ProgramModel model(clock, store, system);
  AppPaths paths;
  fillWorkPaths(paths, folder.str());
  fillProgramPaths(paths, folder.str());
  model.setPaths(paths);
  const std::string path = joinPath(paths.dataDir, modeImageFileName(2));
  {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    const std::string text = largeImageFile(keys);
    if (file == nullptr || std::fwrite(text.data(), 1, text.size(), file) != text.size() ||
        std::fclose(file) != 0) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      return 1;
    }
  }
  const double read = medianMicroseconds(runs, [&](int) { model.ReadModeImageFile(2); });
  if (model.images.storedImage(2)[63] != 63) {
    std::fprintf(stderr, "the image was not read from %s\n", path.c_str());
    return 1;
  }
  std::printf("ReadModeImageFile of a 1 MiB Mode2_data.ini (%s)  %11.1f us  median of %d\n",
              keys ? "filler keys " : "blank lines", read, runs);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    if (argc > 2 && std::string_view(argv[1]) == "--large") {
      const std::string_view shape = argv[2];
      if (shape != "blank" && shape != "keys") {
        std::fprintf(stderr, "usage: settings_bench --large blank|keys [RUNS] [FOLDER]\n");
        return 2;
      }
      const int runs = argc > 3 ? std::max(1, std::stoi(argv[3])) : 20;
      const fs::path base = argc > 4 ? fs::path(argv[4]) : fs::temp_directory_path();
      return measureLarge(shape == "keys", runs, base);
    }
    const int runs = argc > 1 ? std::max(1, std::stoi(argv[1])) : 400;
    const fs::path base = argc > 2 ? fs::path(argv[2]) : fs::temp_directory_path();
    return measure(runs, base);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "settings_bench: %s\n", error.what());
    return 1;
  }
}
