// Shared set-up of the project tests: a temporary folder that is removed
// afterwards, settings whose central index folder lies inside it, recorded
// messages and scripted answers, and a fixed date for "today".
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>

#include "common/date_time.h"
#include "common/recording_messages.h"
#include "platform/memory_registry.h"
#include "platform/system_proxy.h"
#include "project/merge_questions.h"
#include "project/project_data.h"
#include "settings/kv_config.h"

namespace pc::project::testing {

class TempFolder {
 public:
  TempFolder() {
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() /
            ("pc_project_test_" + std::to_string(rd()) + "_" + std::to_string(rd()));
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  // The folder with a trailing separator.
  std::string Folder() const { return path_.string() + "/"; }
  std::string Path(const std::string& name) const { return Folder() + name; }

 private:
  std::filesystem::path path_;
};

inline bool Exists(const std::string& path) { return std::filesystem::exists(path); }

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

// 10 March 2008.
inline TDateTime Day(int y, int m, int d) { return EncodeDate(y, m, d); }

class ProjectFixture : public ::testing::Test {
 protected:
  ProjectFixture()
      : settings_({registry_, proxy_, temp_.Folder() + "program", std::string()}) {
    settings_.centralPath = temp_.Folder() + "central/";
    std::filesystem::create_directories(settings_.centralPath);
    services_.Settings = &settings_;
    services_.Messages = &messages_;
    services_.Questions = &questions_;
    services_.Today = [] { return EncodeDate(2008, 3, 10); };
  }

  std::string Central(const std::string& name) const { return settings_.centralPath + name; }

  // A document with models, the given period and components (name,
  // percentage, variable) and no figures.
  std::unique_ptr<TProjectData> NewDocument() {
    auto d = std::make_unique<TProjectData>(&services_);
    d->EnsureModels();
    return d;
  }

  TempFolder temp_;
  platform::MemoryRegistry registry_;
  platform::MemorySystemProxy proxy_;
  settings::TKVConfig settings_;
  TRecordingMessages messages_;
  TScriptedMergeQuestions questions_;
  TProjectServices services_;
};

// Adds a component and returns its slot.
inline int AddComponent(TBDConfig& table, const std::string& name, double percentage,
                        bool variable = false) {
  TComponentValues v;
  v.Name = name;
  v.Percentage = percentage;
  v.Variable = variable;
  return table.AddComponent(v);
}

// Sets a figure for a calendar month of the component in `slot`; the table's
// derived figures are rebuilt as a loader does.
inline void SetFigures(TBDConfig& table, int slot,
                       std::initializer_list<std::pair<std::pair<int, int>, double>> figures) {
  for (const auto& [ym, value] : figures)
    table.SetCellValue(slot, MonthKeyOfYearMonth(ym.first, ym.second), value);
  table.ResetRanges(false);
  table.RebuildMonthList();
  table.RebuildAllCarryForward();
  table.ComputeTrend(0);
}

inline void SetPeriod(TBDConfig& table, int y1, int m1, int y2, int m2) {
  table.SetPeriodStart(MonthKeyOfYearMonth(y1, m1));
  table.SetPeriodEnd(MonthKeyOfYearMonth(y2, m2));
  table.RebuildMonthList();
}

}  // namespace pc::project::testing
