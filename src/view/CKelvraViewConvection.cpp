// The view's convection commands ("对流"): the cells, tracks and cooling
// layers, the table of cells and the settings. What the layers draw is
// worked out by the cache only when the picture on screen changes; the
// composition then draws it like any other layer.

#include "convection/CellTable.h"
#include "convection/ObservationTime.h"
#include "convection/PreviousProduct.h"
#include "dialogs/CCellTableDlg.h"
#include "dialogs/CConvectionSettingsDlg.h"
#include "platform/Message.h"
#include "platform/Settings.h"
#include "ui/CommandIds.h"
#include "view/CKelvraDoc.h"
#include "view/CKelvraView.h"

namespace {

constexpr const char* kCsvFilter = "CSV文件 (*.csv)|*.csv|所有文件 (*.*)|*.*||";

}  // namespace

void CKelvraView::SetProfile(CSettings* profile) {
    m_pProfile = profile;
    if (m_pProfile != nullptr) {
        m_convection.SetSettings(LoadConvectionSettings(*m_pProfile));
    }
}

void CKelvraView::RegisterConvectionCommands() {
    const auto toggle = [this](int id, int CKelvraView::*flag) {
        m_commands.Add(
            id, [this, flag](int) { ToggleConvectionLayer(flag); },
            [this, flag](CCmdUI& ui) { ui.SetCheck(this->*flag != 0); });
    };
    toggle(kIdShowCells, &CKelvraView::m_bCells);
    toggle(kIdShowTracks, &CKelvraView::m_bTracks);
    toggle(kIdShowCooling, &CKelvraView::m_bCooling);
    m_commands.Add(kIdCellTable, [this](int) { OnCellTable(); });
    m_commands.Add(kIdConvectionSettings, [this](int) { OnConvectionSettings(); });
}

// Switching a layer on says once why the picture on screen cannot have it;
// the switch stays on for the pictures that can.
void CKelvraView::ToggleConvectionLayer(int CKelvraView::*flag) {
    this->*flag = !(this->*flag);
    if (this->*flag && m_doc.Product().productLoaded != 0) {
        std::string why;
        if (flag == &CKelvraView::m_bCooling) {
            const CGeoImage* previous = PreviousProduct(why);
            if (previous != nullptr) {
                m_convection.CoolingOf(*previous, m_doc.Product(), &why);
            }
        } else if (m_convection.CellsOf(m_doc.Product(), &why) != nullptr &&
                   flag == &CKelvraView::m_bTracks && CurrentFrameIndex() < 0) {
            why = "云团路径在动画播放时显示";
        }
        if (!why.empty()) {
            ShowMessage(why);
        }
    }
    Compose();
}

int CKelvraView::CurrentFrameIndex() const {
    const std::shared_ptr<const void> counts = m_doc.Product().CountsIdentity();
    if (!counts) {
        return -1;
    }
    for (std::size_t i = 0; i < m_doc.FrameProducts().size(); ++i) {
        if (m_doc.FrameProducts()[i].CountsIdentity() == counts) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

const CGeoImage* CKelvraView::PreviousProduct(std::string& why) {
    const CGeoImage& product = m_doc.Product();
    const std::int64_t now = ObservationMinutes(product.Description());
    if (CurrentFrameIndex() >= 0) {
        // The latest earlier frame of the loop.
        const CGeoImage* previous = nullptr;
        for (const CGeoImage& frame : m_doc.FrameProducts()) {
            const std::int64_t t = ObservationMinutes(frame.Description());
            if (frame.productLoaded != 0 && t < now &&
                (previous == nullptr || t > ObservationMinutes(previous->Description()))) {
                previous = &frame;
            }
        }
        if (previous == nullptr) {
            why = "这是动画的第一个时次,没有前一时次";
        }
        return previous;
    }
    if (m_strPreviousFor != m_doc.PathName()) {
        m_strPreviousFor = m_doc.PathName();
        m_previousProduct = CGeoImage();
        const std::string path = PreviousProductPath(m_doc.PathName());
        if (!path.empty()) {
            m_previousProduct.ReadProduct(path);
        }
    }
    if (m_previousProduct.productLoaded == 0) {
        why = "目录中没有同一通道和范围的前一时次产品";
        return nullptr;
    }
    return &m_previousProduct;
}

ConvectionLayers CKelvraView::CurrentConvection() {
    ConvectionLayers layers;
    const CGeoImage& product = m_doc.Product();
    if (product.productLoaded == 0) {
        return layers;
    }
    if (m_bCells) {
        layers.cells = m_convection.CellsOf(product);
    }
    const int frame = CurrentFrameIndex();
    if (m_bTracks && frame >= 0) {
        layers.tracks = m_convection.TracksOf(m_doc.FrameProducts());
        layers.frame = m_convection.TimeIndexOf(frame);
    }
    if (m_bCooling) {
        std::string why;
        if (const CGeoImage* previous = PreviousProduct(why)) {
            layers.cooling = m_convection.CoolingOf(*previous, product);
        }
    }
    return layers;
}

void CKelvraView::OnCellTable() {
    std::string why;
    const std::vector<ColdCell>* cells = m_convection.CellsOf(m_doc.Product(), &why);
    if (cells == nullptr) {
        ShowMessage(why);
        return;
    }
    // The speed of each cell from its track, when a loop is on screen.
    std::vector<const TrackStep*> steps(cells->size(), nullptr);
    const int frame = CurrentFrameIndex();
    const std::vector<TrackStep>* tracks =
        frame >= 0 ? m_convection.TracksOf(m_doc.FrameProducts()) : nullptr;
    if (tracks != nullptr) {
        const int timeIndex = m_convection.TimeIndexOf(frame);
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
    CConvectionSettingsDlg dialog(m_convection.Settings(), this);
    if (!m_doc.Providers().showModal) {
        return;
    }
    m_doc.Providers().showModal(dialog);
    if (dialog.result() != QDialog::Accepted) {
        return;
    }
    m_convection.SetSettings(dialog.Settings());
    if (m_pProfile != nullptr) {
        SaveConvectionSettings(*m_pProfile, dialog.Settings());
    }
    Compose();
}
