#pragma once

#include "practice/CsvWriter.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace practice {

// One record of a CSV file, with the line it begins on (from 1).
struct CsvRecord {
    int line = 0;
    std::vector<std::string> fields;
};

// A CSV file read whole, in either form: Italian when its first line has
// more semicolons than commas outside double quotes, standard otherwise. RFC 4180 quoting;
// records ended by CRLF, LF or CR; a UTF-8 byte-order mark skipped; empty
// records (a blank line, or only separators) left out.
struct CsvFile {
    CsvDialect dialect;
    std::vector<CsvRecord> records;

    // Nothing, with "riga N: ..." in *problem, for text that is not UTF-8
    // or quotes left open or misplaced.
    static std::optional<CsvFile> read(std::string_view bytes, std::string* problem);
};

} // namespace practice
