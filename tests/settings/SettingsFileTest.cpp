#include "settings/SettingsFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "fakes/TempFolder.h"

namespace ravel {
namespace {

using testing::Pattern;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

std::vector<unsigned char> BytesOf(const SettingsRecord& record) {
    const auto* p = reinterpret_cast<const unsigned char*>(&record);
    return {p, p + sizeof record};
}

SettingsRecord RecordFrom(const std::vector<unsigned char>& bytes) {
    SettingsRecord record;
    std::memcpy(&record, bytes.data(), sizeof record);
    return record;
}

TEST(SettingsFile, MissingFileAnswersMinusOneAndLeavesRecord) {
    TempFolder folder;
    SettingsRecord record = RecordFrom(Pattern(kSettingsSize, 3));
    EXPECT_EQ(LoadSettingsFrom(folder.path().c_str(), record), -1);
    EXPECT_EQ(BytesOf(record), Pattern(kSettingsSize, 3));
}

TEST(SettingsFile, FileLengthDecidesHowMuchOfTheRecordIsReplaced) {
    struct Case {
        size_t fileSize;
        size_t replaced;
    };
    for (const Case c : {Case{0, 0}, Case{100, 100}, Case{595, 595}, Case{596, 596},
                         Case{1000, 596}}) {
        SCOPED_TRACE(c.fileSize);
        TempFolder folder;
        const auto file = Pattern(c.fileSize, 5);
        WriteBytes(folder.settingsFile(), file);
        const auto before = Pattern(kSettingsSize, 9);
        SettingsRecord record = RecordFrom(before);

        ASSERT_EQ(LoadSettingsFrom(folder.path().c_str(), record), 0);

        auto expected = before;
        std::copy(file.begin(), file.begin() + static_cast<long>(c.replaced), expected.begin());
        EXPECT_EQ(BytesOf(record), expected);
    }
}

TEST(SettingsFile, SaveCreatesFolderAndWritesExactly596Bytes) {
    TempFolder folder;
    const SettingsRecord record = RecordFrom(Pattern(kSettingsSize, 11));
    ASSERT_FALSE(std::filesystem::exists(folder.path() + "/Ravelstone"));

    ASSERT_EQ(SaveSettingsTo(folder.path().c_str(), record), 0);

    EXPECT_EQ(ReadBytes(folder.settingsFile()), Pattern(kSettingsSize, 11));
}

TEST(SettingsFile, SaveOverLongerFileKeepsItsTail) {
    TempFolder folder;
    const auto original = Pattern(1000, 2);
    WriteBytes(folder.settingsFile(), original);
    const SettingsRecord record = RecordFrom(Pattern(kSettingsSize, 77));

    ASSERT_EQ(SaveSettingsTo(folder.path().c_str(), record), 0);

    auto expected = Pattern(kSettingsSize, 77);
    expected.insert(expected.end(), original.begin() + 596, original.end());
    EXPECT_EQ(ReadBytes(folder.settingsFile()), expected);
}

TEST(SettingsFile, LoadSaveCycleKeepsEveryByteIncludingReservedAndUnknownFlags) {
    TempFolder folder;
    auto bytes = Pattern(kSettingsSize, 13);
    bytes[576] = 0xF1;  // AxisOptionFlags with bits the editor never sets
    bytes[579] = 0x80;
    bytes[594] = 0xAB;  // reserved
    bytes[595] = 0xCD;
    WriteBytes(folder.settingsFile(), bytes);

    SettingsRecord record{};
    ASSERT_EQ(LoadSettingsFrom(folder.path().c_str(), record), 0);
    const uint32_t flags = bytes[576] | bytes[577] << 8 | bytes[578] << 16 | uint32_t{bytes[579]} << 24;
    EXPECT_EQ(record.AxisOptionFlags, flags);  // little-endian at offset 576
    EXPECT_EQ(record.reserved[0], 0xAB);
    ASSERT_EQ(SaveSettingsTo(folder.path().c_str(), record), 0);
    EXPECT_EQ(ReadBytes(folder.settingsFile()), bytes);
}

TEST(SettingsFile, FolderWhereTheFileShouldBeIsRefusedBothWays) {
    TempFolder folder;
    std::filesystem::create_directories(folder.settingsFile());
    SettingsRecord record = RecordFrom(Pattern(kSettingsSize, 4));
    EXPECT_EQ(LoadSettingsFrom(folder.path().c_str(), record), -1);
    EXPECT_EQ(BytesOf(record), Pattern(kSettingsSize, 4));
    EXPECT_EQ(SaveSettingsTo(folder.path().c_str(), record), -1);
}

TEST(SettingsFile, FailedWriteIsReported) {
    TempFolder folder;
    std::filesystem::create_directories(folder.path() + "/Ravelstone");
    std::filesystem::create_symlink("/dev/full", folder.settingsFile());
    const SettingsRecord record{};
    EXPECT_EQ(SaveSettingsTo(folder.path().c_str(), record), -1);
}

TEST(SettingsFile, BaseTooLongForThePathIsRefusedWithoutTouchingAnything) {
    // "/Ravelstone/setting.cfg" is 23 characters; with the terminating zero a
    // base of 236 characters just fits in 260.
    const size_t suffix = std::strlen("/Ravelstone/setting.cfg");
    const size_t longest = kPathCapacity - 1 - suffix;
    char out[kPathCapacity];

    std::string base(longest, 'b');
    EXPECT_EQ(JoinSettingsPath(base.c_str(), true, out), 0);
    EXPECT_EQ(std::strlen(out), kPathCapacity - 1);

    base.push_back('b');
    EXPECT_EQ(JoinSettingsPath(base.c_str(), true, out), -1);
    EXPECT_STREQ(out, "");

    // A real folder whose joined path is one character too long.
    TempFolder folder;
    std::string deep = folder.path() + "/";
    deep.append(longest + 1 - deep.size(), 'd');
    ASSERT_EQ(deep.size(), longest + 1);
    SettingsRecord record = RecordFrom(Pattern(kSettingsSize, 8));
    EXPECT_EQ(LoadSettingsFrom(deep.c_str(), record), -1);
    EXPECT_EQ(SaveSettingsTo(deep.c_str(), record), -1);
    EXPECT_EQ(BytesOf(record), Pattern(kSettingsSize, 8));
    EXPECT_FALSE(std::filesystem::exists(deep));
}

char g_testBase[kPathCapacity];

void TestBase(char (&base)[kPathCapacity]) {
    std::memcpy(base, g_testBase, sizeof base);
}

TEST(SettingsFile, LoadAndSaveUseTheResolvedBase) {
    TempFolder folder;
    std::snprintf(g_testBase, sizeof g_testBase, "%s", folder.path().c_str());
    const SettingsRecord written = RecordFrom(Pattern(kSettingsSize, 21));
    ASSERT_EQ(SaveSettings(written, TestBase), 0);
    SettingsRecord read{};
    ASSERT_EQ(LoadSettings(read, TestBase), 0);
    EXPECT_EQ(BytesOf(read), BytesOf(written));
}

}  // namespace
}  // namespace ravel
