#include "autoquery/tools/schedule/schedule_file.h"

#include "autoquery/tools/schedule/schedule_texts.h"
#include "platform/cp1251.h"
#include "settings/settings_file.h"

namespace tarvel::autoquery::schedule {
namespace {

platform::ProfileFile openExisting(const std::filesystem::path& path) {
  std::error_code error;
  // The plug-in reads a missing file as an empty schedule; here that is most likely a wrong name.
  if (!std::filesystem::exists(path, error))
    throw ToolError(text::kNoFile + platform::fromUnicode(QString::fromStdString(path.string())));
  return platform::ProfileFile::openWithoutLock(path);
}

}  // namespace

std::filesystem::path defaultScheduleFile() { return settings::SettingsFilePath(); }

ScheduleFile::ScheduleFile(const std::filesystem::path& file)
    : path(file), ini(openExisting(file)) {
  registry.LoadFromIni(ini);
}

std::vector<const TAzsItem*> ScheduleFile::items() const {
  std::vector<const TAzsItem*> items;
  for (int32_t position = 0; position < registry.Count(); ++position) {
    items.push_back(&registry.Items(position));
  }
  return items;
}

}  // namespace tarvel::autoquery::schedule
