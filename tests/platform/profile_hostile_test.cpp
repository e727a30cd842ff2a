// The settings file under hostile conditions: files whose owner set them read-only or shared
// them with a group, links, full disks, crashes half-way, FIFOs and devices, and other programs
// that hold or delete the lock. Writers other than root run in a child process as the
// unprivileged user nobody (group nogroup).
#include <fcntl.h>
#include <gmock/gmock.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/profile_file.h"
#include "platform/profile_storage.h"
#include "platform/profile_texts.h"
#include "support/temporary_installation.h"

namespace tarvel::platform {
namespace {

using ::testing::HasSubstr;
using testing::TemporaryInstallation;

const uid_t kNobody = getpwnam("nobody")->pw_uid;
const gid_t kNogroup = getgrnam("nogroup")->gr_gid;

struct Writer {
  uid_t user = 0;
  gid_t group = 0;
  std::optional<rlim_t> fileSizeLimit;  // a full disk
  bool dieOnFileSizeLimit = false;      // the system's default: the writer is killed half-way
};

struct ChildOutcome {
  bool threw = false;
  int signal = 0;  // the signal that killed the child, or 0
  std::string error;
};

// Runs action in a child process as writer; an exception's message comes back through a pipe.
ChildOutcome runAs(const Writer& writer, const std::function<void()>& action) {
  int channel[2];
  if (pipe(channel) != 0) throw std::runtime_error("pipe");
  const pid_t child = fork();
  if (child == 0) {
    close(channel[0]);
    if (writer.fileSizeLimit) {
      const rlimit limit{*writer.fileSizeLimit, *writer.fileSizeLimit};
      setrlimit(RLIMIT_FSIZE, &limit);
      if (!writer.dieOnFileSizeLimit) signal(SIGXFSZ, SIG_IGN);
    }
    if (setgroups(1, &writer.group) != 0 || setresgid(writer.group, writer.group, writer.group) ||
        setresuid(writer.user, writer.user, writer.user) != 0) {
      _exit(4);
    }
    try {
      action();
    } catch (const std::exception& error) {
      [[maybe_unused]] const auto ignored = write(channel[1], error.what(), strlen(error.what()));
      _exit(1);
    }
    _exit(0);
  }
  close(channel[1]);
  ChildOutcome outcome;
  char buffer[512];
  for (ssize_t count; (count = read(channel[0], buffer, sizeof buffer)) > 0;) {
    outcome.error.append(buffer, static_cast<std::size_t>(count));
  }
  close(channel[0]);
  int status = 0;
  waitpid(child, &status, 0);
  if (WIFSIGNALED(status)) outcome.signal = WTERMSIG(status);
  if (WIFEXITED(status) && WEXITSTATUS(status) == 4) throw std::runtime_error("cannot change user");
  outcome.threw = WIFEXITED(status) && WEXITSTATUS(status) == 1;
  return outcome;
}

struct stat statusOf(const std::filesystem::path& path) {
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0) throw std::runtime_error("stat " + path.string());
  return status;
}

class HostileProfileTest : public ::testing::Test {
 protected:
  HostileProfileTest() {
    // The unprivileged writer may pass the root and share the folder through nogroup.
    chmod(installation_.root().c_str(), 0755);
    const auto folder = file_.parent_path();
    if (chown(folder.c_str(), 0, kNogroup) != 0 || chmod(folder.c_str(), 0775) != 0) {
      throw std::runtime_error("cannot share the folder");
    }
  }

  void makeSettings(mode_t mode, uid_t user, gid_t group) const {
    installation_.writeSettings(kOldText);
    if (chown(file_.c_str(), user, group) != 0 || chmod(file_.c_str(), mode) != 0) {
      throw std::runtime_error("cannot prepare cnf.INI");
    }
  }

  // The files beside cnf.INI: no temporary file or backup copy may be left behind.
  std::set<std::string> folderListing() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(file_.parent_path())) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }

  void writePassword(const std::string& value) const {
    ProfileFile file = ProfileFile::openForWriting(file_);
    file.writeString("Inet", "Password", value);
    file.commit();
  }

  static constexpr const char* kOldText = "[Inet]\r\nPassword=0A0B\r\nViaSend=1\r\n";
  TemporaryInstallation installation_;
  std::filesystem::path file_ = installation_.settingsFile();
};

TEST_F(HostileProfileTest, FileWithoutWritePermissionIsRefusedAndKeptByteForByte) {
  const struct {
    mode_t mode;
    uid_t owner;
    uid_t writer;
  } cases[] = {{0444, 0, 0}, {0400, 0, 0}, {0555, kNobody, kNobody}, {0444, kNobody, 0}};
  for (const auto& entry : cases) {
    makeSettings(entry.mode, entry.owner, kNogroup);
    const ino_t inode = statusOf(file_).st_ino;
    const auto outcome = runAs({entry.writer, kNogroup, {}}, [this] { writePassword("FFFF"); });
    SCOPED_TRACE(::testing::Message() << std::oct << entry.mode << " writer " << entry.writer);
    EXPECT_TRUE(outcome.threw);
    EXPECT_THAT(outcome.error, HasSubstr(text::kProfileWriteProtected));
    EXPECT_THAT(outcome.error, HasSubstr(file_.string()));
    EXPECT_EQ(installation_.settingsText(), kOldText);
    EXPECT_EQ(statusOf(file_).st_ino, inode);
    EXPECT_EQ(statusOf(file_).st_mode & 07777, entry.mode);
    std::filesystem::remove(profileLockPath(file_));
  }
}

TEST_F(HostileProfileTest, ReplacementAndLockFileKeepTheFilesOwnerGroupAndBits) {
  const struct {
    mode_t mode;
    uid_t owner;
    gid_t group;
  } cases[] = {{0600, kNobody, kNogroup}, {0664, 0, kNogroup}, {0640, kNobody, 0}};
  for (const auto& entry : cases) {
    SCOPED_TRACE(::testing::Message() << std::oct << entry.mode << " " << entry.owner);
    makeSettings(entry.mode, entry.owner, entry.group);
    writePassword("FFFF");
    EXPECT_EQ(ProfileFile::openForReading(file_).readString("Inet", "Password", ""), "FFFF");
    for (const auto& path : {file_, profileLockPath(file_)}) {
      const struct stat status = statusOf(path);
      EXPECT_EQ(status.st_uid, entry.owner) << path;
      EXPECT_EQ(status.st_gid, entry.group) << path;
      EXPECT_EQ(status.st_mode & 07777, entry.mode) << path;
    }
    EXPECT_EQ(folderListing(), (std::set<std::string>{"cnf.INI", "cnf.INI.lock"}));
    std::filesystem::remove(profileLockPath(file_));
  }
}

TEST_F(HostileProfileTest, GroupMemberWritesAnotherUsersSharedFileInPlace) {
  for (const mode_t mode : {0664, 0660}) {
    SCOPED_TRACE(::testing::Message() << std::oct << mode);
    makeSettings(mode, 0, kNogroup);
    const ino_t inode = statusOf(file_).st_ino;
    const auto outcome = runAs({kNobody, kNogroup, {}}, [this] {
      writePassword("FFFF");
      if (ProfileFile::openForReading(file_).readString("Inet", "Password", "") != "FFFF") {
        throw std::runtime_error("the group member does not read its own write");
      }
    });
    EXPECT_FALSE(outcome.threw) << outcome.error;
    EXPECT_EQ(outcome.signal, 0);
    const struct stat status = statusOf(file_);
    EXPECT_EQ(status.st_ino, inode);
    EXPECT_EQ(status.st_uid, 0u);
    EXPECT_EQ(status.st_gid, kNogroup);
    EXPECT_EQ(status.st_mode & 07777, mode);
    EXPECT_EQ(installation_.settingsText(), "[Inet]\r\nPassword=FFFF\r\nViaSend=1\r\n");
    EXPECT_EQ(folderListing(), (std::set<std::string>{"cnf.INI", "cnf.INI.lock"}));
    std::filesystem::remove(profileLockPath(file_));
  }
}

TEST_F(HostileProfileTest, WritableFileInAFolderTheWriterMayNotWriteIsWrittenInPlace) {
  // As the Windows directory is for most users: nobody may add files to it.
  ASSERT_EQ(chmod(file_.parent_path().c_str(), 0755), 0);
  const struct {
    mode_t mode;
    uid_t owner;
  } cases[] = {{0644, kNobody}, {0664, 0}};
  for (const auto& entry : cases) {
    SCOPED_TRACE(::testing::Message() << std::oct << entry.mode << " " << entry.owner);
    makeSettings(entry.mode, entry.owner, kNogroup);
    const ino_t inode = statusOf(file_).st_ino;
    const auto outcome = runAs({kNobody, kNogroup, {}}, [this] {
      writePassword("FFFF");
      if (ProfileFile::openForReading(file_).readString("Inet", "Password", "") != "FFFF") {
        throw std::runtime_error("the writer does not read its own write");
      }
    });
    EXPECT_FALSE(outcome.threw) << outcome.error;
    EXPECT_EQ(installation_.settingsText(), "[Inet]\r\nPassword=FFFF\r\nViaSend=1\r\n");
    const struct stat status = statusOf(file_);
    EXPECT_EQ(status.st_ino, inode);
    EXPECT_EQ(status.st_uid, entry.owner);
    EXPECT_EQ(status.st_mode & 07777, entry.mode);
    EXPECT_EQ(folderListing(), std::set<std::string>{"cnf.INI"});
  }
}

TEST_F(HostileProfileTest, LockFileMadeByRootCanBeTakenByTheGroupsReaders) {
  makeSettings(0640, 0, kNogroup);
  writePassword("FFFF");
  const auto outcome = runAs({kNobody, kNogroup, {}}, [this] {
    const ProfileLock lock(file_, ProfileLock::Kind::Shared, false);
    if (ProfileFile::openForReading(file_).readString("Inet", "Password", "") != "FFFF") {
      throw std::runtime_error("not read");
    }
  });
  EXPECT_FALSE(outcome.threw) << outcome.error;
}

TEST_F(HostileProfileTest, FullDiskLeavesTheFileAsItWas) {
  const struct {
    const char* path;
    Writer writer;
  } cases[] = {
      {"replacement", {0, 0, 4096}},
      {"in place", {kNobody, kNogroup, 4096}},
  };
  for (const auto& entry : cases) {
    SCOPED_TRACE(entry.path);
    makeSettings(0664, 0, kNogroup);
    const ino_t inode = statusOf(file_).st_ino;
    const auto outcome = runAs(entry.writer, [this] { writePassword(std::string(10000, 'A')); });
    EXPECT_TRUE(outcome.threw);
    EXPECT_THAT(outcome.error, HasSubstr(text::kProfileCannotWrite));
    EXPECT_EQ(installation_.settingsText(), kOldText);
    EXPECT_EQ(statusOf(file_).st_ino, inode);
    EXPECT_EQ(folderListing(), (std::set<std::string>{"cnf.INI", "cnf.INI.lock"}));
  }
}

TEST_F(HostileProfileTest, WriteInPlaceCutShortIsPutBackOnTheNextOpening) {
  const std::function<std::string()> openings[] = {
      [this] { return ProfileFile::openForReading(file_).readString("Inet", "Password", ""); },
      [this] {
        ProfileFile file = ProfileFile::openForWriting(file_);
        return file.readString("Inet", "Password", "");
      },
  };
  for (const auto& opening : openings) {
    makeSettings(0664, 0, kNogroup);
    // Killed by the file size signal half-way through the new content.
    const auto outcome =
        runAs({kNobody, kNogroup, 4096, true}, [this] { writePassword(std::string(10000, 'A')); });
    ASSERT_EQ(outcome.signal, SIGXFSZ);
    ASSERT_TRUE(std::filesystem::exists(profileBackupPath(file_)));
    ASSERT_NE(installation_.settingsText(), kOldText);

    EXPECT_EQ(opening(), "0A0B");
    EXPECT_EQ(installation_.settingsText(), kOldText);
    EXPECT_FALSE(std::filesystem::exists(profileBackupPath(file_)));
  }
}

TEST_F(HostileProfileTest, NothingIsMadeBesideADevice) {
  std::filesystem::create_symlink("/dev/null", file_);
  EXPECT_THROW(writePassword("FFFF"), std::runtime_error);
  EXPECT_FALSE(std::filesystem::exists("/dev/null.lock"));
}

TEST_F(HostileProfileTest, SymbolicLinkIsWrittenThroughToItsTarget) {
  const auto shared = installation_.root() / "SHARED";
  std::filesystem::create_directories(shared);
  installation_.writeFile(shared / "station.ini", kOldText);
  // cnf.INI -> link.ini -> ../SHARED/station.ini
  std::filesystem::create_symlink("../SHARED/station.ini", file_.parent_path() / "link.ini");
  std::filesystem::create_symlink("link.ini", file_);
  writePassword("FFFF");
  EXPECT_TRUE(std::filesystem::is_symlink(file_));
  EXPECT_EQ(TemporaryInstallation::readFile(shared / "station.ini"),
            "[Inet]\r\nPassword=FFFF\r\nViaSend=1\r\n");
  EXPECT_TRUE(std::filesystem::exists(shared / "station.ini.lock"));
}

TEST_F(HostileProfileTest, WhatIsNoRegularFileOrTooLargeFailsClearly) {
  const struct {
    const char* name;
    std::function<void(const std::filesystem::path&)> make;
    const char* message;
  } cases[] = {
      {"FIFO", [](const auto& path) { mkfifo(path.c_str(), 0664); }, text::kProfileNotRegularFile},
      {"link to /dev/zero",
       [](const auto& path) { std::filesystem::create_symlink("/dev/zero", path); },
       text::kProfileNotRegularFile},
      {"folder", [](const auto& path) { std::filesystem::create_directory(path); },
       text::kProfileNotRegularFile},
      {"larger than the bound",
       [](const auto& path) {
         TemporaryInstallation::writeFile(path, "[Inet]\r\n");
         std::filesystem::resize_file(path, kMaximumProfileFileSize + 1);
       },
       text::kProfileTooLarge},
  };
  for (const auto& entry : cases) {
    SCOPED_TRACE(entry.name);
    std::filesystem::remove_all(file_);
    entry.make(file_);
    for (const auto& opening : {&ProfileFile::openForReading, &ProfileFile::openForWriting}) {
      try {
        opening(file_);
        ADD_FAILURE() << "opened";
      } catch (const std::runtime_error& error) {
        EXPECT_THAT(error.what(), HasSubstr(entry.message));
        EXPECT_THAT(error.what(), HasSubstr(file_.string()));
      }
    }
  }
}

TEST_F(HostileProfileTest, LockHeldByAnotherProgramEndsTheWaitWithAnError) {
  makeSettings(0664, 0, 0);
  writePassword("FFFF");
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t holder = fork();
  if (holder == 0) {
    const int lock = open(profileLockPath(file_).c_str(), O_RDONLY);
    flock(lock, LOCK_EX);
    [[maybe_unused]] const auto ignored = write(ready[1], "x", 1);
    pause();
    _exit(0);
  }
  char byte = 0;
  ASSERT_EQ(read(ready[0], &byte, 1), 1);
  try {
    writePassword("0000");
    ADD_FAILURE() << "written under another program's lock";
  } catch (const std::runtime_error& error) {
    EXPECT_THAT(error.what(), HasSubstr(text::kProfileBusy));
    EXPECT_THAT(error.what(), HasSubstr(file_.string()));
  }
  // Readers still read what is there.
  EXPECT_EQ(ProfileFile::openForReading(file_).readString("Inet", "Password", ""), "FFFF");
  kill(holder, SIGKILL);
  waitpid(holder, nullptr, 0);
  close(ready[0]);
  close(ready[1]);
}

TEST_F(HostileProfileTest, ReadInsideThisProcesssOwnWriteDoesNotWaitForItself) {
  installation_.writeSettings(kOldText);
  const ProfileFile writing = ProfileFile::openForWriting(file_);
  EXPECT_NO_THROW(
      ProfileLock(file_, ProfileLock::Kind::Shared, true, std::chrono::milliseconds(0)));
  // Another process's reader does wait for it.
  const auto outcome = runAs({0, 0, {}}, [this] {
    ProfileLock(file_, ProfileLock::Kind::Shared, true, std::chrono::milliseconds(0));
  });
  EXPECT_THAT(outcome.error, HasSubstr(text::kProfileBusy));
}

TEST_F(HostileProfileTest, LockFileDeletedUnderAWriterFailsItsCommit) {
  installation_.writeSettings(kOldText);
  ProfileFile first = ProfileFile::openForWriting(file_);
  std::filesystem::remove(profileLockPath(file_));
  ProfileFile second = ProfileFile::openForWriting(file_);
  second.writeString("Inet", "Password", "2222");
  second.commit();
  first.writeString("Inet", "ViaSend", "3");
  try {
    first.commit();
    ADD_FAILURE() << "the first writer's commit overwrote the second's";
  } catch (const std::runtime_error& error) {
    EXPECT_THAT(error.what(), HasSubstr(text::kProfileLockLost));
  }
  EXPECT_EQ(installation_.settingsText(), "[Inet]\r\nPassword=2222\r\nViaSend=1\r\n");
}

// Writers in their own processes while another one deletes the lock file again and again:
// every commit a writer was told is done is in the file at the end.
TEST_F(HostileProfileTest, EveryCommitReportedDoneSurvivesDeletionsOfTheLockFile) {
  installation_.writeSettings(kOldText);
  const pid_t deleter = fork();
  if (deleter == 0) {
    // A few thousand deletions, then the writers are left alone: where a flush is slow every
    // commit made meanwhile may lose its lock, and the writers still finish.
    for (int deletion = 0; deletion < 3000; ++deletion) {
      unlink(profileLockPath(file_).c_str());
      usleep(200);
    }
    _exit(0);
  }
  constexpr int kWriters = 3;
  // Each writer goes on until enough of its commits reported success, so the check below always
  // has something to check.
  constexpr int kSuccesses = 20;
  constexpr int kMostOperations = 100000;  // far more than fail while the deleter runs
  std::vector<pid_t> writers;
  for (int writer = 0; writer < kWriters; ++writer) {
    const pid_t child = fork();
    if (child == 0) {
      // Each writer keeps the list of its operations that reported success.
      std::string done;
      for (int operation = 0, successes = 0;
           operation < kMostOperations && successes < kSuccesses; ++operation) {
        try {
          ProfileFile file = ProfileFile::openForWriting(file_);
          file.writeInteger("W" + std::to_string(writer), "K" + std::to_string(operation), 1);
          file.commit();
          done += std::to_string(operation) + "\n";
          ++successes;
        } catch (const std::runtime_error&) {
        }
      }
      TemporaryInstallation::writeFile(installation_.root() / ("done" + std::to_string(writer)),
                                       done);
      _exit(0);
    }
    writers.push_back(child);
  }
  for (const pid_t child : writers) waitpid(child, nullptr, 0);
  kill(deleter, SIGKILL);
  waitpid(deleter, nullptr, 0);

  const ProfileFile file = ProfileFile::openForReading(file_);
  int reportedDone = 0;
  for (int writer = 0; writer < kWriters; ++writer) {
    const std::string done =
        TemporaryInstallation::readFile(installation_.root() / ("done" + std::to_string(writer)));
    for (std::size_t start = 0, end; (end = done.find('\n', start)) != std::string::npos;
         start = end + 1) {
      const std::string key = "K" + done.substr(start, end - start);
      EXPECT_EQ(file.readInteger("W" + std::to_string(writer), key, 0), 1) << writer << key;
      ++reportedDone;
    }
  }
  EXPECT_EQ(reportedDone, kWriters * kSuccesses);
}

}  // namespace
}  // namespace tarvel::platform
