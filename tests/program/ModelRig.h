#pragma once

// A program model over a temporary program folder, a manual clock and
// recording pointer doubles, for the core tests of the model and commands.

#include <filesystem>
#include <string>
#include <vector>

#include "base/CodePage.h"
#include "base/IniFile.h"
#include "base/ManualClock.h"
#include "config/SettingsFiles.h"
#include "program/ProgramModel.h"
#include "tests/TempFolder.h"

namespace kestrovane::test {

// Every value written, as "Key|Name=Text", in order; a key in `missing`
// cannot be opened.
class RecordingPointerStore final : public PointerStore {
 public:
  bool writeValues(std::string_view key, std::span<const PointerValue> values) override {
    if (std::string(key) == missing) return false;
    for (const PointerValue& value : values)
      log.push_back(std::string(key) + "|" + std::string(value.name) + "=" + value.text);
    return true;
  }
  std::vector<std::string> take() { return std::exchange(log, {}); }

  std::vector<std::string> log;
  std::string missing;
};

class RecordingPointerSystem final : public PointerSystem {
 public:
  void apply(const PointerSettings& settings) override { applied.push_back(settings); }
  std::vector<PointerSettings> applied;
};

// Records what the model tells its view.
class RecordingObserver final : public ModelObserver {
 public:
  void modelChanged(unsigned aspects) override { changes.push_back(aspects); }
  void closeFunctionMenus() override { ++menusClosed; }
  void showLeftKeyWarning() override { ++warnings; }
  std::vector<unsigned> changes;
  int menusClosed = 0;
  int warnings = 0;
};

struct ModelRig {
  ModelRig() {
    std::filesystem::create_directories(folder.path() / "configure");
    std::filesystem::create_directories(folder.path() / "data");
    AppPaths paths;
    fillWorkPaths(paths, folder.str());
    fillProgramPaths(paths, folder.str());
    model.setPaths(paths);
    model.setObserver(&observer);
    // Settings are written only once the window has been activated.
    model.iniWriteSuppressed = false;
  }

  std::string configure(const std::string& name) const {
    return (folder.path() / "configure" / name).string();
  }
  std::string data(const std::string& name) const {
    return (folder.path() / "data" / name).string();
  }

  // Writes ModeN.ini and ModeN_data.ini for the mode.
  void writeMode(int n, const ModeSettings& settings, const ModeImage& image) const {
    IniFile file;
    writeModeSettings(file, modeSettingsSection(n), settings);
    file.save(configure(modeSettingsFileName(n)));
    IniFile imageFile;
    writeModeImage(imageFile, modeImageSection(n), image);
    imageFile.save(data(modeImageFileName(n)));
  }

  void writeGeneral(const GeneralSettings& general) const {
    IniFile file;
    writeGeneralSettings(file, ModeSettings{}, general);
    file.save(configure(std::string(kGeneralSettingsFile)));
  }

  TempFolder folder;
  ManualClock clock;
  RecordingPointerStore store;
  RecordingPointerSystem system;
  RecordingObserver observer;
  ProgramModel model{clock, store, system};
};

// An image whose bytes all differ, with its mode number in byte 0.
inline ModeImage patternedImage(int mode) {
  ModeImage image{};
  for (std::size_t i = 0; i < image.size(); ++i)
    image[i] = static_cast<std::uint8_t>(16 * mode + 3 * i);
  image[0] = static_cast<std::uint8_t>(mode);
  return image;
}

// Settings with every value away from its default, different per mode.
inline ModeSettings sampleSettings(int mode) {
  ModeSettings s;
  for (int k = 1; k <= kKeyCount; ++k)
    s.keys[static_cast<std::size_t>(k - 1)] =
        utf8ToCodePage("模式" + std::to_string(mode) + "键" + std::to_string(k));
  s.speed = 7;
  s.enhance = true;
  s.mse1 = true;
  s.wheel = 4;
  s.scroll = false;
  s.dbSpeed = 2;
  s.wheelX = 6;
  s.xy = true;
  s.xyFlag = true;
  s.xyPos = 8;
  s.reportRate = mode % 4;
  s.dpi = 3;
  s.tbStep = {4, 3, 2, 1};
  s.sensorDegree = 2;
  s.ledSwitch = 0;
  s.breathe = 2;
  s.freq = 0;
  s.breatheColor = mode + 1;
  s.motor = 0;
  s.motorStr = 1;
  return s;
}

}  // namespace kestrovane::test
