// Loading and saving over real files, folders, pipes, devices, permissions
// and a full disk. Every save that fails must leave the disk as it was.
#include "settings/SettingsFile.h"

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "fakes/TempFolder.h"

namespace ravel {
namespace {

namespace fs = std::filesystem;
using testing::Pattern;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

using Bytes = std::vector<unsigned char>;
const std::string kFile = "/Ravelstone/setting.cfg";

Bytes BytesOf(const SettingsRecord& record) {
    const auto* p = reinterpret_cast<const unsigned char*>(&record);
    return {p, p + sizeof record};
}

SettingsRecord RecordFrom(const Bytes& bytes) {
    SettingsRecord record;
    std::memcpy(&record, bytes.data(), sizeof record);
    return record;
}

Bytes Join(Bytes head, const Bytes& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

// Everything below `root`: each path with its kind, a file's size and a
// digest of its bytes.
std::map<std::string, std::string> Snapshot(const std::string& root) {
    std::map<std::string, std::string> tree;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string path = entry.path().string().substr(root.size());
        if (entry.is_symlink()) {
            tree[path] = "-> " + fs::read_symlink(entry.path()).string();
        } else if (entry.is_regular_file()) {
            const Bytes bytes = ReadBytes(entry.path().string());
            tree[path] = std::to_string(bytes.size()) + " bytes #" +
                         std::to_string(std::hash<std::string>()({bytes.begin(), bytes.end()}));
        } else {
            tree[path] = entry.is_directory() ? "folder" : "special";
        }
    }
    return tree;
}

// Each operation runs in a child: one that hangs (on a pipe, say) is
// stopped by its alarm and fails. Permissions mean nothing to root, so some
// run as nobody (the folder is opened to it first). An answer comes back as
// the exit status, negative ones offset by 128.
int InChild(bool unprivileged, rlim_t fileSizeLimit, const std::function<int()>& operation) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::alarm(5);
        if (unprivileged && ::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            ::_exit(100);
        }
        if (fileSizeLimit != RLIM_INFINITY) {
            // Past the limit a write stops short and then fails with EFBIG.
            ::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{fileSizeLimit, fileSizeLimit};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        const int answer = operation();
        ::_exit(answer < 0 ? 128 + answer : answer);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 101;
    return code > 120 && code < 128 ? code - 128 : code;
}

TEST(SettingsFile, LoadReplacesTheFilesOwnLengthAndNothingOnFailure) {
    struct Case {
        const char* name;
        std::function<void(const std::string& file)> arrange;
        int answer;
        size_t replaced;  // leading bytes of the record taken from the file
        bool unprivileged = false;
    };
    const Bytes fileBytes = Pattern(1000, 5);
    const auto sized = [&](size_t size) {
        return [&fileBytes, size](const std::string& file) {
            WriteBytes(file, Bytes(fileBytes.begin(), fileBytes.begin() + static_cast<long>(size)));
        };
    };
    const auto unreadable = [&](const std::string& file) {
        sized(596)(file);
        ::chmod(file.c_str(), 0200);
    };
    const auto linked = [&](const std::string& file) {
        WriteBytes(file + ".real", fileBytes);
        fs::create_symlink(file + ".real", file);
    };
    const Case cases[] = {
        // clang-format off
        {"missing", [](const std::string&) {}, ENOENT, 0},
        {"empty", sized(0), 0, 0},
        {"100 bytes", sized(100), 0, 100},
        {"595 bytes", sized(595), 0, 595},
        {"596 bytes", sized(596), 0, 596},
        {"1000 bytes", sized(1000), 0, 596},
        {"a link to a regular file", linked, 0, 596},
        {"a folder", [](const std::string& file) { fs::create_directories(file); }, EISDIR, 0},
        {"a pipe", [](const std::string& file) { ::mkfifo(file.c_str(), 0644); }, kNotRegularFile, 0},
        {"a link to /dev/zero", [](const std::string& file) { fs::create_symlink("/dev/zero", file); }, kNotRegularFile, 0},
        {"unreadable", unreadable, EACCES, 0, true},
        // clang-format on
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        ::chmod(folder.path().c_str(), 0755);
        const std::string file = folder.path() + "/setting.cfg";
        c.arrange(file);
        const Bytes before = Pattern(kSettingsSize, 9);
        Bytes expected = before;
        std::copy_n(fileBytes.begin(), c.replaced, expected.begin());
        const int answer = InChild(c.unprivileged, RLIM_INFINITY, [&] {
            SettingsRecord record = RecordFrom(before);
            const int result = LoadSettings(record, file.c_str());
            return BytesOf(record) == expected ? result : 99;
        });
        EXPECT_EQ(answer, c.answer);
    }
}

TEST(SettingsFile, SaveWritesTheRecordOrLeavesTheDiskAsItWas) {
    const Bytes record = Pattern(kSettingsSize, 77);
    const Bytes old = Pattern(1000, 2);
    const Bytes shortOld = Pattern(100, 3);
    struct Case {
        const char* name;
        // Lays out the disk below `root` and names the file to save.
        std::function<std::string(const std::string& root)> arrange;
        int answer;
        // After a success: the bytes at the name (the link's target for a link).
        Bytes after;
        bool unprivileged = false;
        rlim_t fileSizeLimit = RLIM_INFINITY;
    };
    const auto existing = [](const Bytes& bytes, mode_t mode = 0644) {
        return [bytes, mode](const std::string& root) {
            WriteBytes(root + kFile, bytes);
            ::chmod((root + kFile).c_str(), mode);
            return root + kFile;
        };
    };
    // `make` is made in the game's folder, in place of the file.
    const auto special = [](void (*make)(const std::string&)) {
        return [make](const std::string& root) {
            fs::create_directories(root + "/Ravelstone");
            make(root + kFile);
            return root + kFile;
        };
    };
    const auto readOnly = [](const char* folder, const char* below) {
        return [folder, below](const std::string& root) {
            fs::create_directories(root + "/" + folder);
            ::chmod((root + "/" + folder).c_str(), 0555);
            return root + "/" + folder + "/" + below;
        };
    };
    const auto pathOf = [](size_t length) {
        return [length](const std::string& root) {
            return root + "/" + std::string(length - root.size() - 1 - 12, 'd') + "/setting.cfg";
        };
    };
    const auto fresh = [](const std::string& root) { return root + "/not/yet/there" + kFile; };
    const auto linked = [&](const std::string& root) {
        WriteBytes(root + "/elsewhere.cfg", shortOld);
        fs::create_directories(root + "/Ravelstone");
        fs::create_symlink(root + "/elsewhere.cfg", root + kFile);
        return root + kFile;
    };
    const Bytes keptTail = Join(record, Bytes(old.begin() + 596, old.end()));
    const Case cases[] = {
        // clang-format off
        {"a new file in a chain of missing folders", fresh, 0, record},
        {"over a longer file, whose tail stays", existing(old), 0, keptTail},
        {"over a shorter file", existing(shortOld), 0, record},
        {"through a link to a regular file", linked, 0, record},
        {"a file that may only be written", existing(old, 0200), 0, keptTail, true},
        {"a 259-character path", pathOf(kPathCapacity - 1), 0, record},
        {"a 260-character path", pathOf(kPathCapacity), ENAMETOOLONG, {}},
        {"a folder where the file should be", special([](const std::string& f) { fs::create_directories(f); }), EISDIR, {}},
        {"a file where the folder should be", [&](const std::string& root) { WriteBytes(root + "/Ravelstone", shortOld); return root + kFile; }, ENOTDIR, {}},
        {"a pipe", special([](const std::string& f) { ::mkfifo(f.c_str(), 0644); }), kNotRegularFile, {}},
        {"a link to /dev/zero", special([](const std::string& f) { fs::create_symlink("/dev/zero", f); }), kNotRegularFile, {}},
        {"a read-only file", existing(old, 0444), EACCES, {}, true},
        {"a read-only folder", readOnly("Ravelstone", "setting.cfg"), EACCES, {}, true},
        {"a read-only roaming folder: the reason is the folder's", readOnly("Roaming", "Ravelstone/setting.cfg"), EACCES, {}, true},
        {"a read-only folder above missing ones: none is left behind", readOnly("base", "a/b/Ravelstone/setting.cfg"), EACCES, {}, true},
        {"a new file cut short", fresh, EFBIG, {}, false, 300},
        {"a shorter file cut short: its old bytes and length come back", existing(shortOld), EFBIG, {}, false, 300},
        {"a longer file that cannot grow is still overwritten", existing(old), 0, keptTail, false, 700},
        // clang-format on
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        ::chmod(folder.path().c_str(), 0777);
        const std::string file = c.arrange(folder.path());
        if (c.unprivileged) {
            // The permissions then speak to the child as the owner's.
            for (const auto& entry : fs::recursive_directory_iterator(folder.path())) {
                // Only root gives files away; anyone else runs the child as their owner.
                if (::geteuid() == 0) {
                    ASSERT_EQ(::lchown(entry.path().c_str(), 65534, 65534), 0) << entry.path();
                }
            }
        }
        const auto before = Snapshot(folder.path());
        const bool link = fs::is_symlink(file);

        const int answer = InChild(c.unprivileged, c.fileSizeLimit,
                                   [&] { return SaveSettings(RecordFrom(record), file.c_str()); });

        ASSERT_EQ(answer, c.answer);
        if (answer == 0) {
            ::chmod(file.c_str(), 0644);  // a write-only file, to be read back here
            EXPECT_EQ(ReadBytes(file), c.after);
            EXPECT_EQ(fs::is_symlink(file), link);
        } else {
            EXPECT_EQ(Snapshot(folder.path()), before);
        }
    }
}

TEST(SettingsFile, SaveOnAFullDiskLeavesNoFileAndNoFolder) {
    TempFolder folder;
    const std::string disk = folder.path() + "/disk";
    fs::create_directories(disk);
    if (::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=8k,mode=0755") != 0) {
        GTEST_SKIP() << "a small tmpfs cannot be mounted here: " << std::strerror(errno);
    }
    WriteBytes(disk + "/filler", Bytes(16384, 0xEE));  // fills it to the last byte
    const auto before = Snapshot(folder.path());
    const std::string file = disk + "/Roaming/Ravelstone/setting.cfg";
    EXPECT_EQ(SaveSettings(RecordFrom(Pattern(kSettingsSize, 1)), file.c_str()), ENOSPC);
    EXPECT_EQ(Snapshot(folder.path()), before);
    ::umount2(disk.c_str(), MNT_DETACH);
}

TEST(SettingsFile, JoinedNameFitsInTheClassicPathLength) {
    // "/Ravelstone/setting.cfg" is 23 characters: a base of 236 still fits
    // in 260 with the terminating zero.
    char file[kPathCapacity];
    const std::string base(kPathCapacity - 1 - 23, 'b');
    ASSERT_EQ(JoinSettingsFile(base.c_str(), file), 0);
    EXPECT_EQ(std::string(file), base + "/Ravelstone/setting.cfg");
    EXPECT_EQ(JoinSettingsFile((base + "b").c_str(), file), -1);
    EXPECT_STREQ(file, "");
    // The empty name that leaves names no file, either way.
    SettingsRecord record{};
    EXPECT_EQ(LoadSettings(record, file), ENOENT);
    EXPECT_EQ(SaveSettings(record, file), ENOENT);
    // Each failure has words for the message a player reads.
    for (const int error : {kIncompleteWrite, kNotRegularFile, ENOSPC}) {
        EXPECT_GT(std::strlen(SettingsErrorText(error)), 10u) << error;
    }
}

}  // namespace
}  // namespace ravel
