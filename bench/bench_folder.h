// A folder of its own for a benchmark run's files, removed at exit.
#pragma once

#include <QDir>
#include <QTemporaryDir>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace tarvel::bench {

class BenchFolder {
 public:
  // A new folder in the system's temporary folder, its name beginning with namePrefix.
  explicit BenchFolder(const std::string& namePrefix)
      : folder_(QDir::tempPath() + "/" + QString::fromStdString(namePrefix) + "-XXXXXX") {
    if (!folder_.isValid()) throw std::runtime_error("no temporary folder for the benchmark");
  }
  // The path of a file in the folder.
  std::filesystem::path file(const std::string& name) const {
    return std::filesystem::path(folder_.path().toStdString()) / name;
  }

 private:
  QTemporaryDir folder_;
};

}  // namespace tarvel::bench
