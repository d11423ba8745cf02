#include "convection/CellTable.h"

#include <cstdio>

#include "platform/ReplacementFile.h"

namespace {

std::string Format(const char* format, double value) {
    char text[48];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

}  // namespace

std::vector<std::string> CellTableHeader() {
    return {"编号", "面积(km²)",  "最低温度(K)", "平均温度(K)",  "经度",
            "纬度", "移速(km/h)", "方向(度)",    "云盾面积(km²)"};
}

std::vector<std::vector<std::string>> CellTableRows(const std::vector<ColdCell>& cells,
                                                    const std::vector<const TrackStep*>& steps) {
    std::vector<std::vector<std::string>> rows;
    for (std::size_t c = 0; c < cells.size(); ++c) {
        const ColdCell& cell = cells[c];
        const TrackStep* step = c < steps.size() ? steps[c] : nullptr;
        const bool moved = step != nullptr && step->moved;
        rows.push_back(
            {std::to_string(cell.id), Format("%.0f", cell.areaKm2), Format("%.2f", cell.minK),
             Format("%.2f", cell.meanK), Format("%.3f", cell.lon), Format("%.3f", cell.lat),
             moved ? Format("%.1f", step->speedKmh) : "-",
             moved ? Format("%.0f", step->directionDeg) : "-", Format("%.0f", cell.shieldKm2)});
    }
    return rows;
}

std::string CellTableText(const std::vector<std::vector<std::string>>& rows, char separator) {
    std::string text;
    std::vector<std::vector<std::string>> all{CellTableHeader()};
    all.insert(all.end(), rows.begin(), rows.end());
    for (const auto& row : all) {
        for (std::size_t k = 0; k < row.size(); ++k) {
            if (k > 0) {
                text += separator;
            }
            text += row[k];
        }
        text += '\n';
    }
    return text;
}

bool SaveCellTableCsv(const std::string& path, const std::vector<std::vector<std::string>>& rows) {
    const std::string text = "\xEF\xBB\xBF" + CellTableText(rows, ',');
    CReplacementFile output(path);
    std::FILE* file = output.Open();
    if (file == nullptr || std::fwrite(text.data(), 1, text.size(), file) != text.size()) {
        return false;
    }
    return output.Commit();
}
