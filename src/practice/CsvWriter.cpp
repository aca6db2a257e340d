#include "practice/CsvWriter.h"

#include "practice/Digits.h"

#include <algorithm>

namespace practice {

namespace {

const std::string kByteOrderMark = "\xEF\xBB\xBF";
const std::string_view kFormulaStarts = "=+-@";
// Either form's separator, so that a reader that guesses the form from a
// field never guesses wrong.
const std::string_view kQuoted = ",;\"\r\n";

} // namespace

const CsvDialect CsvDialect::kStandard{',', '.', false};
const CsvDialect CsvDialect::kItalian{';', ',', true};

CsvWriter::CsvWriter(const CsvDialect& dialect) : dialect_(dialect) {
    if (dialect.byteOrderMark)
        bytes_ = kByteOrderMark;
}

CsvWriter& CsvWriter::text(std::string_view field) {
    startField();
    const std::string safe =
        (!field.empty() && kFormulaStarts.find(field.front()) != std::string_view::npos ? "'"
                                                                                        : "") +
        std::string(field);
    const bool quoted = safe.find_first_of(kQuoted) != std::string::npos;
    if (!quoted) {
        bytes_ += safe;
        return *this;
    }
    bytes_ += '"';
    for (const char c : safe)
        bytes_ += c == '"' ? std::string("\"\"") : std::string(1, c);
    bytes_ += '"';
    return *this;
}

CsvWriter& CsvWriter::number(double value) {
    startField();
    std::string digits = digits::shortest(value);
    std::replace(digits.begin(), digits.end(), '.', dialect_.decimalMark);
    bytes_ += digits;
    return *this;
}

CsvWriter& CsvWriter::whole(long long value) {
    startField();
    bytes_ += std::to_string(value);
    return *this;
}

CsvWriter& CsvWriter::empty() {
    startField();
    return *this;
}

void CsvWriter::endRecord() {
    bytes_ += "\r\n";
    firstField_ = true;
}

void CsvWriter::startField() {
    if (!firstField_)
        bytes_ += dialect_.separator;
    firstField_ = false;
}

} // namespace practice
