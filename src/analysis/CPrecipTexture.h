#pragma once
// The texture field of an infrared-1 image: the gradient magnitude
// Gd = 10 · sqrt((T(c-1,r) - T(c+1,r))² + (T(c,r-1) - T(c,r+1))²) of every
// inner pixel, copied out to the edge rows and columns, summed over the 5 × 5
// block around each pixel and scaled by 0.004. The sum is defined for rows
// 2..H-4 and columns 2..W-4; every other pixel takes the value of the
// nearest pixel of that area.
//
// The field is made one row at a time, when a row is asked for, from the
// five gradient rows around it; so an estimate holds a few rows of work
// memory instead of whole fields, and rows without a rain candidate cost
// nothing.

#include <cstddef>
#include <vector>

#include "product/CalibratedGrid.h"

class CPrecipTexture {
public:
    // Starts on a width × height image (row major, top row first), which must
    // stay alive while rows are asked for. False when the work memory is not
    // available. An image too small to have a defined area has no texture
    // (0 everywhere).
    bool Begin(const float* t1, int width, int height);
    // The same on a product's counts and calibration table, which must stay
    // alive while rows are asked for; the rows of values the gradient needs
    // are looked up when it needs them.
    bool Begin(const CalibratedGrid& t1);

    // X of every column of an image row, columns outside the defined area
    // holding their nearest defined value. Valid until the next call.
    const float* Row(int row);

    // X at (column, row).
    float At(int column, int row) { return Row(row)[column]; }

private:
    bool Start(int width, int height);
    const float* GradientRow(int k);
    // Row r of the image's values.
    const float* T1Row(int r);

    const float* m_pT1 = nullptr;
    CalibratedGrid m_grid;
    // Value rows looked up from m_grid; slot r % 4 holds row m_t1InSlot[r % 4].
    std::vector<float> m_t1Rows;
    int m_t1InSlot[4] = {-1, -1, -1, -1};
    int m_nWidth = 0;
    int m_nHeight = 0;
    // The defined row made last, or -1.
    int m_nMadeRow = -1;
    // Five gradient rows; slot k % 5 holds row m_rowInSlot[k % 5].
    std::vector<float> m_ring;
    int m_rowInSlot[5] = {-1, -1, -1, -1, -1};
    std::vector<double> m_columnSums;
    std::vector<float> m_row;
};
