// The host's installation kind, its answer to HostCommand::InstallationKind, compared as a
// number. Only two values mean something to the plug-in; the host may answer others, which mean
// neither.
#pragma once

#include <cstdint>

namespace tarvel::settings {

struct InstallationKind {
  enum : int32_t {
    RenamableStation = 0,     // a station whose name the operator may change from the menu
    OfficeWithAutoQuery = 3,  // an office that polls its stations automatically
  };
};

}  // namespace tarvel::settings
