// tarvel-demo-office-database FILE: makes the demo chain's office database at FILE when there is
// none (a dozen stations with Cyrillic names), and leaves an existing one alone.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <vector>

#include "autoquery/database/tools/office_database_creation.h"
#include "platform/cp1251_literal.h"

using tarvel::platform::operator""_cp1251;

namespace {

std::vector<tarvel::autoquery::OfficeStation> demoChain() {
  // Numbered out of order on purpose: the office window lists them by AZSNUMBER.
  return {
      {.AZSNUMBER = 1, .AZSNAME = u8"АЗС №1 Центральная"_cp1251},
      {.AZSNUMBER = 2, .AZSNAME = u8"АЗС №2 Вокзальная"_cp1251},
      {.AZSNUMBER = 4, .AZSNAME = u8"АЗС №4 Северная"_cp1251},
      {.AZSNUMBER = 3, .AZSNAME = u8"АЗС №3 Заречье"_cp1251},
      {.AZSNUMBER = 5, .AZSNAME = u8"АЗС №5 Трасса М-4"_cp1251},
      {.AZSNUMBER = 6, .AZSNAME = u8"АЗС №6 Промзона"_cp1251},
      {.AZSNUMBER = 7, .AZSNAME = u8"АЗС №7 Речной порт"_cp1251},
      {.AZSNUMBER = 8, .AZSNAME = u8"АЗС №8 Ёлочка"_cp1251},
      {.AZSNUMBER = 9, .AZSNAME = u8"АЗС №9 Южная"_cp1251},
      {.AZSNUMBER = 10, .AZSNAME = u8"АЗС №10 Аэропорт"_cp1251},
      {.AZSNUMBER = 11, .AZSNAME = u8"АЗС №11 Объездная"_cp1251},
      {.AZSNUMBER = 12, .AZSNAME = u8"АЗС №12 Новая"_cp1251},
  };
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FILE\n", argv[0]);
    return 2;
  }
  const std::filesystem::path file = argv[1];
  if (std::filesystem::exists(file)) {
    return 0;
  }
  try {
    std::filesystem::create_directories(file.parent_path());
    tarvel::autoquery::createOfficeDatabase(file, demoChain());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s: %s\n", file.c_str(), error.what());
    return 1;
  }
  std::printf("Demo office database: %s\n", file.c_str());
  return 0;
}
