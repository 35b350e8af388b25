#include "Csv.h"

namespace vitalog::cli {

void WriteCsvRow(std::ostream& out, const std::vector<std::string>& fields) {
    bool first = true;
    for (const std::string& field : fields) {
        if (!first)
            out << ',';
        first = false;
        if (field.find_first_of(",\"\r\n") == std::string::npos) {
            out << field;
            continue;
        }
        out << '"';
        for (const char c : field) {
            if (c == '"')
                out << '"';
            out << c;
        }
        out << '"';
    }
    out << "\r\n";
}

CsvDocument ParseCsv(std::string_view text) {
    CsvDocument document;
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);

    int line = 1;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        // An empty line holds no row.
        if (text[i] == '\n' || (text[i] == '\r' && i + 1 < n && text[i + 1] == '\n')) {
            i += text[i] == '\r' ? 2 : 1;
            ++line;
            continue;
        }
        CsvRow row;
        row.line = line;
        for (;;) {
            std::string field;
            if (i < n && text[i] == '"') {
                const int opened = line;
                ++i;
                for (;;) {
                    if (i >= n) {
                        document.error = CsvParseError{opened, "a quoted field is not closed"};
                        return document;
                    }
                    const char c = text[i++];
                    if (c == '"') {
                        if (i < n && text[i] == '"') {
                            field += '"';
                            ++i;
                            continue;
                        }
                        break;
                    }
                    if (c == '\n')
                        ++line;
                    field += c;
                }
                if (i < n && text[i] != ',' && text[i] != '\n' &&
                    !(text[i] == '\r' && i + 1 < n && text[i + 1] == '\n')) {
                    document.error =
                        CsvParseError{line, "text follows the closing quote of a field"};
                    return document;
                }
            } else {
                while (i < n && text[i] != ',' && text[i] != '\n' &&
                       !(text[i] == '\r' && i + 1 < n && text[i + 1] == '\n')) {
                    if (text[i] == '"') {
                        document.error =
                            CsvParseError{line, "a quote inside a field that is not quoted"};
                        return document;
                    }
                    field += text[i++];
                }
            }
            row.fields.push_back(std::move(field));
            if (i < n && text[i] == ',') {
                ++i;
                continue;
            }
            break;
        }
        if (i < n) {
            i += text[i] == '\r' ? 2 : 1;
            ++line;
        }
        document.rows.push_back(std::move(row));
    }
    return document;
}

} // namespace vitalog::cli
