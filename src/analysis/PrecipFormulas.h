#pragma once
// The empirical rain-amount formulas: one per season and band of the
// infrared-1 brightness temperature, and the rounding of an amount to whole
// millimetres.

#include "analysis/PrecipThresholds.h"

inline constexpr int kPrecipMaxAmount = 30;

// The amount in millimetres (unclamped) of a rain candidate with infrared-1
// temperature t1 (kelvin), split-window difference d = t1 - t2 (kelvin) and
// scaled texture g.
//
// The bands leave two gaps that take the formula of the nearest band: t1
// below 185 K uses the coldest band, and in winter t1 of exactly 205 K the
// band below it, which ends at its upper bound as every other season's bands
// do.
double PrecipAmount(PrecipSeason season, double t1, double d, double g);

// The amount clamped to 0..30 and rounded half up; 0 means no rain pixel.
int PrecipRoundedAmount(double amount);
