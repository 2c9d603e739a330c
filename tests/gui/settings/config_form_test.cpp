// The options dialog as a user works it: the connection test through every
// kind of proxy the core's tests start, Apply refusing what cannot be right,
// and the settings file written at the end.
#include <sys/stat.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include "gui/common/qt_text.h"
#include "gui/settings/config_form.h"
#include "gui/common/link_label.h"
#include "gui/update/update_window.h"
#include "gui/update/view_log_form.h"
#include "platform/environment.h"
#include "platform/file_registry.h"
#include "settings/option_values.h"
#include "update/proxy_check.h"

namespace pc::guitest {
namespace {

using gui::TFrmConfig;
using pc::testing::ProxyServerKind;
using pc::testing::TestProxy;

const std::string kCheckLine = std::string(update::kProxyCheckLine) + "\r\n";

template <typename T>
T* Child(QWidget* parent, const char* name) {
  T* child = parent->findChild<T*>(QString::fromLatin1(name));
  EXPECT_NE(child, nullptr) << name;
  return child;
}

class ConfigFormTest : public UpdateWindowTest {
 protected:
  void SetUp() override {
    UpdateWindowTest::SetUp();
    // The desktop's own connection goes nowhere, so only the settings under
    // test can reach the server.
    systemProxy_.answer = {platform::ProxyAccessType::Proxy,
                           "127.0.0.1:" + std::to_string(pc::testing::FreeLoopbackPort()), ""};
    server_.SetProxyCheck(kCheckLine);
  }
  TFrmConfig* OpenOptions() {
    window_->Action("ActOpt")->trigger();
    return ShownWindow<TFrmConfig>();
  }
  // Types `text` over the field's text and leaves the field with Tab.
  static void Type(QLineEdit* field, const std::string& text) {
    field->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(field->window()));
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, QString::fromStdString(text));
    QTest::keyClick(field, Qt::Key_Tab);
    EXPECT_FALSE(field->hasFocus());
  }
  static void ChooseKind(QComboBox* kinds, int index) {
    QTest::keyClick(kinds, Qt::Key_Home);
    for (int i = 0; i < index; ++i) QTest::keyClick(kinds, Qt::Key_Down);
  }
  // Waits for the test result `text`; records every status seen meanwhile.
  bool WaitForStatus(TFrmConfig* dialog, const QString& text, std::vector<QString>* seen = nullptr) {
    return WaitFor([&] {
      if (seen != nullptr && (seen->empty() || seen->back() != dialog->TestStatus()))
        seen->push_back(dialog->TestStatus());
      return dialog->TestStatus() == text;
    }, 30000);
  }
};

struct KindCase {
  const char* name;
  ProxyServerKind server;
  int kind;
};

class ConfigConnectionTest : public ConfigFormTest, public ::testing::WithParamInterface<KindCase> {};

TEST_P(ConfigConnectionTest, TestReachesTheServerThroughTheProxyAndNotThroughAWrongPort) {
  const KindCase& c = GetParam();
  TestProxy proxy;
  std::string why;
  bool missing = false;
  if (!proxy.Start(c.server, "", "", &why, &missing)) {
    if (missing && !pc::testing::InCi()) GTEST_SKIP() << why;
    FAIL() << why;
  }
  MakeWindow();
  TFrmConfig* dialog = OpenOptions();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Opties"));
  auto* pages = Child<QTabWidget>(dialog, "Pages");
  EXPECT_EQ(pages->currentWidget()->objectName(), QStringLiteral("PPUpdate"));
  SaveScreenshot(dialog, QStringLiteral("options_updates"));

  pages->setCurrentWidget(Child<QWidget>(dialog, "PPProxy"));
  Child<QCheckBox>(dialog, "CBProxy")->click();
  ChooseKind(Child<QComboBox>(dialog, "EdtPVersion"), c.kind);
  Type(Child<QLineEdit>(dialog, "EdtPHost"), "127.0.0.1");
  Type(Child<QLineEdit>(dialog, "EdtPPort"), std::to_string(proxy.port()));
  EXPECT_TRUE(WaitForStatus(dialog, QStringLiteral("127.0.0.1 is bereikbaar"))) << dialog->TestStatus().toStdString();
  EXPECT_EQ(Child<QComboBox>(dialog, "EdtPVersion")->currentIndex(), c.kind);
  EXPECT_TRUE(Child<QWidget>(dialog, "gifOk")->isVisible());
  EXPECT_FALSE(Child<QWidget>(dialog, "gifWarning")->isVisible());
  SaveScreenshot(dialog, QStringLiteral("options_connection_") + QString::fromLatin1(c.name));

  Type(Child<QLineEdit>(dialog, "EdtPPort"), std::to_string(pc::testing::FreeLoopbackPort()));
  EXPECT_TRUE(WaitForStatus(dialog, QStringLiteral("Kon geen verbinding maken.")))
      << dialog->TestStatus().toStdString();
  EXPECT_TRUE(Child<QWidget>(dialog, "gifWarning")->isVisible());
  EXPECT_FALSE(Child<QWidget>(dialog, "gifOk")->isVisible());

  Child<QPushButton>(dialog, "Button2")->click();  // Annuleer
  EXPECT_TRUE(WaitFor([] { return ShownWindow<TFrmConfig>() == nullptr; }));
  EXPECT_FALSE(window_->Settings().Proxy.Enabled);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ConfigConnectionTest,
                         ::testing::Values(KindCase{"HttpProxy", ProxyServerKind::Squid, 0},
                                           KindCase{"Socks4", ProxyServerKind::Dante, 1},
                                           KindCase{"Socks4a", ProxyServerKind::Socks4a, 2},
                                           KindCase{"Socks5", ProxyServerKind::Dante, 3}),
                         [](const ::testing::TestParamInfo<KindCase>& info) { return std::string(info.param.name); });

TEST_F(ConfigFormTest, AResultIsShownOnlyForTheSettingsTested) {
  server_.SetBehaviour("path:/update/proxy_check.txt", {{"delay", 2}, {"body", kCheckLine}});
  MakeWindow();
  TFrmConfig* dialog = OpenOptions();
  ASSERT_NE(dialog, nullptr);
  Child<QTabWidget>(dialog, "Pages")->setCurrentWidget(Child<QWidget>(dialog, "PPProxy"));
  ASSERT_TRUE(WaitForStatus(dialog, QStringLiteral("Internet verbinding testen...")));
  // Switched to a proxy while the direct connection is under test: the
  // direct connection's answer is not shown for it.
  Child<QCheckBox>(dialog, "CBProxy")->click();
  EXPECT_EQ(dialog->TestStatus(), QString());
  std::vector<QString> seen;
  EXPECT_TRUE(WaitForStatus(dialog, QStringLiteral("Kon geen verbinding maken."), &seen));
  for (const QString& status : seen) EXPECT_NE(status, QStringLiteral("127.0.0.1 is bereikbaar"));
  dialog->reject();
}

TEST_F(ConfigFormTest, OpenedFromTheLogViewerItTestsTheConnectionAtOnce) {
  MakeWindow();
  window_->Action("actLog")->trigger();
  auto* viewer = ShownWindow<gui::TfrmViewLog>();
  ASSERT_NE(viewer, nullptr);
  QTest::mouseClick(Child<gui::TLinkLabel>(viewer, "lCfg"), Qt::LeftButton);
  TFrmConfig* dialog = ShownWindow<TFrmConfig>();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(Child<QTabWidget>(dialog, "Pages")->currentWidget()->objectName(), QStringLiteral("PPProxy"));
  // Direct (no proxy) through the settings under test reaches the server.
  EXPECT_TRUE(WaitForStatus(dialog, QStringLiteral("127.0.0.1 is bereikbaar")));
  dialog->reject();
  viewer->reject();
}

TEST_F(ConfigFormTest, ApplyRefusesWhatCannotBeRightAndOkStoresTheRest) {
  MakeWindow();
  settings::TKVConfig& s = window_->Settings();
  const std::string oldFolder = s.centralPath;
  TFrmConfig* dialog = OpenOptions();
  ASSERT_NE(dialog, nullptr);
  auto* apply = Child<QPushButton>(dialog, "BtnApply");
  EXPECT_FALSE(apply->isEnabled());
  EXPECT_FALSE(Child<QWidget>(dialog, "PProxy")->isEnabled());

  // An index folder that cannot be made.
  Child<QTabWidget>(dialog, "Pages")->setCurrentWidget(Child<QWidget>(dialog, "TabSheet1"));
  SaveScreenshot(dialog, QStringLiteral("options_index_folder"));
  pc::testing::WriteFileBytes(home_.File("afile"), "x");
  Type(Child<QLineEdit>(dialog, "edtIndexDir"), home_.File("afile") + "/index");
  EXPECT_TRUE(apply->isEnabled());
  apply->click();
  EXPECT_EQ(messages_.Messages(),
            std::vector<std::string>{"De map \"" + home_.File("afile") + "/index/\" kan niet worden aangemaakt."});
  EXPECT_EQ(s.centralPath, oldFolder);
  EXPECT_TRUE(apply->isEnabled());

  // A port outside 1..65535 with the proxy on.
  const std::string newFolder = home_.File("nieuw") + "/indices";
  Type(Child<QLineEdit>(dialog, "edtIndexDir"), newFolder);
  Child<QTabWidget>(dialog, "Pages")->setCurrentWidget(Child<QWidget>(dialog, "PPProxy"));
  Child<QCheckBox>(dialog, "CBProxy")->click();
  EXPECT_TRUE(Child<QWidget>(dialog, "PProxy")->isEnabled());
  EXPECT_FALSE(Child<QWidget>(dialog, "EdtPUser")->isEnabled());
  Type(Child<QLineEdit>(dialog, "EdtPHost"), "proxy.example.nl");
  for (const char* port : {"0", "70000", "poort"}) {
    messages_.ClearCalls();
    Type(Child<QLineEdit>(dialog, "EdtPPort"), port);
    apply->click();
    EXPECT_EQ(messages_.Messages(), std::vector<std::string>{std::string(settings::kBadPortMessage)}) << port;
    EXPECT_FALSE(s.Proxy.Enabled);
    EXPECT_EQ(s.centralPath, oldFolder);
  }
  Type(Child<QLineEdit>(dialog, "EdtPPort"), "3128");
  ChooseKind(Child<QComboBox>(dialog, "EdtPVersion"), 3);
  Child<QCheckBox>(dialog, "CBPLogon")->click();
  EXPECT_TRUE(Child<QWidget>(dialog, "EdtPPass")->isEnabled());
  Type(Child<QLineEdit>(dialog, "EdtPUser"), "piet");
  Type(Child<QLineEdit>(dialog, "EdtPPass"), "geheim");
  SaveScreenshot(dialog, QStringLiteral("options_connection"));
  // Logon switched off again: the user stays, the password is not kept.
  Child<QCheckBox>(dialog, "CBPLogon")->click();
  messages_.ClearCalls();
  Child<QPushButton>(dialog, "Button1")->click();  // Ok
  EXPECT_TRUE(messages_.Messages().empty());
  EXPECT_TRUE(WaitFor([] { return ShownWindow<TFrmConfig>() == nullptr; }));

  const settings::proxyInfoRec expected{true,  "proxy.example.nl", 3128, settings::TProxyKind::Socks5,
                                        false, "piet",             ""};
  EXPECT_EQ(s.Proxy, expected);
  EXPECT_EQ(s.centralPath, newFolder + "/");
  EXPECT_TRUE(std::filesystem::exists(newFolder + "/Indices.kvi"));

  // The settings file written when the window closes holds them, for the
  // user alone.
  window_->close();
  const platform::Environment& env = platform::ProcessEnvironment();
  const std::string file = platform::DefaultSettingsFile(env);
  struct stat st {};
  ASSERT_EQ(::stat(file.c_str(), &st), 0) << file;
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  platform::FileRegistry registry(file, platform::XdgShellFolders(env));
  platform::MemorySystemProxy noProxy;
  settings::TKVConfig reread({registry, noProxy, platform::ProgramFolder(), platform::UpdatesFolder()});
  reread.Load();
  EXPECT_EQ(reread.Proxy, expected);
  EXPECT_EQ(reread.centralPath, newFolder + "/");
}

TEST_F(ConfigFormTest, EmptyFolderMeansTheDefaultAndCancelKeepsWhatWasApplied) {
  MakeWindow();
  settings::TKVConfig& s = window_->Settings();
  const std::string defaultFolder = s.centralPath;
  s.centralPath = home_.File("elders") + "/";
  TFrmConfig* dialog = OpenOptions();
  ASSERT_NE(dialog, nullptr);
  Child<QTabWidget>(dialog, "Pages")->setCurrentWidget(Child<QWidget>(dialog, "TabSheet1"));
  Type(Child<QLineEdit>(dialog, "edtIndexDir"), "");
  Child<QWidget>(dialog, "CBOff")->setFocus();
  QTest::mouseClick(Child<QWidget>(dialog, "CBOff"), Qt::LeftButton);
  Child<QPushButton>(dialog, "BtnApply")->click();
  EXPECT_EQ(s.centralPath, defaultFolder);
  EXPECT_FALSE(s.Enabled);
  EXPECT_EQ(Child<QLineEdit>(dialog, "edtIndexDir")->text(), gui::PathToQt(defaultFolder));
  EXPECT_FALSE(Child<QPushButton>(dialog, "BtnApply")->isEnabled());
  Child<QPushButton>(dialog, "Button2")->click();
  EXPECT_EQ(s.centralPath, defaultFolder);
  EXPECT_FALSE(s.Enabled);
}

TEST_F(ConfigFormTest, TakingTheSystemSettingFillsTheProxyFields) {
  MakeWindow();
  window_->Settings().Proxy = {false, "oud", 8080, settings::TProxyKind::Socks5, true, "piet", "geheim"};
  systemProxy_.answer = {platform::ProxyAccessType::Proxy, "proxy.example.nl:3128", ""};
  TFrmConfig* dialog = OpenOptions();
  ASSERT_NE(dialog, nullptr);
  Child<QTabWidget>(dialog, "Pages")->setCurrentWidget(Child<QWidget>(dialog, "PPProxy"));
  QTest::mouseClick(Child<gui::TLinkLabel>(dialog, "LWinNetSet"), Qt::LeftButton);
  EXPECT_TRUE(Child<QCheckBox>(dialog, "CBProxy")->isChecked());
  EXPECT_EQ(Child<QLineEdit>(dialog, "EdtPHost")->text(), QStringLiteral("proxy.example.nl"));
  EXPECT_EQ(Child<QLineEdit>(dialog, "EdtPPort")->text(), QStringLiteral("3128"));
  EXPECT_EQ(Child<QComboBox>(dialog, "EdtPVersion")->currentText(), QStringLiteral("HTTP Proxy"));
  EXPECT_FALSE(Child<QCheckBox>(dialog, "CBPLogon")->isChecked());
  EXPECT_EQ(Child<QLineEdit>(dialog, "EdtPUser")->text(), QString());
  EXPECT_EQ(Child<QLineEdit>(dialog, "EdtPPass")->text(), QString());
  EXPECT_TRUE(Child<QPushButton>(dialog, "BtnApply")->isEnabled());
  // A setting that cannot be read changes nothing.
  Type(Child<QLineEdit>(dialog, "EdtPHost"), "eigen");
  systemProxy_.succeeds = false;
  QTest::mouseClick(Child<gui::TLinkLabel>(dialog, "LWinNetSet"), Qt::LeftButton);
  EXPECT_EQ(Child<QLineEdit>(dialog, "EdtPHost")->text(), QStringLiteral("eigen"));
  EXPECT_TRUE(Child<QCheckBox>(dialog, "CBProxy")->isChecked());
  dialog->reject();
  EXPECT_EQ(window_->Settings().Proxy.Host, "oud");
}

}  // namespace
}  // namespace pc::guitest
