#pragma once
// The folder-browse dialog: a directory chooser with a title of one or more
// lines. The first line is the window title; the further lines (the current
// folder, for the catalogue setting) are shown as the dialog's label. The
// chosen folder is written to path.

#include <string>

class QWidget;

// 1 when a folder was chosen (path set), 0 on cancel (path emptied). The
// dialog starts in initial, else in root, else in the user's home.
int BrowseForFolder(std::string& path, const std::string& title, QWidget* owner,
                    const std::string& root = {}, const std::string& initial = {});
