// hulls/disc_hull.h: the disc-buoy model (vessel type 4): a disc-shaped buoy treated as an
// equivalent vertical cylinder of radius RADIUS and effective draft EDRAFT, with the Bessel
// solution of the wave forces on it, depth factors, added-mass and keel corrections, and the
// viscous damping calibrated mode by mode on a design wave.
//
// Mass-like quantities are per unit mass density of water, as in every hull model. The model's
// fields are the buoy words of HIMEM.
#pragma once

#include <array>
#include <complex>
#include <cstdint>
#include <functional>
#include <span>

namespace lintar {

// DSKCHR: the characteristics operation. From TPCM's buoy data: the equivalent cylinder
// (RADIUS, EDRAFT, the surge added-mass coefficient CSG = CSW of its ellipsoid), the centres,
// waterplane moments, GM values, masses, inertias and restoring constants, the keel terms, then
// the natural frequencies WH, WP, WR, WSG, WSW, WY with their grid indices. Uncoupled (MORFBK
// not 1) the added masses are iterated against the frequencies until the six grid indices
// repeat. Coupled (MORFBK 1) the mean line shapes are built at LINCOM's RANCK, ZANCK (LINDRV,
// with the two body sections of TPCM exchanged around it for program code 13) and each mode
// whose period or damping switch is 0 gets its mooring spring and damping from the lines'
// dynamic springs (DYNSPR) at an amplitude from the design wave and from its calibrated RAO;
// frequencies and dampings are iterated to 1 % and 5 %, relaxed after 20 passes, in attempts
// of 200 passes. With MORFBK non-zero it ends with the mooring's surge energy curve, LINCOM
// WVOFST(1) and WFERGF(1..90).
// Writes HIMEM's buoy words, TPCM's springs HVK .. YWK and dampings HVMDMP .. YWMDMP of the
// modes whose switches are 0, LINCOM (the energy curve and what LINDRV and DYNSPR write).
// Ends the run: a buoy without an equivalent cylinder (no water-plane area, (DRAFT - VKG)^2
// below 2 (TVKB - VKG) DELTA / AWP, no effective draft or no metacentric height) with a fatal
// message naming the hydrostatic inputs (status 1); at the iteration prompt after the third
// attempt, "A" (the user's choice) or an unattended run (status 1); as DSKFRC, LINDRV and
// DYNSPR do.
void DSKCHR();

// HTSLOP: the design wave at frequency W (rad/s) in water of depth DEPTH: with LSLPHT 1 the
// slope SLPHT degrees (WSLOPE in radians) and the height 2 WSLOPE / k; otherwise the height
// SLPHT and the slope 0.5 WHGT k. k from the dispersion relation. Pure.
void HTSLOP(float DEPTH, float G, std::int32_t LSLPHT, float SLPHT, float W, float& WHGT,
            float& WSLOPE);

// AVGUPD: relaxation of the iterated values: each current value becomes the mean of itself and
// its saved value, and the saved value that mean. CURRENT and SAVED are paired entry by entry.
void AVGUPD(std::span<float> CURRENT, std::span<float> SAVED);

// The values the natural-period iteration compares, per mode in the order heave, pitch, roll,
// surge, sway, yaw: the frequencies (rad/s), the mooring dampings and the grid indices.
struct DiscIterationValues {
    std::array<float, 6> W{};
    std::array<float, 6> D{};
    std::array<std::int32_t, 6> J{};
};

// The steps of one pass of the iteration: pass() computes the new frequencies (and, coupled,
// dampings) and refreshes the grid indices; read() and write() reach the values where they
// live.
struct DiscIterationSteps {
    std::function<void()> pass;
    std::function<DiscIterationValues()> read;
    std::function<void(const DiscIterationValues&)> write;
};

// The control of DSKCHR's iteration. Coupled: a pass has converged when every frequency is
// within 1 % and every damping within 5 % of the previous pass (two dampings of 0 agree);
// until then the values are relaxed (AVGUPD) after 20 passes, and after 200 passes an attempt
// ends: attempts 1 and 2 relax and start again, from the third on the prompt on EDUNIT asks
// (ABORT3): 99 keeps the current estimate, "A" stops the run, Return starts another 200
// passes. A converged pass (every pass when uncoupled) ends the iteration when the six grid
// indices are those at its start; passes whose indices keep changing are bounded at 200, after
// which the same prompt is shown. With NBUG 1 each pass lists the saved and current indices on
// EDUNIT. Returns the number of passes run.
int disc_period_iteration(bool coupled, const DiscIterationSteps& steps);

// DSKFRC: the forces operation. NPASS2 0 is the calibration pass: every mode's forces at the
// grid point nearest its natural frequency (roll and sway in beam seas, the others in head
// seas, at rest), its viscous damping coefficient (GAMROL, GAMPIT, GAMHEV, and with MORFBK
// non-zero GAMSRG, GAMSWY) from the design wave, and with MORFBK non-zero its RAO (CHVRAX ..
// CYWRAX). Any other pass: the normalised forces at every grid period of the heading IRAO,
// stored at LSG .. LYA. Writes HIMEM SCALE, CSG, CSW, SDEPTH, BLGFAC, and in the calibration
// pass RSLOPE and TQFAC; TPCM VFWD is 0 during the calibration pass and restored at its end.
// A Bessel function of the buoy's wave number that cannot be evaluated ends the run (message,
// Return pause, error stop).
void DSKFRC(std::int32_t& NPASS2);

// DSKRAO: the RAO operation. Turns the six force tables of the heading IRAO (DSKFRC's full
// pass) into RAOs per unit wave amplitude in place, at the encounter frequency of VFWD: each
// mode's restoring, mass (with the added mass of the grid point's wave number) and damping of
// the characteristics; yaw is 0. Free-floating (MORFBK 0) surge and sway have no restoring and
// only their radiation damping; moored, the mooring's springs and dampings enter, and the surge
// RAO is reduced (never enlarged) by the equal-energy correction of the extreme wave's
// excursion XTRMWV |RAO| on the energy curve WFERGF (NLNCOR; with LSPM the curve's offsets are
// (k - 1) WVOFST(1)). A surge period given by the user (LSGPRD 1, SGK holding it) corrects
// with the spring of that period, RHOWTR SGMAS WSG^2.
// Reads HIMEM, TPCM, WAVCOM and LINCOM's energy curve; writes the RAO columns of RLDUM. Ends
// the run only as NLNCOR does (an excursion beyond the energy curve).
void DSKRAO();

// DSKSUM: report section I, the buoy's physical characteristics as input, on the report unit
// IUNIT. DSKOUT: report section II, the natural periods and the damping in per cent of critical
// (with its conversion to force or moment per velocity) of the unmoored (MORFBK 0) or moored
// (MORFBK 1) buoy, only the headings for another MORFBK, then the design wave and the depth;
// with AUXVSH set, the note that the page holds the program's estimates. On the console each
// page ends with the Return pause, where a negative answer draws it again.
// Read TPCM, HIMEM and WAVCOM; write TPCM LBACK. Never end the run.
void DSKSUM();
void DSKOUT();

// The surge and sway added-mass coefficient of the buoy's equivalent ellipsoid of draft ratio
// DLRAT (EDRAFT / RADIUS): axis ratios 1 / DLRAT^2 and 1, translation.
float disc_surge_added_mass(float DLRAT);

// J2(x) / x^2 for x >= 0, with its limit 1/8 at x = 0. The Bessel value to the tolerance EPS.
float bessel_j2_over_square(float x, float EPS);

} // namespace lintar
