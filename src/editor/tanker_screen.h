// editor/tanker_screen.h: the tanker estimate screen of the vessel page: hull properties of an
// average crude-oil tanker estimated from its deadweight and draft.
//
// The estimates are made in long tons and feet and turned into the page's units at the end.
#pragma once

#include "editor/vessel_variables.h"

#include <cstdint>
#include <string>

namespace lintar {

// The screen's values: its two inputs, the deadweight DWTONS in long tons and the simulation
// draft DRAFT in page units, and the estimates in page units.
struct TankerValues {
    float DISPL = 0.0f;
    float VKB = 0.0f;
    float VKG = 0.0f;
    float DRAFT = 0.0f;
    float AWP = 0.0f;
    float VKMT = 0.0f;
    float VKML = 0.0f;
    float LWL = 0.0f;
    float BWL = 0.0f;
    float PGYR = 0.0f;
    float RGYR = 0.0f;
    float YGYR = 0.0f;
    float BILGR = 0.0f;
    float XWNDAR = 0.0f;
    float YWNDAR = 0.0f;
    float XCURAR = 0.0f;
    float YCURAR = 0.0f;
    float DWTONS = 0.0f;
    float LOADED = 0.0f;
    float DFTPCT = 0.0f;
    float DSPPCT = 0.0f;
};

// The hull's shape parameters (the program's EPSCOM): the waterplane fraction at zero draft,
// the maximum draft in feet and the lightship volume over the maximum volume.
struct EPSCOM {
    float EPSLN = 0.0f;
    float MAXDFT = 0.0f;
    float MINRAT = 0.0f;
};

// ALPHA: the waterplane area over its maximum at draft SIMDFT (feet).
float ALPHA(const EPSCOM& S, float SIMDFT);
// VOLFUN: the displaced volume over its maximum at draft ratio DFTRAT (1 at 1, 0 at 0).
float VOLFUN(const EPSCOM& S, float DFTRAT);
// NULFUN: MINRAT - VOLFUN, zero at the lightship draft ratio.
float NULFUN(const EPSCOM& S, float DFTRAT);

// The metacentric heights over the keel of a hull of waterplane coefficient SIMWPC and block
// coefficient SIMBLC at draft T, beam B and length L (a box for unit coefficients).
struct TankerMetacentres {
    float VKB, VKMT, VKML;
};
TankerMetacentres tanker_metacentres(float SIMWPC, float SIMBLC, float T, float B, float L);

// The estimates turned from long tons and feet into the page units of NUNTS: metres and metric
// tons for 1, kips for the displacement for 0 (lengths and areas stay in feet).
void tanker_page_units(TankerValues& E, std::int32_t NUNTS);

// ESTIM8: the estimates for the deadweight E.DWTONS (long tons) and the draft E.DRAFT (page
// units); a deadweight below 2000 long tons and a draft outside the hull's range are replaced
// after the user's consent, which "A" refuses (LBACK -1, no estimates). Writes E; talks on
// EDUNIT and KBD. Ends the run when the minimum draft cannot be found.
void ESTIM8(TankerValues& E, int EDUNIT, int KBD, std::int32_t& LBACK, std::int32_t NUNTS);

// ENTEST: the screen's prompt and its answer: LBACK 1 or 2 (an input to change), another
// number (estimate again), -1 with the chosen letters in CHARAY, -1977 for all ("Z"), -1978
// for help, 0 for Return. Reads one 40-character line from the keyboard.
void ENTEST(std::int32_t& LBACK, int IOSCRN, int KBD, std::string& CHARAY);

// TNKHLP: the screen's help and the Return pause.
void TNKHLP(int IOSCRN, int KBD, std::int32_t LINE);

// TANKER: the screen itself: shows the estimates, takes new inputs, and copies the chosen
// estimates into the body's variables V. Its working values persist for the whole run, taken
// from V at the first call. Leaves LBACK as the last answer left it; talks on EDUNIT and KBD.
void TANKER(VesselVariables& V, int EDUNIT, int KBD, std::int32_t& LBACK, std::int32_t NUNTS,
            std::int32_t& IPAG);

} // namespace lintar
