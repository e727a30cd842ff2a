// The texts of tarvel-schedule: Windows-1251 bytes converted while compiling, like every text of
// the plug-in; the command turns them into UTF-8 only where it writes to the terminal.
#pragma once

#include "platform/cp1251_literal.h"

namespace tarvel::autoquery::schedule::text {

using platform::operator""_cp1251;

// Errors: one line on stderr, exit status 2.
inline constexpr auto& kNoFile = u8"нет файла расписаний "_cp1251;
inline constexpr auto& kNoCommand =
    u8"не указана команда (list, next, collisions, check или chart); см. --help"_cp1251;
inline constexpr auto& kUnknownCommand = u8"неизвестная команда "_cp1251;
inline constexpr auto& kUnknownOption = u8"неизвестный параметр "_cp1251;
inline constexpr auto& kOptionNotForCommand = u8" не относится к команде "_cp1251;
inline constexpr auto& kMissingValue = u8"не указано значение параметра "_cp1251;
inline constexpr auto& kBadNumber = u8"значение параметра должно быть целым числом от "_cp1251;
inline constexpr auto& kTo = u8" до "_cp1251;
inline constexpr auto& kBadMoment = u8"--at ожидает время вида \"гггг-ММ-дд чч:мм\": "_cp1251;
inline constexpr auto& kExtraArgument = u8"лишний аргумент "_cp1251;
inline constexpr auto& kChartNeedsFile = u8"команде chart нужно имя PNG-файла"_cp1251;
inline constexpr auto& kCannotWritePicture = u8"не удалось записать рисунок "_cp1251;
inline constexpr auto& kOutOfMemory = u8"не хватило памяти"_cp1251;

// Words of the listing, as the office window and the editor say them.
inline constexpr auto& kPollingOn = u8"включен"_cp1251;
inline constexpr auto& kPollingOff = u8"отключен"_cp1251;
inline constexpr auto& kAsks = u8"с подтверждением"_cp1251;
inline constexpr auto& kDoesNotAsk = u8"без подтверждения"_cp1251;
inline constexpr auto& kUnknownConnection = u8"неизвестный вид связи "_cp1251;
inline constexpr auto& kUnknownKind = u8"неизвестный вид расписания "_cp1251;
inline constexpr auto& kNoTimes = u8"нет сеансов"_cp1251;
inline constexpr auto& kListHeader =
    u8"№\tАЗС\tАвтозапрос\tРазрешение\tВид связи\tВремя связи\tСеансы"_cp1251;
inline constexpr auto& kEmptyRegistry = u8"Расписаний нет."_cp1251;

// next
inline constexpr auto& kViaHost = u8"через программу (StartExchange)"_cp1251;
inline constexpr auto& kViaTransport = u8"через IP-транспорт (AutoSendInetFromOffice)"_cp1251;
inline constexpr auto& kNextHeader = u8"Время\tАЗС\tРазрешение\tВид связи\tОбмен"_cp1251;
inline constexpr auto& kNoPolls = u8"Автозапросов в ближайшие часы нет: "_cp1251;
inline constexpr auto& kHoursSuffix = u8" ч."_cp1251;

// collisions
inline constexpr auto& kNoCollisions = u8"Наложений сеансов нет"_cp1251;
inline constexpr auto& kCollisionsFound = u8"Возможные наложения сеансов: "_cp1251;
inline constexpr auto& kAtZoom = u8"масштаб X"_cp1251;
inline constexpr auto& kDays = u8" дн."_cp1251;

// check
inline constexpr auto& kNothingFound = u8"Замечаний нет."_cp1251;
inline constexpr auto& kFindingsFound = u8"Замечаний: "_cp1251;
inline constexpr auto& kCountUnreadable =
    u8"Count не число и читается как 0: ни одно расписание не загрузится"_cp1251;
inline constexpr auto& kCountMissing = u8"нет ключа Count: ни одно расписание не загрузится"_cp1251;
inline constexpr auto& kHeaderMissing =
    u8"нет раздела [AutoZapros] с ключом Count: ни одно расписание не загрузится"_cp1251;
inline constexpr auto& kNothingPolled =
    u8"ни одна АЗС не опрашивается: нет включённой АЗС со временем сеанса"_cp1251;
inline constexpr auto& kContentNul =
    u8"в файле нулевые байты, запись файла, видимо, прервалась; нулевых байтов: "_cp1251;
inline constexpr auto& kContentBinary =
    u8"в файле двоичные данные, а не текст настроек; управляющих байтов: "_cp1251;
inline constexpr auto& kFirstAtOffset = u8" (первый на смещении "_cp1251;
inline constexpr auto& kCountNegative =
    u8"Count меньше нуля и читается как 0: ни одно расписание не загрузится"_cp1251;
inline constexpr auto& kCountAboveLimit =
    u8"Count больше предела, загрузятся только первые "_cp1251;
inline constexpr auto& kSectionsMissing =
    u8"нет раздела, хотя Count его включает: АЗС читается как новая (\"Неопределено\", автозапрос отключен)"_cp1251;
inline constexpr auto& kSectionsBeyondCount = u8"раздел за пределами Count = "_cp1251;
inline constexpr auto& kNotRead = u8": не читается"_cp1251;
inline constexpr auto& kValueUnreadable =
    u8"значение не читается как число, взято значение по умолчанию "_cp1251;
inline constexpr auto& kConnectionUnknown =
    u8"неизвестный вид связи: запрос уйдёт программе с этим числом"_cp1251;
inline constexpr auto& kKindUnknown =
    u8"неизвестный вид расписания: АЗС никогда не опрашивается"_cp1251;
inline constexpr auto& kCpCountNegative =
    u8"CPcount меньше нуля и читается как 0: сеансов нет"_cp1251;
inline constexpr auto& kCpCountAboveLimit =
    u8"CPcount больше 1440 (столько разных времён в сутках): читаются только записанные "
    u8"времена, сеансов: "_cp1251;
inline constexpr auto& kWeekdaySlotsBeyondSunday =
    u8"CPcount больше 7: сеансы после воскресенья ничего не значат"_cp1251;
inline constexpr auto& kSlotBudget =
    u8"общий предел сеансов всех АЗС исчерпан, читается только сеансов: "_cp1251;
inline constexpr auto& kTimesNotCounted =
    u8"есть время сеанса, но CPcount нет или он не число: сеансы не читаются"_cp1251;
inline constexpr auto& kTimeMissing =
    u8"нет ключа, сеанс читается как \"00:00\"; все такие сеансы АЗС дают вместе один "
    u8"автозапрос в полночь"_cp1251;
inline constexpr auto& kTimeRefusedByChart =
    u8"график связи не может прочитать время и не будет нарисован ни для одной АЗС: "_cp1251;
inline constexpr auto& kTimeNeverDue =
    u8"время не вида ЧЧ:ММ, автозапрос по нему не наступит: "_cp1251;
inline constexpr auto& kTimeDuplicate =
    u8"время указано повторно: АЗС опрашивается в эту минуту столько раз, сколько оно "
    u8"указано: "_cp1251;
inline constexpr auto& kNameQuotesRemoved =
    u8"кавычки вокруг названия при чтении пропадают: "_cp1251;
inline constexpr auto& kNameDuplicate = u8"то же название, что у раздела "_cp1251;
inline constexpr auto& kNameSpelledOtherwise =
    u8" (в файле записано иначе: пробелы или кавычки)"_cp1251;

// chart
inline constexpr auto& kPictureWritten = u8"Рисунок записан: "_cp1251;
inline constexpr auto& kStations = u8", АЗС: "_cp1251;

}  // namespace tarvel::autoquery::schedule::text

namespace tarvel::autoquery::schedule::text {

inline constexpr auto& kUsage =
    u8"Использование: tarvel-schedule [--ini ФАЙЛ] [--at \"гггг-ММ-дд чч:мм\"] [--json] КОМАНДА\n"
    u8"  list                                   все расписания по порядку\n"
    u8"  next [--hours Ч] [--station НАЗВАНИЕ]  автозапросы ближайших Ч часов (24)\n"
    u8"  collisions [--days Д] [--zoom М]       наложения сеансов за Д дней (7) при масштабе М "
    u8"(2)\n"
    u8"  check                                  повреждения и ошибки правки файла\n"
    u8"  chart ФАЙЛ.png [--zoom М] [--forecast Д]  график связи в PNG\n"
    u8"Файл по умолчанию: cnf.INI каталога WINDOWS корня установки ($TARVEL_ROOT).\n"
    u8"Файл только читается, без блокировки. Выход: 0 - ничего не найдено, 1 - найдены\n"
    u8"наложения или замечания, 2 - ошибка. Подробнее: man tarvel-schedule."_cp1251;

}  // namespace tarvel::autoquery::schedule::text
