#include "gui/common/qt_text.h"

#include <QFile>

#include "common/cp1252.h"

namespace pc::gui {

QString ToQt(std::string_view cp1252) { return QString::fromStdString(Cp1252ToUtf8(cp1252)); }

std::string FromQt(const QString& text) { return Utf8ToCp1252(text.toStdString()); }

QString PathToQt(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

std::string PathFromQt(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace pc::gui
