// tarvel-schedule check: what a hand-edited or damaged cnf.INI holds that the plug-in will read
// otherwise than its writer may have meant. Each finding compares the file's text with what the
// registry's own loading made of it.
#pragma once

#include <QJsonObject>
#include <QString>
#include <string>
#include <vector>

#include "autoquery/core/auto_azs.h"
#include "platform/profile_file.h"

namespace tarvel::autoquery::schedule {

struct Finding {
  std::string kind;     // a fixed English name for programs, e.g. "time-never-due"
  std::string section;  // where it stands in the file
  std::string key;      // empty for the section as a whole
  std::string message;  // for people, Windows-1251
};

// The findings in the order of the file's sections; registry is what LoadFromIni made of ini.
// Kinds: content-nul, content-binary, text-utf8 (the file as a whole, no section),
// count-unreadable, count-missing (also when the section AutoZapros is missing), count-negative,
// count-above-limit, nothing-polled, sections-missing, sections-beyond-count, value-unreadable,
// connection-type-unknown, kind-unknown, cpcount-negative, cpcount-above-limit, slot-budget,
// times-not-counted, time-missing, time-refused-by-chart, time-never-due, time-duplicate,
// name-quotes-removed, name-duplicate.
std::vector<Finding> checkSchedule(const platform::ProfileFile& ini, const tAutoAZS& registry);

QString findingsText(const std::vector<Finding>& findings);
// {"findings": [{"kind", "section", "key", "message"}]}
QJsonObject findingsJson(const std::vector<Finding>& findings);

}  // namespace tarvel::autoquery::schedule
