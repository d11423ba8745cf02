#pragma once
// A composed picture saved to a file through Qt (PNG with Qt's writer): the
// document's "保存当前图像" saves this way and is told what failed. The
// command line composes and saves its raster pictures without Qt
// (compose/RasterPictureFile.h).

#include <QImage>
#include <string>

#include "compose/PictureTarget.h"

PictureSaveResult SavePicture(const QImage& picture, const PictureTarget& target);
