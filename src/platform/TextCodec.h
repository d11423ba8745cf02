#pragma once
// GBK (code page 936) <-> UTF-8. Texts that come from files are GBK bytes;
// the user interface and the command line speak UTF-8.

#include <string>

// Converts GBK bytes to UTF-8; invalid sequences become U+FFFD.
std::string GbkToUtf8(const std::string& gbk);

// Converts UTF-8 to GBK; characters GBK cannot hold become '?'.
std::string Utf8ToGbk(const std::string& utf8);
