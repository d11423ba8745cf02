#pragma once
// "叠加资料": chooses the NWP files of one data class to overlay. The
// catalogue's types fill "数据类型：", the chosen type's levels "高度："; the
// list shows the diamond files of the type folder, or of the level folder
// once a level is chosen, and a double click (or Space) ticks or unticks a
// row. A missing catalogue or class leaves the dialog empty, silently.

#include <QDialog>
#include <QIcon>
#include <string>
#include <vector>

#include "nwp/NwpCatalogue.h"

class QComboBox;
class QTreeWidget;

class CNwpSelectDlg : public QDialog {
    Q_OBJECT

public:
    // The icons of the "选择" column: image 0 for a ticked row, image 1 for
    // the others.
    static constexpr int kImageYes = 0;
    static constexpr int kImageNo = 1;

    // Reads the catalogue under root for class n (1..6) and lists the first
    // type's folder.
    CNwpSelectDlg(std::string root, int classNumber, QWidget* parent = nullptr);

    QComboBox* TypeCombo() const { return m_pTypes; }
    QComboBox* LevelCombo() const { return m_pLevels; }
    QTreeWidget* List() const { return m_pList; }

    const NwpDataClass& DataClass() const { return m_class; }
    // The folder the rows come from, ending with the separator; empty
    // without a catalogue.
    const std::string& CurrentFolder() const { return m_strFolder; }
    const std::vector<NwpFileRow>& Rows() const { return m_rows; }
    // The paths of the ticked rows, in row order.
    std::vector<std::string> SelectedPaths() const;

    // Flips the row's selected flag and its "选择" cell.
    void ToggleRow(int row);

private:
    void FillLevels(int typeIndex);
    void OnTypeChanged(int index);
    void OnLevelChanged(int index);
    void ListFolder(std::string folder);
    void ShowSelection(int row);

    std::string m_strRoot;
    NwpDataClass m_class;
    std::string m_strFolder;
    std::vector<NwpFileRow> m_rows;
    QIcon m_images[2];
    QComboBox* m_pTypes = nullptr;
    QComboBox* m_pLevels = nullptr;
    QTreeWidget* m_pList = nullptr;
};
