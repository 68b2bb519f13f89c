#include "macro/MacroCompiler.h"

#include <array>
#include <cstdint>

#include "base/Error.h"
#include "macro/KeyboardHookKey.h"
#include "macro/MacroFile.h"

namespace kestrovane {
namespace {

constexpr std::size_t kSlotCount = 6;      // held keys remembered for repeating
constexpr std::size_t kFirstKeyByte = 5;   // after the loop byte, the count, one group's header
constexpr std::size_t kGroupHeadSize = 3;  // header, hold, modifier byte
constexpr std::uint8_t kModifierFlag = 0x80;
constexpr std::int32_t kHoldUnitMs = 10;
constexpr std::int64_t kMaxHoldUnits = 256;  // hold byte 255 = 2560 ms

std::string messageFor(std::string_view before, std::string_view name, std::string_view after) {
  std::string message(before);
  message += name;
  message += after;
  return message;
}

[[noreturn]] void throwTooLong(std::string_view name) {
  throw Error(messageFor("Macro ", name, " is too long for the mouse."));
}

[[noreturn]] void throwBadDelay(std::string_view name, std::string_view text) {
  throw Error(messageFor("Macro ", name, ": the delay \"") + std::string(text) +
              "\" is not a whole number of milliseconds.");
}

[[noreturn]] void throwBadKeyCode(std::string_view name, std::string_view code) {
  throw Error(messageFor("Macro ", name, ": the key code \"") + std::string(code) +
              "\" is not hexadecimal.");
}

std::int32_t delayOf(std::string_view line, std::string_view name) {
  const std::string_view text = lineDelayText(line);
  const std::optional<std::int32_t> delay = parseDelay(text);
  if (delay) return *delay;
  // Digits beyond the range of a delay: weeks of groups of 2560 ms, far more
  // than a record holds.
  if (!text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos)
    throwTooLong(name);
  throwBadDelay(name, text);
}

std::optional<std::uint16_t> parseHexCode(std::string_view code) {
  if (code.empty()) return std::nullopt;
  unsigned value = 0;
  for (const char c : code) {
    unsigned digit;
    if (c >= '0' && c <= '9') {
      digit = static_cast<unsigned>(c - '0');
    } else if (c >= 'a' && c <= 'f') {
      digit = static_cast<unsigned>(c - 'a' + 10);
    } else if (c >= 'A' && c <= 'F') {
      digit = static_cast<unsigned>(c - 'A' + 10);
    } else {
      return std::nullopt;
    }
    value = value * 16 + digit;
  }
  return static_cast<std::uint16_t>(value);  // at most four digits
}

std::uint8_t loopByte(const MacroLooping& looping, std::size_t index) {
  if (looping.endless) return static_cast<std::uint8_t>(0xF0 + index);
  if (!looping.counted) return 0;
  if (looping.countText.empty()) throw Error("The loop count is empty.");
  const std::optional<std::int32_t> count = parseDelay(looping.countText);
  if (!count) throw Error("The loop count \"" + looping.countText + "\" is not a number.");
  if (*count < 1 || *count > 9) return 0;
  return static_cast<std::uint8_t>(16 * *count + static_cast<std::int32_t>(index));
}

class Normalizer {
 public:
  Normalizer(std::vector<std::string>& out, std::string_view name) : m_out(out), m_name(name) {}

  void add(std::string_view line) {
    const char kind = lineKind(line);
    if (kind == kLineDelay) {
      addDelay(line);
      return;
    }
    std::string rewritten{kind, ' '};
    rewritten += lineCode(line);
    if (kind == kLinePress) {
      addPress(std::move(rewritten));
    } else if (kind == kLineRelease) {
      addRelease(std::move(rewritten));
    }
  }

 private:
  void addPress(std::string line) {
    ++m_pressCount;
    // Only the 2nd..6th press repeats the held keys after a delay.
    if (m_delaySeen && m_pressCount >= 2 && m_pressCount <= static_cast<int>(kSlotCount))
      for (std::size_t i = 0; i + 1 < static_cast<std::size_t>(m_pressCount); ++i)
        if (!m_presses[i].empty()) m_out.push_back(m_presses[i]);
    if (m_pressCount <= static_cast<int>(kSlotCount))
      m_presses[static_cast<std::size_t>(m_pressCount - 1)] = line;
    m_delaySeen = false;
    m_partialRelease = false;
    m_out.push_back(std::move(line));
  }

  void addRelease(std::string line) {
    m_out.push_back(line);
    ++m_releaseCount;
    if (m_releaseCount <= static_cast<int>(kSlotCount))
      m_releases[static_cast<std::size_t>(m_releaseCount - 1)] = std::move(line);
    if (m_releaseCount == m_pressCount) {
      m_pressCount = 0;
      m_releaseCount = 0;
      m_presses = {};
      m_releases = {};
    } else {
      m_partialRelease = true;
    }
  }

  void addDelay(std::string_view line) {
    if (delayOf(line, m_name) != 0) {
      m_delaySeen = true;
      if (m_partialRelease && m_releaseCount != m_pressCount) {
        forgetReleasedKeys();
        for (const std::string& press : m_presses)
          if (!press.empty()) m_out.push_back(press);
      }
    }
    m_out.push_back(std::string{kLineDelay, ' '} + std::string(lineDelayText(line)));
  }

  void forgetReleasedKeys() {
    for (std::string& release : m_releases) {
      if (release.empty()) continue;
      for (std::string& press : m_presses) {
        if (!press.empty() && lineCode(press) == lineCode(release)) {
          press.clear();
          release.clear();
          break;
        }
      }
    }
  }

  std::vector<std::string>& m_out;
  std::string_view m_name;
  std::array<std::string, kSlotCount> m_presses{};
  std::array<std::string, kSlotCount> m_releases{};
  int m_pressCount = 0;
  int m_releaseCount = 0;
  bool m_delaySeen = false;
  bool m_partialRelease = false;
};

class Encoder {
 public:
  Encoder(std::size_t index, const MacroLooping& looping, std::string_view name) : m_name(name) {
    m_record[0] = loopByte(looping, index);
  }

  void add(std::string_view line) {
    const char kind = lineKind(line);
    if (kind == kLinePress) {
      addPress(lineCode(line));
    } else if (kind == kLineDelay) {
      const std::int32_t delay = delayOf(line, m_name);
      if (delay != 0) closeGroups(delay);
    } else if (kind == kLineRelease) {
      // A release marks the group as empty until a later delay closes it.
      writeGroupHead(1, 0, 0);
    }
  }

  MacroDeviceRecord finish() {
    // The group count includes the open group, so the mouse looks for its
    // head even when nothing was written there: it must lie in the record.
    if (m_pos - m_keyCount > m_record.size()) throwTooLong(m_name);
    m_record[1] = static_cast<std::uint8_t>(m_groupCount + 1);
    return m_record;
  }

 private:
  void addPress(std::string_view code) {
    if (const ModifierKey* modifier = findModifierByCode(code)) {
      m_header |= kModifierFlag;
      m_modifiers |= modifier->bit;
      return;
    }
    const std::optional<std::uint16_t> value = parseHexCode(code);
    if (!value) throwBadKeyCode(m_name, code);
    put(m_pos, static_cast<std::uint8_t>(*value & 0xFFu));
    ++m_pos;
    ++m_keyCount;
  }

  // Closes the open group with the delay. One group holds at most 2560 ms;
  // a longer delay continues in further groups with the same keys down.
  void closeGroups(std::int32_t delay) {
    std::int64_t units = delay / kHoldUnitMs;
    const std::uint8_t flag = m_header;
    const std::uint8_t modifiers = m_modifiers;
    const std::size_t keyCount = m_keyCount;
    bool first = true;
    do {
      std::uint8_t hold;
      if (units > kMaxHoldUnits) {
        hold = 255;
        units -= kMaxHoldUnits;
      } else {
        hold = static_cast<std::uint8_t>(units >= 1 ? units - 1 : 0);
        units = 0;
      }
      if (!first) {
        // The group just closed ends in its key codes, then the three bytes
        // reserved for this one.
        const std::size_t previousKeys = m_pos - kGroupHeadSize - keyCount;
        for (std::size_t k = 0; k < keyCount; ++k) put(m_pos + k, m_record[previousKeys + k]);
        m_pos += keyCount;
        m_keyCount = keyCount;
        m_header = flag;
        m_modifiers = modifiers;
      }
      closeGroup(hold);
      first = false;
    } while (units > 0);
  }

  void closeGroup(std::uint8_t hold) {
    ++m_groupCount;
    m_header = static_cast<std::uint8_t>(m_header | (m_keyCount + 1));
    writeGroupHead(m_header, hold, m_modifiers);
    m_header = 0;
    m_modifiers = 0;
    m_keyCount = 0;
    m_pos += kGroupHeadSize;
  }

  // The open group's first three bytes, before its key codes.
  void writeGroupHead(std::uint8_t header, std::uint8_t hold, std::uint8_t modifiers) {
    const std::size_t start = m_pos - m_keyCount - kGroupHeadSize;
    if (start + kGroupHeadSize > m_record.size()) throwTooLong(m_name);
    m_record[start] = header;
    m_record[start + 1] = hold;
    m_record[start + 2] = modifiers;
  }

  void put(std::size_t at, std::uint8_t byte) {
    if (at >= m_record.size()) throwTooLong(m_name);
    m_record[at] = byte;
  }

  std::string_view m_name;
  MacroDeviceRecord m_record{};
  std::size_t m_pos = kFirstKeyByte;
  std::uint8_t m_header = 0;
  std::uint8_t m_modifiers = 0;
  std::size_t m_keyCount = 0;
  unsigned m_groupCount = 0;
};

}  // namespace

std::string macroNameOfRow(std::string_view row) {
  std::size_t digits = 0;
  while (digits < row.size() && row[digits] >= '0' && row[digits] <= '9') ++digits;
  if (digits > 0 && row.substr(digits, 2) == ". ") return std::string(row.substr(digits + 2));
  return std::string(row);
}

std::vector<std::string> normalizeMacroScript(const MacroScript& script, std::string_view name) {
  std::vector<std::string> normalized;
  Normalizer normalizer(normalized, name);
  for (std::size_t i = 1; i < script.size(); ++i) normalizer.add(script[i]);
  return normalized;
}

MacroDeviceRecord encodeMacro(const std::vector<std::string>& normalized, std::size_t index,
                              const MacroLooping& looping, std::string_view name) {
  Encoder encoder(index, looping, name);
  for (const std::string& line : normalized) encoder.add(line);
  return encoder.finish();
}

MacroDeviceRecord compileMacroScript(const MacroScript& script, std::size_t index,
                                     const MacroLooping& looping, std::string_view name) {
  return encodeMacro(normalizeMacroScript(script, name), index, looping, name);
}

void CompileMacros(std::span<const std::string> names, const std::string& folder,
                   const MacroLooping& looping, MacroRecordTable& records) {
  for (std::size_t m = 0; m < names.size(); ++m) {
    const MacroScript script = ReadMacroFile(folder, names[m]);
    if (script.empty()) return;
    const MacroDeviceRecord record = compileMacroScript(script, m, looping, names[m]);
    if (m < records.size()) records[m] = record;
  }
}

}  // namespace kestrovane
