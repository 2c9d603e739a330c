// The component selection of the installment report.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "gui/reports/print_bd_dialog.h"
#include "gui/support/gui_test_support.h"

namespace pc::guitest {
namespace {

TEST(PrintBD, EnabledEntriesAreCheckedAndContinueNeedsOne) {
  gui::TPrintBD dialog;
  dialog.SetChoices({{"Lonen (40,00%)", true}, {"Nul", false}, {"Staal ( var )", true}}, 2);
  dialog.show();
  auto* list = dialog.findChild<QListWidget*>(QStringLiteral("CheckListBox1"));
  auto* go = dialog.findChild<QPushButton*>(QStringLiteral("Button2"));
  ASSERT_NE(list, nullptr);
  ASSERT_NE(go, nullptr);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("PrijsCorrectum - Rapport"));
  EXPECT_EQ(list->currentRow(), 2);
  EXPECT_EQ(dialog.CheckedPositions(), (std::vector<int>{1, 3}));
  EXPECT_FALSE(list->item(1)->flags().testFlag(Qt::ItemIsEnabled));
  EXPECT_TRUE(go->isEnabled());
  SaveScreenshot(&dialog, QStringLiteral("print_bd_dialog"));

  Q_EMIT dialog.findChild<QLabel*>(QStringLiteral("Label2"))->linkActivated(QStringLiteral("geen"));
  EXPECT_TRUE(dialog.CheckedPositions().empty());
  EXPECT_FALSE(go->isEnabled());
  list->item(2)->setCheckState(Qt::Checked);
  EXPECT_TRUE(go->isEnabled());
  EXPECT_EQ(dialog.CheckedPositions(), (std::vector<int>{3}));
  Q_EMIT dialog.findChild<QLabel*>(QStringLiteral("Label1"))->linkActivated(QStringLiteral("alle"));
  EXPECT_EQ(dialog.CheckedPositions(), (std::vector<int>{1, 3}));  // the disabled entry stays unchecked

  EXPECT_TRUE(dialog.WithOverview());
  dialog.findChild<QCheckBox*>(QStringLiteral("CBDoOverview"))->setChecked(false);
  EXPECT_FALSE(dialog.WithOverview());
  QTest::keyClick(&dialog, Qt::Key_Escape);
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

}  // namespace
}  // namespace pc::guitest
