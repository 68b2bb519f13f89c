#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "base/AppPaths.h"

namespace kestrovane {

class ImageControl;

// Loads the skin picture of this name into the control if its file exists
// and decodes; otherwise the control keeps the picture it had. True when a
// picture was loaded.
bool ShowSkinImage(const AppPaths& paths, ImageControl* control, std::string_view imageName);

// One image name and the controls that show it.
struct SkinEntry {
  std::string_view imageName;
  std::vector<ImageControl*> controls;
};

// The start-up loading: walks the entries in order and loads each picture
// into all of its controls; the walk ends at the first picture that is
// missing (or cannot be decoded), so no later entry is loaded. Returns the
// number of entries loaded.
int LoadSkins(const AppPaths& paths, std::span<const SkinEntry> entries);

// A dialog's pictures, each tested and loaded on its own: a missing file
// skips only that picture and the built-in one stays.
// TForm2 and TForm6: "other" into img_macrobase; TForm5: "other" into
// img_leftkeybase.
void LoadDialogSkin(const AppPaths& paths, ImageControl* background);
// TForm3: "mode_conf_base" into img_modeconfbase, then "btn_base_1" into
// img_ok and img_cancel.
void LoadDialogSkin(const AppPaths& paths, ImageControl* img_modeconfbase, ImageControl* img_ok,
                    ImageControl* img_cancel);

}  // namespace kestrovane
