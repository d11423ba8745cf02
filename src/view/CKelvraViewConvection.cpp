// The view's convection commands ("对流"): the cells, tracks and cooling
// layers, the table of cells and the settings. What the layers draw is
// worked out by the cache only when the picture on screen changes; the
// composition then draws it like any other layer.

#include "convection/CellTable.h"
#include "dialogs/CCellTableDlg.h"
#include "dialogs/CConvectionSettingsDlg.h"
#include "platform/Message.h"
#include "platform/Settings.h"
#include "product/ObservationTime.h"
#include "ui/CommandIds.h"
#include "view/CKelvraDoc.h"
#include "view/CKelvraView.h"

namespace {

constexpr const char* kCsvFilter = "CSV文件 (*.csv)|*.csv|所有文件 (*.*)|*.*||";

}  // namespace

void CKelvraView::SetProfile(CSettings* profile) {
    m_pProfile = profile;
    if (m_pProfile != nullptr) {
        m_job.Convection().Cache().SetSettings(LoadConvectionSettings(*m_pProfile));
    }
}

void CKelvraView::RegisterConvectionCommands() {
    const auto toggle = [this](int id, int CompositionLayers::*flag, ConvectionLayer layer) {
        m_commands.Add(
            id, [this, flag, layer](int) { ToggleConvectionLayer(flag, layer); },
            [this, flag](CCmdUI& ui) { ui.SetCheck(m_job.Layers().*flag != 0); });
    };
    toggle(kIdShowCells, &CompositionLayers::m_bCells, ConvectionLayer::kCells);
    toggle(kIdShowTracks, &CompositionLayers::m_bTracks, ConvectionLayer::kTracks);
    toggle(kIdShowCooling, &CompositionLayers::m_bCooling, ConvectionLayer::kCooling);
    m_commands.Add(kIdCellTable, [this](int) { OnCellTable(); });
    m_commands.Add(kIdConvectionSettings, [this](int) { OnConvectionSettings(); });
}

// Switching a layer on says once why the picture on screen cannot have it;
// the switch stays on for the pictures that can.
void CKelvraView::ToggleConvectionLayer(int CompositionLayers::*flag, ConvectionLayer layer) {
    int& on = m_job.Layers().*flag;
    on = !on;
    if (on && m_doc.Product().productLoaded != 0) {
        const std::string why = m_job.ConvectionRefusal(Subject(), layer);
        if (!why.empty()) {
            ShowMessage(why);
        }
    }
    Compose();
}

void CKelvraView::OnCellTable() {
    CConvectionCache& cache = m_job.Convection().Cache();
    std::string why;
    const std::vector<ColdCell>* cells = cache.CellsOf(m_doc.Product(), &why);
    if (cells == nullptr) {
        ShowMessage(why);
        return;
    }
    // The speed of each cell from its track, when a loop is on screen.
    std::vector<const TrackStep*> steps(cells->size(), nullptr);
    const int frame = FrameIndexOf(m_doc.Product(), m_doc.FrameProducts());
    const std::vector<TrackStep>* tracks =
        frame >= 0 ? cache.TracksOf(m_doc.FrameProducts()) : nullptr;
    if (tracks != nullptr) {
        const int timeIndex = cache.TimeIndexOf(frame);
        for (const TrackStep& step : *tracks) {
            if (step.frame == timeIndex && static_cast<std::size_t>(step.cell) < steps.size()) {
                steps[static_cast<std::size_t>(step.cell)] = &step;
            }
        }
    }
    CUiProviders& providers = m_doc.Providers();
    CCellTableDlg dialog(
        CellTableRows(*cells, steps),
        [&providers]() -> std::optional<std::string> {
            if (!providers.saveFile) {
                return std::nullopt;
            }
            FileDialogRequest request;
            request.title = "保存云团列表";
            request.filter = kCsvFilter;
            request.initialName = "cells.csv";
            return providers.saveFile(request);
        },
        this);
    if (providers.showModal) {
        providers.showModal(dialog);
    }
}

void CKelvraView::OnConvectionSettings() {
    CConvectionSettingsDlg dialog(m_job.Convection().Cache().Settings(), this);
    if (!m_doc.Providers().showModal) {
        return;
    }
    m_doc.Providers().showModal(dialog);
    if (dialog.result() != QDialog::Accepted) {
        return;
    }
    m_job.Convection().Cache().SetSettings(dialog.Settings());
    if (m_pProfile != nullptr) {
        SaveConvectionSettings(*m_pProfile, dialog.Settings());
    }
    Compose();
}
