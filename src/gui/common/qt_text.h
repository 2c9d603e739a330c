// Where texts cross from the core to Qt and back. Document texts are
// Windows-1252 inside the program and UTF-8 only in widgets; file paths are
// bytes and are decoded the way the file system names them.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace pc::gui {

// A Windows-1252 text of the core for a widget.
QString ToQt(std::string_view cp1252);
// A widget's text for the core; characters outside Windows-1252 become "?".
std::string FromQt(const QString& text);

// A file path of the core (bytes) for a widget, and back.
QString PathToQt(const std::string& path);
std::string PathFromQt(const QString& path);

}  // namespace pc::gui
