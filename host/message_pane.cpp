#include "host/message_pane.h"

#include <cstdio>

#include "platform/cp1251.h"

namespace tarvel::host {

MessagePane::MessagePane(QWidget* parent) : QListWidget(parent) {
  setObjectName("messagePane");
  setSelectionMode(QAbstractItemView::NoSelection);
}

void MessagePane::addReport(int32_t kind, const std::string& text) {
  addLine(QString("[%1] %2").arg(kind).arg(platform::toUnicode(text)));
}

void MessagePane::addLine(const QString& line) {
  addItem(line);
  scrollToBottom();
  if (echoToStandardOutput_) {
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
  }
}

QStringList MessagePane::lines() const {
  QStringList all;
  for (int row = 0; row < count(); ++row) all << item(row)->text();
  return all;
}

}  // namespace tarvel::host
