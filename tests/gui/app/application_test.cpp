// The program's set-up: Qt's own dialogs speak Dutch, and the project
// filter of the core reaches Qt's file dialog intact.
#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QPushButton>

#include "gui/app/qt_seams.h"
#include "gui/support/gui_test_support.h"
#include "project/document_commands.h"

namespace pc::guitest {
namespace {

QStringList ButtonTexts(const QWidget& dialog) {
  QStringList texts;
  for (const QPushButton* button : dialog.findChildren<QPushButton*>())
    if (button->isVisibleTo(&dialog)) texts << QString(button->text()).remove(QLatin1Char('&'));
  return texts;
}

TEST(Application, QtsFileDialogsSpeakDutch) {
  TTestHome home;
  QFileDialog open(nullptr, QStringLiteral("Project openen"), home.Path(),
                   gui::QtNameFilter(project::kProjectFileFilter));
  open.setOption(QFileDialog::DontUseNativeDialog);
  open.show();
  const QStringList openButtons = ButtonTexts(open);
  EXPECT_TRUE(openButtons.contains(QStringLiteral("Openen"))) << openButtons.join(QLatin1Char(',')).toStdString();
  EXPECT_TRUE(openButtons.contains(QStringLiteral("Annuleren"))) << openButtons.join(QLatin1Char(',')).toStdString();
  SaveScreenshot(&open, QStringLiteral("file_dialog_open"));

  QFileDialog save(nullptr, QStringLiteral("Project opslaan"), home.Path(),
                   gui::QtNameFilter(project::kProjectFileFilter));
  save.setOption(QFileDialog::DontUseNativeDialog);
  save.setAcceptMode(QFileDialog::AcceptSave);
  save.show();
  EXPECT_TRUE(ButtonTexts(save).contains(QStringLiteral("Opslaan")))
      << ButtonTexts(save).join(QLatin1Char(',')).toStdString();
}

TEST(Application, ProjectFilterBecomesQtsNameFilters) {
  EXPECT_EQ(gui::QtNameFilter(project::kProjectFileFilter),
            QStringLiteral("PrijsCorrectum Projecten (*.kvp);;Alle bestanden (*.*)"));
  EXPECT_EQ(gui::QtNameFilter("Bitmaps|*.bmp;*.dib"), QStringLiteral("Bitmaps (*.bmp *.dib)"));
}

}  // namespace
}  // namespace pc::guitest
