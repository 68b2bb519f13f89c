// kestrovanectl show and set: the settings of the five modes as the window
// shows them, changed through the window's own operations and saved with
// its writers.
#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/CodePage.h"
#include "base/SystemClock.h"
#include "config/CaptionTable.h"
#include "device/DeviceProtocol.h"
#include "macro/MacroFile.h"
#include "program/ProgramCommands.h"
#include "program/ProgramModel.h"
#include "tools/kestrovanectl/Commands.h"

namespace kestrovane::ctl {
namespace {

// The window's left-button warning: here a refusal of the whole command.
class RuleObserver final : public ModelObserver {
 public:
  void modelChanged(unsigned) override {}
  void closeFunctionMenus() override {}
  void showLeftKeyWarning() override { warned = true; }
  bool warned = false;
};

// The program's start-up without a window: language, texts, general
// settings, the current mode loaded. The pointer options stay where they
// are: loading a mode would write them to the store.
struct LoadedSettings {
  LoadedSettings() {
    model.setPaths(programPaths());
    const std::string general = joinPath(model.paths().configureDir, kGeneralSettingsFile);
    if (!isProgramFolder(model.paths().workDir) || !std::filesystem::exists(general))
      throw Error("the program folder " + model.paths().workDir + " has no configure/GM.ini");
    model.setObserver(&observer);
    ChooseLanguage(model.language);
    model.LoadMainTexts();
    model.loadOnModeSelect = false;
    model.ReadGeneralSettings();
    model.loadOnModeSelect = true;
    model.LoadCurrentMode();
    current = model.currentMode();
  }
  SystemClock clock;
  NullPointerStore store;
  NullPointerSystem system;
  RuleObserver observer;
  ProgramModel model{clock, store, system};
  int current = 0;
};

std::string trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

std::string lowered(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

std::string refused(std::string_view name, std::string_view value, std::string_view accepted) {
  return std::string(name) + ": '" + std::string(value) + "' is not " + std::string(accepted);
}

// ---- The settings of a mode, one row each: show reads them, set --list
// lists them, set changes them through the window's operations.
struct Setting {
  std::string name;
  std::string values;   // what set accepts, for --list and messages
  bool number = false;  // a JSON number
  std::function<std::optional<std::string>(const ProgramModel&)> get;
  // Throws Error (the message) when the value is not accepted.
  std::function<void(ProgramModel&, const std::string&)> set;
};

std::string joined(const std::vector<std::string>& words, std::string_view separator) {
  std::string text;
  for (const std::string& w : words) text += (text.empty() ? "" : std::string(separator)) + w;
  return text;
}

// A radio group of the window: choice i (1-based) is words[i-1], set by
// click(model, i).
Setting choice(std::string name, SelectionGroup ProgramModel::*group,
               std::vector<std::string> words, std::function<void(ProgramModel&, int)> click,
               bool number = false) {
  Setting s{std::move(name), joined(words, "|"), number, nullptr, nullptr};
  s.get = [group, words](const ProgramModel& m) -> std::optional<std::string> {
    const int on = (m.*group).checkedChoice();
    if (on < 1 || on > static_cast<int>(words.size())) return std::nullopt;
    return words[static_cast<std::size_t>(on - 1)];
  };
  s.set = [name = s.name, words, click, values = s.values](ProgramModel& m, const std::string& v) {
    const auto it = std::find(words.begin(), words.end(), lowered(v));
    if (it == words.end()) throw Error(refused(name, v, "one of " + values));
    click(m, static_cast<int>(it - words.begin()) + 1);
  };
  return s;
}

std::optional<int> wholeNumber(const std::string& text) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end || text.empty()) return std::nullopt;
  return value;
}

// A slider of 0..10, shown shifted by offset (the XY sensitivity reads -5..5).
Setting slider(std::string name, Slider which, int offset = 0) {
  const std::string values = std::to_string(offset) + ".." + std::to_string(10 + offset);
  Setting s{std::move(name), values, true, nullptr, nullptr};
  s.get = [which, offset](const ProgramModel& m) {
    return std::optional(std::to_string(m.slider(which) + offset));
  };
  s.set = [name = s.name, which, offset, values](ProgramModel& m, const std::string& v) {
    const std::optional<int> n = wholeNumber(v);
    if (!n || *n < offset || *n > 10 + offset) throw Error(refused(name, v, values));
    m.setSlider(which, *n - offset);
  };
  return s;
}

// An option the window toggles with a click on its label: the flag is set to
// the inverse first, so that the click leaves it, its check box and what
// follows from it on the value.
Setting toggle(std::string name, CheckBox box, bool ProgramModel::*flag,
               void (ProgramModel::*click)()) {
  Setting s{std::move(name), "on|off", false, nullptr, nullptr};
  s.get = [box](const ProgramModel& m) {
    return std::optional<std::string>(m.checkBox(box) ? "on" : "off");
  };
  s.set = [name = s.name, flag, click](ProgramModel& m, const std::string& v) {
    const std::string word = lowered(v);
    if (word != "on" && word != "off") throw Error(refused(name, v, "on or off"));
    m.*flag = word != "on";
    (m.*click)();
  };
  return s;
}

Setting dpiStep(int level) {
  std::vector<std::string> labels;
  for (const DpiStepEntry& e : dpiStepTable()) labels.emplace_back(e.label);
  const auto which = static_cast<Slider>(static_cast<int>(Slider::tb_step1) + level - 1);
  Setting s{"dpi-step" + std::to_string(level), joined(labels, "|"), true, nullptr, nullptr};
  s.get = [which, labels](const ProgramModel& m) {
    return std::optional(labels.at(static_cast<std::size_t>(m.slider(which))));
  };
  s.set = [name = s.name, which, labels, values = s.values](ProgramModel& m, const std::string& v) {
    const auto it = std::find(labels.begin(), labels.end(), v);
    if (it == labels.end()) throw Error(refused(name, v, "one of " + values));
    m.setSlider(which, static_cast<int>(it - labels.begin()));
  };
  return s;
}

// The looping of every macro, kept in GM.ini: endless, counted or neither.
Setting looping() {
  Setting s{"loop", "off|endless|count", false, nullptr, nullptr};
  s.get = [](const ProgramModel& m) {
    return std::optional<std::string>(m.checkBox(CheckBox::cbCycle_Max) ? "endless"
                                      : m.checkBox(CheckBox::cbCycle)   ? "count"
                                                                        : "off");
  };
  s.set = [](ProgramModel& m, const std::string& v) {
    const std::string word = lowered(v);
    if (word == "endless") {
      if (!m.cycleMaxFlag) m.lbl_cycle_maxClick();
    } else if (word == "count") {
      if (!m.cycleFlag) m.lbl_cycleClick();
    } else if (word == "off") {
      if (m.cycleMaxFlag) m.lbl_cycle_maxClick();
      if (m.cycleFlag) m.lbl_cycleClick();
    } else {
      throw Error(refused("loop", v, "one of off|endless|count"));
    }
  };
  return s;
}

// The settings in the order set applies them: the lighting switch before
// its level and frequency (switching on writes level and frequency 2).
const std::vector<Setting>& settings() {
  static const std::vector<Setting> kSettings = [] {
    std::vector<Setting> list;
    list.push_back(choice("report-rate", &ProgramModel::gb1, {"125", "250", "500", "1000"},
                          &ProgramModel::reportRateClick, true));
    list.push_back(choice("dpi-level", &ProgramModel::gb2, {"1", "2", "3", "4"},
                          &ProgramModel::btn_levelClick, true));
    for (int level = 1; level <= kDpiLevelCount; ++level) list.push_back(dpiStep(level));
    list.push_back(choice("sensor-angle", &ProgramModel::gb3, {"0", "90", "180", "270"},
                          &ProgramModel::btn_sensordegreeClick, true));
    list.push_back(
        choice("lighting", &ProgramModel::gb4, {"on", "off"}, [](ProgramModel& m, int i) {
          if (i == 1)
            m.lbl_LEDOpenClick();
          else
            m.lbl_LEDCloseClick();
        }));
    list.push_back(choice("lighting-level", &ProgramModel::gb5, {"high", "medium", "low"},
                          &ProgramModel::lbl_LEDBreClick));
    list.push_back(choice("lighting-frequency", &ProgramModel::gb9, {"fast", "medium", "slow"},
                          [](ProgramModel& m, int i) { m.lbl_LEDBreClick(i + 3); }));
    list.push_back(choice("lighting-colour", &ProgramModel::gb6,
                          {"red", "yellow", "green", "cyan", "blue", "purple", "white", "cycle"},
                          &ProgramModel::lbl_LEDcolorClick));
    list.push_back(
        choice("motor", &ProgramModel::gb8, {"on", "off"}, &ProgramModel::lbl_MotorClick));
    list.push_back(choice("motor-strength", &ProgramModel::gb10, {"strong", "weak"},
                          [](ProgramModel& m, int i) { m.lbl_MotorClick(i + 2); }));
    list.push_back(slider("pointer-speed", Slider::spin_msespeed));
    list.push_back(toggle("pointer-precision", CheckBox::cb_msespeed, &ProgramModel::mse1Flag,
                          &ProgramModel::lbl_mse1Click));
    list.push_back(slider("wheel-lines", Slider::spin_msewheel));
    list.push_back(toggle("wheel-screen", CheckBox::cb_msewheel, &ProgramModel::mse2Flag,
                          &ProgramModel::lbl_mse2Click));
    list.push_back(slider("double-click-speed", Slider::spin_msedbspeed));
    list.push_back(slider("wheel-horizontal", Slider::spin_msewheel_X));
    list.push_back(
        toggle("xy-sync", CheckBox::cb_XY, &ProgramModel::xyFlag, &ProgramModel::lbl_XY_1Click));
    list.push_back(slider("xy-sensitivity", Slider::tb_XY, -5));
    list.push_back(looping());
    Setting count{"loop-count", "1..9", false, nullptr, nullptr};
    count.get = [](const ProgramModel& m) { return std::optional(m.cycleCountText()); };
    count.set = [](ProgramModel& m, const std::string& v) {
      const std::optional<int> n = wholeNumber(v);
      if (!n || *n < 1 || *n > 9) throw Error(refused("loop-count", v, "1..9"));
      m.setCycleCountText(v);
    };
    list.push_back(std::move(count));
    return list;
  }();
  return kSettings;
}

const Setting* findSetting(std::string_view name) {
  for (const Setting& s : settings())
    if (s.name == name) return &s;
  return nullptr;
}

// ---- Button functions by name

// The menu's name of a function item in the current language (its built-in
// text where the language has none), without the padding some have.
std::string itemName(const ProgramModel& model, const FunctionItem& item) {
  const std::string& text = model.caption(item.label);
  return trimmed(text.empty() ? builtInCaption(item.label) : std::string_view(text));
}

// Button n of the loaded mode as the user reads it: the function's name, a
// macro by its name; the caption stands for a code the menu does not have.
std::string keyFunctionName(const ProgramModel& model, int n) {
  const KeyFunction code = readKeyFunction(model.images.workingImage, n);
  const std::string caption = codePageToUtf8(model.keyCaption(n));
  if (code.Kind == kKindMacro) return "macro:" + caption;
  const FunctionItem* found = nullptr;
  for (const FunctionItem& item : functionTable()) {
    if (item.code != code) continue;
    if (found == nullptr || itemName(model, item) == trimmed(caption)) found = &item;
  }
  return found != nullptr ? itemName(model, *found) : caption;
}

// Finds a function by a name of its menu item in any of our languages,
// case-insensitively: the current language's names first, then the other
// language files', then the built-in texts (whose mouse-button rows name the
// right and middle buttons the other way round).
class FunctionNames {
 public:
  explicit FunctionNames(const ProgramModel& model) {
    std::vector<LanguageTexts> files;
    for (Language code : {model.language, Language::CHS, Language::CHT, Language::ENU}) {
      if (code == Language::None) continue;
      if (std::optional<LanguageTexts> texts = LanguageTexts::load(code, model.paths()))
        files.push_back(std::move(*texts));
    }
    for (const LanguageTexts& file : files) {
      std::map<std::string, const FunctionItem*> tier;
      for (const FunctionItem& item : functionTable())
        add(tier, item, file.text(findCaption(item.label)->key));
      m_tiers.push_back(std::move(tier));
    }
    std::map<std::string, const FunctionItem*> builtIn;
    for (const FunctionItem& item : functionTable()) add(builtIn, item, builtInCaption(item.label));
    m_tiers.push_back(std::move(builtIn));
  }

  // The item, or null; throws when the name is two functions' in one tier.
  const FunctionItem* find(const std::string& name, std::string_view setting) const {
    const std::string key = lowered(trimmed(name));
    for (const auto& tier : m_tiers) {
      const auto it = tier.find(key);
      if (it == tier.end()) continue;
      if (it->second == nullptr)
        throw Error(std::string(setting) + ": '" + name + "' names more than one function");
      return it->second;
    }
    return nullptr;
  }

 private:
  static void add(std::map<std::string, const FunctionItem*>& tier, const FunctionItem& item,
                  std::string_view name) {
    const std::string key = lowered(trimmed(name));
    if (key.empty()) return;
    const auto [it, added] = tier.emplace(key, &item);
    if (!added && it->second != nullptr && it->second->code != item.code) it->second = nullptr;
  }
  std::vector<std::map<std::string, const FunctionItem*>> m_tiers;
};

// Assigns button n as the function menu or the macro dialog would.
void assignKey(ProgramModel& model, const FunctionNames& names, int n, const std::string& value) {
  const std::string setting = "key" + std::to_string(n);
  if (lowered(value.substr(0, 6)) == "macro:") {
    const std::string name = value.substr(6);
    std::vector<std::string> macros = ListMacroNames(model.paths().macroDir);
    sortMacroNames(macros);
    const auto it = std::find(macros.begin(), macros.end(), utf8ToCodePage(name));
    if (it == macros.end())
      throw Error(setting + ": there is no macro '" + name + "' in " + model.paths().macroDir);
    const auto index = static_cast<int>(it - macros.begin());
    // The mouse holds ten macros: a later one would never reach it.
    if (index >= kMacroCount)
      throw Error(setting + ": macro '" + name + "' is number " + std::to_string(index + 1) +
                  " in the list; the mouse holds only the first " + std::to_string(kMacroCount));
    model.AssignKeyFunction(n, {kKindMacro, static_cast<std::uint8_t>(index), 0}, *it);
    return;
  }
  const FunctionItem* item = names.find(value, setting);
  if (item == nullptr || item->code.Kind == kKindMacro)
    throw Error(setting + ": '" + value +
                "' is no function of the menu (see 'kestrovanectl set --list'; a macro is "
                "macro:NAME)");
  model.AssignKeyFunction(n, item->code, utf8ToCodePage(itemName(model, *item)));
}

std::optional<int> modeNumber(const Invocation& invocation) {
  const std::optional<std::string> text = invocation.value("--mode");
  if (!text) return std::nullopt;
  const std::optional<int> n = wholeNumber(*text);
  if (!n || *n < 1 || *n > kModeCount) return 0;
  return n;
}

// ---- show

std::string jsonString(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string hexCode(const KeyFunction& code) {
  char text[12];
  std::snprintf(text, sizeof text, "%02x %02x %02x", code.Kind, code.Arg1, code.Arg2);
  return text;
}

std::string showMode(ProgramModel& model, int n, bool current, bool json) {
  const std::string name = codePageToUtf8(model.modeName(n));
  std::string text;
  if (json) {
    text = "  {\"mode\": " + std::to_string(n) + ", \"mode-name\": " + jsonString(name) +
           ", \"current\": " + (current ? "true" : "false") + ",\n   \"keys\": [";
  } else {
    text = "mode " + std::to_string(n) + (current ? " (current)" : "") + "\n  mode-name = " + name +
           "\n";
  }
  for (int k = 1; k <= kKeyCount; ++k) {
    const KeyFunction code = readKeyFunction(model.images.workingImage, k);
    const std::string function = keyFunctionName(model, k);
    if (json) {
      text += std::string(k == 1 ? "" : ",") + "\n    {\"key\": " + std::to_string(k) +
              ", \"function\": " + jsonString(function) + ", \"code\": [" +
              std::to_string(code.Kind) + ", " + std::to_string(code.Arg1) + ", " +
              std::to_string(code.Arg2) + "]}";
    } else {
      text += "  key" + std::to_string(k) + " = " + function + "  [" + hexCode(code) + "]\n";
    }
  }
  if (json) text += "]";
  for (const Setting& s : settings()) {
    const std::optional<std::string> value = s.get(model);
    if (json)
      text += ",\n   " + jsonString(s.name) + ": " +
              (!value     ? "null"
               : s.number ? *value
                          : jsonString(*value));
    else
      text += "  " + s.name + " = " + value.value_or("none") + "\n";
  }
  if (json) text += "}";
  return text;
}

int show(const Invocation& invocation) {
  const std::optional<int> only = modeNumber(invocation);
  if (only == 0) return usageError(invocation, "option '--mode' takes a mode 1..5");
  const bool json = invocation.has("--json");
  LoadedSettings loaded;
  std::string text = json ? "[\n" : "";
  for (int n = 1; n <= kModeCount; ++n) {
    if (only && *only != n) continue;
    loaded.model.SelectMode(n);
    if (!text.empty() && text != "[\n") text += json ? ",\n" : "\n";
    text += showMode(loaded.model, n, n == loaded.current, json);
  }
  if (json) text += "\n]\n";
  std::cout << text;
  if (!std::cout.flush()) return fail("cannot write to the standard output");
  return kDone;
}

// ---- set

std::string setList() {
  std::string text =
      "Settings (NAME=VALUE):\n"
      "  mode-name             the mode's name\n"
      "  current               1..5, the mode the mouse starts in\n"
      "  key1 .. key12         a function below as the menu shows it (any of our\n"
      "                        languages, any case), or macro:NAME\n";
  for (const Setting& s : settings()) {
    std::string name = s.name;
    name.resize(std::max<std::size_t>(name.size() + 1, 22), ' ');
    text += "  " + name + s.values + "\n";
  }
  text += "\nFunctions:\n";
  return text;
}

// Changes the mode (--mode or the current one) in memory as the window's
// clicks would; returns the mode to be current at the end. Throws Error at
// the first value refused.
int change(LoadedSettings& loaded, const std::map<std::string, std::string>& values,
           std::optional<int> mode) {
  ProgramModel& model = loaded.model;
  const int target = mode.value_or(loaded.current);
  if (target == 0) throw Error("no mode is current: name the mode with --mode N");
  std::optional<int> newCurrent;
  if (const auto it = values.find("current"); it != values.end()) {
    newCurrent = wholeNumber(it->second);
    if (!newCurrent || *newCurrent < 1 || *newCurrent > kModeCount)
      throw Error(refused("current", it->second, "a mode 1..5"));
  }
  if (target != loaded.current) model.SelectMode(target);
  if (const auto it = values.find("mode-name"); it != values.end()) {
    const std::string bytes = utf8ToCodePage(it->second);
    if (it->second.empty() || codePageToUtf8(bytes) != it->second)
      throw Error(refused("mode-name", it->second,
                          "a name the settings files can hold (not empty, code page 936)"));
    model.setModeName(target, bytes);
  }
  for (const Setting& s : settings())
    if (const auto it = values.find(s.name); it != values.end()) s.set(model, it->second);
  // Buttons given the left button first, so that moving it between the first
  // three buttons is never refused half-way.
  std::vector<std::pair<int, std::string>> keys;
  for (int k = 1; k <= kKeyCount; ++k)
    if (const auto it = values.find("key" + std::to_string(k)); it != values.end())
      keys.emplace_back(k, it->second);
  if (keys.empty()) return newCurrent.value_or(loaded.current);
  const FunctionNames names(model);
  std::stable_partition(keys.begin(), keys.end(), [&](const auto& key) {
    return names.find(key.second, "key") == findFunctionItem(kLeftButtonItem);
  });
  for (const auto& [k, value] : keys) {
    assignKey(model, names, k, value);
    if (loaded.observer.warned)
      throw Error("key" + std::to_string(k) + "=" + value +
                  ": one of the buttons key1, key2 and key3 must keep the left button");
  }

  return newCurrent.value_or(loaded.current);
}

int set(const Invocation& invocation) {
  if (invocation.has("--list")) {
    if (!invocation.args.empty()) return usageError(invocation, "'--list' takes no NAME=VALUE");
    LoadedSettings loaded;
    std::string text = setList();
    for (const FunctionItem& item : functionTable())
      if (item.code.Kind != kKindMacro) text += "  " + itemName(loaded.model, item) + "\n";
    std::cout << text;
    if (!std::cout.flush()) return fail("cannot write to the standard output");
    return kDone;
  }
  const std::optional<int> mode = modeNumber(invocation);
  if (mode == 0) return usageError(invocation, "option '--mode' takes a mode 1..5");
  if (invocation.args.empty()) return usageError(invocation, "missing NAME=VALUE");
  if (invocation.has("--no-pointer") && !invocation.has("--apply"))
    return usageError(invocation, "'--no-pointer' goes with '--apply'");

  // The words first: a name that is no setting is a usage error.
  std::map<std::string, std::string> values;
  for (const std::string& word : invocation.args) {
    const std::size_t equals = word.find('=');
    if (equals == std::string::npos || equals == 0)
      return usageError(invocation, "'" + word + "' is not NAME=VALUE");
    const std::string name = word.substr(0, equals);
    const bool key = name.starts_with("key") && wholeNumber(name.substr(3)).value_or(0) >= 1 &&
                     wholeNumber(name.substr(3)).value_or(0) <= kKeyCount &&
                     name.substr(3) == std::to_string(*wholeNumber(name.substr(3)));
    if (!key && name != "mode-name" && name != "current" && findSetting(name) == nullptr)
      return usageError(invocation, "unknown setting '" + name + "'");
    if (!values.emplace(name, word.substr(equals + 1)).second)
      return usageError(invocation, "setting '" + name + "' is given twice");
  }

  // Everything in memory, as the window's clicks do it; files only at the end.
  LoadedSettings loaded;
  int current = 0;
  try {
    current = change(loaded, values, mode);
  } catch (const Error& error) {
    throw Error(std::string(error.what()) + " (nothing was written)");
  }
  ProgramModel& model = loaded.model;
  const int target = model.currentMode();

  // The window's save, then its close with the chosen current mode.
  model.iniWriteSuppressed = false;
  model.storeWholeWorkingImage(target);
  model.WriteModeSettings(target);
  model.WriteModeImageFile(target);
  if (current == 0) {
    // No mode was current and none is chosen: GM.ini keeps none.
    model.gb7.clear();
  } else if (current != target) {
    model.SelectMode(current);
  }
  model.WriteGeneralSettings();
  if (invocation.has("--apply"))
    return apply(transportOptions(invocation), !invocation.has("--no-pointer"));
  return kDone;
}

}  // namespace

int runShowCommand(const Invocation& invocation) {
  return guarded([&] { return show(invocation); });
}

int runSetCommand(const Invocation& invocation) {
  return guarded([&] { return set(invocation); });
}

}  // namespace kestrovane::ctl
