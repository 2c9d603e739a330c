// The project page as a user works with it on the real main window: the
// start panels and their tiles, the properties with one undo step per field,
// the date warning, the logo, the concept box, the method choice and the
// balloons.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>

#include "common/date_time.h"
#include "gui/common/balloon_hint.h"
#include "gui/common/link_label.h"
#include "gui/common/nullable_date_edit.h"
#include "gui/common/qt_text.h"
#include "gui/project/prj_page_new_item.h"
#include "gui/project/prj_page_open_item.h"
#include "indextable/month_key.h"
#include "project_window.h"

namespace pc::guitest {
namespace {

using gui::TProjectPanel;

QString LabelText(TProjectWindow& w, const char* name) {
  QLabel* label = w.Find<QLabel>(name);
  return label ? label->text() : QString();
}

// Clicks inside a tile's border, as a user does.
void ClickTile(gui::TfrmePrjPageItem* tile) {
  QTest::mouseClick(tile, Qt::LeftButton, {}, QPoint(30, 30));
}

TEST(ProjectStartPanels, EmptyRecentListShowsTheNewPanelAndItsTileStartsAProject) {
  TTestHome home;
  TProjectWindow w;
  w.ShowActive();
  ASSERT_EQ(w.Page().ProjectPanel(), TProjectPanel::NewProject);
  EXPECT_TRUE(w.Find<QWidget>("pPrjNew")->isVisible());
  EXPECT_FALSE(w.Find<QWidget>("PPrjInfo")->isVisible());
  ASSERT_EQ(w.Page().Tiles().size(), 1u);
  auto* tile = qobject_cast<gui::TfrmePrjPageNewItem*>(w.Page().Tiles()[0]);
  ASSERT_NE(tile, nullptr);
  EXPECT_EQ(tile->objectName(), QStringLiteral("prjPageItem0"));
  EXPECT_EQ(LabelText(w, "lOpdrGev"), QStringLiteral("U kunt alle projectgegevens vrij kiezen"));
  EXPECT_EQ(LabelText(w, "lOpdrNem"), QString());
  EXPECT_EQ(LabelText(w, "lDatum"), QString());
  SaveScreenshot(&w.Window(), QStringLiteral("project_panel_new"));

  // The tile lights under the mouse and starts a free project when clicked.
  w.Page().Tiles()[0]->HoverTick(tile->mapToGlobal(QPoint(30, 30)));
  EXPECT_TRUE(tile->Border()->Lit());
  w.Page().Tiles()[0]->HoverTick(tile->mapToGlobal(QPoint(2, 2)));
  EXPECT_FALSE(tile->Border()->Lit());
  // The right button does nothing.
  QTest::mouseClick(tile, Qt::RightButton, {}, QPoint(30, 30));
  Settle();
  EXPECT_EQ(w.Page().ProjectPanel(), TProjectPanel::NewProject);
  ClickTile(tile);
  Settle();
  EXPECT_EQ(w.Page().ProjectPanel(), TProjectPanel::Properties);
  EXPECT_EQ(w.Document().ProjectName, "");
  EXPECT_EQ(w.Document().Client, "");
  EXPECT_EQ(DateOf(w.Document().PriceReferenceDate), TodayLocal());
  EXPECT_TRUE(w.Document().Modified);  // closing asks to save
  EXPECT_EQ(w.Window().History().UndoCount(), 2u);
  w.CloseWithoutSaving();
}

TEST(ProjectStartPanels, ARecentProjectHasATileThatOpensIt) {
  TTestHome home;
  const std::string kvp = home.CopyExample("worked-example.kvp");
  home.CopyExample("worked-example.kvi");
  {
    TProjectWindow first({{kvp}});
    first.ShowActive();
    EXPECT_EQ(first.Page().ProjectPanel(), TProjectPanel::Properties);
    first.CloseWithoutSaving();
  }
  TProjectWindow w;
  w.ShowActive();
  ASSERT_EQ(w.Page().ProjectPanel(), TProjectPanel::OpenProject);
  ASSERT_EQ(w.Page().Tiles().size(), 1u);
  auto* tile = qobject_cast<gui::TfrmePrjPageOpenItem*>(w.Page().Tiles()[0]);
  ASSERT_NE(tile, nullptr);
  EXPECT_EQ(LabelText(w, "lName"), QStringLiteral("Voorbeeldproject"));
  EXPECT_EQ(LabelText(w, "lFile"), gui::PathToQt(kvp));
  EXPECT_TRUE(LabelText(w, "lAanmaak").startsWith(QStringLiteral("Aangemaakt: ")));
  EXPECT_NE(LabelText(w, "lAanmaak"), QStringLiteral("Aangemaakt: Onbekend"));
  EXPECT_TRUE(LabelText(w, "lWijz").startsWith(QStringLiteral("Laatst gewijzigd: ")));
  SaveScreenshot(&w.Window(), QStringLiteral("project_panel_open"));

  ClickTile(tile);
  Settle();
  EXPECT_EQ(w.Page().ProjectPanel(), TProjectPanel::Properties);
  EXPECT_EQ(w.Document().ProjectName, "Voorbeeldproject");
  EXPECT_EQ(w.Find<QLineEdit>("EdtPrjName")->text(), QStringLiteral("Voorbeeldproject"));
  EXPECT_EQ(w.Window().windowTitle(), QStringLiteral("PrijsCorrectum - Voorbeeldproject"));
  SaveScreenshot(&w.Window(), QStringLiteral("project_panel_properties"));
  w.CloseWithoutSaving();
}

TEST(ProjectStartPanels, DamagedOrVanishedFilesSaySoAndOpenNothing) {
  TTestHome home;
  const std::string damaged = home.File("kapot.kvp");
  {
    QFile f(gui::PathToQt(damaged));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("dit is geen projectbestand");
  }
  const std::string vanishing = home.CopyExample("worked-example.kvp");
  const std::string missing = home.File("weg.kvp");
  TProjectWindow w;
  w.Window().Settings().RecentProjects = {missing, vanishing, damaged};
  w.ShowActive();
  w.Page().ShowStartScreen();
  ASSERT_EQ(w.Page().ProjectPanel(), TProjectPanel::OpenProject);
  // A missing file gets no tile; the newest entry comes first.
  ASSERT_EQ(w.Page().Tiles().size(), 2u);
  auto* broken = qobject_cast<gui::TfrmePrjPageOpenItem*>(w.Page().Tiles()[0]);
  ASSERT_NE(broken, nullptr);
  EXPECT_EQ(broken->findChild<QLabel*>(QStringLiteral("lName"))->text(), QStringLiteral("Onbekend"));
  EXPECT_EQ(broken->findChild<QLabel*>(QStringLiteral("lGever"))->text(), QStringLiteral("Onbekende opdrachtgever"));
  EXPECT_EQ(broken->findChild<QLabel*>(QStringLiteral("lNemer"))->text(), QStringLiteral("Onbekende opdrachtnemenr"));
  EXPECT_NE(broken->findChild<QLabel*>(QStringLiteral("lWijz"))->text(), QStringLiteral("Laatst gewijzigd: Onbekend"));
  EXPECT_TRUE(broken->findChild<QLabel*>(QStringLiteral("lProblem"))->text().contains(QStringLiteral("kapot.kvp")));
  EXPECT_TRUE(w.messages.Calls().empty());  // building tiles shows no message
  SaveScreenshot(&w.Window(), QStringLiteral("project_panel_open_damaged"));

  const std::string before = w.Document().ProjectName;
  ClickTile(broken);
  Settle();
  EXPECT_EQ(w.messages.Messages().size(), 1u);
  EXPECT_EQ(w.Document().ProjectName, before);
  EXPECT_EQ(w.Document().ProjectPath, "");

  // A file that went away after its tile was built.
  w.messages.ClearCalls();
  QFile::remove(gui::PathToQt(vanishing));
  ClickTile(w.Page().Tiles()[1]);
  Settle();
  EXPECT_EQ(w.messages.Messages().size(), 1u);
  EXPECT_EQ(w.Document().ProjectPath, "");
  w.CloseWithoutSaving();
}

class ProjectPropertiesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    kvp_ = home_.CopyExample("worked-example.kvp");
    home_.CopyExample("worked-example.kvi");
    w_ = std::make_unique<TProjectWindow>(TProjectWindowOptions{{kvp_}});
    w_->ShowActive();
    ASSERT_EQ(w_->Page().ProjectPanel(), TProjectPanel::Properties);
  }
  void TearDown() override {
    if (w_) w_->CloseWithoutSaving();
  }

  TTestHome home_;
  std::string kvp_;
  std::unique_ptr<TProjectWindow> w_;
};

TEST_F(ProjectPropertiesTest, EachVisitToAFieldIsOneUndoStepAndUndoReturnsTheFocus) {
  TProjectWindow& w = *w_;
  QLineEdit* name = w.Find<QLineEdit>("EdtPrjName");
  ASSERT_TRUE(name->hasFocus());  // the page puts the user in the name field
  QTest::keyClick(name, Qt::Key_End);
  QTest::keyClicks(name, QStringLiteral("AB"));
  QTest::keyClick(name, Qt::Key_Tab);
  EXPECT_TRUE(w.Find<QComboBox>("EdtOpdrGev")->hasFocus());
  Click(name);
  QTest::keyClick(name, Qt::Key_End);
  QTest::keyClicks(name, QStringLiteral("C"));
  EXPECT_EQ(w.Document().ProjectName, "VoorbeeldprojectABC");
  EXPECT_EQ(w.Window().History().UndoCount(), 3u);
  EXPECT_EQ(w.Window().windowTitle(), QStringLiteral("PrijsCorrectum - VoorbeeldprojectABC"));

  Click(w.Find<QComboBox>("EdtOpdrNem"));
  w.Trigger("actUndo");
  Settle();
  EXPECT_EQ(w.Document().ProjectName, "VoorbeeldprojectAB");
  w.Trigger("actUndo");
  Settle();
  EXPECT_EQ(w.Document().ProjectName, "Voorbeeldproject");
  EXPECT_EQ(name->text(), QStringLiteral("Voorbeeldproject"));
  EXPECT_TRUE(name->hasFocus());
  EXPECT_FALSE(w.Window().History().CanUndo());

  // Typing again after undo is a new step, not a change of the restored
  // document.
  QTest::keyClicks(name, QStringLiteral("X"));
  EXPECT_EQ(w.Window().History().UndoCount(), 2u);
  EXPECT_FALSE(w.Window().History().CanRedo());
}

TEST_F(ProjectPropertiesTest, PriceDateAfterTheStartWarnsAndAnEarlierMonthWidensThePeriod) {
  TProjectWindow& w = *w_;
  auto* peil = w.Find<gui::TNullableDateEdit>("EdtPeil");
  auto* aanvang = w.Find<gui::TNullableDateEdit>("EdtAanvang");
  EXPECT_FALSE(w.Page().DateWarningShown());
  peil->setFocus();
  peil->setDate(aanvang->date().addDays(10));
  EXPECT_TRUE(w.Page().DateWarningShown());
  EXPECT_TRUE(w.Find<QLabel>("Label22")->isVisible());
  EXPECT_EQ(LabelText(w, "Label23"), QStringLiteral("De prijspeildatum ligt ná de uitvoeringstart!"));
  SaveScreenshot(&w.Window(), QStringLiteral("project_properties_warning"));
  Click(w.Find<QLabel>("Label23"));
  EXPECT_TRUE(w.Page().Balloon()->isVisible());
  EXPECT_EQ(w.Page().Balloon()->Duration(), 30000);
  SaveScreenshot(w.Page().Balloon(), QStringLiteral("project_balloon_warning"));

  // Back before the start of the works, and then into a month before the
  // index table's period: the period grows back to that month.
  const TMonthKey firstBefore = w.Document().IndexTable->PeriodStart();
  peil->setDate(QDate(2007, 3, 15));
  EXPECT_FALSE(w.Page().DateWarningShown());
  EXPECT_LT(MonthKeyOfYearMonth(2007, 3), firstBefore);
  EXPECT_EQ(w.Document().IndexTable->PeriodStart(), MonthKeyOfYearMonth(2007, 3));
  EXPECT_EQ(w.Document().PriceReferenceDate, EncodeDate(2007, 3, 15));

  // The index page shows the new first month when it is opened.
  w.Window().ShowIndexPage(true);
  w.Trigger("actUndo");
  Settle();
  EXPECT_EQ(w.Document().IndexTable->PeriodStart(), firstBefore);
  EXPECT_FALSE(w.Page().DateWarningShown());
}

TEST_F(ProjectPropertiesTest, DatesMayBeEmpty) {
  TProjectWindow& w = *w_;
  auto* tender = w.Find<gui::TNullableDateEdit>("edtPrjAanDat");
  tender->setFocus();
  tender->selectAll();
  QTest::keyClick(tender, Qt::Key_Delete);
  EXPECT_TRUE(tender->IsEmpty());
  EXPECT_EQ(w.Document().TenderDate, 0.0);
  EXPECT_EQ(tender->text().trimmed(), QString());
  // Stepping or typing into the empty edit starts from today's date.
  QTest::keyClick(tender, Qt::Key_Down);
  EXPECT_EQ(tender->DayCount(), TodayLocal());
  tender->selectAll();
  QTest::keyClick(tender, Qt::Key_Delete);
  EXPECT_TRUE(tender->IsEmpty());
  QTest::keyClick(tender, Qt::Key_1);
  EXPECT_FALSE(tender->IsEmpty());
  EXPECT_GT(w.Document().TenderDate, 0.0);
  // The whole visit to the field is one step.
  EXPECT_EQ(w.Window().History().UndoCount(), 2u);
}

TEST_F(ProjectPropertiesTest, ConceptAndLogoAreUndoSteps) {
  TProjectWindow& w = *w_;
  QCheckBox* conceptBox = w.Find<QCheckBox>("cbIsConcept");
  Click(conceptBox);
  EXPECT_TRUE(conceptBox->isChecked());
  EXPECT_TRUE(w.Document().Concept);
  EXPECT_EQ(w.Window().History().UndoCount(), 2u);

  // A readable bitmap becomes the logo.
  const std::string bmp = home_.File("logo.bmp");
  QImage image(300, 60, QImage::Format_RGB32);
  image.fill(QColor(30, 90, 160));
  ASSERT_TRUE(image.save(gui::PathToQt(bmp), "BMP"));
  w.files.QueueAnswer(bmp);
  Click(w.Find<QLabel>("lChLogo"));
  ASSERT_TRUE(w.Document().HasLogo);
  EXPECT_EQ(w.Document().Logo->Width, 200);  // cut to 200 x 110
  EXPECT_EQ(w.files.Titles.back(), "Selecteer Logo (maximaal 200x110 pixels)");
  EXPECT_TRUE(w.Find<QLabel>("imgPrjLogo")->isVisible());
  EXPECT_FALSE(w.Find<QLabel>("imgDefLogo")->isVisible());
  EXPECT_TRUE(w.Find<QLabel>("lDelLogo")->isVisible());
  EXPECT_EQ(w.Window().History().UndoCount(), 3u);
  SaveScreenshot(&w.Window(), QStringLiteral("project_properties_logo"));

  // An unreadable file keeps the logo there is and says why.
  const std::string junk = home_.File("kapot.bmp");
  {
    QFile f(gui::PathToQt(junk));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("geen afbeelding");
  }
  const auto logo = w.Document().Logo;
  w.files.QueueAnswer(junk);
  Click(w.Find<QLabel>("lChLogo"));
  EXPECT_EQ(w.Document().Logo, logo);
  EXPECT_EQ(w.Window().History().UndoCount(), 3u);
  ASSERT_EQ(w.messages.Messages().size(), 1u);
  EXPECT_NE(w.messages.Messages()[0].find("kapot.bmp"), std::string::npos);

  Click(w.Find<QLabel>("lDelLogo"));
  EXPECT_FALSE(w.Document().HasLogo);
  EXPECT_TRUE(w.Find<QLabel>("imgDefLogo")->isVisible());
  EXPECT_FALSE(w.Find<QLabel>("lDelLogo")->isVisible());
  w.Trigger("actUndo");
  Settle();
  EXPECT_TRUE(w.Document().HasLogo);
  EXPECT_TRUE(w.Find<QLabel>("imgPrjLogo")->isVisible());
}

TEST_F(ProjectPropertiesTest, HoveringAnInfoIconShowsItsBalloonOnce) {
  TProjectWindow& w = *w_;
  QLabel* icon = w.Find<QLabel>("imgPrjAanvInfo");
  const QPoint inside = icon->mapToGlobal(icon->rect().center());
  const QPoint outside = icon->mapToGlobal(QPoint(-200, -200));
  gui::TBalloonHint* balloon = w.Page().Balloon();
  for (int tick = 0; tick < gui::kBalloonHoverTicks; ++tick) w.Page().BalloonHoverTick(inside);
  EXPECT_FALSE(balloon->isVisible());  // the first tick only notes the icon
  w.Page().BalloonHoverTick(inside);
  ASSERT_TRUE(balloon->isVisible());
  EXPECT_TRUE(balloon->Text().startsWith(QStringLiteral("De aanvang uitvoeringsdatum")));
  EXPECT_EQ(balloon->Header(), QStringLiteral("Informatie"));
  EXPECT_EQ(balloon->Duration(), 5000);
  SaveScreenshot(balloon, QStringLiteral("project_balloon_start_of_works"));
  balloon->hide();
  for (int tick = 0; tick < 30; ++tick) w.Page().BalloonHoverTick(inside);
  EXPECT_FALSE(balloon->isVisible());  // one hover, one balloon
  w.Page().BalloonHoverTick(outside);
  for (int tick = 0; tick <= gui::kBalloonHoverTicks; ++tick) w.Page().BalloonHoverTick(inside);
  EXPECT_TRUE(balloon->isVisible());
  balloon->hide();

  Click(w.Find<QLabel>("imgPrjPeilInfo"));
  EXPECT_TRUE(balloon->isVisible());
  EXPECT_TRUE(balloon->Text().startsWith(QStringLiteral("De prijspeildatum is de datum")));
}

TEST_F(ProjectPropertiesTest, TheSimplifiedMethodChosenInItsDialogIsSaved) {
  TProjectWindow& w = *w_;
  auto* method = w.Find<QLabel>("LCalcKind1");
  EXPECT_EQ(method->text(), QStringLiteral("Officiële berekeningsmethode"));

  // Choosing the method the project already has makes no step.
  AnswerNextModal([](QWidget* dialog) {
    dialog->findChild<QPushButton*>(QStringLiteral("BtnToepassen"))->click();
  });
  Click(method);
  EXPECT_EQ(w.Window().History().UndoCount(), 1u);

  AnswerNextModal([](QWidget* dialog) {
    Click(dialog->findChild<QLabel*>(QStringLiteral("lSimpCalcTitle")));
    SaveScreenshot(dialog, QStringLiteral("calc_method_dialog_simplified"));
    dialog->findChild<QPushButton*>(QStringLiteral("BtnToepassen"))->click();
  });
  Click(method);
  EXPECT_EQ(w.Document().CalcMethod, 1);
  EXPECT_EQ(method->text(), QStringLiteral("Vereenvoudigde berekeningsmethode"));
  EXPECT_EQ(w.Window().History().UndoCount(), 2u);

  w.Trigger("ActSave");
  QProcess cli;
  cli.start(QStringLiteral(PC_CLI_PATH), {QStringLiteral("calc"), gui::PathToQt(kvp_)});
  ASSERT_TRUE(cli.waitForFinished(30000));
  const QString out = QString::fromUtf8(cli.readAllStandardOutput());
  EXPECT_TRUE(out.contains(QStringLiteral("Vereenvoudigde berekeningsmethode"))) << out.toStdString();
  EXPECT_TRUE(out.contains(QStringLiteral("140,00"))) << out.toStdString();
}

TEST_F(ProjectPropertiesTest, TheNewCommandShowsTheNewPanelAndTheLinksSwitchPanels) {
  TProjectWindow& w = *w_;
  w.Trigger("ActNew");
  EXPECT_EQ(w.Page().ProjectPanel(), TProjectPanel::NewProject);
  EXPECT_EQ(w.Document().ProjectName, "Voorbeeldproject");  // nothing started yet
  Click(w.Find<QLabel>("Label24"));
  EXPECT_EQ(w.Page().ProjectPanel(), TProjectPanel::OpenProject);
  EXPECT_EQ(w.Page().Tiles().size(), 1u);
  Click(w.Find<QLabel>("Label37"));
  EXPECT_EQ(w.Page().ProjectPanel(), TProjectPanel::Properties);
  EXPECT_TRUE(w.Page().Tiles().empty());
  Click(w.Find<QLabel>("Label21"));
  EXPECT_EQ(w.Page().ProjectPanel(), TProjectPanel::NewProject);
  Click(w.Find<QLabel>("Label25"));
  EXPECT_EQ(w.Page().ProjectPanel(), TProjectPanel::Properties);

  // "Ander project openen" is the open command with its file dialog.
  Click(w.Find<QLabel>("Label9"));
  w.files.QueueAnswer(std::nullopt);
  Click(w.Find<QLabel>("Label27"));
  EXPECT_EQ(w.files.Titles.back(), "Project openen");
  EXPECT_EQ(w.Page().ProjectPanel(), TProjectPanel::OpenProject);
}

}  // namespace
}  // namespace pc::guitest
