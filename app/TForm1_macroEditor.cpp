// TForm1: the macro page as a view of the model's macro editor. The lists
// show the editor's name list and script, the commands forward to its
// operations; each command shows its pressed picture while it works and for
// 200 ms after.

#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QStyledItemDelegate>

#include "app/TForm1_detail.h"
#include "app/main.h"
#include "ui/ErrorReport.h"
#include "ui/ImageControl.h"
#include "ui/LabelControl.h"
#include "ui/MacroName.h"

namespace kestrovane {

namespace {

constexpr Clock::Duration kPressedTime{200};
constexpr Clock::Duration kOpenPause{10};

// One row of the script: its icon (0 delay, 1 press, 2 release) stretched
// into a square 2 px in from the row's corner, its text 25 px in.
class MacroRowDelegate final : public QStyledItemDelegate {
 public:
  MacroRowDelegate(const MacroEditor& editor, QObject* parent)
      : QStyledItemDelegate(parent),
        m_editor(editor),
        m_icons{QPixmap(QStringLiteral(":/builtin/row_delay.png")),
                QPixmap(QStringLiteral(":/builtin/row_press.png")),
                QPixmap(QStringLiteral(":/builtin/row_release.png"))} {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    // Rows are painted from the script's second event on.
    if (!m_editor.paintsRows()) return;
    const bool selected = option.state & QStyle::State_Selected;
    painter->fillRect(option.rect, selected ? option.palette.highlight() : QBrush(Qt::black));
    const int row = index.row();
    if (const std::optional<int> icon = m_editor.rowIcon(row); icon && *icon < 3) {
      const int side = option.rect.height() - 2;
      painter->drawPixmap(QRect(option.rect.topLeft() + QPoint(2, 2), QSize(side, side)),
                          m_icons[static_cast<std::size_t>(*icon)]);
    }
    if (const std::optional<std::string> text = m_editor.rowText(row)) {
      painter->setPen(selected ? option.palette.highlightedText().color() : QColor(255, 255, 0));
      painter->setFont(option.font);
      painter->drawText(option.rect.adjusted(25, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                        QString::fromStdString(codePageToUtf8(*text)));
    }
  }

 private:
  const MacroEditor& m_editor;
  std::array<QPixmap, 3> m_icons;
};

QString fromCodePage(const std::string& bytes) {
  return QString::fromStdString(codePageToUtf8(bytes));
}

}  // namespace

void TForm1::bindMacroPage() {
  macro_content->setItemDelegate(new MacroRowDelegate(m_model.macroEditor, macro_content));
  connect(macro_list, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    const int row = macro_list->row(item);
    runGuarded([this, row] { m_model.editMacros([row](MacroEditor& e) { e.OpenMacro(row); }); });
    m_clock.processEvents();
    m_clock.pause(kOpenPause);
  });
  connect(macro_content, &QListWidget::currentRowChanged, this,
          [this](int row) { m_model.macroEditor.selectRow(row); });
  connect(Edt_ModifyTime, &QLineEdit::textEdited, this, [this](const QString& typed) {
    const QString kept = QString::fromStdString(MacroEditor::delayBoxText(typed.toStdString()));
    if (kept != typed) Edt_ModifyTime->setText(kept);
  });

  struct Command {
    LabelControl* label;
    ImageControl* image;
    std::string_view picture;  // the stem of its three state pictures
    std::function<void()> work;
  };
  const auto edit = [this](auto operation) {
    return [this, operation] { m_model.editMacros(operation); };
  };
  const std::vector<Command> commands{
      {lbl_load, img_load, "macro_btn1", [this] { lbl_loadClick(); }},
      {lbl_new, img_new, "macro_btn1", [this] { lbl_newClick(); }},
      {lbl_save, img_save, "macro_btn1", [this] { m_commands.CompileMacros(); }},
      {lbl_delete, img_delete, "macro_btn1", edit([](MacroEditor& e) { e.DeleteMacro(); })},
      {lbl_cancle, img_cancel, "macro_btn1", [] {}},
      {lbl_REC, img_REC, "macro_btn2", [this] { m_commands.RecordClick(); }},
      {lbl_MseLeft, img_MseLeft, "macro_btn3",
       edit([](MacroEditor& e) { e.InsertMouseClick(kLeftKeyLine); })},
      {lbl_MseRight, img_MseRight, "macro_btn3",
       edit([](MacroEditor& e) { e.InsertMouseClick(kRightKeyLine); })},
      {lbl_MseMid, img_MseMid, "macro_btn3",
       edit([](MacroEditor& e) { e.InsertMouseClick(kMidKeyLine); })},
      {lbl_delkey, img_delkey, "macro_btn3", edit([](MacroEditor& e) { e.DeleteKey(); })},
      {lbl_Time, img_Time, "macro_btn3",
       [this] {
         const std::string box = Edt_ModifyTime->text().toStdString();
         m_model.editMacros([&box](MacroEditor& e) { e.SetDelay(box); });
       }},
  };
  for (const Command& command : commands) {
    const std::string stem(command.picture);
    ImageControl* image = command.image;
    connect(command.label, &LabelControl::mouseEntered, this,
            [this, image, stem] { ShowSkinImage(image, stem + "_2"); });
    connect(command.label, &LabelControl::mouseLeft, this,
            [this, image, stem] { ShowSkinImage(image, stem + "_1"); });
    connect(command.label, &LabelControl::clicked, this, [this, image, stem, work = command.work] {
      ShowSkinImage(image, stem + "_3");
      runGuarded(work);
      m_clock.pause(kPressedTime);
      ShowSkinImage(image, stem + "_1");
    });
  }
}

void TForm1::lbl_loadClick() {
  const QString path = m_chooseMacroFile
                           ? m_chooseMacroFile()
                           : QFileDialog::getOpenFileName(this, QString(), QString(),
                                                          QStringLiteral("LoadFile(*.spm)"));
  if (path.isEmpty()) return;
  const std::string file = QFile::encodeName(path).toStdString();
  m_model.editMacros([&file](MacroEditor& e) { e.Import(file); });
}

void TForm1::lbl_newClick() {
  const std::optional<std::string> name = askNewMacroName();
  if (!name) return;
  m_model.editMacros([&name](MacroEditor& e) { e.AddNewMacro(*name); });
}

std::optional<std::string> TForm1::askNewMacroName() {
  if (!m_newMacroName) return TForm6::askName(this, m_paths, m_model.macroEditor.names());
  const std::optional<QString> name = m_newMacroName();
  if (!name) return std::nullopt;
  return utf8ToCodePage(name->toStdString());
}

void TForm1::setMacroFileChooser(std::function<QString()> chooser) {
  m_chooseMacroFile = std::move(chooser);
}

void TForm1::setNewMacroPresenter(std::function<std::optional<QString>()> presenter) {
  m_newMacroName = std::move(presenter);
}

// The page shows the editor: the numbered rows of the name list, the script's
// rows, both selections, and "新建" by the ten-macro rule.
void TForm1::reflectMacroPage() {
  const MacroEditor& e = m_model.macroEditor;
  const std::vector<std::string> rows = e.macroListRows();
  bool same = macro_list->count() == static_cast<int>(rows.size());
  for (int i = 0; same && i < macro_list->count(); ++i)
    same = macro_list->item(i)->text() == fromCodePage(rows[static_cast<std::size_t>(i)]);
  if (!same) {
    macro_list->clear();
    for (const std::string& row : rows) macro_list->addItem(fromCodePage(row));
  }
  macro_list->setCurrentRow(e.selectedMacro());
  macroCount = macro_list->count();
  lbl_new->setEnabled(e.newMacroEnabled());

  const QSignalBlocker quiet(macro_content);
  while (macro_content->count() > e.contentRows()) delete macro_content->takeItem(0);
  while (macro_content->count() < e.contentRows()) macro_content->addItem(QString());
  macro_content->setCurrentRow(e.selectedRow());
  macro_content->viewport()->update();
}

}  // namespace kestrovane
