#include "gui/app/qt_seams.h"

#include <QFileDialog>
#include <QStringList>

#include "gui/common/qt_text.h"

namespace pc::gui {

QString QtNameFilter(const std::string& filter) {
  const QStringList parts = ToQt(filter).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString pattern = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
    filters << (parts[i].contains(pattern) ? parts[i] : parts[i] + QStringLiteral(" (") + pattern + QLatin1Char(')'));
  }
  return filters.join(QStringLiteral(";;"));
}

std::optional<std::string> TQtFileDialogs::OpenFileName(const std::string& initialFolder,
                                                        const std::string& filter,
                                                        const std::string& title) {
  const QString path = QFileDialog::getOpenFileName(parent_, ToQt(title), PathToQt(initialFolder),
                                                    QtNameFilter(filter));
  if (path.isEmpty()) return std::nullopt;
  return PathFromQt(path);
}

std::optional<std::string> TQtFileDialogs::SaveFileName(const std::string& initialFolder,
                                                        const std::string& proposedName,
                                                        const std::string& defaultExtension,
                                                        const std::string& filter,
                                                        const std::string& title) {
  QFileDialog dialog(parent_, ToQt(title), PathToQt(initialFolder), QtNameFilter(filter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(ToQt(defaultExtension));
  dialog.selectFile(ToQt(proposedName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return PathFromQt(dialog.selectedFiles().front());
}

std::optional<std::string> TQtFileDialogs::ExistingFolder(const std::string& initialFolder,
                                                          const std::string& title) {
  const QString path = QFileDialog::getExistingDirectory(parent_, ToQt(title), PathToQt(initialFolder));
  if (path.isEmpty()) return std::nullopt;
  return PathFromQt(path);
}

}  // namespace pc::gui
