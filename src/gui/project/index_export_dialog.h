// TfrmIndexExportDlg, "Indexbestand export": the target file, the kind of
// index file (normal or online) and the index file's own 16 x 16 picture
// for the advanced index export. Existing files are replaced only after the
// question "Bestand bestaat al".
#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "project/picture.h"

namespace Ui {
class TfrmIndexExportDlg;
}

namespace pc::gui {

class TFrmMain;
class TWindowServices;
class TFileDialogs;

// Asks whether `path` may be replaced; true for "&Ja".
bool ConfirmOverwrite(TWindowServices& window, const std::string& path);

// The file name as the export writes it: folder (the central index folder
// when none is given) with a separator, the name with ".kvi" in place of its
// extension, "Indices.kvi" when there is no name.
std::string NormaliseExportPath(const std::string& path, const std::string& centralFolder);

class TfrmIndexExportDlg : public QDialog {
  Q_OBJECT
 public:
  TfrmIndexExportDlg(TWindowServices& window, TFileDialogs& files, QWidget* parent = nullptr);
  ~TfrmIndexExportDlg() override;

  void Load(const std::string& path, int exportKind, const std::optional<project::TPicture>& picture);
  std::string Path() const;
  int ExportKind() const;
  const std::optional<project::TPicture>& Picture() const { return picture_; }

 private:
  void NormaliseFileName();
  void ShowPicture();
  void Browse();
  void LoadPicture();
  void SavePicture();
  void Export();

  std::unique_ptr<Ui::TfrmIndexExportDlg> ui_;
  TWindowServices& window_;
  TFileDialogs& files_;
  std::optional<project::TPicture> picture_;
  std::string pictureFolder_;
};

// Shows the dialog for the document commands; `run` runs it modally
// (exec() when not given). Returns whether to export.
bool RunIndexExportDialog(TFrmMain& window, std::string& path, int& exportKind,
                          std::optional<project::TPicture>& picture,
                          const std::function<int(QDialog&)>& run = {});

}  // namespace pc::gui
