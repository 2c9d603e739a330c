#include "gui/reports/report_commands.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QStackedWidget>
#include <QStatusBar>

#include "common/date_text.h"
#include "common/text_routines.h"
#include "gui/app/main_window.h"
#include "gui/common/qt_text.h"
#include "gui/common/send_mail.h"
#include "gui/reports/print_bd_dialog.h"
#include "gui/reports/print_preview_frame.h"
#include "project/file_result.h"
#include "project/index_location.h"
#include "reports/report_feeds.h"

namespace pc::gui {
namespace {

const char kPdfFilter[] = "PDF Documenten (*.pdf)|*.pdf";

std::string WithPdfExtension(std::string path) {
  const auto dot = path.find_last_of('.');
  const auto slash = path.find_last_of('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) path += ".pdf";
  return path;
}

bool FileExists(const std::string& path) { return QFileInfo::exists(PathToQt(path)); }

}  // namespace

void InstallReportCommands(TFrmMain& window) { new TReportCommands(window); }

TReportCommands::TReportCommands(TFrmMain& window) : QObject(&window), window_(window) {
  setObjectName(QStringLiteral("ReportCommands"));
  printDialog_ = [this](QPrinter& printer) {
    QPrintDialog dialog(&printer, &window_);
    return dialog.exec() == QDialog::Accepted;
  };
  pageSetupDialog_ = [this](QPrinter& printer) {
    QPageSetupDialog dialog(&printer, &window_);
    return dialog.exec() == QDialog::Accepted;
  };
  componentDialog_ = [](TPrintBD& dialog) { return dialog.exec() == QDialog::Accepted; };

  connect(window.Action("ActPrintSetup"), &QAction::triggered, this, [this] { PrinterSetup(); });
  connect(window.Action("ActPreview"), &QAction::triggered, this, [this] { PreviewReport(); });
  connect(window.Action("ActPrint"), &QAction::triggered, this, [this] { PrintReport(); });
  connect(window.Action("actSendPDF"), &QAction::triggered, this, [this] { SendPdf(); });
  connect(&window, &TFrmMain::windowStateUpdated, this, [this] { UpdatePrintActions(); });
  if (window.Menus().File) connect(window.Menus().File, &QMenu::aboutToShow, this, [this] { UpdatePrintActions(); });
}

// The preview draws on the module's printer: it must not outlive it.
TReportCommands::~TReportCommands() { delete preview_.data(); }

TFrmePrintPreview* TReportCommands::Preview() const { return preview_.data(); }

QString TReportCommands::LastMailFolder() const {
  return mailFolders_.empty() ? QString() : mailFolders_.back()->path();
}

bool TReportCommands::AnyComponentToPrint() const {
  const project::TProjectData& doc = window_.History().Current();
  if (!doc.IndexTable || !doc.Installments || doc.Installments->Count() == 0) return false;
  for (const reports::TComponentChoice& choice : reports::ReportComponentChoices(*doc.IndexTable))
    if (choice.Enabled) return true;
  return false;
}

void TReportCommands::UpdatePrintActions() {
  if (window_.PreviewMode()) return;
  const project::TProjectData& doc = window_.History().Current();
  if (!doc.IndexTable) return;
  const bool hasComponents = doc.IndexTable->Count() > 0;
  window_.Action("ActExpIndex")->setEnabled(hasComponents);
  const bool printable = window_.ActivePage() == TPageId::TSIndex ? hasComponents : AnyComponentToPrint();
  window_.Action("ActPrint")->setEnabled(printable);
  window_.Action("ActPreview")->setEnabled(printable);
}

std::string TReportCommands::IndexFileName() const {
  const project::TProjectData& doc = window_.History().Current();
  return doc.IndexFileName.empty() ? project::FileNameOf(doc.IndexPath) : doc.IndexFileName;
}

bool TReportCommands::FeedIndexReport() {
  const project::TProjectData& doc = window_.History().Current();
  if (!doc.IndexTable || doc.IndexTable->Count() == 0) return false;
  module_.SetIndexReport(reports::FeedIndexReport(reports::ReportHeaderOf(doc), *doc.IndexTable));
  module_.SetWatermark(doc.Concept);
  return true;
}

bool TReportCommands::FeedInstallmentReport() {
  if (!AnyComponentToPrint()) return false;
  const project::TProjectData& doc = window_.History().Current();
  TPrintBD dialog(&window_);
  const int current = doc.Installments->CurrentComponent();
  dialog.SetChoices(reports::ReportComponentChoices(*doc.IndexTable), current > 0 ? current - 1 : 0);
  if (!componentDialog_(dialog)) return false;
  window_.statusBar()->showMessage(QStringLiteral("Bezig met rekenen; een moment geduld.."));
  auto data = reports::FeedInstallmentReport(doc, dialog.CheckedPositions(), dialog.WithOverview());
  window_.statusBar()->clearMessage();
  if (data.Sections.empty()) return false;
  module_.SetInstallmentReport(std::move(data));
  module_.SetWatermark(doc.Concept);
  return true;
}

bool TReportCommands::FeedActivePage(bool& isIndexReport) {
  isIndexReport = window_.ActivePage() == TPageId::TSIndex;
  return isIndexReport ? FeedIndexReport() : FeedInstallmentReport();
}

void TReportCommands::PrinterSetup() {
  if (!pageSetupDialog_(module_.Printer())) return;
  if (preview_) preview_->Refresh();
}

void TReportCommands::PreviewReport() {
  if (preview_) return;
  bool isIndex = true;
  if (FeedActivePage(isIndex)) ShowPreview(isIndex);
}

void TReportCommands::PrintReport() {
  if (preview_) {  // what the preview shows
    PrintPreviewed();
    return;
  }
  bool isIndex = true;
  if (FeedActivePage(isIndex)) PrintFed();
}

void TReportCommands::PrintPreviewed() { PrintFed(); }

void TReportCommands::PrintFed() {
  if (!printDialog_(module_.Printer())) return;
  if (!module_.Print(module_.Printer()))
    window_.Messages().ShowMessage("Het rapport kon niet worden afgedrukt.");
}

void TReportCommands::ShowPreview(bool isIndexReport) {
  if (preview_) ClosePreview();
  auto* frame = new TFrmePrintPreview(module_, window_.ClientStack());
  preview_ = frame;
  connect(frame, &TFrmePrintPreview::closeRequested, this, [this] { ClosePreview(); });
  connect(frame, &TFrmePrintPreview::printRequested, this, [this] { PrintPreviewed(); });
  connect(frame, &TFrmePrintPreview::pdfRequested, this, [this] { SavePreviewPdf(); });
  connect(frame, &TFrmePrintPreview::printerSetupRequested, this, [this] { PrinterSetup(); });
  window_.ClientStack()->addWidget(frame);
  window_.ClientStack()->setCurrentWidget(frame);
  window_.SetPreviewMode(true);
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  const project::TProjectData& doc = window_.History().Current();
  frame->Show(isIndexReport, doc.Concept, project::FileNameOf(doc.ProjectPath), IndexFileName());
}

void TReportCommands::ClosePreview() {
  TFrmePrintPreview* frame = preview_.data();
  if (!frame) return;
  preview_.clear();
  frame->hide();
  window_.ClientStack()->setCurrentIndex(0);
  window_.ClientStack()->removeWidget(frame);
  // Freed once its own click handler has returned.
  frame->deleteLater();
  window_.SetPreviewMode(false);
}

void TReportCommands::SavePreviewPdf() {
  if (!preview_) return;
  const std::string proposal = preview_->ProposedPdfName(window_.Settings().filePath);
  std::string folder = proposal.substr(0, proposal.find_last_of('/') + 1);
  std::string name = project::FileNameOf(proposal);
  for (;;) {
    const auto chosen = window_.FileDialogs().SaveFileName(folder, name, "pdf", kPdfFilter, "PDF opslaan");
    if (!chosen) return;
    const std::string path = WithPdfExtension(*chosen);
    if (FileExists(path)) {
      const int answer = window_.Messages().Ask(
          "Bestand bestaat al",
          project::OverwriteQuestionText(path) +
              "\nWilt u het bestand overschrijven? Klik dan op Ja\nWilt u een andere bestandsnaam opgeven, klik dan op Nee",
          "&Ja", "&Nee", "", 460, 2);
      if (answer != 1) {
        name = project::FileNameOf(path);
        continue;
      }
    }
    QString error;
    if (!module_.WritePdf(PathToQt(path), error)) window_.Messages().ShowMessage(FromQt(error));
    return;
  }
}

void TReportCommands::SendPdf() {
  const project::TProjectData& doc = window_.History().Current();
  std::string subject = doc.ProjectName;
  const bool isIndex = window_.ActivePage() == TPageId::TSIndex;
  std::string base;
  if (isIndex) {
    if (!FeedIndexReport()) return;
    const std::string file = IndexFileName();
    base = file.empty() ? std::string("Nieuw indexbestand") : FileBaseName(file);
    subject += " bestanddelen PDF";
  } else {
    if (!FeedInstallmentReport()) return;
    base = doc.ProjectPath.empty() ? std::string("Nieuw project") : FileBaseName(doc.ProjectPath);
    subject += " termijnen PDF";
  }
  // A private folder of our own: never a predictable name in the shared
  // temporary folder.
  const QString root = mailFolderRoot_.isEmpty() ? QDir::tempPath() : mailFolderRoot_;
  auto folder = std::make_unique<QTemporaryDir>(root + QStringLiteral("/PrijsCorrectum-XXXXXX"));
  if (!folder->isValid()) {
    window_.Messages().ShowMessage("Fout bij het maken van het PDF-bestand: geen tijdelijke map (" +
                                   FromQt(folder->errorString()) + ").");
    return;
  }
  const QString path = folder->filePath(ToQt(base + " " + DateStamp() + ".pdf"));
  QString error;
  if (!module_.WritePdf(path, error)) {
    window_.Messages().ShowMessage("Fout bij het maken van het PDF-bestand: " + FromQt(error));
    return;
  }
  mailFolders_.push_back(std::move(folder));
  SendMail(window_, subject, "Bij deze de gevraagde PDF", PathFromQt(path), "");
}

}  // namespace pc::gui
