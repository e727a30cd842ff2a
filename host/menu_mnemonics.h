// Alt+letter keys for the host's menus: a caption that marks no letter with "&" gets one, the
// first letter of one of its words that no other item of the same menu uses, else any such
// letter. Only the text shown changes; the item keeps its caption as given.
#pragma once

#include <QChar>
#include <QList>
#include <QString>

namespace tarvel::host {

// The letter after the first single "&" of a shown text, in lower case; a null QChar for none.
QChar mnemonicOf(const QString& shownText);

// The text to show for caption: caption itself when it marks a letter already or no free letter
// is left, otherwise caption with "&" before the chosen letter. taken: lower-case letters used.
QString withMnemonic(const QString& caption, const QList<QChar>& taken);

}  // namespace tarvel::host
