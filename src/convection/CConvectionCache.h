#pragma once
// What the convection layers show, kept between compositions and worked out
// again only when the picture changes: the cells of each product (by its
// counts, so the frames of a loop and the copies made current share them),
// the tracks of a loop, and the cooling between two products. Entries are
// held by weak references to the counts, so a released frame releases its
// entry and its memory is never kept alive here.

#include <list>
#include <memory>
#include <string>
#include <vector>

#include "convection/CellTracks.h"
#include "convection/ColdCells.h"
#include "convection/ConvectionSettings.h"
#include "convection/CoolingRate.h"
#include "convection/PixelAreas.h"
#include "product/CGeoImage.h"

class CConvectionCache {
public:
    // New settings forget everything worked out with the old ones.
    void SetSettings(const ConvectionSettings& settings);
    const ConvectionSettings& Settings() const { return m_settings; }

    // The cells of the product, largest first; nullptr, with the reason in
    // why (when given), for a product that cannot have cells.
    const std::vector<ColdCell>* CellsOf(const CGeoImage& product, std::string* why = nullptr);
    // The product's cells when they were worked out already, else nullptr:
    // for the read-out, which must never start a search.
    const std::vector<ColdCell>* KnownCellsOf(const CGeoImage& product) const;
    // The tracks through the frames (given in any order, tracked in time
    // order: a step's frame is the frame's place in time, see TimeIndexOf);
    // frames that cannot have cells (one that failed to read) are passed
    // over. nullptr when no frame can have cells or they differ in geometry.
    const std::vector<TrackStep>* TracksOf(const std::vector<CGeoImage>& frames);
    // The place in time of frames[index] of the last TracksOf, or -1 (also
    // for a frame passed over).
    int TimeIndexOf(int index) const;
    // The cooling between two products; nullptr, with the reason, when they
    // cannot be compared.
    const CCoolingMap* CoolingOf(const CGeoImage& first, const CGeoImage& second,
                                 std::string* why = nullptr);

    // How many times cells were found (not taken from the cache).
    int CellSearches() const { return m_nCellSearches; }
    void Clear();

private:
    using Identity = std::weak_ptr<const void>;
    struct CellsEntry {
        Identity counts;
        ProjectionParams params;
        std::vector<ColdCell> cells;
    };
    struct TracksEntry {
        std::vector<Identity> frames;
        std::vector<int> timeIndex;  // by frame as given
        std::vector<TrackStep> steps;
    };
    struct CoolingEntry {
        Identity first;
        Identity second;
        CCoolingMap map;
    };

    const CPixelAreas* AreasFor(const CGeoImage& product);
    void ForgetReleased();

    ConvectionSettings m_settings;
    std::vector<CPixelAreas> m_areas;  // one per geometry seen, the latest last
    // A list, so that the cells handed out stay where they are while more
    // are found.
    std::list<CellsEntry> m_cells;
    TracksEntry m_tracks;
    bool m_bTracksValid = false;
    CoolingEntry m_cooling;
    bool m_bCoolingValid = false;
    int m_nCellSearches = 0;
};
