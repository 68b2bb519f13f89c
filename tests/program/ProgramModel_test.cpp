// The program model: option operations, settings files, mode selection and
// pointer options, without a window.
#include "program/ProgramModel.h"

#include <gtest/gtest.h>

#include "tests/ErrorText.h"
#include "tests/program/ModelRig.h"

namespace kestrovane::test {
namespace {

std::uint8_t working(const ModelRig& rig, std::size_t i) {
  return rig.model.images.workingImage[i];
}

// The option operations write exactly their bytes, keep the others, and
// reach the stored image of the current mode only.
TEST(ModelOptions, WriteTheirBytesAndStoreIntoTheCurrentModeOnly) {
  ModelRig rig;
  ProgramModel& m = rig.model;

  // No current mode: the working image changes, no stored image does.
  m.lbl_LEDcolorClick(5);
  EXPECT_EQ(working(rig, 7), 5);
  for (int n = 1; n <= kModeCount; ++n) EXPECT_EQ(m.images.storedImage(n), ModeImage{});

  m.SelectMode(4);  // marks mode 4; nothing is loaded while loadOnModeSelect is off
  m.images.workingImage[0] = 9;
  m.lbl_LEDcolorClick(8);  // "循环" is 0, not red
  EXPECT_EQ(working(rig, 7), 0);
  EXPECT_EQ(m.images.storedImage(4)[0], 4) << "byte 0 is the mode, whatever the working image";
  EXPECT_EQ(m.images.storedImage(4)[7], 0);
  EXPECT_EQ(m.images.storedImage(3), ModeImage{});

  m.images.workingImage[5] = 0xC3;  // motor on, strong, LED level 3
  m.lbl_LEDBreClick(2);             // "中"
  EXPECT_EQ(working(rig, 5), 0xC2);
  m.lbl_MotorClick(2);  // motor off
  EXPECT_EQ(working(rig, 5), 0x42);
  EXPECT_FALSE(m.motorStrengthVisible());

  // "开启" after "低" and "慢速": the image gets level 2 and frequency 2, the
  // window keeps marking low and slow.
  m.lbl_LEDBreClick(3);
  m.lbl_LEDBreClick(6);
  m.lbl_LEDCloseClick();
  EXPECT_FALSE(m.ledOptionsVisible());
  EXPECT_EQ(working(rig, 5) & 0x0F, 0);
  EXPECT_EQ(working(rig, 6), 0);
  m.lbl_LEDOpenClick();
  EXPECT_TRUE(m.ledOptionsVisible());
  EXPECT_EQ(working(rig, 5) & 0x0F, 2);
  EXPECT_EQ(working(rig, 6), 2);
  EXPECT_TRUE(m.gb5.checked(3));
  EXPECT_TRUE(m.gb9.checked(3));
  EXPECT_TRUE(m.gb4.checked(1));

  m.reportRateClick(2);
  m.btn_levelClick(3);
  EXPECT_EQ(working(rig, 3), 2);
  EXPECT_EQ(working(rig, 4), 3);

  // A slider writes only when its position changes.
  m.setSlider(Slider::tb_step3, 99);  // clamps to the right end
  EXPECT_EQ(m.slider(Slider::tb_step3), 4);
  EXPECT_EQ(working(rig, 62), 64);
  m.images.workingImage[62] = 7;
  m.setSlider(Slider::tb_step3, 4);
  EXPECT_EQ(working(rig, 62), 7);

  // The sensor angle has no byte and stores nothing.
  const ModeImages before = m.images;
  m.btn_sensordegreeClick(3);
  EXPECT_TRUE(m.gb3.checked(3));
  EXPECT_EQ(m.images.workingImage, before.workingImage);
  EXPECT_EQ(m.images.storedImage(4), before.storedImage(4));
}

// One notification per operation, however many nested steps it runs.
TEST(ModelOptions, TellTheViewOncePerOperation) {
  ModelRig rig;
  rig.model.lbl_LEDCloseClick();
  ASSERT_EQ(rig.observer.changes.size(), 1u);
  EXPECT_TRUE(rig.observer.changes[0] & kAspectVisibility);
  EXPECT_TRUE(rig.observer.changes[0] & kAspectOptions);
  rig.observer.changes.clear();
  rig.model.setSlider(Slider::spin_msespeed, rig.model.slider(Slider::spin_msespeed));
  EXPECT_TRUE(rig.observer.changes.empty()) << "an unchanged slider is no change";
}

// The left-button rule keeps one of Key1..Key3 on the left button.
TEST(ModelAssignment, KeepsTheLeftButtonOnOneOfTheFirstThree) {
  ModelRig rig;
  ProgramModel& m = rig.model;
  m.SelectMode(1);
  const std::string copy = utf8ToCodePage("Copy");
  m.AssignKeyFunction(4, {3, 1, 6}, copy);
  EXPECT_EQ(m.keyCaption(4), copy);
  EXPECT_EQ(m.images.storedImage(1)[17], 3);
  EXPECT_EQ(m.images.storedImage(1)[19], 6);
  EXPECT_EQ(rig.observer.warnings, 0);

  // Key1 loses the left button: warned, and it gets it back.
  m.AssignKeyFunction(1, {3, 1, 6}, copy);
  EXPECT_EQ(rig.observer.warnings, 1);
  EXPECT_EQ(m.keyCaption(1), m.leftButtonText());
  EXPECT_EQ(m.images.storedImage(1)[8], 1);
  EXPECT_EQ(m.images.storedImage(1)[9], 1);
}

TEST(ModelSettings, ReadBackWhatWasWritten) {
  ModelRig rig;
  ModelRig other;
  rig.writeMode(2, sampleSettings(2), patternedImage(2));
  rig.writeGeneral({});
  rig.model.SelectMode(2);
  rig.model.LoadCurrentMode();
  const ModeSettings loaded = rig.model.currentModeSettings();
  // Mse1/Mse2 are not read: they come from the language file.
  ModeSettings expected = sampleSettings(2);
  expected.mse1 = expected.mse2 = false;
  EXPECT_EQ(loaded, expected);

  // Written through the model, read by another model: the same values.
  rig.model.WriteModeSettings(2);
  rig.model.WriteModeImageFile(2);
  for (const char* sub : {"configure", "data"})
    for (const auto& entry : std::filesystem::directory_iterator(rig.folder.path() / sub))
      std::filesystem::copy_file(entry.path(), other.folder.path() / sub / entry.path().filename(),
                                 std::filesystem::copy_options::overwrite_existing);
  other.model.SelectMode(2);
  other.model.LoadCurrentMode();
  EXPECT_EQ(other.model.currentModeSettings(), loaded);
  EXPECT_EQ(other.model.images.workingImage, rig.model.images.workingImage);
}

// A file with only its section line: every group on its first button,
// every slider at 0, every check box off, every caption empty.
TEST(ModelSettings, AnEmptySectionGivesTheFirstButtonsAndZeros) {
  ModelRig rig;
  IniFile file;
  file.setString("Mode1", "Key1", "");
  file.removeKey("Mode1", "Key1");
  file.save(rig.configure("Mode1.ini"));
  rig.model.SelectMode(1);
  rig.model.LoadCurrentMode();
  const ProgramModel& m = rig.model;
  for (const SelectionGroup* g :
       {&m.gb1, &m.gb2, &m.gb3, &m.gb4, &m.gb5, &m.gb6, &m.gb8, &m.gb9, &m.gb10})
    EXPECT_EQ(g->checkedChoice(), 1) << g->caption();
  for (int s = 0; s < kSliderCount; ++s) EXPECT_EQ(m.slider(static_cast<Slider>(s)), 0) << s;
  for (int c = 0; c < 3; ++c) EXPECT_FALSE(m.checkBox(static_cast<CheckBox>(c))) << c;
  for (int k = 1; k <= kKeyCount; ++k) EXPECT_EQ(m.keyCaption(k), "") << k;
}

TEST(ModelSettings, GeneralFileEdgeCases) {
  {
    ModelRig rig;  // a current mode out of range selects none
    GeneralSettings general;
    general.cbMode = 7;
    rig.writeGeneral(general);
    rig.model.ReadGeneralSettings();
    EXPECT_EQ(rig.model.currentMode(), 0);
    EXPECT_EQ(rig.model.firstSelectedMode(), 0);
    EXPECT_EQ(rig.model.modeName(1), "") << "an absent name empties the label";
  }
  {
    ModelRig rig;  // both loop options stored: counted wins
    GeneralSettings general;
    general.cbMode = 2;
    general.cycleMaxFlag = general.cycleFlag = true;
    general.cycleCount = "4";
    rig.writeGeneral(general);
    rig.model.ReadGeneralSettings();
    EXPECT_EQ(rig.model.currentMode(), 3);
    EXPECT_TRUE(rig.model.modeSelected(3));
    EXPECT_EQ(rig.model.images.workingImage, ModeImage{}) << "marked, not loaded";
    EXPECT_TRUE(rig.model.cycleFlag);
    EXPECT_FALSE(rig.model.cycleMaxFlag);
    EXPECT_TRUE(rig.model.checkBox(CheckBox::cbCycle));
    EXPECT_FALSE(rig.model.checkBox(CheckBox::cbCycle_Max));
    EXPECT_TRUE(rig.model.cycleCountEnabled());
    EXPECT_EQ(rig.model.macroLooping().countText, "4");
  }
  {
    ModelRig rig;  // closing before the first activation writes nothing
    rig.model.iniWriteSuppressed = true;
    rig.model.WriteGeneralSettings();
    rig.model.WriteModeSettings(1);
    rig.model.WriteModeImageFile(1);
    EXPECT_TRUE(std::filesystem::is_empty(rig.folder.path() / "configure"));
    EXPECT_TRUE(std::filesystem::is_empty(rig.folder.path() / "data"));
  }
}

TEST(ModelSettings, GeneralFileKeepsWhatItDoesNotWrite) {
  ModelRig rig;
  const std::string path = rig.configure("GM.ini");
  IniFile existing = IniFile::parse("; kept\r\n[GM]\r\nMode2=x\r\nOwn=1\r\n");
  existing.save(path);
  rig.model.setModeName(2, utf8ToCodePage("射击"));
  rig.model.SelectMode(5);
  rig.model.WriteGeneralSettings();
  const IniFile written = IniFile::load(path);
  EXPECT_EQ(written.getString("GM", "Own"), "1");
  EXPECT_EQ(written.getString("GM", "Mode2"), utf8ToCodePage("射击"));
  EXPECT_EQ(written.getInt("GM", "cbMode", -1), 4);
  EXPECT_EQ(written.getString("GM", "Key1"), rig.model.keyCaption(1));
  EXPECT_TRUE(written.text().starts_with("; kept\r\n[GM]\r\nMode2="));
}

// A write the system refuses stops the operation with the user's message.
TEST(ModelSettings, RefusedWriteNamesTheFile) {
  ModelRig rig;
  std::filesystem::remove_all(rig.folder.path() / "data");
  rig.model.SelectMode(1);
  const std::string path = rig.data("Mode1_data.ini");
  EXPECT_EQ(errorOf([&] { rig.model.WriteModeImageFile(1); }), "Unable to write to " + path);
}

// A file that is there but cannot be read is not skipped as missing: the
// user reads its path and the system's reason.
TEST(ModelSettings, UnreadableFilesAreReportedWithTheSystemsReason) {
  const struct {
    const char* file;  // made a folder
    void (*read)(ProgramModel&);
  } cases[] = {
      {"configure/GM.ini", [](ProgramModel& m) { m.ReadGeneralSettings(); }},
      {"configure/Mode4.ini", [](ProgramModel& m) { m.SelectMode(4); }},
      {"data/Mode2_data.ini", [](ProgramModel& m) { m.SelectMode(4); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    ModelRig rig;
    for (int n = 1; n <= kModeCount; ++n) rig.writeMode(n, sampleSettings(n), patternedImage(n));
    rig.model.loadOnModeSelect = true;
    std::filesystem::remove(rig.folder.path() / c.file);
    std::filesystem::create_directories(rig.folder.path() / c.file);
    const std::string message = errorOf([&] { c.read(rig.model); });
#ifdef _WIN32
    EXPECT_TRUE(message.starts_with("Unable to read ")) << message;
    EXPECT_NE(message.find(std::filesystem::path(c.file).filename().string() + ": "),
              std::string::npos)
        << message;
#else
    EXPECT_EQ(message,
              "Unable to read " + (rig.folder.path() / c.file).string() + ": Is a directory");
#endif
  }
}

TEST(ModelModes, SelectingAModeLoadsItFromItsFiles) {
  ModelRig rig;
  for (int n = 1; n <= kModeCount; ++n)
    if (n != 4) rig.writeMode(n, sampleSettings(n), patternedImage(n));
  rig.model.loadOnModeSelect = true;

  rig.model.SelectMode(3);
  EXPECT_EQ(rig.observer.menusClosed, 1);
  EXPECT_EQ(rig.model.currentMode(), 3);
  for (int n = 1; n <= kModeCount; ++n) EXPECT_EQ(rig.model.modeSelected(n), n == 3);
  EXPECT_EQ(working(rig, 0), 3);
  EXPECT_EQ(rig.model.keyCaption(2), sampleSettings(3).keys[1]);
  // Without Mode4_data.ini mode 4 gets the bytes of mode 3, read before it.
  ModeImage expected = patternedImage(3);
  expected[0] = 4;
  EXPECT_EQ(rig.model.images.storedImage(4), expected);

  // An unsaved change is dropped by the next selection.
  rig.model.SelectMode(2);
  rig.model.reportRateClick(1);
  rig.model.SelectMode(3);
  rig.model.SelectMode(2);
  EXPECT_EQ(working(rig, 3), *sampleSettings(2).reportRate + 1);
  EXPECT_EQ(rig.model.images.storedImage(2)[3], *sampleSettings(2).reportRate + 1);
}

// Lighting saved off: no light reaches the mouse, the window keeps the
// level and frequency of the file.
TEST(ModelModes, LightingOffLoadsDark) {
  ModelRig rig;
  ModeSettings settings = sampleSettings(1);
  settings.ledSwitch = 1;
  rig.writeMode(1, settings, patternedImage(1));
  rig.model.SelectMode(1);
  rig.model.LoadCurrentMode();
  EXPECT_EQ(working(rig, 5) & 0x0F, 0);
  EXPECT_EQ(working(rig, 6), 0);
  EXPECT_EQ(rig.model.images.storedImage(1)[6], 0);
  EXPECT_TRUE(rig.model.gb5.checked(*settings.breathe + 1));
  EXPECT_TRUE(rig.model.gb9.checked(*settings.freq + 1));
  EXPECT_FALSE(rig.model.ledOptionsVisible());
}

TEST(ModelModes, ImageFileKeepsTheLowEightBits) {
  ModelRig rig;
  IniFile file;
  file.setInt("Mode1_data", "Data5", 300);
  file.setString("Mode1_data", "Data6", "x");
  file.save(rig.data("Mode1_data.ini"));
  rig.model.LoadCurrentMode();
  EXPECT_EQ(rig.model.images.storedImage(1)[5], 44);
  EXPECT_EQ(rig.model.images.storedImage(1)[6], 0);
  EXPECT_EQ(rig.model.currentMode(), 0) << "no GM.ini: no mode is current";
}

// The registry values of the pointer options, as each change writes them.
TEST(ModelPointer, WritesTheStoreAtEveryChange) {
  ModelRig rig;
  ProgramModel& m = rig.model;
  m.setSlider(Slider::spin_msespeed, 7);
  EXPECT_EQ(rig.store.take(),
            (std::vector<std::string>{
                "Control Panel\\Mouse|MouseSensitivity=14", "Control Panel\\Mouse|MouseSpeed=0",
                "Control Panel\\Mouse|MouseThreshold1=0", "Control Panel\\Mouse|MouseThreshold2=0",
                "Control Panel\\Mouse|DoubleClickSpeed=270"}));
  m.setSlider(Slider::spin_msedbspeed, 1);
  EXPECT_EQ(rig.store.take().back(), "Control Panel\\Mouse|DoubleClickSpeed=900");

  // Position 0 writes nothing for its value.
  m.setSlider(Slider::spin_msedbspeed, 0);
  EXPECT_EQ(rig.store.take().size(), 4u);
  EXPECT_EQ(m.pointerSettings.doubleClickTime, 900);

  // One screen per notch: -1 whatever the wheel, and the wheel slider off.
  m.lbl_mse2Click();
  EXPECT_EQ(rig.store.take(),
            std::vector<std::string>{"Control Panel\\Desktop|WheelScrollLines=-1"});
  EXPECT_FALSE(m.wheelSliderEnabled());
  m.setSlider(Slider::spin_msewheel, 9);
  EXPECT_EQ(rig.store.take(),
            std::vector<std::string>{"Control Panel\\Desktop|WheelScrollLines=-1"});

  // Clicking the precision option twice returns the store to its first state.
  m.lbl_mse1Click();
  const std::vector<std::string> on = rig.store.take();
  EXPECT_EQ(on[1], "Control Panel\\Mouse|MouseSpeed=1");
  EXPECT_EQ(on[2], "Control Panel\\Mouse|MouseThreshold1=6");
  EXPECT_EQ(on[3], "Control Panel\\Mouse|MouseThreshold2=10");
  m.lbl_mse1Click();
  EXPECT_EQ(rig.store.take()[1], "Control Panel\\Mouse|MouseSpeed=0");
  EXPECT_FALSE(m.mse1Flag);

  // A key that cannot be opened writes nothing and keeps the values.
  rig.store.missing = std::string(kMouseKey);
  m.setSlider(Slider::spin_msespeed, 2);
  EXPECT_EQ(m.pointerSettings.mouseSpeed, 14);

  m.applyPointerOptions();
  ASSERT_EQ(rig.system.applied.size(), 1u);
  const PointerSettings expected{14, 0, 0, 0, 900, -1};
  EXPECT_EQ(rig.system.applied[0], expected);
}

// Nothing written since start: Apply passes zeros.
TEST(ModelPointer, ApplyPassesZerosForWhatWasNeverWritten) {
  ModelRig rig;
  rig.store.missing = std::string(kMouseKey);
  rig.model.ApplyPointerSettings();
  EXPECT_EQ(rig.system.applied.at(0), PointerSettings{});
}

// A mode's stored precision differs from the language file's: the mark
// shows the flag, the store holds the mode's; the next click makes both
// the new flag.
TEST(ModelPointer, ModeSettingsSetTheCheckBoxNotTheFlag) {
  ModelRig rig;
  ModeSettings settings = sampleSettings(1);
  settings.enhance = true;
  rig.writeMode(1, settings, patternedImage(1));
  rig.model.SelectMode(1);
  rig.model.LoadCurrentMode();
  EXPECT_FALSE(rig.model.mse1Flag);
  EXPECT_TRUE(rig.model.checkBox(CheckBox::cb_msespeed));
  EXPECT_EQ(rig.model.pointerSettings.acceleration, 1);
  EXPECT_EQ(rig.model.pointerSettings.mouseSpeed, 14);
  rig.model.lbl_mse1Click();
  EXPECT_TRUE(rig.model.mse1Flag);
  EXPECT_TRUE(rig.model.checkBox(CheckBox::cb_msespeed));
}

}  // namespace
}  // namespace kestrovane::test
