// The ways a station and the office connect, numbered as cnf.INI stores them: the station's
// ViaSend and each office schedule's ConnType use the same numbers. The stored fields stay
// 32-bit integers, because the file may hold other values, which are kept as they are.
#pragma once

#include <cstdint>

namespace tarvel::settings {

struct ConnectionType {
  enum : int32_t {
    Modem = 1,
    Mail = 2,
    DirectIp = 3,
  };
};

}  // namespace tarvel::settings
