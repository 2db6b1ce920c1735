#include "settings/SettingsFile.h"

#include <gtest/gtest.h>

#include <cerrno>
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

TEST(SettingsFile, MissingFileAnswersItsErrorAndLeavesRecord) {
    TempFolder folder;
    SettingsRecord record = RecordFrom(Pattern(kSettingsSize, 3));
    EXPECT_EQ(LoadSettings(record, folder.settingsFile().c_str()), ENOENT);
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

        ASSERT_EQ(LoadSettings(record, folder.settingsFile().c_str()), 0);

        auto expected = before;
        std::copy(file.begin(), file.begin() + static_cast<long>(c.replaced), expected.begin());
        EXPECT_EQ(BytesOf(record), expected);
    }
}

TEST(SettingsFile, SaveCreatesFolderAndWritesExactly596Bytes) {
    TempFolder folder;
    const SettingsRecord record = RecordFrom(Pattern(kSettingsSize, 11));
    ASSERT_FALSE(std::filesystem::exists(folder.path() + "/Ravelstone"));

    ASSERT_EQ(SaveSettings(record, folder.settingsFile().c_str()), 0);

    EXPECT_EQ(ReadBytes(folder.settingsFile()), Pattern(kSettingsSize, 11));
}

TEST(SettingsFile, SaveOverLongerFileKeepsItsTail) {
    TempFolder folder;
    const auto original = Pattern(1000, 2);
    WriteBytes(folder.settingsFile(), original);
    const SettingsRecord record = RecordFrom(Pattern(kSettingsSize, 77));

    ASSERT_EQ(SaveSettings(record, folder.settingsFile().c_str()), 0);

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
    ASSERT_EQ(LoadSettings(record, folder.settingsFile().c_str()), 0);
    const uint32_t flags = bytes[576] | bytes[577] << 8 | bytes[578] << 16 | uint32_t{bytes[579]} << 24;
    EXPECT_EQ(record.AxisOptionFlags, flags);  // little-endian at offset 576
    EXPECT_EQ(record.reserved[0], 0xAB);
    ASSERT_EQ(SaveSettings(record, folder.settingsFile().c_str()), 0);
    EXPECT_EQ(ReadBytes(folder.settingsFile()), bytes);
}

TEST(SettingsFile, FolderWhereTheFileShouldBeIsRefusedBothWays) {
    TempFolder folder;
    std::filesystem::create_directories(folder.settingsFile());
    SettingsRecord record = RecordFrom(Pattern(kSettingsSize, 4));
    EXPECT_EQ(LoadSettings(record, folder.settingsFile().c_str()), EISDIR);
    EXPECT_EQ(BytesOf(record), Pattern(kSettingsSize, 4));
    EXPECT_EQ(SaveSettings(record, folder.settingsFile().c_str()), EISDIR);
}

TEST(SettingsFile, FailedWriteIsReported) {
    TempFolder folder;
    std::filesystem::create_directories(folder.path() + "/Ravelstone");
    std::filesystem::create_symlink("/dev/full", folder.settingsFile());
    const SettingsRecord record{};
    EXPECT_EQ(SaveSettings(record, folder.settingsFile().c_str()), ENOSPC);
}

TEST(SettingsFile, PathTooLongIsRefusedWithoutTouchingAnything) {
    TempFolder folder;
    std::string deep = folder.path() + "/";
    deep.append(kPathCapacity - deep.size() - std::strlen("/setting.cfg"), 'd');
    const std::string file = deep + "/setting.cfg";
    ASSERT_EQ(file.size(), kPathCapacity);
    const SettingsRecord record = RecordFrom(Pattern(kSettingsSize, 8));
    EXPECT_EQ(SaveSettings(record, file.c_str()), ENAMETOOLONG);
    EXPECT_FALSE(std::filesystem::exists(deep));

    // One character less fits.
    const std::string shorter = deep.substr(0, deep.size() - 1) + "/setting.cfg";
    ASSERT_EQ(SaveSettings(record, shorter.c_str()), 0);
    EXPECT_EQ(ReadBytes(shorter), Pattern(kSettingsSize, 8));
}

// What a name that did not fit leaves behind.
TEST(SettingsFile, EmptyPathNamesNoFile) {
    SettingsRecord record = RecordFrom(Pattern(kSettingsSize, 8));
    EXPECT_NE(LoadSettings(record, ""), 0);
    EXPECT_EQ(BytesOf(record), Pattern(kSettingsSize, 8));
    EXPECT_NE(SaveSettings(record, ""), 0);
}

}  // namespace
}  // namespace ravel
