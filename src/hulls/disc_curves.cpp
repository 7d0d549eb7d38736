// hulls/disc_curves.cpp: the disc buoy's added-mass and damping fits.
#include "hulls/disc_curves.h"

#include <cmath>

namespace lintar {

// SMASD: see the header. Pure.
float SMASD(float /*Y*/) {
    return 0.15f;
}

// SDMPD: see the header. Pure.
float SDMPD(float Y) {
    return 0.181f * Y * Y * std::exp(-0.8f * Y);
}

// PMASD: see the header. Pure.
float PMASD(float Y) {
    return (0.641f * Y * Y + 0.089f) * std::exp(-1.825f * Y) + 0.11f;
}

// PDMPD: see the header. Pure.
float PDMPD(float Y) {
    return 0.151f * Y * Y * std::exp(-0.952f * Y);
}

// RMASD: see the header. Pure.
float RMASD(float Y) {
    return PMASD(Y);
}

// RDMPD: see the header. Pure.
float RDMPD(float Y) {
    return PDMPD(Y);
}

// HMASD: see the header. Pure.
float HMASD(float Y) {
    return 1.0f + 1.7f * std::exp(-1.224f * Y);
}

// HDMPD: see the header. Pure.
float HDMPD(float Y) {
    return 4.92f * Y / std::pow(Y + 1.0f, 2.429f);
}

} // namespace lintar
