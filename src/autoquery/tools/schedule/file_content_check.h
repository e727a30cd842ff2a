// What the bytes of a cnf.INI say about how it was written: NUL bytes left by a write that a
// power loss cut short, other control bytes of a file that is no text at all, and text saved in
// UTF-8 by another program, whose Russian names the plug-in reads as Windows-1251 gibberish.
#pragma once

#include <string_view>
#include <vector>

#include "autoquery/core/auto_azs.h"
#include "autoquery/tools/schedule/check_command.h"

namespace tarvel::autoquery::schedule {

// Findings of kinds content-nul, content-binary and text-utf8, each at most once, for the file
// as a whole (no section). registry is what the loading made of bytes: its names give the
// example of a garbled name.
std::vector<Finding> checkFileContent(std::string_view bytes, const tAutoAZS& registry);

}  // namespace tarvel::autoquery::schedule
