#pragma once
// The product commands 6000-6009 and the catalogue-folder command 32804: what
// they do to the file browser and the animation frame list, and when a
// product command shows checked. Both lists are reached through hooks, so
// this logic needs neither widgets nor the classes that hold them.

#include <functional>
#include <string>

#include "platform/Settings.h"

constexpr int kSelectProductFirstId = 6000;
constexpr int kSelectProductLastId = 6009;
constexpr int kSetCatalogFolderId = 32804;

constexpr char kCatalogFolderTitleFormat[] =
    "请设置静止气象卫星云图产品文件所在的文件夹\n当前文件夹：%s";

// A list filled from the catalogue folder. Hooks left empty are skipped, so a
// list that is not built yet is simply not filled.
struct CatalogueListHooks {
    std::function<int()> productIndex;
    std::function<void(int productIndex)> setProductIndex;
    std::function<void(const std::string& folder, const std::string& code)> listFiles;
};

// Shows a folder chooser with the title; the chosen folder, or "" on cancel.
using FolderChooser = std::function<std::string(const std::string& title)>;

class CProductSelector {
public:
    // settings must outlive the selector.
    explicit CProductSelector(CSettings& settings);

    void SetBrowser(CatalogueListHooks browser) { m_browser = std::move(browser); }
    void SetFrameList(CatalogueListHooks frameList) { m_frameList = std::move(frameList); }
    void SetFolderChooser(FolderChooser chooser) { m_chooseFolder = std::move(chooser); }

    // Command 6000 + k: product index k into both lists, listed with the
    // product-command code.
    void OnSelectProduct(int productIndex);
    // The same by command id; false for ids outside 6000-6009.
    bool OnSelectProductCommand(int commandId);
    // Checked exactly when the browser's product index is the command's.
    bool IsProductCommandChecked(int commandId) const;

    // Command 32804: asks for a folder; a non-empty choice is stored and
    // listed into the browser, then the frame list. Cancel changes nothing.
    void OnSetCatalogFolder();
    // The title the folder chooser shows for the current catalogue folder.
    std::string CatalogFolderTitle() const;

    // Lists the catalogue folder into the browser, then the frame list, with
    // the re-listing code of the browser's product index (the frame's show).
    void Relist();

private:
    int BrowserProduct() const;
    void ListInto(const CatalogueListHooks& list, const std::string& folder,
                  const std::string& code) const;

    CSettings& m_settings;
    CatalogueListHooks m_browser;
    CatalogueListHooks m_frameList;
    FolderChooser m_chooseFolder;
};
