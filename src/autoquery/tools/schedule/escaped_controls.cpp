#include "autoquery/tools/schedule/escaped_controls.h"

#include <cstdio>

namespace tarvel::autoquery::schedule {
namespace {

// UTF-8 encodes U+0080 .. U+009F as this byte followed by 0x80 .. 0x9F.
constexpr unsigned char kC1Lead = 0xC2;

bool isC1Trail(unsigned char byte) { return byte >= 0x80 && byte <= 0x9F; }

void appendHex(QByteArray& out, const char* prefix, unsigned value, int digits) {
  out += prefix;
  out += QByteArray::number(value, 16).toUpper().rightJustified(digits, '0');
}

}  // namespace

QByteArray escapedControls(QByteArrayView utf8) {
  QByteArray out;
  out.reserve(utf8.size());
  for (qsizetype index = 0; index < utf8.size(); ++index) {
    const auto byte = static_cast<unsigned char>(utf8[index]);
    if ((byte < 0x20 && byte != '\n') || byte == 0x7F) {
      appendHex(out, "\\x", byte, 2);
    } else if (byte == kC1Lead && index + 1 < utf8.size() &&
               isC1Trail(static_cast<unsigned char>(utf8[index + 1]))) {
      appendHex(out, "\\u", static_cast<unsigned char>(utf8[++index]), 4);
    } else {
      out += static_cast<char>(byte);
    }
  }
  return out;
}

qsizetype shownWidth(QStringView text) {
  qsizetype width = text.size();
  for (const QChar character : text) {
    const char16_t code = character.unicode();
    if ((code < 0x20 && code != u'\n') || code == 0x7F) {
      width += 3;  // "\x1B"
    } else if (code >= 0x80 && code <= 0x9F) {
      width += 5;  // "\u0098"
    }
  }
  return width;
}

EscapingStandardOutput::EscapingStandardOutput() {
  output_.open(stdout, QIODevice::WriteOnly);
  open(QIODevice::WriteOnly);
}

EscapingStandardOutput::~EscapingStandardOutput() {
  if (pendingLead_) output_.write(escapedControls(QByteArray(1, static_cast<char>(kC1Lead))));
}

qint64 EscapingStandardOutput::readData(char*, qint64) { return -1; }

qint64 EscapingStandardOutput::writeData(const char* data, qint64 size) {
  QByteArray piece;
  if (pendingLead_) piece += static_cast<char>(kC1Lead);
  piece.append(data, size);
  // A character cut between two pieces is escaped whole with the next one.
  pendingLead_ = !piece.isEmpty() && static_cast<unsigned char>(piece.back()) == kC1Lead;
  if (pendingLead_) piece.chop(1);
  if (output_.write(escapedControls(piece)) < 0) return -1;
  return size;
}

}  // namespace tarvel::autoquery::schedule
