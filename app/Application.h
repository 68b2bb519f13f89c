#pragma once

#include <QApplication>
#include <functional>
#include <string>

namespace kestrovane {

// The top-level error handler: shows an error's text in a message box with
// one OK. The text is UTF-8, or code page 936 bytes where it is not UTF-8.
void showError(const std::string& text);

// Replaces the message box (tests record the text instead); an empty
// function restores the message box.
void setErrorPresenter(std::function<void(const std::string&)> presenter);

// The application object. An error that escapes an event handler
// (kestrovane::Error or any other exception) is shown by showError, and the
// handler that raised it stops there; the program goes on.
class Application : public QApplication {
 public:
  Application(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace kestrovane
