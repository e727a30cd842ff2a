#include "platform/library_loader.h"

#include <gtest/gtest.h>

#include "support/temporary_installation.h"

namespace tarvel::platform {
namespace {

// The stand-in siblings are built beside the test programs.
TEST(LibraryLoader, FindsALibraryBesideTheProgramAndBindsItsEntriesByName) {
  LibraryHandle zumbra = loadLibrary("Zumbra.dll");
  ASSERT_NE(zumbra, nullptr);
  EXPECT_NE(bindEntry(zumbra, "PrepareDataZumbra"), nullptr);
  EXPECT_EQ(bindEntry(zumbra, "Load"), nullptr);
  releaseLibrary(zumbra);
}

TEST(LibraryLoader, AnswersNullForALibraryFoundNowhere) {
  EXPECT_EQ(loadLibrary("NoSuchLibrary.dll"), nullptr);
  EXPECT_EQ(bindEntry(nullptr, "Load"), nullptr);
  releaseLibrary(nullptr);
}

TEST(LibraryLoader, SearchesTheProgramFolderFirst) {
  testing::TemporaryInstallation emptyFolder;
  setProgramFolderForTests(emptyFolder.root());
  EXPECT_EQ(loadLibrary("Zumbra.dll"), nullptr);
  setProgramFolderForTests(std::nullopt);
  LibraryHandle zumbra = loadLibrary("Zumbra.dll");
  EXPECT_NE(zumbra, nullptr);
  releaseLibrary(zumbra);
}

}  // namespace
}  // namespace tarvel::platform
