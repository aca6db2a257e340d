#include "practice/CsvReader.h"

#include <algorithm>

namespace practice {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isContinuation(unsigned char c) {
    return (c & 0xC0u) == 0x80u;
}

// Where the text stops being UTF-8; npos when it is UTF-8 throughout.
std::size_t firstNonUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80u   ? 1
                                   : lead < 0xC2u ? 0
                                   : lead < 0xE0u ? 2
                                   : lead < 0xF0u ? 3
                                   : lead < 0xF5u ? 4
                                                  : 0;
        if (length == 0 || i + length > text.size())
            return i;
        for (std::size_t k = 1; k < length; ++k)
            if (!isContinuation(static_cast<unsigned char>(text[i + k])))
                return i;
        i += length;
    }
    return std::string_view::npos;
}

int lineAt(std::string_view text, std::size_t position) {
    const std::string_view before = text.substr(0, position);
    const auto feeds = std::count(before.begin(), before.end(), '\n');
    const auto returns = std::count(before.begin(), before.end(), '\r');
    return 1 + int(std::max(feeds, returns)); // CRLF, LF or CR
}

// The separator that the first line uses more, outside double quotes.
char separatorOf(std::string_view text) {
    bool quoted = false;
    int semicolons = 0;
    int commas = 0;
    for (const char c : text) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == '\n' || c == '\r'))
            break;
        semicolons += !quoted && c == ';';
        commas += !quoted && c == ',';
    }
    return semicolons > commas ? ';' : ',';
}

// Reads the records one character at a time, as RFC 4180 describes them.
class Parser {
  public:
    Parser(std::string_view text, char separator) : text_(text), separator_(separator) {}

    std::optional<std::vector<CsvRecord>> records(std::string* problem) {
        for (i_ = 0; i_ < text_.size(); ++i_)
            if (!(quoted_ ? inQuotes() : outside(problem)))
                return std::nullopt;
        if (quoted_) {
            *problem = "riga " + std::to_string(record_.line) +
                       ": le virgolette aperte non si chiudono più";
            return std::nullopt;
        }
        if (!field_.empty() || !record_.fields.empty())
            endRecord();
        return std::move(records_);
    }

  private:
    bool inQuotes() {
        const char c = text_[i_];
        if (c == '"' && i_ + 1 < text_.size() && text_[i_ + 1] == '"') {
            field_ += '"';
            ++i_;
        } else if (c == '"') {
            quoted_ = false;
            closed_ = true;
        } else {
            field_ += c;
            countLine(c);
        }
        return true;
    }

    bool outside(std::string* problem) {
        const char c = text_[i_];
        if (c == separator_) {
            endField();
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i_ + 1 < text_.size() && text_[i_ + 1] == '\n')
                ++i_;
            endRecord();
            ++line_;
            record_.line = line_;
        } else if (closed_) {
            *problem = "riga " + std::to_string(line_) +
                       ": dopo le virgolette che chiudono un campo viene il separatore";
            return false;
        } else if (c == '"' && !field_.empty()) {
            *problem = "riga " + std::to_string(line_) +
                       ": virgolette nel mezzo di un campo; un campo con virgolette va "
                       "scritto tutto tra virgolette, raddoppiando quelle interne";
            return false;
        } else if (c == '"') {
            quoted_ = true;
        } else {
            field_ += c;
        }
        return true;
    }

    void countLine(char c) {
        const bool crlf = c == '\r' && i_ + 1 < text_.size() && text_[i_ + 1] == '\n';
        if ((c == '\n' || c == '\r') && !crlf)
            ++line_;
    }

    void endField() {
        record_.fields.push_back(std::move(field_));
        field_.clear();
        closed_ = false;
    }

    void endRecord() {
        endField();
        const bool blank = std::all_of(record_.fields.begin(), record_.fields.end(),
                                       [](const std::string& f) { return f.empty(); });
        if (!blank)
            records_.push_back(std::move(record_));
        record_ = {};
    }

    std::string_view text_;
    char separator_;
    std::size_t i_ = 0;
    int line_ = 1;
    bool quoted_ = false;
    bool closed_ = false; // the field's closing quote has been read
    std::string field_;
    CsvRecord record_{1, {}};
    std::vector<CsvRecord> records_;
};

} // namespace

std::optional<CsvFile> CsvFile::read(std::string_view bytes, std::string* problem) {
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        bytes.remove_prefix(kByteOrderMark.size());
    if (const std::size_t bad = firstNonUtf8(bytes); bad != std::string_view::npos) {
        *problem = "riga " + std::to_string(lineAt(bytes, bad)) +
                   ": il testo non è in UTF-8; salvare il file come CSV UTF-8";
        return std::nullopt;
    }
    const char separator = separatorOf(bytes);
    std::optional<std::vector<CsvRecord>> records = Parser(bytes, separator).records(problem);
    if (!records)
        return std::nullopt;
    return CsvFile{separator == ';' ? CsvDialect::kItalian : CsvDialect::kStandard,
                   std::move(*records)};
}

} // namespace practice
