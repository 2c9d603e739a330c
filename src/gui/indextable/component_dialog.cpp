#include "gui/indextable/component_dialog.h"

#include <QKeyEvent>

#include "common/number_text.h"
#include "gui/common/qt_text.h"
#include "indextable/bd_config.h"
#include "ui_component_dialog.h"

namespace pc::gui {
namespace {

QDate ToQDate(TDateTime date) {
  const TYmd ymd = DecodeDate(date);
  return QDate(ymd.Year, ymd.Month, ymd.Day);
}

TDateTime FromQDate(const QDate& date) { return EncodeDate(date.year(), date.month(), date.day()); }

}  // namespace

TBDWijzigForm::TBDWijzigForm(bool adding, std::uint8_t tableKind, const TComponentValues& values, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::TBDWijzigForm>()) {
  ui_->setupUi(this);
  if (adding) setWindowTitle(QStringLiteral("Bestanddeel toevoegen"));
  ui_->EdtName->setText(ToQt(values.Name));
  ui_->CBVar->setChecked(values.Variable);
  ui_->EdtPro->setText(QString::fromLatin1(FormatTwoDecimals(2, values.Percentage)));
  switch (values.StartRule) {
    case start_rule::kStartOfWorks: ui_->CBStart->setChecked(true); break;
    case start_rule::kYearAfterStartOfWorks: ui_->CBJaarUit->setChecked(true); break;
    case start_rule::kYearAfterTender: ui_->cbJaarAan->setChecked(true); break;
    default: ui_->CBPer->setChecked(true); break;
  }
  ui_->EdtPer->setDate(ToQDate(values.StartDate));
  switch (values.TrendKind) {
    case trend_kind::kNone: ui_->cbTrendA->setChecked(true); break;
    case trend_kind::kFromFigures: ui_->cbTrendB->setChecked(true); break;
    default: ui_->cbTrendC->setChecked(true); break;
  }
  ui_->edtTrendPerc->setText(QString::fromLatin1(FormatTwoDecimals(2, values.TrendPercentage)));

  if (tableKind != table_kind::kEditable) {
    ui_->LName->setEnabled(false);
    ui_->EdtName->setEnabled(false);
  }
  if (tableKind == table_kind::kWriteProtected) {
    ui_->P1->setEnabled(false);
    ui_->BtnOk->setEnabled(false);
    ui_->BtnOk->setDefault(false);
  }
  connect(ui_->CBVar, &QCheckBox::toggled, this, [this] { UpdateFields(); });
  connect(ui_->cbTrendC, &QRadioButton::toggled, this, [this] { UpdateFields(); });
  connect(ui_->EdtPer, &QDateEdit::dateChanged, this, [this] { ui_->CBPer->setChecked(true); });
  connect(ui_->BtnOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(ui_->Button2, &QPushButton::clicked, this, &QDialog::reject);
  UpdateFields();
}

TBDWijzigForm::~TBDWijzigForm() = default;

void TBDWijzigForm::UpdateFields() {
  const bool fixedShare = !ui_->CBVar->isChecked();
  ui_->LPro->setVisible(fixedShare);
  ui_->EdtPro->setVisible(fixedShare);
  ui_->LProUnit->setVisible(fixedShare);
  ui_->edtTrendPerc->setEnabled(ui_->cbTrendC->isChecked());
}

TComponentValues TBDWijzigForm::Values() const {
  TComponentValues v;
  v.Name = FromQt(ui_->EdtName->text());
  v.Variable = ui_->CBVar->isChecked();
  v.Percentage = ReadPercentage(FromQt(ui_->EdtPro->text()));
  if (ui_->CBStart->isChecked())
    v.StartRule = start_rule::kStartOfWorks;
  else if (ui_->CBJaarUit->isChecked())
    v.StartRule = start_rule::kYearAfterStartOfWorks;
  else if (ui_->cbJaarAan->isChecked())
    v.StartRule = start_rule::kYearAfterTender;
  else
    v.StartRule = start_rule::kFixedDate;
  v.StartDate = FromQDate(ui_->EdtPer->date());
  if (ui_->cbTrendA->isChecked())
    v.TrendKind = trend_kind::kNone;
  else if (ui_->cbTrendB->isChecked())
    v.TrendKind = trend_kind::kFromFigures;
  else
    v.TrendKind = trend_kind::kFixedPercentage;
  v.TrendPercentage = ReadTrendPercentage(FromQt(ui_->edtTrendPerc->text()));
  return v;
}

}  // namespace pc::gui
