// tarvel-schedule chart: the time-line chart as a PNG file, the picture the office window shows,
// without the window. Needs a QGuiApplication (the labels' fonts).
#pragma once

#include <QDateTime>
#include <QImage>
#include <QJsonObject>
#include <QString>
#include <memory>
#include <span>
#include <vector>

#include "autoquery/core/azs_item.h"

namespace tarvel::autoquery::schedule {

// The window's button face on the system the chart was designed for.
inline constexpr QRgb kChartButtonFace = 0xFFF0F0F0;

// The whole chart of the items at zoom Z over D forecast days (the picture spans D + 1 days) at
// the moment now. Throws what DrawTimeline throws.
QImage chartPicture(std::span<const TAzsItem* const> items, int zoom, int days,
                    const QDateTime& now);

// Writes the picture as PNG; ToolError when it cannot be written.
void writeChartPicture(const QImage& picture, const QString& file);

QString chartText(const QString& file, const QImage& picture, std::size_t stations);
QJsonObject chartJson(const QString& file, const QImage& picture, std::size_t stations);

// A small chain for a look at the chart without any cnf.INI: daily, weekday, disabled,
// month-date and overlapping stations.
std::vector<std::unique_ptr<TAzsItem>> demoChain();

}  // namespace tarvel::autoquery::schedule
