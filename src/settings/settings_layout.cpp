#include "settings/settings_layout.h"

#include <array>

#include "settings/kv_config.h"

namespace pc::settings {
namespace {

using S = SettingSection;
using F = SettingForm;

const std::array<SettingSpec, 22> kLayout{{
    {S::MainWindow, "WinState", F::Byte, [](TKVConfig& c) -> SettingField { return &c.WinState; }, true, true, 0},
    {S::MainWindow, "Top", F::Integer, [](TKVConfig& c) -> SettingField { return &c.Top; }, true, true, 0},
    {S::MainWindow, "Left", F::Integer, [](TKVConfig& c) -> SettingField { return &c.Left; }, true, true, 0},
    {S::MainWindow, "Height", F::Integer, [](TKVConfig& c) -> SettingField { return &c.Height; }, true, true, 0},
    {S::MainWindow, "Width", F::Integer, [](TKVConfig& c) -> SettingField { return &c.Width; }, true, true, 0},

    {S::App, "centralPath", F::Text, [](TKVConfig& c) -> SettingField { return &c.centralPath; }, true, true, 0},
    {S::App, "filePath", F::Text, [](TKVConfig& c) -> SettingField { return &c.filePath; }, true, false, 0},

    {S::Update, "Enabled", F::Flag, [](TKVConfig& c) -> SettingField { return &c.Enabled; }, true, true, 1},
    {S::Update, "EnabledAsked", F::Flag, [](TKVConfig& c) -> SettingField { return &c.EnabledAsked; }, true, true, 0},
    {S::Update, "SkipCoreFile", F::Flag, [](TKVConfig& c) -> SettingField { return &c.SkipCoreFile; }, false, true, 0},
    {S::Update, "sysEmail", F::Text, [](TKVConfig& c) -> SettingField { return &c.sysEmail; }, true, true, 0},
    {S::Update, "LoginName", F::Text, [](TKVConfig& c) -> SettingField { return &c.LoginName; }, true, true, 0},
    {S::Update, "LastDownloadedCoreFile", F::Text,
     [](TKVConfig& c) -> SettingField { return &c.LastDownloadedCoreFile; }, true, true, 0},
    {S::Update, "LastCoreFileInstalled", F::Text,
     [](TKVConfig& c) -> SettingField { return &c.LastCoreFileInstalled; }, true, true, 0},
    {S::Update, "ignoreDownloadedCoreFile", F::Text,
     [](TKVConfig& c) -> SettingField { return &c.ignoreDownloadedCoreFile; }, true, true, 0},

    {S::Proxy, "Enabled", F::Flag, [](TKVConfig& c) -> SettingField { return &c.Proxy.Enabled; }, true, true, 0},
    {S::Proxy, "Host", F::Text, [](TKVConfig& c) -> SettingField { return &c.Proxy.Host; }, true, true, 0},
    {S::Proxy, "Port", F::Integer, [](TKVConfig& c) -> SettingField { return &c.Proxy.Port; }, true, true, 8080},
    {S::Proxy, "ProxyKind", F::ProxyKind, [](TKVConfig& c) -> SettingField { return &c.Proxy.ProxyKind; }, true, true, 0},
    {S::Proxy, "LogonNeeded", F::Flag, [](TKVConfig& c) -> SettingField { return &c.Proxy.LogonNeeded; }, true, true, 0},
    {S::Proxy, "User", F::Text, [](TKVConfig& c) -> SettingField { return &c.Proxy.User; }, true, true, 0},
    {S::Proxy, "Pass", F::Password, [](TKVConfig& c) -> SettingField { return &c.Proxy.Pass; }, true, true, 0},
}};

}  // namespace

std::span<const SettingSpec> SettingsLayout() { return kLayout; }

std::string_view SectionKey(SettingSection section) {
  switch (section) {
    case S::MainWindow:
      return kMainWindowKey;
    case S::App:
      return kAppKey;
    case S::Update:
      return kUpdateKey;
    case S::Proxy:
      return kProxyKey;
  }
  return kSettingsRoot;
}

}  // namespace pc::settings
