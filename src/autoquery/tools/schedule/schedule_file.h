// A cnf.INI's schedules as the plug-in reads them, read without the settings file's lock and
// without changing anything, so that a look from a shell or a monitoring system never holds up
// the office program that writes the file.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <vector>

#include "autoquery/core/auto_azs.h"
#include "platform/profile_file.h"

namespace tarvel::autoquery::schedule {

// An error of the command for people: a Windows-1251 message, exit status 2.
class ToolError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// cnf.INI where the plug-in finds it: the Windows directory of the installation root.
std::filesystem::path defaultScheduleFile();

struct ScheduleFile {
  // Reads the file through the registry's own loading. Throws ToolError when the file does not
  // exist, std::runtime_error (Windows-1251, naming the file) when it cannot be read.
  explicit ScheduleFile(const std::filesystem::path& path);

  std::filesystem::path path;
  platform::ProfileFile ini;
  tAutoAZS registry;
  // The registry's items in order, as the chart takes them.
  std::vector<const TAzsItem*> items() const;
};

}  // namespace tarvel::autoquery::schedule
