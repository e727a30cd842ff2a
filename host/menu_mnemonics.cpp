#include "host/menu_mnemonics.h"

namespace tarvel::host {

QChar mnemonicOf(const QString& shownText) {
  for (qsizetype index = 0; index + 1 < shownText.size(); ++index) {
    if (shownText[index] != u'&') continue;
    if (shownText[index + 1] == u'&') {
      ++index;  // "&&" shows an ampersand
      continue;
    }
    return shownText[index + 1].toLower();
  }
  return {};
}

QString withMnemonic(const QString& caption, const QList<QChar>& taken) {
  if (!mnemonicOf(caption).isNull() || caption.contains(u'&')) return caption;
  const auto isFree = [&](qsizetype index) {
    return caption[index].isLetterOrNumber() && !taken.contains(caption[index].toLower());
  };
  qsizetype chosen = -1;
  for (qsizetype index = 0; index < caption.size() && chosen < 0; ++index) {
    const bool startsWord = index == 0 || caption[index - 1].isSpace();
    if (startsWord && isFree(index)) chosen = index;
  }
  for (qsizetype index = 0; index < caption.size() && chosen < 0; ++index) {
    if (isFree(index)) chosen = index;
  }
  if (chosen < 0) return caption;
  QString shown = caption;
  shown.insert(chosen, u'&');
  return shown;
}

}  // namespace tarvel::host
