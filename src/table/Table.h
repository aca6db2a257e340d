#pragma once

#include "table/Range.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace table {

// The rows of `raggio-limite tabella`: one per combination of the three
// ranges, temperature varying slowest, each computed as "Calcolo" would.
// Rows are written as they are made, so memory stays flat.
class Table {
  public:
    // CsvItalian: semicolons, decimal commas and a UTF-8 byte-order mark, for
    // a spreadsheet set to Italian.
    enum class Format { Csv, CsvItalian, Text };

    Table(Range temperature, Range salinity, Range depth)
        : temperature_(temperature), salinity_(salinity), depth_(depth) {}

    // Saturates instead of overflowing.
    std::int64_t rowCount() const;

    // Where the rows go, a block at a time; false stops the table.
    using Sink = std::function<bool(std::string_view)>;

    // Whether every block reached the sink.
    bool write(Format format, const Sink& out) const;

  private:
    // Writes one row at out, room enough for any row; where it ends.
    char* writeRow(Format format, double temperature, double salinity, double depth,
                   char* out) const;

    Range temperature_;
    Range salinity_;
    Range depth_;
};

} // namespace table
