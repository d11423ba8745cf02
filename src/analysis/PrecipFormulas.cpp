#include "analysis/PrecipFormulas.h"

namespace {

double Spring(double t1, double d, double g) {
    if (t1 <= 200.0) {
        return 0.0577237 * t1;
    }
    if (t1 <= 215.0) {
        return 0.0110195 * t1 - 0.28244 * d + 1.84216 * g;
    }
    if (t1 <= 230.0) {
        return 2.143 * g - 0.0604319 * d;
    }
    return 0.42907 * g - 0.00186563 * t1;
}

double Summer(double t1, double d, double g) {
    if (t1 <= 200.0) {
        return 0.0368462 * t1 - 1.11007 * d;
    }
    if (t1 <= 215.0) {
        return 0.0146607 * t1 - 0.766437 * d;
    }
    if (t1 <= 230.0) {
        return 1.50855 * g - 0.881715 * d;
    }
    return 1.0;
}

double Autumn(double t1, double d, double g) {
    if (t1 <= 200.0) {
        return 4.15984 * d + 0.0263281 * t1;
    }
    if (t1 <= 215.0) {
        return 10.7694 * g;
    }
    if (t1 <= 230.0) {
        return 0.916415 * g - 0.00362595 * t1;
    }
    return -0.416922 * d;
}

// The winter bands end at 205 and 225 K.
double Winter(double t1, double d, double g) {
    if (t1 <= 205.0) {
        return 2.12509 * d + 65.6601 * g - 0.0309575 * t1;
    }
    if (t1 <= 225.0) {
        return 0.000791122 * t1 - 0.35949 * d;
    }
    return -0.00187977 * t1;
}

}  // namespace

double PrecipAmount(PrecipSeason season, double t1, double d, double g) {
    switch (season) {
        case PrecipSeason::Spring:
            return Spring(t1, d, g);
        case PrecipSeason::Summer:
            return Summer(t1, d, g);
        case PrecipSeason::Autumn:
            return Autumn(t1, d, g);
        case PrecipSeason::Winter:
            break;
    }
    return Winter(t1, d, g);
}

int PrecipRoundedAmount(double amount) {
    if (amount < 0.0) {
        amount = 0.0;
    }
    if (amount > kPrecipMaxAmount) {
        amount = kPrecipMaxAmount;
    }
    return static_cast<int>(amount + 0.5);
}
