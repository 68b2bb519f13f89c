#include "base/AppPaths.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace kestrovane {
namespace {

std::string sep(std::string_view path) {
  std::string out(path);
  for (char& c : out)
    if (c == '|') c = kPathSeparator;
  return out;
}

TEST(AppPaths, FoldersHangOffTheWorkingDirectoryWithOneSeparator) {
  struct Case {
    const char* workDir;
    const char* skins;
  };
  // '|' stands for this platform's separator.
  const Case cases[] = {
      {"|home|user|mouse", "|home|user|mouse|skins"},
      {"|home|user|mouse|", "|home|user|mouse|skins"},
      {"|", "|skins"},
  };
  for (const Case& c : cases) {
    AppPaths paths;
    fillWorkPaths(paths, sep(c.workDir));
    EXPECT_EQ(paths.skinsDir, sep(c.skins)) << c.workDir;
  }
}

TEST(AppPaths, WorkPathsNameTheFolderOfEachKindOfFile) {
  AppPaths paths;
  fillWorkPaths(paths, sep("|opt|Kestrovane"));
  EXPECT_EQ(paths.workDir, sep("|opt|Kestrovane"));
  EXPECT_EQ(paths.configureDir, sep("|opt|Kestrovane|configure"));
  EXPECT_EQ(paths.dataDir, sep("|opt|Kestrovane|data"));
  EXPECT_EQ(paths.languageDir, sep("|opt|Kestrovane|Language"));
  EXPECT_EQ(paths.skinExt, "png");
  EXPECT_TRUE(paths.programDir.empty());
}

TEST(AppPaths, MacroFolderHangsOffTheProgramFolderWithTrailingSeparators) {
  AppPaths paths;
  fillWorkPaths(paths, sep("|elsewhere"));
  fillProgramPaths(paths, sep("|opt|Kestrovane"));
  EXPECT_EQ(paths.programDir, sep("|opt|Kestrovane|"));
  EXPECT_EQ(paths.macroDir, sep("|opt|Kestrovane|Macro|"));
  // The working directory does not move the macros.
  EXPECT_EQ(paths.skinsDir, sep("|elsewhere|skins"));

  fillProgramPaths(paths, sep("|opt|Kestrovane|"));
  EXPECT_EQ(paths.macroDir, sep("|opt|Kestrovane|Macro|"));
}

// The launcher names the user's folder; only an absolute path is taken.
TEST(AppPaths, TheProgramFolderFromTheLauncherIsAnAbsolutePath) {
#ifdef _WIN32
  const char* absolute = "C:\\Users\\u\\KestrovaneDriver";
#else
  const char* absolute = "/home/u/.local/share/KestrovaneDriver";
#endif
  for (const auto& [value, expected] :
       {std::pair<const char*, std::optional<std::string>>{absolute, absolute},
        {"relative/KestrovaneDriver", std::nullopt},
        {"", std::nullopt},
        {nullptr, std::nullopt}}) {
#ifdef _WIN32
    _putenv(("KESTROVANE_PROGRAM_FOLDER=" + std::string(value ? value : "")).c_str());
#else
    if (value)
      setenv("KESTROVANE_PROGRAM_FOLDER", value, 1);
    else
      unsetenv("KESTROVANE_PROGRAM_FOLDER");
#endif
    EXPECT_EQ(programFolderFromEnvironment(), expected) << (value ? value : "(unset)");
  }
}

TEST(AppPaths, SkinFileIsNameAndExtensionInTheSkinsFolder) {
  AppPaths paths;
  fillWorkPaths(paths, sep("|w"));
  EXPECT_EQ(skinFilePath(paths, "basemap"), sep("|w|skins|basemap.png"));
  EXPECT_EQ(skinFilePath(paths, "10Keys"), sep("|w|skins|10Keys.png"));
}

#ifdef _WIN32
TEST(AppPaths, DriveRootAndForwardSlashesNeedNoSecondSeparator) {
  AppPaths paths;
  fillWorkPaths(paths, "C:\\");
  EXPECT_EQ(paths.skinsDir, "C:\\skins");
  fillWorkPaths(paths, "C:/Games/");
  EXPECT_EQ(paths.dataDir, "C:/Games/data");
}
#endif

}  // namespace
}  // namespace kestrovane
