#pragma once
// The table of the cells of one picture as the forecaster copies or saves
// it: one row per cell with its area, coldest and mean temperature,
// centroid, the speed and direction of its track's last step and its cloud
// shield.

#include <string>
#include <vector>

#include "convection/CellTracks.h"
#include "convection/ColdCells.h"

// The column titles.
std::vector<std::string> CellTableHeader();
// One row of texts per cell; motion ("-" when unknown) from the step of each
// cell, by cell index (steps may be empty).
std::vector<std::vector<std::string>> CellTableRows(const std::vector<ColdCell>& cells,
                                                    const std::vector<const TrackStep*>& steps);
// Header and rows joined with the separator, one line each, "\n" line ends.
std::string CellTableText(const std::vector<std::vector<std::string>>& rows, char separator);

// Writes the table as CSV (UTF-8 with a byte-order mark, so that
// spreadsheets read the Chinese titles) through a replacement file: false,
// with the file as it was, when it cannot be written.
bool SaveCellTableCsv(const std::string& path, const std::vector<std::vector<std::string>>& rows);
