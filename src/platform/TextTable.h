#pragma once
// A table of texts as the forecaster copies or saves it from the analysis
// panels: column titles and rows, joined with a separator, or written as CSV.

#include <string>
#include <vector>

struct TextTable {
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
};

// Header and rows joined with the separator, one line each, "\n" line ends.
std::string TextTableText(const TextTable& table, char separator);

// Writes the table as CSV (UTF-8 with a byte-order mark, so that
// spreadsheets read the Chinese titles) through a replacement file: false,
// with the file as it was, when it cannot be written.
bool SaveTextTableCsv(const std::string& path, const TextTable& table);
