// The file operations when the file system says no: each answers the truth,
// and an existing file is never left shorter than the record or without its
// tail.
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>

#include "fakes/TempFolder.h"
#include "settings/SettingsFile.h"

namespace ravel {
namespace {

using testing::Pattern;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

// Permissions mean nothing to root, so the operation runs in a child that
// has given root up; its answer (an error number) comes back as the exit
// status.
int AsUnprivilegedUser(const std::function<int()>& operation) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            ::_exit(100);
        }
        ::_exit(operation());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 101;
}

SettingsRecord RecordFrom(unsigned seed) {
    SettingsRecord record;
    const auto bytes = Pattern(kSettingsSize, seed);
    std::memcpy(&record, bytes.data(), sizeof record);
    return record;
}

class SettingsFault : public ::testing::Test {
protected:
    void SetUp() override {
        ::chmod(folder.path().c_str(), 0755);  // the unprivileged child must reach it
    }
    TempFolder folder;
};

TEST_F(SettingsFault, ReadOnlyFileIsNeitherWrittenNorReportedSaved) {
    const auto original = Pattern(1000, 4);
    WriteBytes(folder.settingsFile(), original);
    ::chmod((folder.path() + "/Ravelstone").c_str(), 0755);
    ::chmod(folder.settingsFile().c_str(), 0444);
    const std::string file = folder.settingsFile();
    EXPECT_EQ(AsUnprivilegedUser([&] { return SaveSettings(RecordFrom(9), file.c_str()); }),
              EACCES);
    EXPECT_EQ(ReadBytes(folder.settingsFile()), original);
    // Reading it is still fine.
    EXPECT_EQ(AsUnprivilegedUser([&] {
                  SettingsRecord record{};
                  return LoadSettings(record, file.c_str());
              }),
              0);
}

TEST_F(SettingsFault, ReadOnlyFolderRefusesANewFile) {
    std::filesystem::create_directories(folder.path() + "/Ravelstone");
    ::chmod((folder.path() + "/Ravelstone").c_str(), 0555);
    const std::string file = folder.settingsFile();
    EXPECT_EQ(AsUnprivilegedUser([&] { return SaveSettings(RecordFrom(9), file.c_str()); }),
              EACCES);
    EXPECT_FALSE(std::filesystem::exists(folder.settingsFile()));
}

TEST_F(SettingsFault, UnreadableFileFallsBackAndLeavesTheRecord) {
    WriteBytes(folder.settingsFile(), Pattern(596, 4));
    ::chmod((folder.path() + "/Ravelstone").c_str(), 0755);
    ::chmod(folder.settingsFile().c_str(), 0200);
    const std::string file = folder.settingsFile();
    EXPECT_EQ(
        AsUnprivilegedUser([&] {
            SettingsRecord record = RecordFrom(1);
            const int result = LoadSettings(record, file.c_str());
            const SettingsRecord untouched = RecordFrom(1);
            return result == EACCES && std::memcmp(&record, &untouched, sizeof record) == 0 ? 0 : 1;
        }),
        0);
}

TEST_F(SettingsFault, FileThatShrankOrGrewSinceLoadingKeepsWhatItHoldsPastTheRecord) {
    WriteBytes(folder.settingsFile(), Pattern(1000, 6));
    SettingsRecord record{};
    ASSERT_EQ(LoadSettings(record, folder.settingsFile().c_str()), 0);

    // Another program cut it short: the record is written whole.
    std::filesystem::resize_file(folder.settingsFile(), 300);
    ASSERT_EQ(SaveSettings(record, folder.settingsFile().c_str()), 0);
    EXPECT_EQ(ReadBytes(folder.settingsFile()), Pattern(596, 6));

    // Another program appended to it: what it added survives.
    auto grown = Pattern(596, 6);
    const auto tail = Pattern(500, 99);
    grown.insert(grown.end(), tail.begin(), tail.end());
    WriteBytes(folder.settingsFile(), grown);
    ASSERT_EQ(SaveSettings(RecordFrom(2), folder.settingsFile().c_str()), 0);
    auto expected = Pattern(596, 2);
    expected.insert(expected.end(), tail.begin(), tail.end());
    EXPECT_EQ(ReadBytes(folder.settingsFile()), expected);
}

TEST_F(SettingsFault, MissingBaseFolderIsCreated) {
    const std::string file = folder.path() + "/not/yet/there/Ravelstone/setting.cfg";
    ASSERT_EQ(SaveSettings(RecordFrom(3), file.c_str()), 0);
    EXPECT_EQ(ReadBytes(file), Pattern(596, 3));
}

}  // namespace
}  // namespace ravel
