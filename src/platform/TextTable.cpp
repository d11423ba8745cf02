#include "platform/TextTable.h"

#include <cstdio>

#include "platform/ReplacementFile.h"

namespace {

void AppendLine(std::string& text, const std::vector<std::string>& cells, char separator) {
    for (std::size_t k = 0; k < cells.size(); ++k) {
        if (k > 0) {
            text += separator;
        }
        text += cells[k];
    }
    text += '\n';
}

}  // namespace

std::string TextTableText(const TextTable& table, char separator) {
    std::string text;
    AppendLine(text, table.header, separator);
    for (const auto& row : table.rows) {
        AppendLine(text, row, separator);
    }
    return text;
}

bool SaveTextTableCsv(const std::string& path, const TextTable& table) {
    const std::string text = "\xEF\xBB\xBF" + TextTableText(table, ',');
    CReplacementFile output(path);
    std::FILE* file = output.Open();
    if (file == nullptr || std::fwrite(text.data(), 1, text.size(), file) != text.size()) {
        return false;
    }
    return output.Commit();
}
