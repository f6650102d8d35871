// The text formats the host prints tables in: TSV, CSV (RFC 4180) and JSON. UTF-8, LF line ends.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

enum class TableFormat { kTsv, kCsv, kJson };

/// One cell: a number (printed in decimal, as a JSON number) or a text.
struct TableCell {
    std::string value;
    bool isNumber = false;

    static TableCell Number(int64_t number) { return {std::to_string(number), true}; }
    static TableCell Text(std::string text) { return {std::move(text), false}; }
};

/// A text made safe for one TSV cell: backslash as \\, TAB as \t, LF as \n, CR as \r, NUL as \0 and
/// the other control characters as \xNN.
std::string EscapeTsv(std::string_view text);

/// Writes a table row by row: a header line (TSV, CSV) or the opening of a JSON array of objects
/// keyed by the column names, then each row, then the end with Finish.
class TableWriter {
public:
    TableWriter(std::ostream& out, TableFormat format, std::vector<std::string> header);
    void WriteRow(const std::vector<TableCell>& cells);
    void Finish();

private:
    void WriteDelimited(const std::vector<TableCell>& cells, char separator);
    void WriteJsonObject(const std::vector<TableCell>& cells);

    std::ostream& out_;
    TableFormat format_;
    std::vector<std::string> header_;
    bool firstRow_ = true;
};
