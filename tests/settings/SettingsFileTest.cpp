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

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <thread>

#include "fakes/TempFolder.h"

namespace ravel {
namespace {

namespace fs = std::filesystem;
using testing::Pattern;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

using Bytes = std::vector<unsigned char>;

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

// Permissions mean nothing to root, so such operations run in a child that
// has given root up (the folder is opened to it first); an answer comes back
// as the exit status, negative ones offset by 128.
int InChild(bool unprivileged, rlim_t fileSizeLimit, const std::function<int()>& operation) {
    const pid_t child = ::fork();
    if (child == 0) {
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

// A pipe answers an open only once someone opens its other end. Should the
// code under test wait for that, this opens the other end after a while, so
// that the test fails instead of hanging.
class PipeUnblocker {
  public:
    explicit PipeUnblocker(std::string fifo)
        : thread_([this, fifo = std::move(fifo)] {
              for (int i = 0; i < 200 && !done_; ++i) {
                  std::this_thread::sleep_for(std::chrono::milliseconds(10));
              }
              if (!done_) {
                  const int fd = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
                  std::this_thread::sleep_for(std::chrono::milliseconds(200));
                  ::close(fd);
              }
          }) {}
    ~PipeUnblocker() {
        done_ = true;
        thread_.join();
    }

  private:
    std::atomic<bool> done_{false};
    std::thread thread_;
};

// A small tmpfs at `folder`, filled to the last byte; unmounted on leaving.
class FullDisk {
  public:
    explicit FullDisk(const std::string& folder) : folder_(folder) {
        fs::create_directories(folder);
        mounted_ = ::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=8k,mode=0755") == 0;
        if (mounted_) {
            const int fd = ::open((folder + "/filler").c_str(), O_WRONLY | O_CREAT, 0644);
            const Bytes chunk(4096, 0xEE);
            while (::write(fd, chunk.data(), chunk.size()) > 0) {
            }
            ::close(fd);
        }
    }
    ~FullDisk() {
        if (mounted_) {
            ::umount2(folder_.c_str(), MNT_DETACH);
        }
    }
    bool mounted() const { return mounted_; }

  private:
    std::string folder_;
    bool mounted_ = false;
};

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
    const Case cases[] = {
        {"missing", [](const std::string&) {}, ENOENT, 0},
        {"empty", sized(0), 0, 0},
        {"100 bytes", sized(100), 0, 100},
        {"595 bytes", sized(595), 0, 595},
        {"596 bytes", sized(596), 0, 596},
        {"1000 bytes", sized(1000), 0, 596},
        {"a link to a regular file",
         [&](const std::string& file) {
             WriteBytes(file + ".real", fileBytes);
             fs::create_symlink(file + ".real", file);
         },
         0, 596},
        {"a folder", [](const std::string& file) { fs::create_directories(file); }, EISDIR, 0},
        {"a pipe", [](const std::string& file) { ::mkfifo(file.c_str(), 0644); }, kNotRegularFile,
         0},
        {"a link to /dev/zero",
         [](const std::string& file) { fs::create_symlink("/dev/zero", file); }, kNotRegularFile,
         0},
        {"unreadable",
         [&](const std::string& file) {
             sized(596)(file);
             ::chmod(file.c_str(), 0200);
         },
         EACCES, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        ::chmod(folder.path().c_str(), 0755);
        const std::string file = folder.path() + "/setting.cfg";
        c.arrange(file);
        const PipeUnblocker unblocker(file);
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
            const std::string file = root + "/Ravelstone/setting.cfg";
            WriteBytes(file, bytes);
            ::chmod(file.c_str(), mode);
            return file;
        };
    };
    const auto readOnly = [](const char* folder, const char* below) {
        return [folder, below](const std::string& root) {
            fs::create_directories(root + "/" + folder);
            ::chmod((root + "/" + folder).c_str(), 0555);
            return root + "/" + folder + "/" + below;
        };
    };
    const std::string deep = "/not/yet/there/Ravelstone/setting.cfg";
    const Case cases[] = {
        {"a new file in a chain of missing folders",
         [&](const std::string& root) { return root + deep; }, 0, record},
        {"over a longer file, whose tail stays", existing(old), 0,
         Join(record, Bytes(old.begin() + 596, old.end()))},
        {"over a shorter file", existing(shortOld), 0, record},
        {"through a link to a regular file",
         [&](const std::string& root) {
             WriteBytes(root + "/elsewhere.cfg", shortOld);
             fs::create_directories(root + "/Ravelstone");
             fs::create_symlink(root + "/elsewhere.cfg", root + "/Ravelstone/setting.cfg");
             return root + "/Ravelstone/setting.cfg";
         },
         0, record},
        {"a file that may only be written", existing(old, 0200), 0,
         Join(record, Bytes(old.begin() + 596, old.end())), true},
        {"a 259-character path",
         [](const std::string& root) {
             std::string folder = root + "/";
             folder.append(kPathCapacity - 1 - folder.size() - std::strlen("/setting.cfg"), 'd');
             return folder + "/setting.cfg";
         },
         0, record},
        {"a 260-character path",
         [](const std::string& root) {
             std::string folder = root + "/";
             folder.append(kPathCapacity - folder.size() - std::strlen("/setting.cfg"), 'd');
             return folder + "/setting.cfg";
         },
         ENAMETOOLONG,
         {}},
        {"a folder where the file should be",
         [](const std::string& root) {
             fs::create_directories(root + "/Ravelstone/setting.cfg");
             return root + "/Ravelstone/setting.cfg";
         },
         EISDIR,
         {}},
        {"a file where the folder should be",
         [&](const std::string& root) {
             WriteBytes(root + "/Ravelstone", shortOld);
             return root + "/Ravelstone/setting.cfg";
         },
         ENOTDIR,
         {}},
        {"a pipe",
         [](const std::string& root) {
             fs::create_directories(root + "/Ravelstone");
             ::mkfifo((root + "/Ravelstone/setting.cfg").c_str(), 0644);
             return root + "/Ravelstone/setting.cfg";
         },
         kNotRegularFile,
         {}},
        {"a link to /dev/zero",
         [](const std::string& root) {
             fs::create_directories(root + "/Ravelstone");
             fs::create_symlink("/dev/zero", root + "/Ravelstone/setting.cfg");
             return root + "/Ravelstone/setting.cfg";
         },
         kNotRegularFile,
         {}},
        {"a read-only file", existing(old, 0444), EACCES, {}, true},
        {"a read-only folder", readOnly("Ravelstone", "setting.cfg"), EACCES, {}, true},
        {"a read-only roaming folder: the reason is the folder's",
         readOnly("Roaming", "Ravelstone/setting.cfg"),
         EACCES,
         {},
         true},
        {"a read-only folder above missing ones: none is left behind",
         readOnly("base", "a/b/Ravelstone/setting.cfg"),
         EACCES,
         {},
         true},
        {"a new file cut short",
         [&](const std::string& root) { return root + deep; },
         EFBIG,
         {},
         false,
         300},
        {"a shorter file cut short: its old bytes and length come back",
         existing(shortOld),
         EFBIG,
         {},
         false,
         300},
        {"a longer file that cannot grow is still overwritten", existing(old), 0,
         Join(record, Bytes(old.begin() + 596, old.end())), false, 700},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        ::chmod(folder.path().c_str(), 0777);
        const std::string file = c.arrange(folder.path());
        if (c.unprivileged) {
            // The permissions then speak to the child as the owner's.
            for (const auto& entry : fs::recursive_directory_iterator(folder.path())) {
                ::lchown(entry.path().c_str(), 65534, 65534);
            }
        }
        const auto before = Snapshot(folder.path());
        const bool link = fs::is_symlink(file);
        const PipeUnblocker unblocker(file);

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
    const FullDisk disk(folder.path() + "/disk");
    if (!disk.mounted()) {
        GTEST_SKIP() << "a small tmpfs cannot be mounted here (mount needs root): "
                     << std::strerror(errno);
    }
    const auto before = Snapshot(folder.path());
    const std::string file = folder.path() + "/disk/Roaming/Ravelstone/setting.cfg";
    EXPECT_EQ(SaveSettings(RecordFrom(Pattern(kSettingsSize, 1)), file.c_str()), ENOSPC);
    EXPECT_EQ(Snapshot(folder.path()), before);
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
}

}  // namespace
}  // namespace ravel
