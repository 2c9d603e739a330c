// Wires the report commands into the main window: printer set-up, preview,
// print and sending a PDF, the preview hosted in the window's client area,
// and the enabled state of the print actions.
#pragma once

#include <QObject>
#include <QPointer>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/reports/report_module.h"

class QPrinter;

namespace pc::gui {

class TFrmMain;
class TFrmePrintPreview;
class TPrintBD;

void InstallReportCommands(TFrmMain& window);

class TReportCommands : public QObject {
  Q_OBJECT
 public:
  explicit TReportCommands(TFrmMain& window);
  ~TReportCommands() override;

  // The modal dialogs, replaceable for tests: each returns whether the user
  // confirmed.
  using TPrinterDialog = std::function<bool(QPrinter&)>;
  using TComponentDialog = std::function<bool(TPrintBD&)>;
  void SetPrintDialog(TPrinterDialog dialog) { printDialog_ = std::move(dialog); }
  void SetPageSetupDialog(TPrinterDialog dialog) { pageSetupDialog_ = std::move(dialog); }
  void SetComponentDialog(TComponentDialog dialog) { componentDialog_ = std::move(dialog); }

  // Where the private folders for mailed PDFs are made; empty: the system's
  // temporary folder.
  void SetMailFolderRoot(const QString& root) { mailFolderRoot_ = root; }

  TReportModule& Module() { return module_; }
  // The preview while one is hosted, else null.
  TFrmePrintPreview* Preview() const;
  // The folder of the last PDF sent by e-mail (a private temporary folder).
  QString LastMailFolder() const;

  void UpdatePrintActions();
  void PrinterSetup();
  void PreviewReport();
  void PrintReport();
  void SendPdf();
  void ShowPreview(bool isIndexReport);
  void ClosePreview();
  // The preview's PDF button: a save dialog with the proposed name, then the PDF.
  void SavePreviewPdf();
  // The preview's print button: the print dialog, then the printer.
  void PrintPreviewed();

 private:
  // Feeds the report of the active page; false when it produced nothing.
  bool FeedActivePage(bool& isIndexReport);
  bool FeedIndexReport();
  bool FeedInstallmentReport();
  bool AnyComponentToPrint() const;
  void PrintFed();
  std::string IndexFileName() const;

  TFrmMain& window_;
  TReportModule module_;
  QPointer<TFrmePrintPreview> preview_;
  // Every folder of a mailed PDF, kept until the program ends: the mail
  // program may read an attachment long after it was handed over.
  std::vector<std::unique_ptr<QTemporaryDir>> mailFolders_;
  QString mailFolderRoot_;
  TPrinterDialog printDialog_;
  TPrinterDialog pageSetupDialog_;
  TComponentDialog componentDialog_;
};

}  // namespace pc::gui
