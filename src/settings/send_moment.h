// The moments of the station's automatic sending, numbered as cnf.INI stores them in WhenSend.
// The stored field stays a 32-bit integer: any other value means never and is kept as it is.
#pragma once

#include <cstdint>

namespace tarvel::settings {

struct SendMoment {
  enum : int32_t {
    ShiftClosed = 1,    // when the host's shift number changes
    EveryInterval = 2,  // every SendInterval hours after the last send
    SetTime = 3,        // every day at SendTime
  };
};

}  // namespace tarvel::settings
