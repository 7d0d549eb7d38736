// util/offset_box.h: the offset-type box that heads each table of the offset report.
#pragma once

#include <cstdint>
#include <span>

namespace lintar {

// IOBOX: a box ruled with ":" and centred in 78 columns, naming the offset type TABTYP (1 to 8)
// with the direction data that go with it: type 1 the plan direction ANGVAR (degrees); types 2
// and 3 the rotation sense ANGVAR (1 counter-clockwise or advancing screw, anything else the
// other way); type 3 the axis DIRVEC; types 5 and 6 the direction DIRVEC; type 7 the force
// direction DIRVEC (axes by FCVES), the application point FDIR and, when MTCHFT is 1, the moment
// axis MOMAXS (axes by TQVES); type 8 the moment axis DIRVEC (axes by TQVES); type 4 only its
// title. Arguments a type does not show are not read; a type outside 1 to 8 writes nothing.
// MOMAXS is the moment axis of the same repetition (the TRQVEC entry that goes with the FRCVEC
// entry passed as DIRVEC): the box takes it as an argument of its own, never by reaching past
// DIRVEC into the words that follow it.
void IOBOX(std::int32_t TABTYP, float ANGVAR, std::span<const float, 3> DIRVEC,
           std::span<const float, 3> FDIR, std::int32_t MTCHFT, int IUNIT, std::int32_t FCVES,
           std::int32_t TQVES, std::span<const float, 3> MOMAXS);

} // namespace lintar
