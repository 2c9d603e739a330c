#include "gui/indextable/index_menu.h"

#include <QDir>
#include <algorithm>

#include "gui/app/main_window.h"
#include "gui/common/qt_text.h"
#include "gui/indextable/index_page.h"
#include "gui/project/index_export_dialog.h"
#include "gui/update/online_index_info_form.h"
#include "settings/kv_config.h"

namespace pc::gui {
namespace {

const QString kDefaultCaptionSuffix = QStringLiteral(" (standaard indextabelbestand)");

// The central index files as the submenu lists them: caption and file name.
struct TCentralFile {
  QString Caption;
  QString FileName;
  bool IsDefault = false;
};

std::vector<TCentralFile> CentralIndexFiles(const QString& folder) {
  std::vector<TCentralFile> files;
  const QStringList names = QDir(folder).entryList({QStringLiteral("*.kvi")}, QDir::Files, QDir::Name);
  for (const QString& name : names) {
    if (!name.endsWith(QStringLiteral(".kvi"), Qt::CaseInsensitive)) continue;
    TCentralFile f;
    f.FileName = name;
    f.IsDefault = name == QString::fromLatin1(settings::kDefaultIndexFileName.data(),
                                              static_cast<qsizetype>(settings::kDefaultIndexFileName.size()));
    f.Caption = name.left(name.size() - 4);
    if (f.IsDefault) f.Caption += kDefaultCaptionSuffix;
    files.push_back(f);
  }
  std::sort(files.begin(), files.end(),
            [](const TCentralFile& a, const TCentralFile& b) { return a.Caption < b.Caption; });
  return files;
}

void FillCentralMenu(TFrmMain& window, TIndexPage& page, QMenu& menu) {
  menu.clear();
  const project::TProjectData& doc = window.History().Current();
  const std::string central = doc.CentralFolder();
  std::string marked;
  const std::size_t slash = doc.IndexPath.find_last_of('/');
  if (slash != std::string::npos && doc.IndexPath.substr(0, slash + 1) == central)
    marked = doc.IndexPath.substr(slash + 1);
  for (const TCentralFile& f : CentralIndexFiles(PathToQt(central))) {
    QString caption = f.Caption;
    QAction* item = menu.addAction(caption.replace(QLatin1Char('&'), QStringLiteral("&&")));
    item->setCheckable(true);
    item->setChecked(PathFromQt(f.FileName) == marked);
    item->setEnabled(!window.PreviewMode() && window.Action("ActOpen")->isEnabled());
    item->setData(f.IsDefault);
    const std::string fileName = PathFromQt(f.FileName);
    QObject::connect(item, &QAction::triggered, &page, [&page, fileName] { page.SwitchCentralIndexFile(fileName); });
  }
}

void FillOnlineMenu(TFrmMain& window, TIndexPage& page, QMenu& menu) {
  menu.clear();
  for (const settings::KVAvailOnlineIndexRec& entry : window.Settings().AvailOnlineIndices()) {
    const QString name = ToQt(entry.FileName);
    QString caption = name.left(std::max<qsizetype>(0, name.size() - 4));
    QAction* item = menu.addAction(caption.replace(QLatin1Char('&'), QStringLiteral("&&")));
    QObject::connect(item, &QAction::triggered, &page, [&page, name] { Q_EMIT page.onlineIndexChosen(name); });
  }
}

}  // namespace

void InstallIndexMenu(TFrmMain& window) {
  auto* page = static_cast<TIndexPage*>(window.Page(TPageId::TSIndex));
  QMenu* menu = window.Menus().Index;
  QAction* add = window.Action("ActIndexAdd");
  QAction* mod = window.Action("ActIndexMod");
  QAction* del = window.Action("ActIndexDel");
  add->setText(QStringLiteral("&Toevoegen..."));
  add->setStatusTip(QStringLiteral("Voeg een bestanddeel aan de indextabel toe."));
  mod->setText(QStringLiteral("&Wijzigen "));
  mod->setStatusTip(QStringLiteral("Wijzig het geselecteerde bestanddeel."));
  del->setText(QStringLiteral("&Verwijderen "));
  del->setStatusTip(QStringLiteral("Verwijder het geselecteerde bestanddeel uit de indextabel."));
  menu->addAction(add);
  menu->addAction(mod);
  menu->addAction(del);
  menu->addSeparator();
  QMenu* local = menu->addMenu(QStringLiteral("&Centrale indexbestanden"));
  local->setObjectName(QStringLiteral("MnuIndexLocal"));
  QMenu* online = menu->addMenu(QStringLiteral("&Beschikbaar online"));
  online->setObjectName(QStringLiteral("MnuIndexOnline"));
  menu->addSeparator();
  menu->addAction(window.Action("ActExpIndex"));

  // An index table offered online: its information window.
  QObject::connect(page, &TIndexPage::onlineIndexChosen, &window, [&window](const QString& fileName) {
    for (const settings::KVAvailOnlineIndexRec& entry : window.Settings().AvailOnlineIndices()) {
      if (ToQt(entry.FileName) == fileName) {
        ShowOnlineIndexInfo(window, entry, &window);
        return;
      }
    }
  });
  QObject::connect(add, &QAction::triggered, page, [page] { page->EditComponent(false); });
  QObject::connect(mod, &QAction::triggered, page, [page] { page->EditComponent(true); });
  QObject::connect(del, &QAction::triggered, page, [page] { page->DeleteSelectedComponent(); });
  QObject::connect(menu, &QMenu::aboutToShow, page, [&window, page, mod, del] {
    const int position = page->CurrentPosition();
    const bool shown = position != 0 && page->ButtonsShown();
    mod->setVisible(shown);
    del->setVisible(shown);
    if (!shown) return;
    const QString name = ToQt(window.History().Current().IndexTable->GetComponentName(position));
    QString escaped = name;
    escaped.replace(QLatin1Char('&'), QStringLiteral("&&"));
    mod->setText(QStringLiteral("&Wijzigen ") + escaped);
    del->setText(QStringLiteral("&Verwijderen ") + escaped);
    const std::uint8_t kind = window.History().Current().IndexTable->TableKind();
    mod->setEnabled(!window.PreviewMode());
    del->setEnabled(!window.PreviewMode() && kind == table_kind::kEditable);
  });
  QObject::connect(local, &QMenu::aboutToShow, page, [&window, page, local] { FillCentralMenu(window, *page, *local); });
  QObject::connect(online, &QMenu::aboutToShow, page, [&window, page, online] { FillOnlineMenu(window, *page, *online); });

  page->SetClipboardActions(window.Action("ActCut"), window.Action("actCopy"), window.Action("actPaste"));
  page->SetCellEditMenus([&window](bool editing) {
    for (QMenu* m : {window.Menus().File, window.Menus().Help}) m->menuAction()->setEnabled(!editing);
  });
  window.SetIndexExportDialog([&window](std::string& path, int& kind, std::optional<project::TPicture>& picture) {
    return RunIndexExportDialog(window, path, kind, picture);
  });
}

}  // namespace pc::gui
