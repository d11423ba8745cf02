#include "render/PngFile.h"

#include <QBuffer>
#include <QByteArray>
#include <cstdio>

#include "platform/ReplacementFile.h"

bool SavePng(const QImage& picture, const std::string& path) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (picture.isNull() || !buffer.open(QIODevice::WriteOnly) || !picture.save(&buffer, "PNG")) {
        return false;
    }
    CReplacementFile file(path);
    std::FILE* out = file.Open();
    return out != nullptr &&
           std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), out) ==
               static_cast<std::size_t>(bytes.size()) &&
           file.Commit();
}
