#pragma once
// The command line's picture job: the core picture job set up from the
// picture options, opening files as the document does, and saying on stderr
// what keeps a picture from being the one asked for. render and animate
// compose and save through it, into raster pictures whose text is written
// with the face the data folder's font list names (no Qt).

#include <string>

#include "channels/CChannelCombiner.h"
#include "cli/PictureOptions.h"
#include "compose/CPictureJob.h"
#include "compose/CRasterPicture.h"
#include "compose/PictureTarget.h"
#include "fonts/CFreeTypeText.h"
#include "image/CDibImage.h"
#include "product/CGeoImage.h"

class CCliPictureJob {
public:
    // Data files from the current directory; those that cannot be used are
    // named on stderr. Layers are not kept between pictures unless asked.
    CCliPictureJob();
    CCliPictureJob(const CCliPictureJob&) = delete;
    CCliPictureJob& operator=(const CCliPictureJob&) = delete;

    // Takes the options: resolves the palette and reads the NWP files;
    // false, said on stderr, when the palette asked for or an NWP file
    // cannot be used.
    bool Prepare(const PictureOptions& options);
    // Keeps the layers that do not change from one picture to the next
    // between calls, as the view keeps them.
    void KeepLayers(bool keep) { m_job.KeepLayers(keep); }
    // Opens path as the document does; false, said on stderr, when there is
    // no image (a missing product is said and the image kept). With a
    // combination asked for, the image is the combination's picture of the
    // file's observation and product the channel it is drawn over; false,
    // said on stderr, when it cannot be made.
    bool Open(const std::string& path, CGeoImage& product, CDibImage& image);
    // A raster picture writing its text with the job's face.
    CRasterPicture MakePicture() { return CRasterPicture(&m_text); }
    // Composes the opened file's picture into picture (see ComposePicture);
    // 0, said on stderr, when cells are asked of a product that cannot have
    // them.
    int Compose(CDibImage& image, const PictureSubject& subject, int& recompose,
                CRasterPicture& picture);
    // Composes and saves in one call (see ComposeAndSaveRaster); kNotComposed
    // when the cells are refused as above.
    PictureSaveResult Save(CDibImage& image, const PictureSubject& subject,
                           const PictureTarget& target);

private:
    // False, said on stderr, when the picture asks for cells the subject
    // cannot have: it would silently lack what was asked for.
    bool CellsAllowed(const PictureSubject& subject);
    // Takes the combination asked for; false, said on stderr, when its
    // recipe cannot be found or is malformed.
    bool PrepareCombination(const PictureOptions& options, const CDataPaths& paths);

    // The subject as composed: a combination's name and legend, drawn over
    // the channel file it was opened as.
    PictureSubject Drawn(const PictureSubject& subject) const;

    CPictureJob m_job;
    bool m_bCombine = false;
    Combination m_combination;
    CChannelCombiner m_combiner;
    CombinedPicture m_combined;
    // Opens its face only when text is first drawn or measured.
    CFreeTypeText m_text;
};
