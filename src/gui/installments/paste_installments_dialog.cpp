#include "gui/installments/paste_installments_dialog.h"

#include <QHeaderView>
#include <algorithm>
#include <QKeyEvent>

#include "gui/common/qt_text.h"
#include "ui_paste_installments_dialog.h"

namespace pc::gui {
namespace {

const QString kEuro = QString::fromUtf8("\u20ac ");

QTableWidgetItem* Item(const QString& text, Qt::Alignment align) {
  auto* item = new QTableWidgetItem(text);
  item->setTextAlignment(align | Qt::AlignVCenter);
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  item->setBackground(Qt::white);
  return item;
}

}  // namespace

TTermijnAddForm::TTermijnAddForm(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::TTermijnAddForm>()) {
  ui_->setupUi(this);
  ui_->GrdRecords->verticalHeader()->hide();
  ui_->GrdRecords->verticalHeader()->setDefaultSectionSize(18);
  QFont font(QStringLiteral("Arial"));
  font.setPointSize(8);
  ui_->GrdRecords->setFont(font);
  ui_->GrdRecords->horizontalHeader()->setFont(font);
  ui_->GrdRecords->horizontalHeader()->setStretchLastSection(true);
  // The focused cell: a focus rectangle on yellow.
  ui_->GrdRecords->setStyleSheet(
      QStringLiteral("QTableWidget { selection-background-color: #ffff00; selection-color: black; }"));
}

TTermijnAddForm::~TTermijnAddForm() = default;

void TTermijnAddForm::ShowCandidates(const TPasteRead& read, bool componentVariable) {
  if (read.Candidates.empty()) {
    ui_->Pages->setCurrentWidget(ui_->TabNoRecords);
    resize(333, 135);
    return;
  }
  ui_->Pages->setCurrentWidget(ui_->TabRecords);
  QTableWidget* grid = ui_->GrdRecords;
  QStringList headers{QStringLiteral("Termijnnaam"), QStringLiteral("Einddatum"), QStringLiteral("Bedrag")};
  QList<int> widths{130, 70, 105};
  if (componentVariable) {
    headers << QStringLiteral("Var");
    widths << 105;
  }
  headers << QStringLiteral("Status");
  widths << 170;
  grid->setColumnCount(static_cast<int>(headers.size()));
  grid->setHorizontalHeaderLabels(headers);
  for (int c = 0; c < widths.size(); ++c) grid->setColumnWidth(c, widths[c]);
  grid->setRowCount(static_cast<int>(read.Candidates.size()));
  accepted_ = 0;
  for (int r = 0; r < grid->rowCount(); ++r) {
    const TPastedTermijn& c = read.Candidates[static_cast<std::size_t>(r)];
    int column = 0;
    grid->setItem(r, column++, Item(ToQt(c.Name), Qt::AlignLeft));
    grid->setItem(r, column++, Item(ToQt(c.DateText), Qt::AlignRight));
    grid->setItem(r, column++, Item(kEuro + ToQt(c.AmountText), Qt::AlignRight));
    if (componentVariable) grid->setItem(r, column++, Item(kEuro + ToQt(c.ComponentAmountText), Qt::AlignRight));
    QTableWidgetItem* status = Item(ToQt(PasteStatusText(c.Status)), Qt::AlignLeft);
    const bool ok = c.Status == TPasteStatus::Accepted;
    status->setForeground(ok ? QColor(0, 128, 0) : QColor(128, 0, 0));
    grid->setItem(r, column, status);
    if (ok) ++accepted_;
  }
  QStringList notes;
  if (read.RowsBeyondLimit > 0)
    notes << QStringLiteral("%1 rij(en) na de eerste %2 zijn niet gelezen; plak die in een volgende keer.")
                 .arg(read.RowsBeyondLimit)
                 .arg(kMaxPastedInstallments);
  const int refused = grid->rowCount() - accepted_;
  if (refused > 0) notes << QStringLiteral("%1 termijn(en) met een foutmelding worden niet toegevoegd.").arg(refused);
  ui_->LblDropped->setText(notes.join(QLatin1Char('\n')));
  ui_->LblDropped->setVisible(!notes.isEmpty());
  ui_->BtnAdd->setEnabled(accepted_ > 0);
  // The status texts decide the last column's width when they need more.
  int statusWidth = 170;
  for (int r = 0; r < grid->rowCount(); ++r)
    statusWidth = std::max(statusWidth, grid->fontMetrics().horizontalAdvance(grid->item(r, grid->columnCount() - 1)->text()) + 12);
  const int width = (componentVariable ? 625 : 520) + statusWidth - 170;
  resize(width, 229 + (notes.isEmpty() ? 0 : 16 * static_cast<int>(notes.size())));
  grid->setFocus();
  grid->setCurrentCell(0, 0);
}

bool TTermijnAddForm::CanConfirm() const { return accepted_ > 0; }

void TTermijnAddForm::keyPressEvent(QKeyEvent* event) {
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !CanConfirm()) {
    if (ui_->Pages->currentWidget() == ui_->TabNoRecords) reject();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace pc::gui
