#pragma once
// Pictures saved as PNG with Qt's writer, through a replacement file: the
// target holds its old bytes or the whole new picture, never part of one.

#include <QImage>
#include <string>

bool SavePng(const QImage& picture, const std::string& path);
