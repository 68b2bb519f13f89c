#pragma once

#include <QString>
#include <functional>
#include <string>

namespace kestrovane {

// The application title ("gaming mouse driver"), UTF-8: the caption of the
// error message box.
inline constexpr char kApplicationTitle[] = "Quillmar游戏鼠驱动";

// The top-level error handler: shows an error's text in a message box with
// one OK. The text is UTF-8, or code page 936 bytes where it is not UTF-8.
void showError(const std::string& text);

// Replaces the message box (tests record the text instead); an empty
// function restores the message box.
void setErrorPresenter(std::function<void(const std::string&)> presenter);

// The text of an error as the message box shows it.
QString errorText(const std::string& text);

// Runs a handler; an error it raises is shown and the handler stops there.
// The controls run their handlers through this, so that no exception has to
// cross Qt's own code (which is not built to pass one on).
void runGuarded(const std::function<void()>& handler);

}  // namespace kestrovane
