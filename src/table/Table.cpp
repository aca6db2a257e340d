#include "table/Table.h"

#include "engine/Calculation.h"
#include "engine/RuntimeError.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <limits>
#include <vector>

namespace table {

namespace {

constexpr std::size_t kFlushAt = 1 << 16;

const char* const kColumns[] = {"temperatura", "salinita", "quota", "velocita", "raggio",
                                "coseno",      "teta",     "S",     "errore"};
constexpr char kSeparators[] = {',', ';', ' '}; // by Format
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
constexpr int kTextWidths[] = {12, 10, 8, 12, 14, 19, 14, 7, 0};
constexpr int kTextDecimals[] = {-1, -1, -1, 3, 2, 15, 10, 0, 0}; // -1: as few as read back
// Below this a whole number's shortest digits are its own: its exponent
// form, "1e+05" and up, is never shorter, and a tie goes to the digits.
constexpr double kShortWholeNumbers = 1e5;
// Room for any double's digits: 309 before the point and 15 after, a sign.
constexpr std::size_t kLongestNumber = 330;

// The shortest digits that read back as the same double, or with a fixed
// number of decimals; "." as the point whatever the locale. A whole number
// of the rows' size (the salinity, the depth, S) skips the search for them.
char* writeNumber(char* out, double value, int decimals) {
    char* const end = out + kLongestNumber;
    if (decimals >= 0)
        return std::to_chars(out, end, value, std::chars_format::fixed, decimals).ptr;
    const bool shortWhole = std::fabs(value) < kShortWholeNumbers && double(int(value)) == value &&
                            !(value == 0.0 && std::signbit(value)); // "-0"
    return shortWhole ? std::to_chars(out, end, int(value)).ptr
                      : std::to_chars(out, end, value).ptr;
}

// The longest row: every field a number at its longest, its separator, the end of line.
constexpr std::size_t kLongestRow = std::size(kColumns) * (kLongestNumber + 1) + 2;

// One row's fields, written as CSV or as aligned columns.
class RowWriter {
  public:
    RowWriter(Table::Format format, char* out) : format_(format), out_(out) {}

    void number(double value) {
        if (format_ == Table::Format::Csv) { // straight into the row
            separator();
            out_ = writeNumber(out_, value, -1);
            return;
        }
        char digits[kLongestNumber];
        const int decimals = format_ == Table::Format::Text ? kTextDecimals[field_] : -1;
        char* const end = writeNumber(digits, value, decimals);
        if (format_ == Table::Format::CsvItalian)
            std::replace(digits, end, '.', ',');
        field({digits, std::size_t(end - digits)});
    }
    void word(std::string_view value) { field(value); }
    void empty() { field({}); }
    // Where the row ends.
    char* finish() {
        if (format_ != Table::Format::Text) // CSV's own line end
            *out_++ = '\r';
        *out_++ = '\n';
        return out_;
    }

  private:
    // Before a field, and counting it.
    void separator() {
        if (field_++ > 0)
            *out_++ = kSeparators[static_cast<int>(format_)];
    }
    void field(std::string_view value) {
        const auto width = std::size_t(kTextWidths[field_]);
        separator();
        if (format_ == Table::Format::Text && value.size() < width) // right-aligned in its column
            out_ = std::fill_n(out_, width - value.size(), ' ');
        out_ = std::copy(value.begin(), value.end(), out_);
    }

    Table::Format format_;
    char* out_;
    int field_ = 0;
};

} // namespace

std::int64_t Table::rowCount() const {
    const double rows =
        double(temperature_.count()) * double(salinity_.count()) * double(depth_.count());
    constexpr auto most = std::numeric_limits<std::int64_t>::max();
    return rows >= double(most) ? most : temperature_.count() * salinity_.count() * depth_.count();
}

bool Table::write(Format format, const Sink& out) const {
    // Rows are written into a block, which goes to the sink once full enough.
    std::vector<char> block(kFlushAt + kLongestRow);
    char* const start =
        format == Format::CsvItalian
            ? std::copy_n(kByteOrderMark, std::size(kByteOrderMark) - 1, block.data())
            : block.data();
    RowWriter header(format, start);
    for (const char* column : kColumns)
        header.word(column);
    char* end = header.finish();
    const auto written = [&] {
        return std::string_view(block.data(), std::size_t(end - block.data()));
    };
    for (std::int64_t t = 0; t < temperature_.count(); ++t)
        for (std::int64_t s = 0; s < salinity_.count(); ++s)
            for (std::int64_t q = 0; q < depth_.count(); ++q) {
                end = writeRow(format, temperature_.at(t), salinity_.at(s), depth_.at(q), end);
                if (std::size_t(end - block.data()) >= kFlushAt) {
                    if (!out(written()))
                        return false;
                    end = block.data();
                }
            }
    return out(written());
}

char* Table::writeRow(Format format, double temperature, double salinity, double depth,
                      char* out) const {
    RowWriter row(format, out);
    row.number(temperature);
    row.number(salinity);
    row.number(depth);
    try {
        const auto c = engine::Calculation::fromNumbers(temperature, salinity, depth);
        row.number(c.point.vel);
        row.number(c.point.r1);
        row.number(c.point.cosTeta);
        row.number(c.point.teta);
        row.number(c.point.S);
        row.empty();
    } catch (const engine::RuntimeError& error) {
        for (int i = 0; i < 5; ++i)
            row.empty();
        row.word(engine::RuntimeError::kindName(error.kind()));
    }
    return row.finish();
}

} // namespace table
