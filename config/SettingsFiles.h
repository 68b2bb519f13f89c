#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "base/IniFile.h"
#include "base/ModeImage.h"
#include "config/KeyFunction.h"

namespace kestrovane {

// The settings files: GM.ini (section "GM") and ModeN.ini (section "ModeN")
// in the configure folder, ModeN_data.ini (section "ModeN_data") in the data
// folder, each with a factory copy named "Default_" + its name beside it.
// This file knows their keys, their order and how values are spelled; what
// the program does with a value once read is the program model's.
inline constexpr std::string_view kGeneralSettingsFile = "GM.ini";
inline constexpr std::string_view kGeneralSettingsSection = "GM";
inline constexpr std::string_view kFactoryCopyPrefix = "Default_";

std::string modeSettingsFileName(int mode);  // "Mode3.ini"
std::string modeSettingsSection(int mode);   // "Mode3"
std::string modeImageFileName(int mode);     // "Mode3_data.ini"
std::string modeImageSection(int mode);      // "Mode3_data"

// The user-level values of one mode, one key each. Texts are code page bytes.
// A radio group holds the 0-based number of its button that is on; none on
// (nullopt) writes no key. Read back, a missing key or a value that is not a
// whole integer gives 0 (so a radio group always reads a number, which may
// match none of its buttons), a boolean is any non-zero integer.
struct ModeSettings {
  std::array<std::string, kKeyCount> keys;  // "Key1".."Key12": the button captions
  int speed = 0;                            // "Speed"
  bool enhance = false;                     // "Enhance"
  bool mse1 = false;                        // "Mse1" (written, never read back)
  int wheel = 0;                            // "wheel"
  bool scroll = false;                      // "scroll"
  bool mse2 = false;                        // "Mse2" (written, never read back)
  int dbSpeed = 0;                          // "DBSpeed"
  int wheelX = 0;                           // "wheel_X"
  bool xy = false;                          // "XY"
  bool xyFlag = false;                      // "XYFlag"
  int xyPos = 0;                            // "XYPos"
  std::optional<int> reportRate;            // "ReportRate" 0..3
  std::optional<int> dpi;                   // "DPI" 0..3
  std::array<int, 4> tbStep{};              // "TB_Step1".."TB_Step4" 0..4
  std::optional<int> sensorDegree;          // "SensorDegree" 0..3
  std::optional<int> ledSwitch;             // "LEDSwitch" 0 on, 1 off
  std::optional<int> breathe;               // "Breathe" 0..2
  std::optional<int> freq;                  // "Freq" 0..2
  std::optional<int> breatheColor;          // "BreatheColor" 0..7
  std::optional<int> motor;                 // "Motor" 0 on, 1 off
  std::optional<int> motorStr;              // "MotorStr" 0 strong, 1 weak
  friend bool operator==(const ModeSettings&, const ModeSettings&) = default;
};

// Every key of a mode's settings from section; Mse1 and Mse2 are read too,
// for tools, though the program never applies them.
ModeSettings readModeSettings(const IniFile& file, std::string_view section);
// The keys in their order of writing, each replaced in place or appended.
void writeModeSettings(IniFile& file, std::string_view section, const ModeSettings& settings);

// The general keys of GM.ini.
struct GeneralSettings {
  std::array<std::string, kModeCount> modeNames;  // "Mode1".."Mode5" (absent reads empty)
  std::optional<int> cbMode;                      // "cbMode": current mode - 1; none writes nothing
  bool cycleMax = false;                          // "Cycle_Max"
  bool cycleMaxFlag = false;                      // "CycleMaxFlag"
  bool cycle = false;                             // "Cycle"
  bool cycleFlag = false;                         // "CycleFlag"
  std::string cycleCount;                         // "Cycle_Count"
  friend bool operator==(const GeneralSettings&, const GeneralSettings&) = default;
};

GeneralSettings readGeneralSettings(const IniFile& file);
// GM.ini holds the current mode's settings keys first (written, never read
// back), then the general keys.
void writeGeneralSettings(IniFile& file, const ModeSettings& current,
                          const GeneralSettings& general);

// "Data0".."Data63": byte i is the low 8 bits of the integer of key "Data" + i
// (0 when missing or not an integer).
ModeImage readModeImage(const IniFile& file, std::string_view section);
void writeModeImage(IniFile& file, std::string_view section, const ModeImage& image);

}  // namespace kestrovane
