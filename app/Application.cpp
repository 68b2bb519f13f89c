#include "app/Application.h"

#include <QMessageBox>
#include <QStringDecoder>
#include <exception>

#include "app/main.h"

namespace kestrovane {

namespace {

std::function<void(const std::string&)>& presenter() {
  static std::function<void(const std::string&)> instance;
  return instance;
}

QString decodeMessage(const std::string& text) {
  const QByteArray bytes = QByteArray::fromStdString(text);
  QStringDecoder utf8(QStringDecoder::Utf8);
  QString decoded = utf8(bytes);
  if (!utf8.hasError()) return decoded;
  QStringDecoder gbk("GBK");
  return gbk.isValid() ? QString(gbk(bytes)) : QString::fromLatin1(bytes);
}

}  // namespace

void showError(const std::string& text) {
  if (presenter()) {
    presenter()(text);
    return;
  }
  QMessageBox box(QMessageBox::Critical, QString::fromUtf8(kApplicationTitle), decodeMessage(text),
                  QMessageBox::Ok);
  box.exec();
}

void setErrorPresenter(std::function<void(const std::string&)> replacement) {
  presenter() = std::move(replacement);
}

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    showError(error.what());
  } catch (...) {
    showError("Unknown error");
  }
  return false;
}

}  // namespace kestrovane
