#include "host/project/output_format.h"

#include <cstdio>

namespace {

/// RFC 4180: a field holding a separator, a quote or a line break is quoted, quotes doubled.
std::string QuoteCsv(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string quoted = "\"";
    for (char ch : text) {
        if (ch == '"') quoted += '"';
        quoted += ch;
    }
    return quoted + '"';
}

std::string QuoteJson(std::string_view text) {
    std::string quoted = "\"";
    for (char ch : text) {
        switch (ch) {
            case '"': quoted += "\\\""; break;
            case '\\': quoted += "\\\\"; break;
            case '\n': quoted += "\\n"; break;
            case '\r': quoted += "\\r"; break;
            case '\t': quoted += "\\t"; break;
            default:
                if (static_cast<unsigned char>(ch) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(ch));
                    quoted += escaped;
                } else {
                    quoted += ch;  // UTF-8 passes through unchanged
                }
        }
    }
    return quoted + '"';
}

std::string FormatCell(const TableCell& cell, TableFormat format) {
    if (cell.isNumber) return cell.value;
    switch (format) {
        case TableFormat::kTsv: return EscapeTsv(cell.value);
        case TableFormat::kCsv: return QuoteCsv(cell.value);
        case TableFormat::kJson: return QuoteJson(cell.value);
    }
    return cell.value;
}

}  // namespace

std::string EscapeTsv(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char ch : text) {
        switch (ch) {
            case '\\': escaped += "\\\\"; break;
            case '\t': escaped += "\\t"; break;
            case '\n': escaped += "\\n"; break;
            case '\r': escaped += "\\r"; break;
            case '\0': escaped += "\\0"; break;
            default:
                if (static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F) {
                    static const char kHex[] = "0123456789ABCDEF";
                    escaped += "\\x";
                    escaped += kHex[static_cast<unsigned char>(ch) >> 4];
                    escaped += kHex[ch & 0xF];
                } else {
                    escaped += ch;
                }
        }
    }
    return escaped;
}

TableWriter::TableWriter(std::ostream& out, TableFormat format, std::vector<std::string> header)
    : out_(out), format_(format), header_(std::move(header)) {
    if (format_ == TableFormat::kJson) {
        out_ << '[';
        return;
    }
    std::vector<TableCell> names;
    for (const std::string& name : header_) names.push_back(TableCell::Text(name));
    WriteDelimited(names, format_ == TableFormat::kCsv ? ',' : '\t');
}

void TableWriter::WriteRow(const std::vector<TableCell>& cells) {
    if (format_ == TableFormat::kJson) WriteJsonObject(cells);
    else WriteDelimited(cells, format_ == TableFormat::kCsv ? ',' : '\t');
    firstRow_ = false;
}

void TableWriter::Finish() {
    if (format_ == TableFormat::kJson) out_ << (firstRow_ ? "]\n" : "\n]\n");
}

void TableWriter::WriteDelimited(const std::vector<TableCell>& cells, char separator) {
    for (size_t i = 0; i < cells.size(); ++i) {
        if (i) out_ << separator;
        out_ << FormatCell(cells[i], format_);
    }
    out_ << '\n';
}

void TableWriter::WriteJsonObject(const std::vector<TableCell>& cells) {
    out_ << (firstRow_ ? "\n  {" : ",\n  {");
    for (size_t i = 0; i < cells.size() && i < header_.size(); ++i) {
        if (i) out_ << ", ";
        out_ << QuoteJson(header_[i]) << ": " << FormatCell(cells[i], format_);
    }
    out_ << '}';
}
