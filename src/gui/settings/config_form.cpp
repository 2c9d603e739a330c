#include "gui/settings/config_form.h"

#include <QFileDialog>
#include <QStyle>

#include "gui/common/qt_text.h"
#include "gui/common/link_label.h"
#include "gui/update/update_config_frame.h"
#include "platform/folders.h"
#include "settings/option_values.h"
#include "ui_config_form.h"
#include "update/server_url.h"

namespace pc::gui {
namespace {

constexpr int kTestAfterPageSwitch = 500;
constexpr int kTestAfterEdit = 2000;
constexpr int kRetryWhileTesting = 500;

}  // namespace

TFrmConfig::TFrmConfig(TWindowServices& window, TFileDialogs* folderDialogs, TConnectionTestSetup setup,
                       bool openOnConnectionPage, QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::TFrmConfig>()),
      window_(window),
      folderDialogs_(folderDialogs),
      setup_(std::move(setup)) {
  ui_->setupUi(this);
  setFixedSize(423, 434);
  updateFrame_ = new TFrmeUpdateConfig(ui_->PPUpdate);
  updateFrame_->setObjectName(QStringLiteral("FrmeUpdateConfig"));
  ui_->PPUpdate->layout()->addWidget(updateFrame_);
  updateFrame_->onChange = [this] { Changed(); };

  ui_->gifInProgress->setPixmap(style()->standardIcon(QStyle::SP_BrowserReload).pixmap(24, 24));
  ui_->gifOk->setPixmap(style()->standardIcon(QStyle::SP_DialogApplyButton).pixmap(24, 24));
  ui_->gifWarning->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(24, 24));

  tmrProxyCheck_.setObjectName(QStringLiteral("tmrProxyCheck"));
  tmrProxyCheck_.setSingleShot(true);
  connect(&tmrProxyCheck_, &QTimer::timeout, this, &TFrmConfig::RunTest);
  // The test thread's notifications run here, from this dialog's event loop.
  sync_.SetOnQueued([this] {
    QMetaObject::invokeMethod(this, [this] { sync_.ProcessPending(); }, Qt::QueuedConnection);
  });

  for (QLineEdit* field : {ui_->EdtPHost, ui_->EdtPPort, ui_->EdtPUser, ui_->EdtPPass}) {
    connect(field, &QLineEdit::textEdited, this, &TFrmConfig::Changed);
    connect(field, &QLineEdit::editingFinished, this, [this] { RestartTest(kTestAfterEdit); });
  }
  connect(ui_->EdtPVersion, &QComboBox::activated, this, [this] {
    Changed();
    RestartTest(kTestAfterEdit);
  });
  for (QCheckBox* box : {ui_->CBProxy, ui_->CBPLogon})
    connect(box, &QCheckBox::clicked, this, [this] {
      Changed();
      RestartTest(kTestAfterEdit);
    });
  connect(ui_->edtIndexDir, &QLineEdit::textEdited, this, &TFrmConfig::Changed);
  connect(ui_->LWinNetSet, &TLinkLabel::clicked, this, &TFrmConfig::TakeSystemProxy);
  connect(ui_->BtnIndexDir, &QToolButton::clicked, this, &TFrmConfig::ChooseIndexFolder);
  connect(ui_->Pages, &QTabWidget::currentChanged, this, [this](int index) {
    if (ui_->Pages->widget(index) == ui_->PPProxy) RestartTest(kTestAfterPageSwitch);
  });
  connect(ui_->Button1, &QPushButton::clicked, this, [this] {
    if (Apply()) accept();
  });
  connect(ui_->Button2, &QPushButton::clicked, this, &QDialog::reject);
  connect(ui_->BtnApply, &QPushButton::clicked, this, &TFrmConfig::Apply);

  {
    QSignalBlocker block(ui_->Pages);
    ui_->Pages->setCurrentWidget(openOnConnectionPage ? ui_->PPProxy : ui_->PPUpdate);
  }
  Load();
  modified_ = false;
  UpdateEnabling();
  ClearTestDisplay();
  if (openOnConnectionPage) RestartTest(kTestAfterPageSwitch);
}

TFrmConfig::~TFrmConfig() { StopTestThread(); }

void TFrmConfig::done(int result) {
  StopTestThread();
  QDialog::done(result);
}

void TFrmConfig::StopTestThread() {
  closing_ = true;
  tmrProxyCheck_.stop();
  if (check_) check_->Terminate();
}

void TFrmConfig::Load() {
  const settings::TKVConfig& s = window_.Settings();
  updateFrame_->Load(s);
  ui_->CBProxy->setChecked(s.Proxy.Enabled);
  ui_->EdtPHost->setText(ToQt(s.Proxy.Host));
  ui_->EdtPPort->setText(QString::number(s.Proxy.Port));
  ui_->EdtPVersion->setCurrentIndex(static_cast<int>(s.Proxy.ProxyKind) <= 3 ? static_cast<int>(s.Proxy.ProxyKind) : 0);
  ui_->CBPLogon->setChecked(s.Proxy.LogonNeeded);
  ui_->EdtPUser->setText(ToQt(s.Proxy.User));
  ui_->EdtPPass->setText(ToQt(s.Proxy.Pass));
  ui_->edtIndexDir->setText(PathToQt(s.centralPath));
}

bool TFrmConfig::Apply() {
  settings::TKVConfig& s = window_.Settings();
  // Everything is checked before anything is stored.
  const std::optional<std::int32_t> port = settings::ReadPort(FromQt(ui_->EdtPPort->text()));
  if (!port && ui_->CBProxy->isChecked()) {
    ui_->Pages->setCurrentWidget(ui_->PPProxy);
    ui_->EdtPPort->setFocus();
    window_.Messages().ShowMessage(std::string(settings::kBadPortMessage));
    return false;
  }
  std::string folder = settings::IndexFolderText(PathFromQt(ui_->edtIndexDir->text()));
  const std::string oldFolder = s.centralPath;
  if (folder.empty()) {
    s.SetDefaultIndexFolder();
    folder = s.centralPath;
    s.centralPath = oldFolder;
  }
  if (const std::string problem = settings::MakeIndexFolder(folder); !problem.empty()) {
    ui_->Pages->setCurrentWidget(ui_->TabSheet1);
    ui_->edtIndexDir->setFocus();
    window_.Messages().ShowMessage(problem);
    return false;
  }
  s.centralPath = folder;
  if (!window_.History().Current().EnsureDefaultIndexFile()) {
    const std::string file = s.DefaultIndexFile();
    s.centralPath = oldFolder;
    ui_->Pages->setCurrentWidget(ui_->TabSheet1);
    window_.Messages().ShowMessage("Het standaard indexbestand \"" + file + "\" kan niet worden aangemaakt.");
    return false;
  }

  updateFrame_->Save(s);
  s.Proxy.Enabled = ui_->CBProxy->isChecked();
  s.Proxy.Host = FromQt(ui_->EdtPHost->text());
  // A port that is not one, with the proxy switched off, keeps the stored one.
  if (port) s.Proxy.Port = *port;
  s.Proxy.ProxyKind = static_cast<settings::TProxyKind>(std::max(0, ui_->EdtPVersion->currentIndex()));
  s.Proxy.LogonNeeded = ui_->CBPLogon->isChecked();
  s.Proxy.User = FromQt(ui_->EdtPUser->text());
  s.Proxy.Pass = ui_->CBPLogon->isChecked() ? FromQt(ui_->EdtPPass->text()) : std::string();
  ui_->edtIndexDir->setText(PathToQt(s.centralPath));
  modified_ = false;
  UpdateEnabling();
  return true;
}

void TFrmConfig::UpdateEnabling() {
  ui_->BtnApply->setEnabled(modified_);
  const bool proxy = ui_->CBProxy->isChecked();
  ui_->PProxy->setEnabled(proxy);
  const bool logon = proxy && ui_->CBPLogon->isChecked();
  for (QWidget* w : {static_cast<QWidget*>(ui_->LPUser), static_cast<QWidget*>(ui_->EdtPUser),
                     static_cast<QWidget*>(ui_->LPPass), static_cast<QWidget*>(ui_->EdtPPass)})
    w->setEnabled(logon);
}

void TFrmConfig::Changed() {
  modified_ = true;
  UpdateEnabling();
  tmrProxyCheck_.stop();
  // A shown result belongs to the settings it tested, not to these.
  if (tested_ && *tested_ != CurrentTestValues()) ClearTestDisplay();
}

void TFrmConfig::RestartTest(int milliseconds) {
  if (closing_) return;
  tmrProxyCheck_.start(milliseconds);
}

TFrmConfig::TestValues TFrmConfig::CurrentTestValues() const {
  TestValues v;
  v.proxyOn = ui_->CBProxy->isChecked();
  v.host = FromQt(ui_->EdtPHost->text());
  v.port = settings::ReadPort(FromQt(ui_->EdtPPort->text())).value_or(0);
  v.kind = static_cast<std::uint8_t>(std::max(0, ui_->EdtPVersion->currentIndex()));
  v.logon = ui_->CBPLogon->isChecked();
  v.user = FromQt(ui_->EdtPUser->text());
  v.password = v.logon ? FromQt(ui_->EdtPPass->text()) : std::string();
  return v;
}

void TFrmConfig::RunTest() {
  if (closing_) return;
  if (!check_) {
    update::ProxyCheckContext context(sync_);
    context.systemProxy = setup_.systemProxy;
    context.baseUrl = setup_.baseUrl;
    context.tempFolder = setup_.tempFolder;
    context.transport = setup_.transport;
    context.urlMonAvailable = setup_.urlMonAvailable;
    check_ = std::make_unique<update::TProxyCheck>(context, [this] { ShowTestState(); });
  }
  // The settings under test may be written only between runs.
  if (check_->state() == update::TProxyCheck::kChecking) {
    tmrProxyCheck_.start(kRetryWhileTesting);
    return;
  }
  const TestValues v = CurrentTestValues();
  check_->proxyOn = v.proxyOn;
  check_->host = v.host;
  check_->port = v.port;
  check_->kind = v.kind;
  check_->logonNeeded = v.logon;
  check_->user = v.user;
  check_->password = v.password;
  tested_ = v;
  check_->Resume();
}

void TFrmConfig::ClearTestDisplay() {
  ui_->gifInProgress->hide();
  ui_->gifOk->hide();
  ui_->gifWarning->hide();
  ui_->lbProxyCheckStatus->clear();
}

void TFrmConfig::ShowTestState() {
  if (closing_ || !check_) return;
  const std::uint8_t state = check_->state();
  if (state == update::TProxyCheck::kIdle) return ClearTestDisplay();
  if (state == update::TProxyCheck::kChecking) {
    ui_->gifOk->hide();
    ui_->gifWarning->hide();
    ui_->gifInProgress->show();
    ui_->lbProxyCheckStatus->setText(QStringLiteral("Internet verbinding testen..."));
    return;
  }
  // Done: the answer counts only for the values that are still in the fields.
  if (!tested_ || *tested_ != CurrentTestValues()) return ClearTestDisplay();
  const bool reachable = check_->reachable();
  ui_->gifInProgress->hide();
  ui_->gifOk->setVisible(reachable);
  ui_->gifWarning->setVisible(!reachable);
  ui_->lbProxyCheckStatus->setText(reachable ? ToQt(update::UrlHostName(setup_.baseUrl) + " is bereikbaar")
                                             : QStringLiteral("Kon geen verbinding maken."));
}

QString TFrmConfig::TestStatus() const { return ui_->lbProxyCheckStatus->text(); }

void TFrmConfig::TakeSystemProxy() {
  bool enabled = false;
  std::string host;
  std::string port;
  if (!window_.Settings().QuerySystemProxy(enabled, host, port)) return;
  ui_->CBProxy->setChecked(enabled);
  ui_->EdtPHost->setText(ToQt(host));
  ui_->EdtPPort->setText(ToQt(port));
  ui_->EdtPVersion->setCurrentIndex(0);
  ui_->CBPLogon->setChecked(false);
  ui_->EdtPUser->clear();
  ui_->EdtPPass->clear();
  Changed();
}

void TFrmConfig::ChooseIndexFolder() {
  const std::string start = PathFromQt(ui_->edtIndexDir->text());
  std::optional<std::string> chosen;
  if (folderDialogs_ != nullptr) {
    chosen = folderDialogs_->ExistingFolder(start, "Bladeren");
  } else {
    const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("Bladeren"), PathToQt(start));
    if (!folder.isEmpty()) chosen = PathFromQt(folder);
  }
  if (!chosen) return;
  ui_->edtIndexDir->setText(PathToQt(settings::IndexFolderText(*chosen)));
  Changed();
}

TFrmConfig* OpenOptions(TWindowServices& window, TFileDialogs* folderDialogs, TConnectionTestSetup setup,
                        bool openOnConnectionPage, QWidget* parent) {
  auto* dialog = new TFrmConfig(window, folderDialogs, std::move(setup), openOnConnectionPage, parent);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->open();
  return dialog;
}

}  // namespace pc::gui
