#pragma once
// One picture job: everything a picture is composed with besides what it
// shows (the layer switches, the NWP overlays, the precipitation estimate,
// the convection sources, the memory of the layers drawn, the data paths and
// the region name of the title) and the one place where a composition's
// scene is assembled from them. The desktop view, its loop export and the
// command line's render, animate and trend all compose through a job.

#include <functional>
#include <string>
#include <vector>

#include "analysis/CPrecipEstimate.h"
#include "compose/CLayerMemory.h"
#include "compose/CPicture.h"
#include "compose/CompositionLayers.h"
#include "compose/CompositionScene.h"
#include "compose/PictureSubject.h"
#include "convection/CConvectionSources.h"
#include "image/CDibImage.h"
#include "nwp/CNwpOverlay.h"
#include "platform/CanvasTiles.h"
#include "platform/DataPaths.h"

class CPictureJob {
public:
    // The estimate reads its thresholds from the data folder's lut.
    explicit CPictureJob(CDataPaths paths);
    CPictureJob(const CPictureJob&) = delete;
    CPictureJob& operator=(const CPictureJob&) = delete;

    CompositionLayers& Layers() { return m_layers; }
    const CompositionLayers& Layers() const { return m_layers; }
    // The NWP overlays in their order; the visible ones are drawn.
    std::vector<CNwpOverlay>& Overlays() { return m_overlays; }
    const std::vector<CNwpOverlay>& Overlays() const { return m_overlays; }
    // Recomputed at every composition while the display mode is 105.
    CPrecipEstimate& Precipitation() { return m_precipitation; }
    const CPrecipEstimate& Precipitation() const { return m_precipitation; }
    CConvectionSources& Convection() { return m_convection; }
    const CConvectionSources& Convection() const { return m_convection; }
    const CDataPaths& Paths() const { return m_paths; }

    // The region's name (GBK) for the title, asked at every composition;
    // without one the title has none.
    void SetRegionNameProvider(std::function<std::string()> provider);
    void SetRegionName(const std::string& nameGbk);
    // Whether the layers that can be kept are kept between compositions
    // (see CLayerMemory); on unless switched off.
    void KeepLayers(bool keep) { m_bKeepLayers = keep; }

    // What the switched-on convection layers draw for the subject.
    ConvectionLayers ConvectionOf(const PictureSubject& subject);
    // Why the subject's picture cannot have the convection layer; "" when
    // it can.
    std::string ConvectionRefusal(const PictureSubject& subject, ConvectionLayer layer);
    // The scene of the subject, drawing the convection given (which must
    // outlive the scene); the composition writes the job's estimate and
    // layer memory through it.
    CompositionScene Scene(const PictureSubject& subject, const ConvectionLayers& convection);

    // Composes the subject's picture from image (see ComposePicture).
    int Compose(CDibImage& image, const PictureSubject& subject, int& recompose, CPicture& picture);
    // Composes after the switches only changed from shown (see
    // ComposeLayerSwitch).
    int ComposeSwitch(CDibImage& image, const PictureSubject& subject,
                      const CompositionLayers& shown, int& recompose, CPicture& picture,
                      CanvasTiles& changed);

private:
    CDataPaths m_paths;
    CompositionLayers m_layers;
    std::vector<CNwpOverlay> m_overlays;
    CPrecipEstimate m_precipitation;
    CConvectionSources m_convection;
    CLayerMemory m_layerMemory;
    bool m_bKeepLayers = true;
    std::function<std::string()> m_regionName;
};
