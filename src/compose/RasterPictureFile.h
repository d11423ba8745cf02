#pragma once
// A picture job's picture composed into a raster picture (no Qt) and saved
// in one call: the command line's render, animate's PNG frames and trend's
// picture save so and are told what failed.

#include "compose/CPictureJob.h"
#include "compose/PictureTarget.h"

class CTextRaster;

// Composes the subject's picture from image through the job, its text
// written through text, and saves it: as PNG when the target says so,
// otherwise through the image codecs by the path's extension, the picture
// becoming the saved image in its own memory.
PictureSaveResult ComposeAndSaveRaster(CPictureJob& job, CDibImage& image,
                                       const PictureSubject& subject, const PictureTarget& target,
                                       CTextRaster* text);
