#include "gui/installments/installments_message_page.h"

#include <QLabel>
#include <QVBoxLayout>

namespace pc::gui {

TInstallmentsMessagePage::TInstallmentsMessagePage(TWindowServices& window, QWidget* parent)
    : TWindowPage(window, parent) {
  auto* layout = new QVBoxLayout(this);
  auto* heading = new QLabel(QStringLiteral("Voordat u termijnen kunt invoeren dient u bestanddelen te selecteren "
                                            "voor dit project."),
                             this);
  heading->setObjectName(QStringLiteral("LblTermijnMsg1"));
  QFont bold = heading->font();
  bold.setBold(true);
  heading->setFont(bold);
  heading->setWordWrap(true);
  auto* body = new QLabel(QString::fromUtf8("Ga naar het venster bestanddelen en selecteer voor dit project \u00e9\u00e9n "
                                            "of meerdere bestanddelen.\nEen bestanddeel selecteert u door het een "
                                            "bestanddeelpercentage te geven of het kenmerk variabel mee te geven."),
                          this);
  body->setObjectName(QStringLiteral("LblTermijnMsg2"));
  body->setWordWrap(true);
  layout->addWidget(heading);
  layout->addWidget(body);
  layout->addStretch(1);
}

}  // namespace pc::gui
