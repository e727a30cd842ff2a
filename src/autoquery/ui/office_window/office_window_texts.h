// The texts of the office window TAutoZaprosOfficeForm: Windows-1251 bytes, converted while
// compiling. The runs of blanks in the column header stand the three words over their columns.
#pragma once

#include "platform/cp1251_literal.h"

namespace tarvel::autoquery::office_window_text {

using platform::operator""_cp1251;

inline constexpr auto& kOfficeFormCaption = u8"Автоматический запрос данных с АЗС"_cp1251;

inline constexpr auto& kOfficeHint =
    u8"Для редактирования времени сеанса связи с АЗС кликните на названии АЗС и установите "
    u8"необходимые значения"_cp1251;
inline constexpr auto& kColumnHeader =
    u8"                 АЗС                      Инфо      График связи"_cp1251;

// The legend.
inline constexpr auto& kColouringCaption = u8"Закраска полей:"_cp1251;
inline constexpr auto& kColouringMeanings =
    u8"- связь отключена\n- сеанс связи\n- возможное наложение сеансов"_cp1251;
inline constexpr auto& kIconsCaption = u8"Справа от названия АЗС:"_cp1251;
inline constexpr auto& kPollingOnMeaning = u8"- автозапрос включен"_cp1251;
inline constexpr auto& kPollingOffMeaning = u8"- автозапрос отключен"_cp1251;
inline constexpr auto& kModemMeaning = u8"- модемное соединение"_cp1251;
inline constexpr auto& kMailMeaning = u8"- электронная почта"_cp1251;
inline constexpr auto& kDirectIpMeaning = u8"- прямое IP соединение"_cp1251;

// The accessible name of the chart Image1.
inline constexpr auto& kChartName = u8"График связи"_cp1251;

// What a screen reader says of the controls whose captions do not say it.
inline constexpr auto& kStationListName = u8"Список АЗС"_cp1251;
inline constexpr auto& kScaleName = u8"Масштаб графика"_cp1251;
inline constexpr auto& kForecastName = u8"Прогноз, дней"_cp1251;

// The bottom panel.
inline constexpr auto& kScaleCaption = u8"Масштаб:"_cp1251;
inline constexpr auto& kForecastCaption = u8"Прогноз:"_cp1251;
// lbProgn: the position followed by this; the word does not follow the number.
inline constexpr auto& kDaysSuffix = u8" дней"_cp1251;
inline constexpr auto& kShowLegendCaption = u8"Показать подсказку"_cp1251;

// Shown in place of the hint while the station list is read from the office database.
inline constexpr auto& kReadingStationList = u8"Идёт чтение списка АЗС из базы данных…"_cp1251;

// Reported to the host, kind 2, followed by the error's text.
inline constexpr auto& kStationListError = u8"Ошибка получения списка АЗС: "_cp1251;
inline constexpr auto& kClosingError = u8"Ошибка закрытия базы данных АЗС: "_cp1251;
inline constexpr auto& kDrawingError = u8"Ошибка отрисовки времени соединения: "_cp1251;

// Reported to the host, kind 2, when the office database lists more stations than the registry
// holds (kMaxItemCount): the bound and then the number of stations left out follow.
inline constexpr auto& kStationsBeyondTheBound = u8"Список АЗС длиннее "_cp1251;
inline constexpr auto& kStationsLeftOut = u8", не добавлено АЗС: "_cp1251;

}  // namespace tarvel::autoquery::office_window_text
