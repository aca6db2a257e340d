#include "table/Table.h"

#include "engine/Calculation.h"
#include "engine/RuntimeError.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace table {

namespace {

constexpr std::size_t kFlushAt = 1 << 16;

const char* const kColumns[] = {"temperatura", "salinita", "quota", "velocita", "raggio",
                                "coseno",      "teta",     "S",     "errore"};
constexpr char kSeparators[] = {',', ';', ' '}; // by Format
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
constexpr int kTextWidths[] = {12, 10, 8, 12, 14, 19, 14, 7, 0};
constexpr int kTextDecimals[] = {-1, -1, -1, 3, 2, 15, 10, 0, 0}; // -1: as few as read back

// The shortest digits that read back as the same double; "." as the point
// whatever the locale.
void appendNumber(std::string& text, double value, int decimals = -1) {
    char buffer[64];
    const auto end = decimals < 0 ? std::to_chars(buffer, buffer + sizeof buffer, value).ptr
                                  : std::to_chars(buffer, buffer + sizeof buffer, value,
                                                  std::chars_format::fixed, decimals)
                                        .ptr;
    text.append(buffer, end);
}

// One row's fields, written as CSV or as aligned columns.
class RowWriter {
  public:
    RowWriter(Table::Format format, std::string& text) : format_(format), text_(text) {}

    void number(double value) {
        const std::size_t start = begin();
        appendNumber(text_, value, format_ == Table::Format::Text ? kTextDecimals[field_] : -1);
        if (format_ == Table::Format::CsvItalian)
            std::replace(text_.begin() + std::ptrdiff_t(start), text_.end(), '.', ',');
        end(start);
    }
    void word(const std::string& value) {
        const std::size_t start = begin();
        text_ += value;
        end(start);
    }
    void empty() { end(begin()); }
    void finish() { text_ += format_ == Table::Format::Text ? "\n" : "\r\n"; }

  private:
    std::size_t begin() {
        if (field_ > 0)
            text_ += kSeparators[static_cast<int>(format_)];
        return text_.size();
    }
    void end(std::size_t start) {
        if (format_ == Table::Format::Text) { // right-aligned in its column
            const std::size_t written = text_.size() - start;
            const auto width = std::size_t(kTextWidths[field_]);
            if (written < width)
                text_.insert(start, width - written, ' ');
        }
        ++field_;
    }

    Table::Format format_;
    std::string& text_;
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
    std::string text = format == Format::CsvItalian ? kByteOrderMark : "";
    RowWriter header(format, text);
    for (const char* column : kColumns)
        header.word(column);
    header.finish();
    for (std::int64_t t = 0; t < temperature_.count(); ++t)
        for (std::int64_t s = 0; s < salinity_.count(); ++s)
            for (std::int64_t q = 0; q < depth_.count(); ++q) {
                writeRow(format, temperature_.at(t), salinity_.at(s), depth_.at(q), text);
                if (text.size() >= kFlushAt) {
                    if (!out(text))
                        return false;
                    text.clear();
                }
            }
    return out(text);
}

void Table::writeRow(Format format, double temperature, double salinity, double depth,
                     std::string& text) const {
    RowWriter row(format, text);
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
    row.finish();
}

} // namespace table
