#include "compose/CPictureJob.h"

#include <utility>

#include "compose/Composition.h"

namespace {

ConvectionSubject ConvectionSubjectOf(const PictureSubject& subject) {
    ConvectionSubject convection(subject.product);
    convection.path = subject.path;
    convection.frames = subject.frames;
    convection.frame = subject.frame;
    convection.previous = subject.previous;
    return convection;
}

// Isotherms belong to one channel: a picture of several has none, nor
// their row in the legend.
CompositionLayers LayersOf(const PictureSubject& subject, const CompositionLayers& layers) {
    CompositionLayers drawn = layers;
    if (subject.combined != nullptr) {
        drawn.m_bIsotherms = 0;
    }
    return drawn;
}

}  // namespace

CPictureJob::CPictureJob(CDataPaths paths)
    : m_paths(std::move(paths)), m_precipitation(m_paths.ThresholdFolder()) {}

void CPictureJob::SetRegionNameProvider(std::function<std::string()> provider) {
    m_regionName = std::move(provider);
}

void CPictureJob::SetRegionName(const std::string& nameGbk) {
    m_regionName = [nameGbk] { return nameGbk; };
}

ConvectionLayers CPictureJob::ConvectionOf(const PictureSubject& subject) {
    ConvectionSwitches on;
    on.cells = m_layers.m_bCells != 0;
    on.tracks = m_layers.m_bTracks != 0;
    on.cooling = m_layers.m_bCooling != 0;
    return m_convection.Layers(ConvectionSubjectOf(subject), on);
}

std::string CPictureJob::ConvectionRefusal(const PictureSubject& subject, ConvectionLayer layer) {
    return m_convection.WhyNot(ConvectionSubjectOf(subject), layer);
}

CompositionScene CPictureJob::Scene(const PictureSubject& subject,
                                    const ConvectionLayers& convection) {
    CompositionScene scene =
        SceneOf(subject.product, m_regionName ? m_regionName() : std::string(), m_paths);
    scene.titleMark = subject.titleMark;
    scene.productPath = subject.path;
    scene.precipitation = &m_precipitation;
    scene.overlays = &m_overlays;
    scene.convection = &convection;
    scene.layerMemory = m_bKeepLayers ? &m_layerMemory : nullptr;
    scene.combined = subject.combined;
    return scene;
}

int CPictureJob::Compose(CDibImage& image, const PictureSubject& subject, int& recompose,
                         CPicture& picture) {
    const ConvectionLayers convection = ConvectionOf(subject);
    return ComposePicture(image, Scene(subject, convection), LayersOf(subject, m_layers), recompose,
                          picture);
}

int CPictureJob::ComposeSwitch(CDibImage& image, const PictureSubject& subject,
                               const CompositionLayers& shown, int& recompose, CPicture& picture,
                               CanvasTiles& changed) {
    const ConvectionLayers convection = ConvectionOf(subject);
    return ComposeLayerSwitch(image, Scene(subject, convection), shown, LayersOf(subject, m_layers),
                              recompose, picture, changed);
}
