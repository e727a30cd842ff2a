// Finding a menu item by the captions on the way to it, as a person names it:
// "Связь с офисом/Настройки/Автоматическая отправка".
#pragma once

#include <QString>

#include "tarvel/contract.h"

namespace tarvel::host {

// The item reached from root by the "/"-separated captions of path, each compared with the
// "&" markers removed, spaces at its ends ignored and without regard to case (Cyrillic too);
// the first matching child is taken at each step. nullptr when a step finds nothing or the
// path is empty.
HostMenuItem* findMenuItemByPath(HostMenuItem& root, const QString& path);

}  // namespace tarvel::host
