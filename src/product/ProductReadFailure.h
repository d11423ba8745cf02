#pragma once
// The message said when a file's product description cannot be read, with
// the reason when the file gives one (CGeoImage::ReadRefusal).

#include <string>

constexpr char kProductReadFailed[] = "获取图像文件描述信息失败";

// "获取图像文件描述信息失败", followed by "：" and the refusal when there is one.
std::string ProductReadFailure(const std::string& refusal);
