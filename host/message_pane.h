// The host's message pane: every message the plug-in reports, and every exchange it starts, one
// line each, newest last. Without a display the lines go to standard output as well, so that a
// run on the offscreen platform can still be followed.
#pragma once

#include <QListWidget>
#include <cstdint>
#include <string>

namespace tarvel::host {

class MessagePane final : public QListWidget {
  Q_OBJECT

 public:
  explicit MessagePane(QWidget* parent = nullptr);

  // Adds "[<kind>] <text>"; text is Windows-1251.
  void addReport(int32_t kind, const std::string& text);
  // Adds one line of the host's own.
  void addLine(const QString& line);
  // Every line, in order.
  QStringList lines() const;

  void setEchoToStandardOutput(bool echo) { echoToStandardOutput_ = echo; }

 private:
  bool echoToStandardOutput_ = false;
};

}  // namespace tarvel::host
