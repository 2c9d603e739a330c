#include "gui/app/main_actions.h"

#include <iterator>

namespace pc::gui {
namespace {

const TActionSpec kActions[] = {
    {"ActNew", "&Nieuw ...", "", "Begin een nieuw project."},
    {"ActOpen", "&Openen ...", "Ctrl+O", "Open een bestaand project."},
    {"ActSave", "Op&slaan", "Ctrl+S", "Sla het huidige project op."},
    {"ActSaveAs", "Opslaan &als ...", "", "Sla het huidige project op."},
    {"ActExpIndex", "&Export indexbestand", "", "Exporteer de indextabel naar een los bestand."},
    {"ActOpt", "O&pties", "", "Wijzig de applicatieopties."},
    {"ActPrintSetup", "Paginains&telling", "", "Wijzig de printerinstellingen."},
    {"ActPreview", "Afdrukvoorbeeld", "Ctrl+P", "Geef een afdrukvoorbeeld op het scherm."},
    {"ActPrint", "Af&drukken", "", ""},
    {"ActExit", "Afsl&uiten", "", "Beëindig de applicatie."},
    {"ActCut", "K&nippen", "Ctrl+X", ""},
    {"actCopy", "&Kopiëren", "Ctrl+C", ""},
    {"actPaste", "&Plakken", "Ctrl+V", ""},
    {"actUndo", "Ongedaan maken", "Ctrl+Z", ""},
    {"actRedo", "Opnieuw", "Ctrl+R", ""},
    {"actOnlineHelp", "&On-line ondersteuning", "", "Bezoek de online help via het web."},
    {"actOnlineTip", "&Tip aandragen", "", "Geef een tip door via het web."},
    {"actUpd", "&Update", "F9", "Controleer of er een nieuwe versie is van PrijsCorrectum."},
    {"actInstIgnoreVer", "Laatste versie installeren", "", ""},
    {"actInfo", "&Info", "", "Informatie over PrijsCorrectum."},
    {"actLog", "Logboek", "", ""},
    {"actClearRecent", "&Leeg lijst", "", ""},
    {"actSendPrj", "PrijsCorrectum projectbestand", "", ""},
    {"actSendPDF", "PDF Bestand", "", ""},
    // The index menu's actions; their captions and hints belong to the index page.
    {"ActIndexAdd", "&Toevoegen ...", "", ""},
    {"ActIndexMod", "&Wijzigen ...", "", ""},
    {"ActIndexDel", "&Verwijderen", "", ""},
};

QMenu* AddMenu(QMenuBar* bar, const char* name, const char* caption) {
  QMenu* menu = bar->addMenu(QString::fromUtf8(caption));
  menu->setObjectName(QString::fromLatin1(name));
  return menu;
}

}  // namespace

const TActionSpec* MainActionSpecs(int& count) {
  count = static_cast<int>(std::size(kActions));
  return kActions;
}

QAction* FindAction(const QObject* owner, const char* name) {
  return owner->findChild<QAction*>(QString::fromLatin1(name));
}

TMainMenus CreateMainMenus(QWidget* owner, QMenuBar* bar) {
  for (const TActionSpec& spec : kActions) {
    auto* action = new QAction(QString::fromUtf8(spec.caption), owner);
    action->setObjectName(QString::fromLatin1(spec.name));
    if (*spec.shortcut) action->setShortcut(QKeySequence(QString::fromLatin1(spec.shortcut)));
    if (*spec.hint) {
      action->setStatusTip(QString::fromUtf8(spec.hint));
      action->setToolTip(QString::fromUtf8(spec.hint));
    }
    owner->addAction(action);
  }
  auto a = [owner](const char* name) { return FindAction(owner, name); };
  a("actUpd")->setEnabled(false);

  TMainMenus menus;
  menus.File = AddMenu(bar, "MnuFile", "&Bestand");
  menus.File->addAction(a("ActNew"));
  menus.File->addAction(a("ActOpen"));
  menus.File->addAction(a("ActSave"));
  menus.File->addAction(a("ActSaveAs"));
  menus.Send = menus.File->addMenu(QStringLiteral("Verzenden"));
  menus.Send->setObjectName(QStringLiteral("MnuSend"));
  menus.Send->addAction(a("actSendPrj"));
  menus.Send->addAction(a("actSendPDF"));
  menus.Recent = menus.File->addMenu(QStringLiteral("&Recent geopend"));
  menus.Recent->setObjectName(QStringLiteral("MnuRecent"));
  menus.Recent->addSeparator();
  menus.Recent->addAction(a("actClearRecent"));
  menus.File->addSeparator();
  menus.File->addAction(a("ActOpt"));
  menus.File->addSeparator();
  menus.File->addAction(a("ActPrintSetup"));
  menus.File->addAction(a("ActPreview"));
  menus.File->addAction(a("ActPrint"));
  menus.File->addSeparator();
  menus.File->addAction(a("ActExit"));

  menus.Edit = AddMenu(bar, "MnuEdit", "Be&werken");
  menus.Edit->addAction(a("actUndo"));
  menus.Edit->addAction(a("actRedo"));
  menus.Edit->addSeparator();
  menus.Edit->addAction(a("ActCut"));
  menus.Edit->addAction(a("actCopy"));
  menus.Edit->addAction(a("actPaste"));

  // Filled by the index page: its component actions and the index files.
  menus.Index = AddMenu(bar, "MnuIndex", "&Indexen");

  menus.Help = AddMenu(bar, "MnuHelp", "&Help");
  menus.Help->addAction(a("actOnlineHelp"));
  menus.Help->addAction(a("actOnlineTip"));
  menus.Help->addAction(a("actUpd"));
  menus.Help->addAction(a("actInstIgnoreVer"));
  menus.Help->addAction(a("actInfo"));
  menus.Help->addAction(a("actLog"));
  return menus;
}

}  // namespace pc::gui
