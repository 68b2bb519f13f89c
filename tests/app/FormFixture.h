#pragma once

#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "app/main.h"
#include "tests/app/TestClock.h"
#include "tests/ui/SkinFolder.h"

namespace kestrovane::test {

// A main window over a temporary working directory (with its skin folder)
// and a temporary program folder, on a clock that never waits.
struct FormFixture {
  FormFixture() {
    form = std::make_unique<TForm1>(clock);
    form->seams().currentDirectory = [this] {
      return QFile::encodeName(skins.workDir()).toStdString();
    };
    form->seams().executableDirectory = [this] {
      return QFile::encodeName(programDir.path()).toStdString();
    };
  }

  TForm1& create() {
    form->FormCreate();
    return *form;
  }

  TestClock clock;
  SkinFolder skins;
  QTemporaryDir programDir;
  std::unique_ptr<TForm1> form;
};

}  // namespace kestrovane::test
