#!/usr/bin/env python3
"""Generates src/blocks/tpcm.h, the TPCM data block, from its layout table.

    python3 tools/gen_tpcm.py           writes src/blocks/tpcm.h
    python3 tools/gen_tpcm.py --check   exits 1 when src/blocks/tpcm.h differs from what the
                                        table gives

The table src/blocks/tpcm_layout.csv lists every member and second name of the image in
storage order. Each word of the image is stored once, in the member that owns it:
  - a member without a second_name_of owns its words (reserved words included);
  - a word that no such member covers is owned by the narrowest second name covering it
    (RTPCM1(2) at word 499, IDUM0(2..109), ROTCTY and ROTCTZ).
Owners become data members: scalars by their names, arrays as flat storage NAME_words (or
NAME_chars for characters) reached through 1-based accessors NAME(i, ...), the words that a
second name owns beyond its first as NAME_rest. Every other second name becomes an accessor
onto its owner's storage; where the types differ it reads and writes through TypedRef (memcpy).
Standard library only.
"""

import csv
import io
import math
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
TABLE = ROOT / "src" / "blocks" / "tpcm_layout.csv"
HEADER = ROOT / "src" / "blocks" / "tpcm.h"

PARTS = {
    1: ("top", "Top part"),
    2: ("second_body", "Second-body part"),
    3: ("hull_member", "Hull-member part"),
    4: ("mooring", "Mooring part"),
    5: ("catenary_table", "Catenary-table part"),
}
NUMERIC = {"int32": "std::int32_t", "real32": "float", "logical32": "std::int32_t"}
INDEX_NAMES = ["i", "j", "k"]
ONE_LINE = 100  # longest line written on one line; longer functions are split


class LayoutError(Exception):
    pass


class Row:
    def __init__(self, line_no, fields):
        self.line_no = line_no
        try:
            self.part = int(fields["part"])
            self.first = int(fields["first"])
            self.last = int(fields["last"])
            self.words = int(fields["words"])
            self.dims = [int(d) for d in fields["dims"].split()]
        except ValueError as error:
            raise LayoutError(f"line {line_no}: {error}")
        self.name = fields["name"]
        self.type = fields["type"]
        self.of = fields["second_name_of"]
        self.reserved = self.name == "(reserved)"
        if self.type in NUMERIC:
            self.elem_bytes = 4
        elif self.type.startswith("char*") and self.type[5:].isdigit():
            self.elem_bytes = int(self.type[5:])
        else:
            raise LayoutError(f"line {line_no}: unknown type {self.type}")
        if self.reserved:
            self.count = self.words  # reserved words: one element per word, no bounds
        else:
            self.count = math.prod(self.dims) if self.dims else 1
        if self.last < self.first or self.words != self.last - self.first + 1:
            raise LayoutError(f"line {line_no}: words {self.first}-{self.last}"
                              f" are not {self.words}")
        if self.count * self.elem_bytes != 4 * self.words:
            raise LayoutError(f"line {line_no}: {self.name} does not fill its {self.words} words")
        if self.reserved and self.of:
            raise LayoutError(f"line {line_no}: a reserved range is no second name")

    @property
    def is_char(self):
        return self.type.startswith("char*")

    @property
    def ctype(self):
        return "char" if self.is_char else NUMERIC[self.type]

    def words_text(self, first=None, last=None):
        first = self.first if first is None else first
        last = self.last if last is None else last
        return f"word {first}" if first == last else f"words {first}-{last}"

    def declared(self):
        bounds = "(" + ",".join(str(d) for d in self.dims) + ")" if self.dims else ""
        return f"{self.name}{bounds} {self.type}"


class Storage:
    """A data member of the struct: the words one row owns."""

    def __init__(self, row, first, last, kind):
        self.row, self.first, self.last, self.kind = row, first, last, kind
        name = row.name
        if kind == "reserved":
            self.member = f"reserved_{first}" if first == last else f"reserved_{first}_{last}"
        elif kind == "rest":
            self.member = f"{name}_rest"
        elif row.is_char:
            self.member = f"{name}_chars"
        elif row.dims:
            self.member = f"{name}_words"
        else:
            self.member = name
        self.scalar = kind == "whole" and not row.dims and not row.is_char


def read_table(path):
    text = path.read_text(encoding="utf-8")
    lines = [(n, line) for n, line in enumerate(text.splitlines(), 1)
             if line.strip() and not line.startswith("#")]
    reader = csv.DictReader(io.StringIO("\n".join(line for _, line in lines)))
    expected = ["part", "first", "last", "name", "type", "dims", "words", "second_name_of"]
    if reader.fieldnames != expected:
        raise LayoutError(f"columns {reader.fieldnames}, expected {expected}")
    rows = [Row(lines[i + 1][0], fields) for i, fields in enumerate(reader)]
    return rows


def assign_owners(rows):
    """Storage members in word order, and the owner of every word."""
    names = {}
    for row in rows:
        if not row.reserved:
            if row.name.upper() in names:
                raise LayoutError(f"line {row.line_no}: {row.name} named twice")
            names[row.name.upper()] = row
    for row in rows:
        if row.of and row.of.upper() not in names:
            raise LayoutError(f"line {row.line_no}: {row.of} is no member")
        if row.of:
            target = names[row.of.upper()]
            if not target.first <= row.first <= target.last:
                raise LayoutError(f"line {row.line_no}: {row.name} does not lie in {row.of}")
    last_word = max(row.last for row in rows)
    owner = [None] * (last_word + 1)
    for row in rows:
        if row.of:
            continue
        for word in range(row.first, row.last + 1):
            if owner[word] is not None:
                raise LayoutError(f"word {word} belongs to {owner[word].name} and {row.name}")
            owner[word] = row
    for word in range(1, last_word + 1):
        if owner[word] is not None:
            continue
        covering = [row for row in rows if row.of and row.first <= word <= row.last]
        if not covering:
            raise LayoutError(f"word {word} has no member")
        narrowest = min(row.words for row in covering)
        candidates = [row for row in covering if row.words == narrowest]
        if len(candidates) != 1:
            raise LayoutError(f"word {word}: no single narrowest second name")
        owner[word] = candidates[0]
    storage = {}
    for row in rows:
        mine = [w for w in range(row.first, row.last + 1) if owner[w] is row]
        if not mine:
            continue
        if mine != list(range(mine[0], mine[-1] + 1)):
            raise LayoutError(f"{row.name} owns words that are not consecutive")
        if row.reserved:
            kind = "reserved"
        elif len(mine) == row.words:
            kind = "whole"
        elif mine[-1] == row.last:
            kind = "rest"
        else:
            raise LayoutError(f"{row.name} owns words in its middle")
        storage[row.name if not row.reserved else row.first] = Storage(row, mine[0], mine[-1], kind)
    ordered = sorted(storage.values(), key=lambda s: s.first)
    expected = 1
    for s in ordered:
        if s.first != expected:
            raise LayoutError(f"storage does not run on at word {expected}")
        expected = s.last + 1
    return storage, owner, names


def pieces_of(row, owner, storage):
    """The runs of a row's words held by one storage member each."""
    runs = []
    for word in range(row.first, row.last + 1):
        holder = owner[word]
        key = holder.first if holder.reserved else holder.name
        s = storage[key]
        if runs and runs[-1][0] is s:
            runs[-1][2] = word
        else:
            runs.append([s, word, word])
    return runs


def function(lines, signature, statements):
    """Writes an inline member function, on one line when it fits."""
    body = " ".join(statements)
    one = f"    {signature} {{ {body} }}"
    if len(one) <= ONE_LINE:
        lines.append(one)
        return
    lines.append(f"    {signature} {{")
    for statement in statements:
        lines.append(f"        {statement}")
    lines.append("    }")


def index_parameters(row):
    return ", ".join(f"int {INDEX_NAMES[n]}" for n in range(len(row.dims)))


def col_major(row):
    args = ", ".join(f"{INDEX_NAMES[n]}, {d}" for n, d in enumerate(row.dims))
    return f"col_major({args})"


def scaled(base, factor, index):
    term = index if factor == 1 else f"{factor} * {index}"
    return term if base == 0 else f"{base} + {term}"


def accessor_bodies(row, runs):
    """The statements of the accessor pair (mutable, const) of a row held by the given runs."""
    if len(runs) > 1:
        if len(row.dims) != 1 or row.is_char or any(s.row.ctype != row.ctype for s, _, _ in runs):
            raise LayoutError(f"{row.name}: a view over several members must be a numeric vector"
                              " of their type")
        choices = []
        end = 0
        for s, first, last in runs:
            end += last - first + 1
            shift = row.first - s.first  # element n of the view is word row.first + n
            if s.scalar:
                choices.append((end, s.member))
            elif shift == 0:
                choices.append((end, f"{s.member}[n]"))
            else:
                sign = "+" if shift > 0 else "-"
                choices.append((end, f"{s.member}[n {sign} {abs(shift)}]"))
        expression = choices[-1][1]
        for end, ref in reversed(choices[:-1]):
            expression = f"n < {end} ? {ref} : {expression}"
        statements = [f"const std::size_t n = {col_major(row)};", f"return {expression};"]
        return statements, statements
    s, first, _ = runs[0]
    same_type = row.ctype == s.row.ctype
    if s.scalar:
        if row.count != 1:
            raise LayoutError(f"{row.name}: more than one element on a scalar")
        check = [f"check_index(i, {row.dims[0]});"] if row.dims else []
        if same_type:
            return check + [f"return {s.member};"], check + [f"return {s.member};"]
        address = f"&{s.member}"
    else:
        check = []
        if s.row.is_char:  # positions count characters
            base, factor = 4 * (first - s.first), row.elem_bytes
        elif row.elem_bytes % 4 == 0:  # positions count words
            base, factor = first - s.first, row.elem_bytes // 4
        else:
            raise LayoutError(f"{row.name}: characters that do not fill whole words")
        position = scaled(base, factor, col_major(row)) if row.dims else str(base)
        if same_type and not row.is_char:
            ref = f"{s.member}[{position}]"
            return [f"return {ref};"], [f"return {ref};"]
        address = f"&{s.member}[{position}]"
    if row.is_char and s.row.is_char:
        n = row.elem_bytes
        return ([f"return std::span<char, {n}>({address}, {n});"],
                [f"return std::span<const char, {n}>({address}, {n});"])
    value = f"std::array<char, {row.elem_bytes}>" if row.is_char else row.ctype
    return (check + [f"return TypedRef<{value}>({address});"],
            check + [f"return read_as<{value}>({address});"])


def accessor_types(row, runs):
    if row.is_char and runs[0][0].row.is_char:
        n = row.elem_bytes
        return f"std::span<char, {n}>", f"std::span<const char, {n}>"
    if all(s.row.ctype == row.ctype for s, _, _ in runs):
        return f"{row.ctype}&", f"const {row.ctype}&"
    value = f"std::array<char, {row.elem_bytes}>" if row.is_char else row.ctype
    return f"TypedRef<{value}>", value


def relation(row, names):
    target = names[row.of.upper()]
    if (row.first, row.last) == (target.first, target.last):
        return f"same words as {target.name}"
    if row.first == target.first:
        return f"starts at the first word of {target.name}"
    a, b = row.first - target.first + 1, row.last - target.first + 1
    return f"word {a} of {target.name}" if a == b else f"words {a} to {b} of {target.name}"


def struct_lines(rows, storage, owner, names):
    lines = []
    part = None
    for row in rows:
        if row.part != part:
            part = row.part
            first = min(r.first for r in rows if r.part == part)
            last = max(r.last for r in rows if r.part == part)
            if lines:
                lines.append("")
            lines.append(f"    // {PARTS[part][1]}: words {first}-{last}.")
        own = storage.get(row.first if row.reserved else row.name)
        if own is None:
            lines.append(f"    // {row.declared()}: {row.words_text()}, {relation(row, names)}")
        elif own.kind == "reserved":
            size = own.last - own.first + 1
            declaration = own.member if size == 1 else f"{own.member}[{size}]"
            lines.append(f"    {row.ctype} {declaration}; // {row.words_text()}, reserved")
            continue
        elif own.kind == "rest":
            lines.append(f"    // {row.declared()}: {row.words_text()}, {relation(row, names)};")
            lines.append("    // its words after the first have no other name and are stored here.")
            lines.append(f"    {row.ctype} {own.member}[{own.last - own.first + 1}]; // "
                         f"{row.words_text(own.first, own.last)}")
        else:
            note = f"; {relation(row, names)}, no other name" if row.of else ""
            if own.scalar:
                logical = ", logical" if row.type == "logical32" else ""
                lines.append(f"    {row.ctype} {own.member}; // {row.words_text()}{logical}{note}")
                continue
            length = row.count * row.elem_bytes if row.is_char else row.count
            lines.append(f"    {row.ctype} {own.member}[{length}]; // {row.words_text()}: "
                         f"{row.declared()}{note}")
        runs = pieces_of(row, owner, storage)
        mutable, constant = accessor_bodies(row, runs)
        kind, const_kind = accessor_types(row, runs)
        parameters = index_parameters(row)
        function(lines, f"{kind} {row.name}({parameters})", mutable)
        function(lines, f"{const_kind} {row.name}({parameters}) const", constant)
    return lines


FIXED_ASSERTS = """
// Distances that routines rely on beyond single members.

// The offset-type box reads a couple axis 30 words after a force direction.
static_assert(offsetof(TpcmBlock, TRQVEC_words) - offsetof(TpcmBlock, FRCVEC_words) == 30 * 4);

// The vessel section of the first body (from IVESL) and that of the second body (from IBUOY)
// hold the same members in the same order for 913 words, which are exchanged word for word.
inline constexpr int vessel_section_words = 913;
inline constexpr TpcmWords tpcm_vessel_section{754, 754 + vessel_section_words - 1};
inline constexpr TpcmWords tpcm_second_body_section{1988, 1988 + vessel_section_words - 1};
static_assert(offsetof(TpcmBlock, IVESL_words) == tpcm_offset(tpcm_vessel_section.first));
static_assert(offsetof(TpcmBlock, IBUOY_words) == tpcm_offset(tpcm_second_body_section.first));
static_assert(tpcm_vessel_section.last < tpcm_second_body_section.first);
static_assert(tpcm_second_body_section.last <= tpcm_second_body_part.last);
constexpr std::size_t vessel_section_distance =
    offsetof(TpcmBlock, IBUOY_words) - offsetof(TpcmBlock, IVESL_words);
static_assert(offsetof(TpcmBlock, BVSTYP) - offsetof(TpcmBlock, VESTYP) == vessel_section_distance);
static_assert(offsetof(TpcmBlock, BRACC_words) - offsetof(TpcmBlock, RACC_words) ==
              vessel_section_distance);
static_assert(offsetof(TpcmBlock, BDISPL) - offsetof(TpcmBlock, DISPL) == vessel_section_distance);
static_assert(offsetof(TpcmBlock, DWTONS) == tpcm_offset(tpcm_vessel_section.last));
static_assert(offsetof(TpcmBlock, BDWTNS) == tpcm_offset(tpcm_second_body_section.last));

// The words that the three imports exchange: vessel and environment (the top part), tug or
// buoy (the second-body and hull-member parts), mooring system (the mooring part).
inline constexpr TpcmWords tpcm_vessel_import{1, 1987};
inline constexpr TpcmWords tpcm_second_body_import{1988, 4975};
inline constexpr TpcmWords tpcm_mooring_import{4976, 78635};
static_assert(offsetof(TpcmBlock, NTOGO) == tpcm_offset(tpcm_vessel_import.first));
static_assert(offsetof(TpcmBlock, TOPCOM_LAST) == tpcm_offset(tpcm_vessel_import.last));
static_assert(offsetof(TpcmBlock, IBUOY_words) == tpcm_offset(tpcm_second_body_import.first));
static_assert(offsetof(TpcmBlock, SEMCOM_LAST) == tpcm_offset(tpcm_second_body_import.last));
static_assert(offsetof(TpcmBlock, LODFRE) == tpcm_offset(tpcm_mooring_import.first));
static_assert(offsetof(TpcmBlock, MORCOM_LAST) == tpcm_offset(tpcm_mooring_import.last));
static_assert(offsetof(TpcmBlock, NCATN_words) == tpcm_offset(tpcm_catenary_table_part.first));
static_assert(offsetof(TpcmBlock, LAST_CATNCOM) == tpcm_offset(tpcm_word_count));"""

FIXED_TAIL = """// The global instance: the data file's image. Tests put it back to zeros through
// reset_program_state().
extern TpcmBlock TPCM;

// The block as bytes, for whole-image work (load, save, compare, exchange of ranges): copied
// with memcpy, every word passes unchanged, reserved words and odd bit patterns included.
std::span<std::byte, tpcm_byte_count> tpcm_bytes(TpcmBlock& block);
std::span<const std::byte, tpcm_byte_count> tpcm_bytes(const TpcmBlock& block);

// Word n (from 1) of the block, as its four bytes in memory order.
std::uint32_t tpcm_word(const TpcmBlock& block, int n);
void set_tpcm_word(TpcmBlock& block, int n, std::uint32_t value);

// The vessel section and the second body's section exchange their 913 words, word for word
// (the buoy or tug takes the vessel's place, or gives it back).
void swap_body_sections(TpcmBlock& block);

// The two body sections of BLOCK exchanged for the guard's lifetime (when EXCHANGE): the
// destructor exchanges them back however the scope ends, a stop thrown from within included,
// so the vessel section never keeps the other body's data.
class BodySectionsExchanged {
public:
    explicit BodySectionsExchanged(TpcmBlock& block, bool exchange = true)
        : block_(block), exchanged_(exchange) {
        if (exchanged_)
            swap_body_sections(block_);
    }
    ~BodySectionsExchanged() {
        if (exchanged_)
            swap_body_sections(block_);
    }
    BodySectionsExchanged(const BodySectionsExchanged&) = delete;
    BodySectionsExchanged& operator=(const BodySectionsExchanged&) = delete;

private:
    TpcmBlock& block_;
    bool exchanged_;
};
"""


def generate(rows):
    storage, owner, names = assign_owners(rows)
    last_word = max(row.last for row in rows)
    out = [
        "// blocks/tpcm.h: TPCM, the data file's image; generated by tools/gen_tpcm.py from",
        "// blocks/tpcm_layout.csv (edit the table and run the generator, never this file).",
        "#pragma once",
        "",
        '#include "blocks/block_support.h"',
        "",
        "#include <array>",
        "#include <cstddef>",
        "#include <cstdint>",
        "#include <span>",
        "#include <type_traits>",
        "",
        "// clang-format off",
        "namespace lintar {",
        "",
        f"inline constexpr int tpcm_word_count = {last_word};",
        "inline constexpr std::size_t tpcm_byte_count = 4 * std::size_t{tpcm_word_count};",
        "",
        "// Byte offset of word n (counting from 1).",
        "constexpr std::size_t tpcm_offset(int n) { return 4 * slot(n); }",
        "",
        "// A range of words, counting from 1.",
        "struct TpcmWords {",
        "    int first;",
        "    int last;",
        "    constexpr int count() const { return last - first + 1; }",
        "};",
        "",
        "// The five consecutive parts.",
    ]
    for part, (short, _) in PARTS.items():
        first = min(r.first for r in rows if r.part == part)
        last = max(r.last for r in rows if r.part == part)
        out.append(f"inline constexpr TpcmWords tpcm_{short}_part{{{first}, {last}}};")
    out += [
        "",
        "// The model and the editor state, word for word the data file. Scalars are members by",
        "// their names; arrays are flat in Fortran order (first index fastest), reached through",
        "// 1-based accessors checked in debug builds; second names are accessors onto the words",
        "// of the member they share. Logical words read nonzero as true (is_true, set_logical).",
        "struct TpcmBlock {",
    ]
    out += struct_lines(rows, storage, owner, names)
    out += [
        "};",
        "",
        "static_assert(std::is_standard_layout_v<TpcmBlock>);",
        "static_assert(std::is_trivially_copyable_v<TpcmBlock>);",
        "static_assert(sizeof(TpcmBlock) == tpcm_byte_count);",
        "static_assert(alignof(TpcmBlock) == 4);",
        "",
        "// Every member at its word.",
    ]
    for s in sorted(storage.values(), key=lambda s: s.first):
        out.append(f"static_assert(offsetof(TpcmBlock, {s.member}) == tpcm_offset({s.first}));")
    out += FIXED_ASSERTS.split("\n")
    out += FIXED_TAIL.split("\n")[:-1]
    out += ["", "} // namespace lintar", "// clang-format on", ""]
    return "\n".join(out)


def main(argv):
    check = argv[1:] == ["--check"]
    if argv[1:] and not check:
        print(__doc__, file=sys.stderr)
        return 2
    try:
        text = generate(read_table(TABLE))
    except LayoutError as error:
        print(f"{TABLE}: {error}", file=sys.stderr)
        return 1
    if check:
        current = HEADER.read_text(encoding="utf-8") if HEADER.exists() else ""
        if current != text:
            print(f"{HEADER} is out of date: run tools/gen_tpcm.py", file=sys.stderr)
            return 1
        return 0
    HEADER.write_text(text, encoding="utf-8")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
