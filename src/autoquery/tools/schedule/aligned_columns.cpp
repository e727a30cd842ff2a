#include "autoquery/tools/schedule/aligned_columns.h"

#include <algorithm>

#include "autoquery/tools/schedule/escaped_controls.h"

namespace tarvel::autoquery::schedule {

void AlignedColumns::fit(std::span<const QStringView> row) {
  if (widths_.size() < row.size()) widths_.resize(row.size(), 0);
  for (std::size_t column = 0; column < row.size(); ++column) {
    widths_[column] = std::max(widths_[column], shownWidth(row[column]));
  }
}

void AlignedColumns::write(QTextStream& out, std::span<const QStringView> row) {
  line_.resize(0);
  for (std::size_t column = 0; column < row.size(); ++column) {
    line_ += row[column];
    if (column + 1 < row.size() && column < widths_.size()) {
      const qsizetype padded = widths_[column] + 2;
      const qsizetype shown = shownWidth(row[column]);
      if (shown < padded) line_.resize(line_.size() + padded - shown, u' ');
    }
  }
  out << QStringView(line_).trimmed() << '\n';
}

void writeAlignedColumns(QTextStream& out, const QList<QStringList>& rows) {
  AlignedColumns columns;
  std::vector<QStringView> cells;
  const auto cellsOf = [&cells](const QStringList& row) -> std::span<const QStringView> {
    cells.assign(row.begin(), row.end());
    return cells;
  };
  for (const QStringList& row : rows) columns.fit(cellsOf(row));
  for (const QStringList& row : rows) columns.write(out, cellsOf(row));
}

}  // namespace tarvel::autoquery::schedule
