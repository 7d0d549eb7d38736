// datafile/resize_149.h: the resize of an image of the older 49-fairlead layout to the current
// 149-fairlead layout of TPCM.
//
// The older layout holds 49 vessel points, 50 line types and lines, 51 line slots per line
// type and 10 sublines per line type, and lacks some reserves; the current one holds 149
// points, 150 line types and lines, 151 slots and 25 sublines. The resize opens, in increasing
// position, every run of words the older layout lacks (a gap), so that each element keeps its
// indices and its value and every element the older layout did not have is zero.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace lintar {

// The words the current layout has beyond the older one: 79,676 - 14,825.
inline constexpr std::int32_t resize_gap_words = 64851;

// The words of a whole image in the older layout of this program type.
inline constexpr std::int32_t older_layout_words = 79676 - resize_gap_words;

// One gap: `size` words opened at word `at` of the current layout (counting from 1), moved as
// elements of `width` words (2 for the 8-character names, 3 for coordinate and coefficient
// triples, else 1).
struct ResizeGap {
    std::int32_t at;
    std::int32_t size;
    int width;
};

// The gaps of the resize, in the order they are opened, for an image of program type SIMTYP:
// the top part only for types 1, 4 and 11, the top and second-body parts for 3 and 16, all
// three parts otherwise. Each gap's position is its place in the current layout, which the
// gaps before it have already reached.
std::vector<ResizeGap> resize_gaps(std::int32_t SIMTYP);

// The position in the older layout of a word that the older layout has, given its position in
// the current layout (the gaps of this program type before it taken away).
std::int32_t older_layout_word(std::int32_t current_word);

// Opens a gap in the image words (image[0] is word 1): the words from the gap's position to the
// end move up by its size, the last word first, and those that would pass the last word are
// dropped; the gap's words keep their old values until cleared. Whole elements of the gap's
// width move through MOVDWN2 or MOVDWN3, the few words at the end that make no whole element
// through MOVDWN, before them.
void open_gap(std::span<std::uint32_t> image, const ResizeGap& gap);

// UPDATE_TO_149: converts TPCM, which holds an image in the older layout from its first word,
// to the current layout, in place: every gap is opened (the words from it to the end move up
// by its size, the last word first; words that would pass the last word of the image are
// dropped) and then cleared, the 8-character names to zero bytes. DATVER (the file version)
// is not used; SIZ_DAT is the image size in words (79,676); Ntop and Nbottom are the word
// positions of the first and the last word of TPCM, which bound every move. Writes no message
// and sets no other value (the caller marks the image with DAT_ID 149). The conversion is not
// repeatable: the caller runs it once, on an image it knows to be in the older layout.
void UPDATE_TO_149(float DATVER, std::int32_t SIZ_DAT, std::int32_t Ntop, std::int32_t Nbottom);

} // namespace lintar
