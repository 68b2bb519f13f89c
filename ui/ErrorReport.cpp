#include "ui/ErrorReport.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QStringDecoder>
#include <exception>

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
  QStringDecoder gbk("GBK");
  return gbk.isValid() ? QString(gbk(bytes)) : QString::fromLatin1(bytes);
}

void showError(const std::string& text) {
  if (presenter()) {
    presenter()(text);
    return;
  }
  QMessageBox box(QMessageBox::Critical, QCoreApplication::applicationName(), errorText(text),
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
