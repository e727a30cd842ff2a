// A call of the office database still in flight when the host unloads the module: the module
// stays mapped while the call's thread may run its code, so the thread finishes instead of
// jumping into unmapped memory (which would end this program).
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QTest>
#include <filesystem>
#include <fstream>
#include <string>

#include "autoquery/database/office_database_thread.h"
#include "autoquery/database/tools/office_database_creation.h"
#include "platform/library_loader.h"
#include "platform/thread_names.h"
#include "support/temporary_installation.h"

namespace tarvel::autoquery {
namespace {

// The module's thread, seen by its name: the module counts its threads where this program cannot
// read them. The client's own threads are named after this program's thread, which started the
// engine when it made the database.
bool modulesDatabaseThreadRuns() { return platform::threadNamedRuns(kOfficeDatabaseThreadName); }

TEST(ModuleReference, ModuleUnloadedByItsHostStaysWhileItsStuckCallRuns) {
  testing::TemporaryInstallation installation;
  const auto office = installation.root() / "FSYS" / "OFFICEDB" / "OFFICE.FDB";
  std::filesystem::create_directories(office.parent_path());
  createOfficeDatabase(office, {{.AZSNUMBER = 1, .AZSNAME = "A"}});
  int release[2];
  ASSERT_EQ(::pipe(release), 0);

  const auto path = platform::programFolder() / "libtarvel_stuck_reading_module.so";
  void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(module, nullptr) << dlerror();
  const auto start = reinterpret_cast<void (*)(int)>(dlsym(module, "startStuckReading"));
  ASSERT_NE(start, nullptr);
  start(release[0]);
  ASSERT_EQ(dlclose(module), 0);

  void* stillLoaded = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
  EXPECT_NE(stillLoaded, nullptr) << "the module went while its call was stuck";
  if (stillLoaded != nullptr) dlclose(stillLoaded);
  ASSERT_TRUE(modulesDatabaseThreadRuns());

  // The call goes on: the rest of the reading, the closing and the thread's end, all code of the
  // unloaded module.
  ASSERT_EQ(::write(release[1], "x", 1), 1);
  for (int wait = 0; wait < 200 && modulesDatabaseThreadRuns(); ++wait) QTest::qWait(50);
  EXPECT_FALSE(modulesDatabaseThreadRuns());
  ::close(release[0]);
  ::close(release[1]);
}

}  // namespace
}  // namespace tarvel::autoquery
