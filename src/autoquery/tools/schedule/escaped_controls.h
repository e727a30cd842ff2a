// Text for a terminal that a file's bytes cannot steer: the control characters a schedule file
// may carry in a name or a time (an ESC would start a terminal's escape sequence) are written as
// visible escapes, "\x1B" for C0 and DEL, "\u0098" for C1; line breaks stay line breaks.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QIODevice>
#include <QStringView>

namespace tarvel::autoquery::schedule {

// UTF-8 text with its control characters but '\n' escaped.
QByteArray escapedControls(QByteArrayView utf8);

// How wide the text stands on the terminal once its control characters are escaped, so that
// the tables' columns stay aligned around a name that holds one.
qsizetype shownWidth(QStringView text);

// A write-only device that passes UTF-8 text on to standard output with its control characters
// escaped, for the text a QTextStream writes in pieces.
class EscapingStandardOutput : public QIODevice {
 public:
  EscapingStandardOutput();
  ~EscapingStandardOutput() override;

 protected:
  qint64 readData(char* data, qint64 maxSize) override;
  qint64 writeData(const char* data, qint64 size) override;

 private:
  QFile output_;
  bool pendingLead_ = false;  // a piece ended in the first byte of a character that may be C1
};

}  // namespace tarvel::autoquery::schedule
