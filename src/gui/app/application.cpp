#include "gui/app/application.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "common/messages.h"

namespace pc::gui {

void SetUpApplication(QApplication& app) {
  QApplication::setApplicationName(QString::fromLatin1(kAppTitle));
  QApplication::setApplicationDisplayName(QString::fromLatin1(kAppTitle));
  QApplication::setOrganizationName(QString::fromLatin1(kAppTitle));
  QApplication::setDesktopFileName(QStringLiteral("prijscorrectum"));
  // Everything the user sees is Dutch, Qt's own dialogs included, whatever
  // the machine's language; the core formats its numbers itself.
  QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands));
  auto* translator = new QTranslator(&app);
  if (translator->load(QLocale(QLocale::Dutch), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(translator);
}

}  // namespace pc::gui
