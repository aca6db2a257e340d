#pragma once

#include <string>
#include <string_view>

namespace practice {

// The two forms of CSV that spreadsheets read. The standard one (comma,
// decimal point) is for programs and pipes, and has no byte-order mark, like
// `tabella`'s. The Italian one (semicolon, decimal comma) is for a
// spreadsheet set to Italian, and begins with the UTF-8 byte-order mark,
// without which Excel reads the accents of its notes as Latin-1.
struct CsvDialect {
    char separator = ',';
    char decimalMark = '.';
    bool byteOrderMark = false;

    static const CsvDialect kStandard;
    static const CsvDialect kItalian;
};

// A CSV file written record by record, quoted as RFC 4180 quotes (a text
// field with a comma, a semicolon, a double quote or a line break goes
// between double quotes, its double quotes doubled), records ended by CRLF.
class CsvWriter {
  public:
    explicit CsvWriter(const CsvDialect& dialect);

    // A text field. One that a spreadsheet would take for a formula (it
    // begins with =, +, - or @) gets a ' in front, so that a name in a
    // class's file cannot run as one.
    CsvWriter& text(std::string_view field);
    // The shortest digits that read back as the same double.
    CsvWriter& number(double value);
    CsvWriter& whole(long long value);
    CsvWriter& empty();
    void endRecord();

    const std::string& bytes() const { return bytes_; }

  private:
    void startField();

    CsvDialect dialect_;
    std::string bytes_;
    bool firstField_ = true;
};

} // namespace practice
