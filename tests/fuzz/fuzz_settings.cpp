// Loads any settings files into the program model as start-up and a mode
// click do. Byte 0 chooses N (low four bits) for the mode settings file and
// the mode selected afterwards (high four bits); the rest, split at NUL
// bytes, is GM.ini, ModeN.ini, then Mode1_data.ini .. Mode5_data.ini (the files
// without a part are absent). Only Error may come out; after any load the
// sliders stay in their ranges and at most one mode is current, and once a
// load has completed every stored image holds its mode number in byte 0.
#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "base/Error.h"
#include "base/ManualClock.h"
#include "program/ProgramModel.h"
#include "tests/fuzz/FuzzFolder.h"

using namespace kestrovane;

namespace {

struct SettingsFolder : FuzzFolder {
  SettingsFolder() : FuzzFolder("settings") {
    std::filesystem::create_directories(std::filesystem::path(path) / "configure");
    std::filesystem::create_directories(std::filesystem::path(path) / "data");
  }
} theFolder;

void writeFile(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) std::abort();
}

void removeFile(const std::string& path) {
  std::error_code ec;
  std::filesystem::remove(path, ec);
  if (ec) std::abort();
}

std::vector<std::string_view> splitAtNul(std::string_view input) {
  std::vector<std::string_view> parts;
  while (true) {
    const std::size_t end = input.find('\0');
    parts.push_back(input.substr(0, end));
    if (end == std::string_view::npos) return parts;
    input.remove_prefix(end + 1);
  }
}

int checkedCount(const SelectionGroup& group) {
  int on = 0;
  for (int n = 1; n <= group.count(); ++n) on += group.checked(n);
  return on;
}

// What must hold however a load ended.
void checkAlways(const ProgramModel& model) {
  for (int s = 0; s < kSliderCount; ++s) {
    const auto slider = static_cast<Slider>(s);
    if (model.slider(slider) < model.sliderMin(slider) ||
        model.slider(slider) > model.sliderMax(slider))
      std::abort();
  }
  if (checkedCount(model.gb7) > 1) std::abort();
  int selected = 0;
  for (int n = 1; n <= kModeCount; ++n) selected += model.modeSelected(n);
  if (selected > 1) std::abort();
  if (model.currentMode() != 0 && selected != 0 && model.currentMode() != model.firstSelectedMode())
    std::abort();
}

// What holds once all five image files have been read.
void checkLoaded(const ProgramModel& model) {
  for (int n = 1; n <= kModeCount; ++n)
    if (model.images.storedImage(n)[kModeNumberByte] != n) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int settingsMode = 1 + (data[0] & 0x0F) % kModeCount;
  const int otherMode = 1 + (data[0] >> 4) % kModeCount;
  const std::vector<std::string_view> parts =
      splitAtNul(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));

  AppPaths paths;
  fillWorkPaths(paths, theFolder.path);
  fillProgramPaths(paths, theFolder.path);
  writeFile(joinPath(paths.configureDir, kGeneralSettingsFile), parts[0]);
  for (int n = 1; n <= kModeCount; ++n) {
    const std::string settings = joinPath(paths.configureDir, modeSettingsFileName(n));
    if (n == settingsMode && parts.size() > 1)
      writeFile(settings, parts[1]);
    else
      removeFile(settings);
    const std::string image = joinPath(paths.dataDir, modeImageFileName(n));
    const std::size_t part = 1 + static_cast<std::size_t>(n);
    if (part < parts.size())
      writeFile(image, parts[part]);
    else
      removeFile(image);
  }

  ManualClock clock;
  NullPointerStore store;
  NullPointerSystem system;
  ProgramModel model(clock, store, system);
  model.setPaths(paths);
  bool loaded = false;
  try {
    model.ReadGeneralSettings();
  } catch (const Error&) {
  }
  checkAlways(model);
  model.loadOnModeSelect = true;
  try {
    model.LoadCurrentMode();
    loaded = true;
  } catch (const Error&) {
  }
  checkAlways(model);
  if (loaded) checkLoaded(model);
  try {
    model.SelectMode(otherMode);
    loaded = true;
    if (model.currentMode() != otherMode || model.firstSelectedMode() != otherMode) std::abort();
  } catch (const Error&) {
  }
  checkAlways(model);
  if (loaded) checkLoaded(model);
  return 0;
}
