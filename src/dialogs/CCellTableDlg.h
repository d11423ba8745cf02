#pragma once
// "云团列表": the cells of the picture on screen, one row each (area,
// coldest and mean temperature, centroid, speed and direction, shield),
// which the forecaster can copy (tab-separated, for a spreadsheet or a
// message) or save as CSV.

#include <QDialog>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QTableWidget;

class CCellTableDlg : public QDialog {
    Q_OBJECT

public:
    // Asks where to save; nothing on cancel.
    using SavePathChooser = std::function<std::optional<std::string>()>;

    CCellTableDlg(std::vector<std::vector<std::string>> rows, SavePathChooser chooseSavePath,
                  QWidget* parent = nullptr);

    QTableWidget* Table() const { return m_pTable; }
    // The whole table, titles first, tab-separated.
    std::string CopyText() const;
    // Copies the table to the clipboard.
    void OnCopy();
    // Saves the table as CSV where the chooser says; a failed save says so.
    void OnSaveCsv();

private:
    std::vector<std::vector<std::string>> m_rows;
    SavePathChooser m_chooseSavePath;
    QTableWidget* m_pTable = nullptr;
};
