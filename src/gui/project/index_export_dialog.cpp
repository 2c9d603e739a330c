#include "gui/project/index_export_dialog.h"

#include <QFile>
#include <QFileInfo>
#include <QPixmap>

#include "gui/app/main_window.h"
#include "gui/app/qt_seams.h"
#include "gui/common/qt_text.h"
#include "platform/folders.h"
#include "settings/kv_config.h"
#include "ui_index_export_dialog.h"

namespace pc::gui {
namespace {

constexpr const char* kBitmapFilter = "Bitmaps (*.bmp)|*.bmp";
constexpr const char* kIndexFilter = "PrijsCorrectum Indexbestanden (*.kvi)|*.kvi";

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

std::string FolderOf(const std::string& path) {
  const std::size_t cut = path.find_last_of("/\\");
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

bool FileExists(const std::string& path) { return QFileInfo(PathToQt(path)).isFile(); }

}  // namespace

bool ConfirmOverwrite(TWindowServices& window, const std::string& path) {
  std::string folder = FolderOf(path);
  const std::string name = path.substr(folder.size());
  while (folder.size() > 1 && IsSeparator(folder.back())) folder.pop_back();
  const std::string text = "Het bestand \"" + name + "\" bestaat al in de map \"" + folder +
                           "\".\nWilt u het bestand overschrijven? Klik dan op Ja\n"
                           "Wilt u een andere bestandsnaam opgeven, klik dan op Nee";
  return window.Messages().Ask("Bestand bestaat al", text, kCaptionJa, kCaptionNee, "", 460, 2) == 1;
}

std::string NormaliseExportPath(const std::string& path, const std::string& centralFolder) {
  std::string folder = FolderOf(path);
  std::string name = path.substr(folder.size());
  if (folder.empty()) folder = centralFolder;
  if (!folder.empty() && !IsSeparator(folder.back())) folder += '/';
  if (name.empty()) {
    name = std::string(settings::kDefaultIndexFileName);
  } else {
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    name += ".kvi";
  }
  return folder + name;
}

TfrmIndexExportDlg::TfrmIndexExportDlg(TWindowServices& window, TFileDialogs& files, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::TfrmIndexExportDlg>()), window_(window), files_(files) {
  ui_->setupUi(this);
  setFixedSize(417, 176);
  pictureFolder_ = platform::ProgramFolder();
  connect(ui_->edtFileName, &QLineEdit::editingFinished, this, [this] { NormaliseFileName(); });
  connect(ui_->BtnIndexDir, &QPushButton::clicked, this, [this] { Browse(); });
  connect(ui_->btnImgLoad, &QPushButton::clicked, this, [this] { LoadPicture(); });
  connect(ui_->btnImgDel, &QPushButton::clicked, this, [this] {
    picture_.reset();
    ShowPicture();
  });
  connect(ui_->btnImgSave, &QPushButton::clicked, this, [this] { SavePicture(); });
  connect(ui_->BtnOk, &QPushButton::clicked, this, [this] { Export(); });
  connect(ui_->BtnCan, &QPushButton::clicked, this, &QDialog::reject);
}

TfrmIndexExportDlg::~TfrmIndexExportDlg() = default;

void TfrmIndexExportDlg::Load(const std::string& path, int exportKind,
                              const std::optional<project::TPicture>& picture) {
  (exportKind == 1 ? ui_->RBOnline : ui_->RBNormal)->setChecked(true);
  ui_->edtFileName->setText(PathToQt(path));
  picture_ = picture && !picture->Empty() && picture->Width > 0 ? picture : std::nullopt;
  NormaliseFileName();
  ShowPicture();
}

std::string TfrmIndexExportDlg::Path() const { return PathFromQt(ui_->edtFileName->text()); }

int TfrmIndexExportDlg::ExportKind() const { return ui_->RBOnline->isChecked() ? 1 : 0; }

void TfrmIndexExportDlg::NormaliseFileName() {
  ui_->edtFileName->setText(PathToQt(NormaliseExportPath(Path(), window_.Settings().centralPath)));
}

void TfrmIndexExportDlg::ShowPicture() {
  QPixmap pixmap;
  if (picture_) pixmap.loadFromData(reinterpret_cast<const uchar*>(picture_->Data.data()),
                                    static_cast<uint>(picture_->Data.size()));
  ui_->img->setPixmap(pixmap);
  ui_->btnImgDel->setEnabled(picture_.has_value());
  ui_->btnImgSave->setEnabled(picture_.has_value());
}

void TfrmIndexExportDlg::Browse() {
  const std::string current = Path();
  const std::string folder = FolderOf(current);
  if (auto chosen = files_.SaveFileName(folder, current.substr(folder.size()), "kvi", kIndexFilter,
                                        "Indexbestand exporteren"))
    ui_->edtFileName->setText(PathToQt(*chosen));
  NormaliseFileName();
}

void TfrmIndexExportDlg::LoadPicture() {
  const auto chosen = files_.OpenFileName(pictureFolder_, kBitmapFilter, "Pictogram laden");
  if (!chosen) return;
  pictureFolder_ = FolderOf(*chosen);
  QFile file(PathToQt(*chosen));
  project::TPicture picture;
  if (!file.open(QIODevice::ReadOnly) ||
      !project::PictureFromFileBytes(project::PictureKind::Bitmap, file.readAll().toStdString(), picture)) {
    window_.Messages().ExecuteDialog(TDialogMode::dmMessage, "Fout bij laden bestand.", "");
  } else if (picture.Width != 16 || picture.Height != 16) {
    window_.Messages().ExecuteDialog(TDialogMode::dmMessage,
                                     std::string("Het pictogram moet ") + "16" + " bij " + "16" + " pixels zijn.", "");
  } else {
    picture_ = picture;
  }
  ShowPicture();
}

void TfrmIndexExportDlg::SavePicture() {
  if (!picture_) return;
  const auto chosen = files_.SaveFileName(pictureFolder_, "", "bmp", kBitmapFilter, "Pictogram bewaren");
  if (!chosen) return;
  pictureFolder_ = FolderOf(*chosen);
  if (FileExists(*chosen) && !ConfirmOverwrite(window_, *chosen)) return;
  QFile file(PathToQt(*chosen));
  const bool ok = file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                  file.write(picture_->Data.data(), static_cast<qint64>(picture_->Data.size())) ==
                      static_cast<qint64>(picture_->Data.size()) &&
                  file.flush();
  if (!ok) window_.Messages().ExecuteDialog(TDialogMode::dmMessage, "Fout bij schrijven van bestand.", "");
}

void TfrmIndexExportDlg::Export() {
  // The name is completed first, so the question names the file written.
  NormaliseFileName();
  if (FileExists(Path()) && !ConfirmOverwrite(window_, Path())) return;
  accept();
}

bool RunIndexExportDialog(TFrmMain& window, std::string& path, int& exportKind,
                          std::optional<project::TPicture>& picture, const std::function<int(QDialog&)>& run) {
  std::unique_ptr<TFileDialogs> ownFiles;
  TFileDialogs* files = window.Seams().FileDialogs;
  if (files == nullptr) {
    ownFiles = std::make_unique<TQtFileDialogs>(&window);
    files = ownFiles.get();
  }
  TfrmIndexExportDlg dialog(window, *files, &window);
  dialog.Load(path, exportKind, picture);
  const int result = run ? run(dialog) : dialog.exec();
  if (result != QDialog::Accepted) return false;
  path = dialog.Path();
  exportKind = dialog.ExportKind();
  picture = dialog.Picture();
  return true;
}

}  // namespace pc::gui
