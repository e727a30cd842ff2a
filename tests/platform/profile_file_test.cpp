#include "platform/profile_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/profile_document.h"
#include "platform/profile_lock.h"
#include "platform/profile_storage.h"
#include "support/temporary_installation.h"

namespace tarvel::platform {
namespace {

using testing::TemporaryInstallation;

class ProfileFileTest : public ::testing::Test {
 protected:
  TemporaryInstallation installation_;
  std::filesystem::path file_ = installation_.settingsFile();
};

TEST_F(ProfileFileTest, MissingFileReadsEveryDefault) {
  const ProfileFile file = ProfileFile::openForReading(file_);
  EXPECT_EQ(file.readString("Inet", "Password", "dflt"), "dflt");
  EXPECT_EQ(file.readInteger("Inet", "ViaSend", 7), 7);
  EXPECT_TRUE(file.readBool("Inet", "AutoSendEnable", true));
  EXPECT_EQ(file.readDateTime("Inet", "LastAutoSendTime", 1.5), 1.5);
  EXPECT_EQ(file.readTime("Inet", "SendTime", 0.25), 0.25);
  EXPECT_FALSE(file.sectionExists("Inet"));
  EXPECT_FALSE(std::filesystem::exists(file_));
}

TEST_F(ProfileFileTest, TypedReadsFallBackToTheDefaultOnUnreadableValues) {
  installation_.writeSettings(
      "[Inet]\r\nViaSend=abc\r\nSendInterval=0x10\r\nWhenSend=\r\nPassword=\r\n"
      "SendTime=14:30\r\nLastAutoSendTime=yesterday\r\nAutoSendEnable=true\r\n");
  const ProfileFile file = ProfileFile::openForReading(file_);
  EXPECT_EQ(file.readInteger("Inet", "ViaSend", 0), 0);
  EXPECT_EQ(file.readInteger("Inet", "SendInterval", 1), 16);
  EXPECT_EQ(file.readInteger("Inet", "WhenSend", 3), 3);
  EXPECT_EQ(file.readString("Inet", "Password", "dflt"), "");
  EXPECT_DOUBLE_EQ(file.readTime("Inet", "SendTime", 0), 14.5 / 24);
  EXPECT_EQ(file.readDateTime("Inet", "LastAutoSendTime", 2.0), 2.0);
  EXPECT_FALSE(file.readBool("Inet", "AutoSendEnable", false));
}

TEST_F(ProfileFileTest, TypedWritesReadBack) {
  ProfileFile file = ProfileFile::openForWriting(file_);
  file.writeBool("S", "B", true);
  file.writeInteger("S", "I", -5);
  file.writeTime("S", "T", 14.5 / 24);
  file.writeDateTime("S", "D", 0);
  file.writeString("S", "E", "");
  file.commit();
  EXPECT_EQ(installation_.settingsText(),
            "[S]\r\nB=1\r\nI=-5\r\nT=14:30:00\r\nD=30.12.1899\r\nE=\r\n");
  const ProfileFile reread = ProfileFile::openForReading(file_);
  EXPECT_TRUE(reread.readBool("s", "b", false));
  EXPECT_EQ(reread.readInteger("s", "i", 0), -5);
  EXPECT_DOUBLE_EQ(reread.readTime("s", "t", 0), 14.5 / 24);
  EXPECT_EQ(reread.readDateTime("s", "d", 9), 0.0);
  EXPECT_EQ(reread.readString("s", "e", "dflt"), "");
}

TEST_F(ProfileFileTest, TextsReadBackAsWrittenWhateverTheirBlanksAndQuotes) {
  const struct {
    std::string value;
    std::string line;  // how the file holds it
  } cases[] = {
      {"plain", "K=plain"},
      {"two words", "K=two words"},
      {"\"\xCA\xE0\xE2\xFB\xF7\xEA\xE8\"", "K=\"\"\xCA\xE0\xE2\xFB\xF7\xEA\xE8\"\""},  // "Кавычки"
      {" x ", "K=\" x \""},
      {"'a'", "K=\"'a'\""},
      {"\"", "K=\""},  // one quote is no pair
      {"\"a'", "K=\"a'"},
      {"a\"", "K=a\""},
      {"\tb", "K=\"\tb\""},
      {"\"\"", "K=\"\"\"\""},
  };
  for (const auto& entry : cases) {
    SCOPED_TRACE(entry.line);
    ProfileFile file = ProfileFile::openForWriting(file_);
    file.writeString("S", "K", entry.value);
    file.commit();
    EXPECT_EQ(installation_.settingsText(), "[S]\r\n" + entry.line + "\r\n");
    EXPECT_EQ(ProfileFile::openForReading(file_).readString("S", "K", "dflt"), entry.value);
    std::filesystem::remove(file_);
  }
}

TEST_F(ProfileFileTest, WritesReachTheFileOnlyOnCommit) {
  installation_.writeSettings("[S]\nK=old\n");
  {
    ProfileFile dropped = ProfileFile::openForWriting(file_);
    dropped.writeString("S", "K", "dropped");
  }
  EXPECT_EQ(installation_.settingsText(), "[S]\nK=old\n");

  ProfileFile file = ProfileFile::openForWriting(file_);
  file.writeString("S", "K", "new");
  EXPECT_EQ(installation_.settingsText(), "[S]\nK=old\n");
  file.commit();
  EXPECT_EQ(installation_.settingsText(), "[S]\nK=new\r\n");
  EXPECT_THROW(file.writeString("S", "K", "late"), std::logic_error);
}

TEST_F(ProfileFileTest, FileOpenedForReadingRejectsWrites) {
  ProfileFile file = ProfileFile::openForReading(file_);
  EXPECT_THROW(file.writeInteger("S", "K", 1), std::logic_error);
}

TEST_F(ProfileFileTest, CommitOfTheSameContentLeavesTheFileAlone) {
  installation_.writeSettings("[S]\r\nK=1\r\n");
  struct stat before {};
  ASSERT_EQ(::stat(file_.c_str(), &before), 0);
  ProfileFile file = ProfileFile::openForWriting(file_);
  file.writeInteger("S", "K", 1);
  file.commit();
  struct stat after {};
  ASSERT_EQ(::stat(file_.c_str(), &after), 0);
  EXPECT_EQ(before.st_ino, after.st_ino);
}

TEST_F(ProfileFileTest, ReplacedFileKeepsItsPermissionBits) {
  installation_.writeSettings("[S]\r\nK=1\r\n");
  std::filesystem::permissions(file_, std::filesystem::perms(0640));
  ProfileFile file = ProfileFile::openForWriting(file_);
  file.writeInteger("S", "K", 2);
  file.commit();
  EXPECT_EQ(std::filesystem::status(file_).permissions(), std::filesystem::perms(0640));
}

TEST_F(ProfileFileTest, FolderInPlaceOfTheFileCannotBeReadOrWritten) {
  std::filesystem::create_directory(file_);
  EXPECT_THROW(ProfileFile::openForReading(file_), std::runtime_error);
  EXPECT_THROW(ProfileFile::openForWriting(file_), std::runtime_error);
  EXPECT_TRUE(std::filesystem::is_directory(file_));
}

TEST_F(ProfileFileTest, MissingFolderIsAnErrorNotCreated) {
  const auto missing = installation_.root() / "NOFOLDER" / "cnf.INI";
  EXPECT_THROW(ProfileFile::openForWriting(missing), std::runtime_error);
  EXPECT_FALSE(std::filesystem::exists(missing.parent_path()));
}

TEST_F(ProfileFileTest, FailedCommitThrowsAndLeavesTheOldFile) {
  installation_.writeSettings("[S]\r\nK=old\r\n");
  ProfileFile file = ProfileFile::openForWriting(file_);
  file.writeString("S", "K", "new");
  // Its owner makes the file read-only while the operation runs.
  std::filesystem::permissions(file_, std::filesystem::perms(0444));
  EXPECT_THROW(file.commit(), std::runtime_error);
  EXPECT_EQ(installation_.settingsText(), "[S]\r\nK=old\r\n");
}

TEST_F(ProfileFileTest, FolderRemovedBeforeCommitThrows) {
  const auto folder = installation_.root() / "GONE";
  std::filesystem::create_directory(folder);
  ProfileFile file = ProfileFile::openForWriting(folder / "cnf.INI");
  file.writeString("S", "K", "v");
  std::filesystem::remove_all(folder);
  EXPECT_THROW(file.commit(), std::runtime_error);
}

// Crash safety: a writer killed at any moment leaves the file with the bytes of one whole
// operation, the last committed one or the one before.
constexpr int kGenerationSections = 150;

std::string generationText(const std::string& base, int generation) {
  ProfileDocument document(base);
  for (int section = 0; section < kGenerationSections; ++section) {
    document.setValue("S" + std::to_string(section), "Gen", std::to_string(generation));
  }
  return document.text();
}

[[noreturn]] void writeGenerationsForever(const std::filesystem::path& path) {
  try {
    int generation = ProfileFile::openForReading(path).readInteger("S0", "Gen", 0);
    for (;;) {
      ++generation;
      ProfileFile file = ProfileFile::openForWriting(path);
      for (int section = 0; section < kGenerationSections; ++section) {
        file.writeInteger("S" + std::to_string(section), "Gen", generation);
      }
      file.commit();
    }
  } catch (...) {
  }
  _exit(3);
}

TEST_F(ProfileFileTest, WriterKilledAtRandomMomentsNeverLeavesAMix) {
  std::string base = "; generations\n\n";
  for (int section = 0; section < kGenerationSections; ++section) {
    base += "[S" + std::to_string(section) + "]\r\nBefore=x\r\nGen=0\r\nAfter=y\r\n\r\n";
  }
  base = generationText(base, 0);
  installation_.writeSettings(base);

  std::mt19937 random(12345);
  // Long enough for some commits to finish even in a sanitized build on a busy machine.
  std::uniform_int_distribution<int> pause(0, 30000);
  int lastGeneration = 0;
  for (int trial = 0; trial < 100; ++trial) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) writeGenerationsForever(file_);
    usleep(static_cast<useconds_t>(pause(random)));
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself in trial " << trial;

    const std::string text = installation_.settingsText();
    const int generation = ProfileDocument(text).value("S0", "Gen").has_value()
                               ? std::stoi(*ProfileDocument(text).value("S0", "Gen"))
                               : -1;
    ASSERT_GE(generation, lastGeneration) << "trial " << trial;
    ASSERT_EQ(text, generationText(base, generation)) << "trial " << trial;
    lastGeneration = generation;
  }
  EXPECT_GT(lastGeneration, 0);
}

// Programs that only look (tarvel-schedule) read without the lock: they make no lock file, put
// no interrupted write back, and still never see a write half done.
TEST_F(ProfileFileTest, ReadingWithoutLockChangesNothingBesideTheFile) {
  installation_.writeSettings("[S]\r\nK=new\r\n");
  const ProfileFile plain = ProfileFile::openWithoutLock(file_);
  EXPECT_EQ(plain.readString("S", "K", ""), "new");
  EXPECT_EQ(plain.readRawString("S", "K"), "new");
  EXPECT_FALSE(std::filesystem::exists(profileLockPath(file_)));

  // A copy left by a write in place that did not finish is what readers see; it stays.
  TemporaryInstallation::writeFile(profileBackupPath(file_), "[S]\r\nK= \"old\" \r\n");
  const ProfileFile interrupted = ProfileFile::openWithoutLock(file_);
  EXPECT_EQ(interrupted.readString("S", "K", ""), "old");
  EXPECT_EQ(interrupted.readRawString("S", "K"), " \"old\" ");
  EXPECT_EQ(installation_.settingsText(), "[S]\r\nK=new\r\n");
  EXPECT_TRUE(std::filesystem::exists(profileBackupPath(file_)));
  EXPECT_FALSE(std::filesystem::exists(profileLockPath(file_)));
}

TEST_F(ProfileFileTest, ReadingWithoutLockSeesOnlyWholeVersionsOfAFileBeingWritten) {
  std::string base;
  for (int section = 0; section < kGenerationSections; ++section) {
    base += "[S" + std::to_string(section) + "]\r\nGen=0\r\n";
  }
  installation_.writeSettings(base);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) writeGenerationsForever(file_);
  int lastGeneration = 0;
  for (int read = 0; read < 300; ++read) {
    const ProfileFile file = ProfileFile::openWithoutLock(file_);
    const int generation = file.readInteger("S0", "Gen", -1);
    for (int section = 1; section < kGenerationSections; ++section) {
      ASSERT_EQ(file.readInteger("S" + std::to_string(section), "Gen", -1), generation)
          << "read " << read << ", section " << section;
    }
    ASSERT_GE(generation, lastGeneration);
    lastGeneration = generation;
  }
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  EXPECT_GT(lastGeneration, 0);
}

// Concurrency: several programs writing their own keys into one file lose none of them.
TEST_F(ProfileFileTest, ConcurrentWritersLoseNoKeys) {
  installation_.writeSettings("[Shared]\r\nKeep=1\r\n");
  constexpr int kWriters = 3;
  constexpr int kOperations = 80;
  std::vector<pid_t> children;
  for (int writer = 0; writer < kWriters; ++writer) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      int exitCode = 0;
      try {
        const std::string own = "W" + std::to_string(writer);
        for (int operation = 1; operation <= kOperations; ++operation) {
          ProfileFile file = ProfileFile::openForWriting(file_);
          file.writeInteger(own, "Last", operation);
          file.writeInteger(own, "Key" + std::to_string(operation), operation);
          file.writeInteger("Shared", own, operation);
          file.commit();
        }
      } catch (...) {
        exitCode = 3;
      }
      _exit(exitCode);
    }
    children.push_back(child);
  }
  for (const pid_t child : children) {
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }

  const ProfileFile file = ProfileFile::openForReading(file_);
  EXPECT_EQ(file.readInteger("Shared", "Keep", 0), 1);
  for (int writer = 0; writer < kWriters; ++writer) {
    const std::string own = "W" + std::to_string(writer);
    EXPECT_EQ(file.readInteger(own, "Last", 0), kOperations) << own;
    EXPECT_EQ(file.readInteger("Shared", own, 0), kOperations) << own;
    for (int operation = 1; operation <= kOperations; ++operation) {
      EXPECT_EQ(file.readInteger(own, "Key" + std::to_string(operation), 0), operation)
          << own << " Key" << operation;
    }
  }
}

}  // namespace
}  // namespace tarvel::platform
