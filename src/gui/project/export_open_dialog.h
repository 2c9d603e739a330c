// TExportOpenForm: the project's own index file lacks components of the
// project; the user reads the project's index data write-protected or
// combines the file with it.
#pragma once

#include <QDialog>
#include <memory>
#include <string>

namespace Ui {
class TExportOpenForm;
}

namespace pc::gui {

class TExportOpenForm : public QDialog {
  Q_OBJECT
 public:
  explicit TExportOpenForm(const std::string& indexFileName, QWidget* parent = nullptr);
  ~TExportOpenForm() override;

  // True for "Combineren"; false for "Alleen Lezen" and a dialog closed
  // any other way.
  bool Combine() const { return combine_; }

 private:
  std::unique_ptr<Ui::TExportOpenForm> ui_;
  bool combine_ = false;
};

}  // namespace pc::gui
