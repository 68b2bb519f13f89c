#include "ui/MacroName.h"

#include <QLineEdit>
#include <QPalette>

#include "base/CodePage.h"
#include "config/Language.h"
#include "macro/MacroName.h"
#include "ui/ErrorReport.h"
#include "ui/ImageControl.h"
#include "ui/LabelControl.h"
#include "ui/SkinImages.h"
#include "ui/Style.h"

namespace kestrovane {

namespace {

// The dialog's own Simplified Chinese messages. Its English duplicate text
// and its Traditional Chinese texts (a broken "No " in the original) come
// from our language files instead.
constexpr std::string_view kNameEmptyChs = "文件名不能为空";
constexpr std::string_view kNameEmptyEnu = "Macro Name Empty";
constexpr std::string_view kNameExistsChs = "该文件名已存在";

std::string problemText(NewMacroName problem, Language language, const AppPaths& paths) {
  switch (problem) {
    case NewMacroName::Empty:
      if (language == Language::CHS) return std::string(kNameEmptyChs);
      if (language == Language::ENU) return std::string(kNameEmptyEnu);
      return messageText(message::kMacroNameEmpty, language, paths);
    case NewMacroName::Exists:
      if (language == Language::CHS) return std::string(kNameExistsChs);
      return messageText(message::kMacroNameExists, language, paths);
    case NewMacroName::Refused:
      return messageText(message::kMacroNameRefused, language, paths);
    case NewMacroName::Accepted:
      break;
  }
  return {};
}

}  // namespace

TForm6::TForm6(const AppPaths& paths, std::vector<std::string> names, QWidget* parent)
    : DialogFrame(kForm6Design, paths, parent), m_names(std::move(names)), m_paths(paths) {
  // Not dragged: the background only shows the picture.
  img_macrobase = new ImageControl(this, ImageControl::Placement::AutoSize);
  img_macrobase->setObjectName(QStringLiteral("img_macrobase"));
  img_macrobase->setGeometry(2, 2, 293, 154);
  img_macrobase->setPicture(builtInDialogPicture(QStringLiteral("other")));

  lbl_title = addLabel("lbl_title", {6, 30, 276, 28}, 19);

  edt_macro = new QLineEdit(this);
  edt_macro->setObjectName(QStringLiteral("edt_macro"));
  edt_macro->setGeometry(48, 68, 196, 26);
  edt_macro->setFont(arialFont(15));
  edt_macro->setAlignment(Qt::AlignCenter);
  connect(edt_macro, &QLineEdit::returnPressed, this, &TForm6::lbl_okClick);

  lbl_ok = addLabel("lbl_ok", {40, 110, 80, 25}, 16);
  lbl_cancel = addLabel("lbl_cancel", {172, 110, 80, 25}, 16);
  connect(lbl_ok, &LabelControl::clicked, this, &TForm6::lbl_okClick);
  connect(lbl_cancel, &LabelControl::clicked, this, &TForm6::lbl_cancelClick);

  FormCreate([this](const AppPaths& skin) { LoadDialogSkin(skin, img_macrobase); });
  edt_macro->setFocus();
}

void TForm6::lbl_okClick() {
  const std::string name = utf8ToCodePage(edt_macro->text().toStdString());
  const NewMacroName problem = checkNewMacroName(m_names, name);
  if (problem != NewMacroName::Accepted) {
    showError(problemText(problem, language(), m_paths));
    return;
  }
  m_name = name;
  accept();
}

void TForm6::lbl_cancelClick() {
  reject();
}

std::optional<std::string> TForm6::askName(QWidget* parent, const AppPaths& paths,
                                           std::vector<std::string> names) {
  TForm6 dialog(paths, std::move(names), parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.name();
}

}  // namespace kestrovane
