// hulls/jack_up.cpp: the inoperative jack-up entries.
#include "hulls/jack_up.h"

#include "blocks/tpcm.h"
#include "util/prompts.h"

namespace lintar {

namespace {

// The two list-directed records of every entry and the stop.
[[noreturn]] void inoperative_jack_up() {
    inoperative_stop(TPCM.EDUNIT, {"  ++> You are in an inoperative vessel utility file!",
                                   "      Press <Return> to quit"});
}

} // namespace

// JCKCHR, JCKFRC, JCKRAO, JCKSUM, JCKOUT: see the header. Read TPCM EDUNIT.
void JCKCHR() {
    inoperative_jack_up();
}
void JCKFRC(std::int32_t&) {
    inoperative_jack_up();
}
void JCKRAO() {
    inoperative_jack_up();
}
void JCKSUM() {
    inoperative_jack_up();
}
void JCKOUT() {
    inoperative_jack_up();
}

} // namespace lintar
