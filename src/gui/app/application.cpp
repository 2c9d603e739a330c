#include "gui/app/application.h"

#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "common/messages.h"
#include "gui/app/info_form.h"

namespace pc::gui {

void SetUpApplication(QApplication& app) {
  QApplication::setApplicationName(QString::fromLatin1(kAppTitle));
  QApplication::setApplicationDisplayName(QString::fromLatin1(kAppTitle));
  QApplication::setOrganizationName(QString::fromLatin1(kAppTitle));
  QApplication::setDesktopFileName(QStringLiteral("prijscorrectum"));
  QIcon icon;
  for (int size : {16, 32, 48, 64, 128}) icon.addPixmap(ProgramPicture(size));
  QApplication::setWindowIcon(icon);
  // Everything the user sees is Dutch, Qt's own dialogs included, whatever
  // the machine's language; the core formats its numbers itself.
  QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands));
  auto* translator = new QTranslator(&app);
  if (translator->load(QLocale(QLocale::Dutch), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(translator);
}

}  // namespace pc::gui
