// The tables of tarvel-schedule: rows of cells in columns, each cell but a row's last padded with
// blanks to its column's widest cell (as wide as it is shown, control characters escaped) and
// two more, each line without blanks at its ends. The widths are taken over every row before the
// first is written, so a long table goes out row by row and is never held whole.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QTextStream>
#include <span>
#include <vector>

namespace tarvel::autoquery::schedule {

class AlignedColumns {
 public:
  // Widens the columns to the row's cells. A row's last cell is never padded, so a column that
  // is the last of every row need not be fitted.
  void fit(std::span<const QStringView> row);
  // The row as one line ended by "\n", padded to the widths fitted so far.
  void write(QTextStream& out, std::span<const QStringView> row);

 private:
  std::vector<qsizetype> widths_;
  QString line_;  // kept between rows, so that writing a row allocates nothing
};

// All the rows, fitted and written.
void writeAlignedColumns(QTextStream& out, const QList<QStringList>& rows);

}  // namespace tarvel::autoquery::schedule
