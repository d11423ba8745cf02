#include "browse/CProductSelector.h"

#include "browse/CatalogueFolder.h"
#include "browse/ProductCode.h"

CProductSelector::CProductSelector(CSettings& settings) : m_settings(settings) {}

int CProductSelector::BrowserProduct() const {
    return m_browser.productIndex ? m_browser.productIndex() : 0;
}

void CProductSelector::ListInto(const CatalogueListHooks& list, const std::string& folder,
                                const std::string& code) const {
    if (list.listFiles) {
        list.listFiles(folder, code);
    }
}

void CProductSelector::OnSelectProduct(int productIndex) {
    const std::string folder = ReadCatalogueFolder(m_settings);
    const std::string code = ProductCommandCode(productIndex);
    for (const CatalogueListHooks* list : {&m_browser, &m_frameList}) {
        if (list->setProductIndex) {
            list->setProductIndex(productIndex);
        }
        ListInto(*list, folder, code);
    }
}

bool CProductSelector::OnSelectProductCommand(int commandId) {
    if (commandId < kSelectProductFirstId || commandId > kSelectProductLastId) {
        return false;
    }
    OnSelectProduct(commandId - kSelectProductFirstId);
    return true;
}

bool CProductSelector::IsProductCommandChecked(int commandId) const {
    return BrowserProduct() == commandId - kSelectProductFirstId;
}

std::string CProductSelector::CatalogFolderTitle() const {
    // The folder takes the place of the one "%s", however long it is.
    std::string title = kCatalogFolderTitleFormat;
    title.replace(title.find("%s"), 2, ReadCatalogueFolder(m_settings));
    return title;
}

void CProductSelector::OnSetCatalogFolder() {
    if (!m_chooseFolder) {
        return;
    }
    const std::string folder = m_chooseFolder(CatalogFolderTitle());
    if (folder.empty()) {
        return;
    }
    WriteCatalogueFolder(m_settings, folder);
    const std::string code = RelistingCode(BrowserProduct());
    ListInto(m_browser, folder, code);
    ListInto(m_frameList, folder, code);
}

void CProductSelector::Relist() {
    const std::string folder = ReadCatalogueFolder(m_settings);
    const std::string code = RelistingCode(BrowserProduct());
    ListInto(m_browser, folder, code);
    ListInto(m_frameList, folder, code);
}
