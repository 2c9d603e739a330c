#include "gui/project/export_open_dialog.h"

#include "gui/common/qt_text.h"
#include "project/merge_questions.h"
#include "ui_export_open_dialog.h"

namespace pc::gui {

TExportOpenForm::TExportOpenForm(const std::string& indexFileName, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::TExportOpenForm>()) {
  ui_->setupUi(this);
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  ui_->StaticText1->setText(ToQt(project::CombineQuestionText(indexFileName)));
  connect(ui_->Button1, &QPushButton::clicked, this, [this] {
    combine_ = false;
    accept();
  });
  connect(ui_->Button2, &QPushButton::clicked, this, [this] {
    combine_ = true;
    accept();
  });
}

TExportOpenForm::~TExportOpenForm() = default;

}  // namespace pc::gui
