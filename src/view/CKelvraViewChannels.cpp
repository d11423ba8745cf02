// The view's "通道组合" commands: the split-window and water-vapour
// differences and the RGB recipes, each a picture of the open product's
// observation composed like any image, and "返回原图" back to the channel.

#include "browse/CatalogueFolder.h"
#include "channels/ChannelDifference.h"
#include "platform/Message.h"
#include "ui/CWaitCursor.h"
#include "ui/CommandIds.h"
#include "view/CKelvraDoc.h"
#include "view/CKelvraView.h"

void CKelvraView::RegisterChannelCommands() {
    const auto enabled = [this](CCmdUI& ui) {
        ui.Enable(m_doc.Product().productLoaded != 0 && !m_doc.PathName().empty());
        ui.SetCheck(m_channels.shownId == ui.m_nID);
    };
    for (int id : {kIdSplitWindow, kIdWaterVapourDifference}) {
        m_commands.Add(
            id, [this](int chosen) { OnCombination(chosen); }, enabled);
    }
    for (int id = kIdRgbRecipeFirst; id <= kIdRgbRecipeLast; ++id) {
        m_commands.Add(
            id, [this](int chosen) { OnCombination(chosen); },
            [this, enabled](CCmdUI& ui) {
                enabled(ui);
                ui.SetText(RecipeSlotText(ui.m_nID));
            });
    }
    m_commands.Add(
        kIdRestoreFirst, [this](int) { OnRestoreFirst(); },
        [this](CCmdUI& ui) { ui.Enable(m_channels.shownId != 0 || m_doc.Image().IsEightBit()); });
}

std::string CKelvraView::RecipeSlotText(int id) {
    if (id == kIdRgbRecipeFirst) {
        m_channels.recipes = ListRgbRecipes(RgbRecipeFolders(m_job.Paths()));
    }
    const auto slot = static_cast<std::size_t>(id - kIdRgbRecipeFirst);
    if (slot >= m_channels.recipes.size()) {
        return std::string();
    }
    const RgbRecipeEntry& entry = m_channels.recipes[slot];
    return entry.problem.empty() ? entry.recipe.name : entry.key + " (配方有误)";
}

void CKelvraView::OnCombination(int id) {
    Combination combination;
    if (id == kIdSplitWindow || id == kIdWaterVapourDifference) {
        combination = DifferenceCombination(id == kIdSplitWindow ? DifferenceKind::kSplitWindow
                                                                 : DifferenceKind::kWaterVapour);
    } else {
        if (m_channels.recipes.empty()) {
            RecipeSlotText(kIdRgbRecipeFirst);
        }
        const auto slot = static_cast<std::size_t>(id - kIdRgbRecipeFirst);
        if (slot >= m_channels.recipes.size() || !m_channels.recipes[slot].problem.empty()) {
            ShowMessage(slot < m_channels.recipes.size() ? m_channels.recipes[slot].problem
                                                         : "没有这个 RGB 配方");
            return;
        }
        combination.recipe = m_channels.recipes[slot].recipe;
    }
    CWaitCursor wait;
    std::vector<std::string> folders;
    if (m_pProfile != nullptr) {
        folders.push_back(ReadCatalogueFolder(*m_pProfile));
    }
    CDibImage image;
    std::string problem;
    if (!m_channels.combiner.Make(combination, m_doc.PathName(), folders, image, m_channels.picture,
                                  problem)) {
        ShowMessage(problem);
        return;
    }
    if (m_channels.shownId == 0) {
        m_channels.ownImage.ShareFrom(m_doc.Image());
    }
    m_channels.shownId = id;
    m_doc.Image() = std::move(image);
    // The image commands work on the picture shown, as on any image, and
    // their history starts from it.
    m_doc.Image().SaveFirstState();
    m_doc.RequestRecompose();
    Compose();
}

void CKelvraView::OnRestoreFirst() {
    if (m_channels.shownId == 0) {
        m_doc.RunImageCommand(kIdRestoreFirst);
        return;
    }
    m_doc.Image().ShareFrom(m_channels.ownImage);
    m_channels.ownImage.Release();
    m_channels.shownId = 0;
    m_doc.RequestRecompose();
    Compose();
}
