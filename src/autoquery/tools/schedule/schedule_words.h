// How tarvel-schedule says a schedule's values to people and to programs: the captions the
// office window and the editor use, the times of an item, moments, and the one conversion from
// the plug-in's Windows-1251 texts to the terminal's Unicode.
#pragma once

#include <QDateTime>
#include <QJsonArray>
#include <QString>
#include <string_view>

#include "autoquery/core/azs_item.h"

namespace tarvel::autoquery::schedule {

// A Windows-1251 text as Unicode.
QString unicode(std::string_view cp1251);

// "Модемное соединение", "Электронный почтовый ящик", "Прямое IP соединение", or the unknown
// number.
QString connectionCaption(int32_t ConnType);
// "Ежедневное", "По дням недели", "По датам месяца", or the unknown number.
QString kindCaption(int32_t ConnTimeTipe);
// The item's sessions: daily times in slot order, "ПН 09:00" for each weekday with a time;
// "нет сеансов" when there is none.
QString timesText(const TAzsItem& item);
// CP as it was read: one entry per slot, null for an unset one.
QJsonArray slotsJson(const TAzsItem& item);

// "dd.MM.yyyy hh:mm" for people, "yyyy-MM-ddThh:mm" for programs.
QString momentText(const QDateTime& moment);
QString momentJson(const QDateTime& moment);

}  // namespace tarvel::autoquery::schedule
