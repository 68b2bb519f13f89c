#include "program/ProgramOptions.h"

#include <gtest/gtest.h>

#include <vector>

namespace kestrovane {
namespace {

TEST(ProgramOptions, OnlyTheVirtualMouseOptionIsRead) {
  struct Case {
    std::vector<std::string> args;
    bool virtualMouse;
    std::string dir;
  };
  const Case cases[] = {
      {{}, false, ""},
      {{"--virtual-mouse"}, true, "virtual-mouse"},
      {{"--virtual-mouse=/tmp/vm"}, true, "/tmp/vm"},
      {{"--virtual-mouse="}, false, ""},
      // Anything else is not an option of this program.
      {{"--virtual-mouse-x", "virtual-mouse", "-virtual-mouse"}, false, ""},
      {{"--verbose", "--virtual-mouse=a b"}, true, "a b"},
      // The last one wins.
      {{"--virtual-mouse=first", "--virtual-mouse=second"}, true, "second"},
      {{"--virtual-mouse=first", "--virtual-mouse"}, true, "virtual-mouse"},
  };
  for (const Case& c : cases) {
    const TransportOptions options = parseProgramOptions(c.args);
    const std::string args = c.args.empty() ? "(none)" : c.args.front();
    EXPECT_EQ(options.virtualMouseDir.has_value(), c.virtualMouse) << args;
    if (c.virtualMouse) EXPECT_EQ(options.virtualMouseDir->string(), c.dir) << args;
    EXPECT_TRUE(options.platform) << args;
  }
}

}  // namespace
}  // namespace kestrovane
