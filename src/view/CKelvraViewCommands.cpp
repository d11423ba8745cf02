// The view's commands: zoom, the overlay switches, the palettes, the
// product information and printing.

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "dialogs/CFileInfoDlg.h"
#include "ui/CommandIds.h"
#include "view/CKelvraDoc.h"
#include "view/CKelvraView.h"

void CKelvraView::RegisterCommands() {
    RegisterZoomCommands();
    RegisterLayerCommands();
    RegisterPaletteCommands();
    RegisterOutputCommands();
    RegisterNwpCommands();
    RegisterConvectionCommands();
    RegisterToolCommands();
    RegisterChannelCommands();
}

void CKelvraView::RegisterZoomCommands() {
    m_commands.Add(
        kIdFitWindow, [this](int) { FitToWindow(); },
        [this](CCmdUI& ui) { ui.SetCheck(m_bFitWindow != 0); });
    m_commands.Add(
        kIdActualSize, [this](int) { OnActualSize(); },
        [this](CCmdUI& ui) { ui.SetCheck(m_nZoomIn == 1 && m_nZoomOut == 1); });
    m_commands.AddRange(
        kIdZoomInFirst, kIdZoomInLast, [this](int id) { OnZoomIn(id); },
        [this](CCmdUI& ui) { ui.SetCheck(m_bZoomIn == 1 && ui.m_nID - kZoomInBase == m_nZoomIn); });
    m_commands.AddRange(
        kIdZoomOutFirst, kIdZoomOutLast, [this](int id) { OnZoomOut(id); },
        [this](CCmdUI& ui) {
            ui.SetCheck(m_bZoomIn == 0 && ui.m_nID - kZoomOutBase == m_nZoomOut);
        });
}

// A zoom chosen ends "适合窗口".
void CKelvraView::OnZoomIn(int id) {
    m_bFitWindow = 0;
    m_bZoomIn = 1;
    m_nZoomIn = id - kZoomInBase;
    SetScrollSizes(TotalSizeFromZoom());
}

void CKelvraView::OnZoomOut(int id) {
    m_bFitWindow = 0;
    m_bZoomIn = 0;
    m_nZoomOut = id - kZoomOutBase;
    SetScrollSizes(TotalSizeFromZoom());
}

void CKelvraView::OnActualSize() {
    m_bFitWindow = 0;
    m_bZoomIn = 0;
    m_nZoomIn = 1;
    m_nZoomOut = 1;
    SetScrollSizes(TotalSizeFromZoom());
}

void CKelvraView::RegisterLayerCommands() {
    const auto toggle = [this](int id, int CompositionLayers::*flag) {
        m_commands.Add(
            id, [this, flag](int) { ToggleLayer(flag); },
            [this, flag](CCmdUI& ui) { ui.SetCheck(m_job.Layers().*flag != 0); });
    };
    toggle(kIdTitle, &CompositionLayers::m_bTitle);
    toggle(kIdGrid, &CompositionLayers::m_bGrid);
    toggle(kIdMap, &CompositionLayers::m_bMap);
    toggle(kIdProvinces, &CompositionLayers::m_bProvinces);
    toggle(kIdIsotherms, &CompositionLayers::m_bIsotherms);
    toggle(kIdColourLegend, &CompositionLayers::m_bLegend);
    // The precipitation display: shown until hidden, across products.
    m_commands.Add(
        kIdShowPrecipitation,
        [this](int) {
            if (m_job.Layers().m_nDisplayMode != kDisplayPrecipitation) {
                m_job.Layers().m_nDisplayMode = kDisplayPrecipitation;
                m_doc.RequestRecompose();
                Compose();
            }
        },
        [this](CCmdUI& ui) {
            ui.SetCheck(m_job.Layers().m_nDisplayMode == kDisplayPrecipitation);
        });
    m_commands.Add(kIdHidePrecipitation, [this](int) {
        m_job.Layers().m_nDisplayMode = 0;
        m_doc.RequestRecompose();
        Compose();
    });
}

void CKelvraView::ToggleLayer(int CompositionLayers::*flag) {
    const CompositionLayers shown = m_job.Layers();
    int& on = m_job.Layers().*flag;
    on = !on;
    ComposeSwitch(shown);
}

void CKelvraView::RegisterPaletteCommands() {
    m_commands.AddRange(
        kIdPaletteFirst, kIdPaletteLast, [this](int id) { OnPaletteCommand(id); },
        [this](CCmdUI& ui) {
            const CPaletteChoice::UpdateState state = m_palette.OnUpdatePaletteCommand(ui.m_nID);
            ui.Enable(state.enabled);
            ui.SetCheck(state.checked);
        });
}

void CKelvraView::OnPaletteCommand(int id) {
    CUiProviders& providers = m_doc.Providers();
    m_palette.OnPaletteCommand(
        id, [&providers](const std::string& startFolder) -> std::optional<std::string> {
            if (!providers.openFile) {
                return std::nullopt;
            }
            FileDialogRequest request;
            request.title = "请选择调色板文件";
            request.initialName = "*.*";
            request.directory = startFolder;
            return providers.openFile(request);
        });
    m_job.Layers().m_strPalette = m_palette.m_strPalette;
    m_job.Layers().m_bPaletteOn = m_palette.m_bPaletteOn;
    Compose();
}

void CKelvraView::RegisterOutputCommands() {
    m_commands.Add(kIdFileInfo, [this](int) { OnFileInfo(); });
    m_commands.Add(kIdFilePrint, [this](int) { OnFilePrint(true); });
    m_commands.Add(kIdFilePrintDirect, [this](int) { OnFilePrint(false); });
    m_commands.Add(kIdFilePrintPreview, [this](int) { OnFilePrintPreview(); });
    m_commands.Add(
        kIdExportLoop, [this](int) { OnExportLoop(); },
        [this](CCmdUI& ui) { ui.Enable(m_playback.m_bAnimating != 0); });
    m_commands.Add(
        kIdExportNetCdf, [this](int) { OnExportNetCdf(); },
        [this](CCmdUI& ui) { ui.Enable(m_playback.m_bAnimating != 0); });
}

void CKelvraView::OnFileInfo() {
    // The dialog keeps its own copy: later opens do not change it.
    CFileInfoDlg dialog(m_doc.Product().Description(), this);
    if (m_doc.Providers().showModal) {
        m_doc.Providers().showModal(dialog);
    }
}

void CKelvraView::OnFilePrint(bool askFirst) {
    QPrinter& printer = Printer();
    if (askFirst) {
        QPrintDialog dialog(&printer, this);
        if (dialog.exec() != QDialog::Accepted) {
            return;
        }
    }
    PrintTo(printer);
}

void CKelvraView::OnFilePrintPreview() {
    QPrintPreviewDialog preview(&Printer(), this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* printer) { PrintTo(*printer); });
    preview.exec();
}
