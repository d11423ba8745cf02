#pragma once
// Conversion of the system's filter strings ("name|patterns|name|patterns||")
// into a Qt file-dialog filter ("name (p1 p2);;name (p3)").

#include <QString>

// Each pair becomes one Qt filter; the pattern list's ';' separators become
// blanks and "*.*" becomes "*", which is what it means on the system that
// wrote the filters (every file, with or without a dot). A name that already
// ends in a parenthesised pattern list has that list replaced by the
// converted one, so Qt shows the name as written and filters by the patterns.
QString ConvertFileFilter(const QString& systemFilter);

// The extension a file name takes under one Qt filter ("位图文件 (*.bmp
// *.dib)" gives "bmp"): its first pattern's; "" when that pattern names no
// extension ("*").
QString FilterExtension(const QString& qtFilter);
