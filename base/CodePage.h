#pragma once

#include <string>
#include <string_view>

namespace kestrovane {

// Texts in the settings and language files are single-byte text in the
// system's ANSI code page: on Windows the code page of the system (936 on the
// target systems); elsewhere GB18030, which holds every code page 936 text
// byte for byte and any other text a user can type. The window works in
// Unicode; these two convert at that one boundary (UTF-8 on our side).
//
// Bytes that are not valid in the source encoding become U+FFFD / '?', so
// a damaged file never stops the program.
std::string codePageToUtf8(std::string_view bytes);
std::string utf8ToCodePage(std::string_view utf8);

// The encodings a language file may come in. On Windows every language file
// is read through the system's ANSI code page, whichever language it holds.
// Elsewhere there is no system code page to follow: the Traditional Chinese
// file is code page 950 (Big5), the others GB18030 (which reads code page
// 936 and ASCII byte for byte).
//
// Gbk is code page 936 on every system: the code page the built-in texts and
// the factory set are stored in, whatever the system's code page is.
enum class TextEncoding { AnsiCodePage, Big5, Gbk };
std::string codePageToUtf8(std::string_view bytes, TextEncoding encoding);
std::string utf8ToCodePage(std::string_view utf8, TextEncoding encoding);

}  // namespace kestrovane
