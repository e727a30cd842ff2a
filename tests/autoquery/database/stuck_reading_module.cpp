// A module that stands in for the plug-in in the test of a call left stuck at unload: it starts
// a reading of the office database whose thread then blocks until the test lets it go, and
// drops the OfficeDatabaseThread at once, as the plug-in's UnLoad drops its window.
#include <unistd.h>

#include <atomic>
#include <thread>

#include "autoquery/database/office_database_name.h"
#include "autoquery/database/office_database_thread.h"

extern "C" __attribute__((visibility("default"))) void startStuckReading(int releaseDescriptor) {
  using tarvel::autoquery::OfficeDatabaseThread;
  static std::atomic<bool> blocked{false};
  auto database = std::make_unique<OfficeDatabaseThread>();
  database->setAfterConnect([releaseDescriptor] {
    blocked = true;
    char byte = 0;
    while (::read(releaseDescriptor, &byte, 1) < 0) {
    }
  });
  database->readStationNames(tarvel::autoquery::officeDatabaseName(""), nullptr, {});
  while (!blocked) std::this_thread::yield();
  database.reset();
}
