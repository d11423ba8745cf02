#pragma once
// A small panel beside the picture with a table of the analysis tools (the
// area statistics of each frame, a point's values through the loop), which
// the forecaster can copy (tab-separated) or save as CSV. It stays open
// while the picture is worked on and shows each new table it is given.

#include <QDialog>
#include <functional>
#include <optional>
#include <string>

#include "platform/TextTable.h"

class QTableWidget;
class QVBoxLayout;

class CTableDlg : public QDialog {
    Q_OBJECT

public:
    // Asks where to save; nothing on cancel.
    using SavePathChooser = std::function<std::optional<std::string>()>;

    CTableDlg(const QString& title, SavePathChooser chooseSavePath, QWidget* parent = nullptr);

    // Shows table in place of the one before.
    void SetTable(TextTable table);
    const TextTable& Table() const { return m_table; }
    QTableWidget* TableWidget() const { return m_pTable; }
    // Room above the table for a chart of the same rows.
    QVBoxLayout* Layout() const { return m_pLayout; }
    // Copies the table to the clipboard, tab-separated.
    void OnCopy();
    // Saves the table as CSV where the chooser says; a failed save says so.
    void OnSaveCsv();

private:
    TextTable m_table;
    SavePathChooser m_chooseSavePath;
    QTableWidget* m_pTable = nullptr;
    QVBoxLayout* m_pLayout = nullptr;
};
