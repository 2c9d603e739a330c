// Exporting the index table to its own index file, read back by the companion.
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>

#include "gui/project/index_export_dialog.h"
#include "index_test_support.h"

namespace pc::guitest {
namespace {

TEST(IndexExport, NormalisesTheName) {
  struct Case {
    const char* path;
    const char* result;
  } cases[] = {{"", "/central/Indices.kvi"},
               {"Brug", "/central/Brug.kvi"},
               {"/export/Brug.txt", "/export/Brug.kvi"},
               {"D:\\Export\\Brug.txt", "D:\\Export\\Brug.kvi"},
               {"/export/", "/export/Indices.kvi"}};
  for (const Case& c : cases) EXPECT_EQ(gui::NormaliseExportPath(c.path, "/central/"), c.result) << c.path;
}

TEST(IndexExport, WritesANewFileAndAsksBeforeReplacingOne) {
  TIndexPageFixture f({"/advIndexExport"});
  const std::string target = f.home.File("Export");
  int runs = 0;
  auto dialog = [&](std::string& path, int& kind, std::optional<project::TPicture>& picture) {
    return gui::RunIndexExportDialog(f.w.Window(), path, kind, picture, [&](QDialog& d) {
      ++runs;
      d.show();
      d.findChild<QLineEdit*>(QStringLiteral("edtFileName"))->setText(gui::PathToQt(target));
      SaveScreenshot(&d, QStringLiteral("index_export_dialog"));
      d.findChild<QPushButton*>(QStringLiteral("BtnOk"))->click();
      return d.result();
    });
  };
  f.w.Window().SetIndexExportDialog(dialog);
  f.w.Trigger("ActExpIndex");
  const QString written = gui::PathToQt(target + ".kvi");
  ASSERT_TRUE(QFileInfo::exists(written));
  const QString calc = Companion({QStringLiteral("calc"), gui::PathToQt(f.kvp), QStringLiteral("--index"), written});
  EXPECT_TRUE(calc.contains(QStringLiteral("100,45"))) << calc.toStdString();

  // Again onto the same name: "&Nee" keeps the file and the dialog open.
  f.Type(2, 0, QStringLiteral("105"));
  f.w.messages.QueueAskAnswer(2);
  f.w.Trigger("ActExpIndex");
  ASSERT_FALSE(f.w.messages.Calls().empty());
  EXPECT_EQ(f.w.messages.Calls().back().Title, "Bestand bestaat al");
  EXPECT_NE(f.w.messages.Calls().back().Text1.find("\"Export.kvi\""), std::string::npos);
  EXPECT_TRUE(Companion({QStringLiteral("calc"), gui::PathToQt(f.kvp), QStringLiteral("--index"), written})
                  .contains(QStringLiteral("100,45")));
  f.w.messages.QueueAskAnswer(1);
  f.w.Trigger("ActExpIndex");
  EXPECT_TRUE(Companion({QStringLiteral("calc"), gui::PathToQt(f.kvp), QStringLiteral("--index"), written})
                  .contains(QStringLiteral("120,91")));
}

TEST(IndexExport, ThePlainExportAsksBeforeReplacingIndicesKvi) {
  TIndexPageFixture f;
  const std::string folder = f.home.File("plain");
  QDir().mkpath(gui::PathToQt(folder));
  const QString indices = gui::PathToQt(folder + "/Indices.kvi");
  f.w.files.QueueAnswer(folder);
  f.w.Trigger("ActExpIndex");
  ASSERT_TRUE(QFileInfo::exists(indices));
  const qint64 size = QFileInfo(indices).size();

  f.Page()->SetDialogRunner({});
  f.w.files.QueueAnswer(folder);
  f.w.messages.QueueAskAnswer(2);
  f.Type(2, 0, QStringLiteral("105"));
  f.w.Trigger("ActExpIndex");
  EXPECT_EQ(f.w.messages.Calls().back().Title, "Bestand bestaat al");
  EXPECT_EQ(QFileInfo(indices).size(), size);
  EXPECT_TRUE(Companion({QStringLiteral("calc"), gui::PathToQt(f.kvp), QStringLiteral("--index"), indices})
                  .contains(QStringLiteral("100,45")));
}

// A BMP picture of the given size in the test's home; its path as bytes.
std::string WriteBitmap(const TTestHome& home, const char* name, int size) {
  QImage image(size, size, QImage::Format_RGB32);
  image.fill(Qt::darkGreen);
  const std::string path = home.File(name);
  image.save(gui::PathToQt(path), "BMP");
  return path;
}

TEST(IndexExport, ThePictureIsSixteenBySixteenOrRefused) {
  TIndexPageFixture f({"/advIndexExport"});
  gui::TfrmIndexExportDlg dialog(f.w.Window(), f.w.files, &f.w.Window());
  dialog.Load({}, 0, std::nullopt);
  auto* fileName = dialog.findChild<QLineEdit*>(QStringLiteral("edtFileName"));
  EXPECT_EQ(gui::PathFromQt(fileName->text()), f.w.Window().Settings().centralPath + "Indices.kvi");
  auto* load = dialog.findChild<QPushButton*>(QStringLiteral("btnImgLoad"));
  auto* wipe = dialog.findChild<QPushButton*>(QStringLiteral("btnImgDel"));
  EXPECT_FALSE(wipe->isEnabled());

  f.w.files.QueueAnswer(WriteBitmap(f.home, "klein.bmp", 16));
  load->click();
  ASSERT_TRUE(dialog.Picture().has_value());
  EXPECT_EQ(dialog.Picture()->Width, 16);
  EXPECT_TRUE(wipe->isEnabled());
  dialog.show();
  SaveScreenshot(&dialog, QStringLiteral("index_export_dialog_picture"));

  f.w.files.QueueAnswer(WriteBitmap(f.home, "groot.bmp", 32));
  load->click();
  EXPECT_EQ(f.w.messages.Calls().back().Text1, "Het pictogram moet 16 bij 16 pixels zijn.");
  EXPECT_EQ(dialog.Picture()->Width, 16);

  const std::string broken = f.home.File("kapot.bmp");
  QFile file(gui::PathToQt(broken));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("BM nonsense");
  file.close();
  f.w.files.QueueAnswer(broken);
  load->click();
  EXPECT_EQ(f.w.messages.Calls().back().Text1, "Fout bij laden bestand.");

  wipe->click();
  EXPECT_FALSE(dialog.Picture().has_value());
  EXPECT_FALSE(wipe->isEnabled());
}

}  // namespace
}  // namespace pc::guitest
