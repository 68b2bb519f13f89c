#include "ui/ErrorReport.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QStringDecoder>
#include <exception>

#include "base/CodePage.h"

namespace kestrovane {

namespace {

std::function<void(const std::string&)>& presenter() {
  static std::function<void(const std::string&)> instance;
  return instance;
}

}  // namespace

QString errorText(const std::string& text) {
  const QByteArray bytes = QByteArray::fromStdString(text);
  QStringDecoder utf8(QStringDecoder::Utf8);
  const QString decoded = utf8(bytes);
  if (!utf8.hasError()) return decoded;
  // Not UTF-8: code page text out of a settings or macro file, read through
  // the core's one code page unit, as the rest of the window reads it.
  return QString::fromStdString(codePageToUtf8(text));
}

void showError(const std::string& text) {
  if (presenter()) {
    presenter()(text);
    return;
  }
  QMessageBox box(QMessageBox::Critical, QString::fromUtf8(kApplicationTitle), errorText(text),
                  QMessageBox::Ok);
  box.exec();
}

void setErrorPresenter(std::function<void(const std::string&)> replacement) {
  presenter() = std::move(replacement);
}

void runGuarded(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    showError(error.what());
  } catch (...) {
    showError("Unknown error");
  }
}

}  // namespace kestrovane
