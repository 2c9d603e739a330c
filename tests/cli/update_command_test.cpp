// The companion's update command, run as a user runs it, against the local
// update server, with every folder of its own under a temporary folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "fixture/test_servers.h"
#include "shell_command.h"

namespace {

namespace fs = std::filesystem;
using pc::testing::ReadFileBytes;

const std::string H = "PrijsCorrectumAutoUpdateInfoFile\r\n";

class UpdateCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string why;
    ASSERT_TRUE(server_.Start(&why)) << why;
  }

  std::string Folder(const char* name) const { return (dir_.path() / name).string(); }

  // Runs the companion with `args`; returns its exit status.
  int Run(const std::string& args, const std::string& extraEnv = "") {
    fs::create_directories(Folder("tmp"));
    const std::string command = "env -u http_proxy -u HTTP_PROXY -u https_proxy -u HTTPS_PROXY -u all_proxy "
                                "-u ALL_PROXY HOME=" + dir_.path().string() +
                                " XDG_CONFIG_HOME=" + Folder("config") + " XDG_DATA_HOME=" + Folder("data") +
                                " XDG_STATE_HOME=" + Folder("state") + " TMPDIR=" + Folder("tmp") + " " + extraEnv +
                                " " + PC_CLI_PATH + " update " + args + " 2>" + Folder("err.txt");
    const int status = pc::cli::testing::RunShellCommand(command, out_);
    err_ = ReadFileBytes(Folder("err.txt"));
    return status;
  }

  // Every regular file under `folder`, relative to it.
  std::vector<std::string> FilesUnder(const std::string& folder) const {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& e : fs::recursive_directory_iterator(folder, ec))
      if (e.is_regular_file()) names.push_back(fs::relative(e.path(), folder).string());
    std::sort(names.begin(), names.end());
    return names;
  }

  pc::testing::TempDir dir_;
  pc::testing::UpdateTestServer server_;
  std::string out_;
  std::string err_;
};

TEST_F(UpdateCommandTest, FetchesTheIndexFileAndPrintsEveryStatusLine) {
  server_.SetInfo(H + "D:I:\"Indices 2027.kvi\"\r\nM Nieuwe cijfers\r\n");
  server_.SetFile("Indices 2027.kvi", std::string(5000, 'i'));
  ASSERT_EQ(Run("--server " + server_.BaseUrl()), 0) << err_;
  EXPECT_NE(out_.find("Downloaden van informatiebestand.."), std::string::npos) << out_;
  EXPECT_NE(out_.find("Downloaden van Indices 2027.kvi"), std::string::npos) << out_;
  EXPECT_NE(out_.find("De update is gelukt"), std::string::npos) << out_;

  // The index file lands in the shared index folder, complete.
  const std::string index = Folder("data") + "/PrijsCorrectum/Indices 2027.kvi";
  EXPECT_EQ(ReadFileBytes(index), std::string(5000, 'i'));
  // The log holds the same lines; the settings remember the file and memo.
  const auto state = FilesUnder(Folder("state"));
  ASSERT_EQ(state, std::vector<std::string>{"PrijsCorrectum/AutoUpdateLog.txt"});
  const std::string log = ReadFileBytes(Folder("state") + "/PrijsCorrectum/AutoUpdateLog.txt");
  EXPECT_NE(log.find("Autoupdate voortgang: De update is gelukt \r\n"), std::string::npos) << log;
  const auto config = FilesUnder(Folder("config"));
  ASSERT_EQ(config.size(), 1u);
  const std::string settings = ReadFileBytes(Folder("config") + "/" + config.front());
  EXPECT_NE(settings.find("Indices 2027.kvi"), std::string::npos);
  EXPECT_NE(settings.find("Nieuwe cijfers"), std::string::npos);
  EXPECT_TRUE(FilesUnder(Folder("tmp")).empty()) << "temporary files left behind";
}

TEST_F(UpdateCommandTest, TheServerComesFromTheEnvironmentWithoutAnOption) {
  server_.SetInfo(H);
  EXPECT_EQ(Run("", "PRIJSCORRECTUM_UPDATE_SERVER=" + server_.BaseUrl()), 0) << err_;
  ASSERT_FALSE(server_.Requests().empty());
}

TEST_F(UpdateCommandTest, ExitsWithThePassResultCode) {
  server_.SetInfo(H + "D:I:\"../buiten.kvi\"\r\n");
  server_.SetFile("buiten.kvi", std::string(500, 'b'));
  EXPECT_EQ(Run("--server=" + server_.BaseUrl()), 5);
  EXPECT_NE(out_.find("Ongeldige bestandsnaam \"../buiten.kvi\""), std::string::npos) << out_;
  EXPECT_NE(err_.find("mislukt"), std::string::npos) << err_;
  EXPECT_FALSE(fs::exists(Folder("data") + "/buiten.kvi"));

  server_.SetInfo("Geen informatiebestand");
  EXPECT_EQ(Run("--server " + server_.BaseUrl()), 4);
}

TEST_F(UpdateCommandTest, ASignalStopsThePass) {
  server_.SetInfo(H);
  server_.SetBehaviour("info", {{"delay", 20}});
  // The shell starts the companion, stops it once its request has reached
  // the server (the pass is running then), and hands on its exit status.
  const std::string requests = (server_.root() / "requests.log").string();
  EXPECT_EQ(Run("--server " + server_.BaseUrl() + " & pid=$!; for i in $(seq 200); do [ -s " + requests +
                " ] && break; sleep 0.05; done; kill -TERM $pid; wait $pid; exit $? #"),
            7)
      << out_;
  EXPECT_NE(out_.find("Update voortijdig afgebroken"), std::string::npos) << out_;
}

TEST_F(UpdateCommandTest, UsageErrors) {
  EXPECT_EQ(Run("--server"), 2);
  EXPECT_EQ(Run("--server ftp://127.0.0.1/"), 2);
  EXPECT_EQ(Run("--verbose"), 2);
  EXPECT_TRUE(server_.Requests().empty());
}

}  // namespace
