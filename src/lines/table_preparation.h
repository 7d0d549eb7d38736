// lines/table_preparation.h: the preparation of the line data for the line tables: the trim
// and heel expansion to one line type per line, and the marking of excluded lines.
#pragma once

#include "blocks/tpcm.h"

#include <cstdint>

namespace lintar {

// COPY2: copies subline IELFRM of line type ITPFRM of SOURCE to subline IELTO of line type
// ITPTO of TPCM: composition, length, diameter, weights, compliance, breaking strength,
// added-mass and drag coefficients, the spare value, and the subline's strain-database
// selection bit. The spring buoy and clump weight (SPRGBY, CLUMP) exist for types 1 to 12
// only: they are copied when both types are among them, and a type up to 12 copied from a
// higher one gets none (0). NELEM, ANCHGT and ANCTYP are the caller's. SOURCE may be TPCM
// itself.
void COPY2(std::int32_t IELTO, std::int32_t IELFRM, std::int32_t ITPTO, std::int32_t ITPFRM,
           const TpcmBlock& SOURCE);

// The trim-and-heel expansion, when TRIMDG or HEELDG is not 0: the notice and its Return
// pause (when there are two lines or more), the moment centre RMCTRG and every fairlead RFLD
// turned by the trim-and-heel rotation about the point at keel height DRAFT, and every line
// given a line type of its own (line types 1..NLIN, numbered in the order of the old types and
// their lines), each a copy of its old type's sublines, anchor data and strain-database
// selection. Rewrites TPCM in memory; ends the run (the user's choice) on an answer of -1.
void expand_for_trim_and_heel();

// The exclusions: LINEID(i) of LINCOM raised by 1024 for every line excluded by the user
// (lines up to 120, when NEXCLUDE is not 0), and INRT_EXCL(i) = 1 for every line excluded from
// the inertial correction (lines up to 120, when NEXCLD_I is not 0), else 0. LINEID must hold
// the line types already.
void mark_line_exclusions();

} // namespace lintar
