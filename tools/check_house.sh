#!/usr/bin/env bash
# The house rules that a compiler does not check, run by .ci/run:
# 1. Layering: a folder under src/ includes only folders on a lower level (and itself).
# 2. Console and file I/O (streams, C stdio, std::filesystem) and ending the process (exit,
#    _Exit, quick_exit, with or without std::) only in src/runtime/ and src/app/: every other
#    folder talks through the unit table and ends the run by throwing ProgramStop.
# 3. One of each small kit: no local copy of slot(), pi or the line capacity, degrees per
#    radian, 2 pi, the tension-leg predicate, the offset pages' count line or a list-directed
#    formatter; no written-out crossing from a 1-based count to a 0-based place.
# 4. Formatting: every source file as the committed .clang-format lays it out with clang-format 14
#    (fails without clang-format, unless LINTAR_SKIP_CLANG_CHECKS=1).
# Prints each breach and exits 1 when there is any.
set -uo pipefail
cd "$(dirname "$0")/.."
status=0

# The levels, bottom to top. Folders that do not exist yet have their place already.
declare -A level=(
  [runtime]=0
  [blocks]=1
  [util]=2
  [datafile]=3 [lines]=3
  [mooring_pages]=4 [line_dynamics]=4
  [editor]=5 [hulls]=5
  [motions]=6
  [environment]=7
  [equilibrium]=8
  [offsets]=9
  [td_support]=10
  [low_frequency]=11
  [app]=12
)

for dir in src/*/; do
  folder=$(basename "$dir")
  if [[ -z "${level[$folder]+set}" ]]; then
    echo "layering: src/$folder/ has no level in tools/check_house.sh"
    status=1
    continue
  fi
  while IFS= read -r hit; do
    file=${hit%%:*}
    target=$(sed -E 's/.*#include "([a-z_]+)\/.*/\1/' <<<"$hit")
    [[ "$target" == "$folder" ]] && continue
    if [[ -z "${level[$target]+set}" ]] || ((level[$target] >= level[$folder])); then
      echo "layering: $file includes $target/ (level ${level[$target]:-?}), not below $folder/ (level ${level[$folder]})"
      status=1
    fi
  done < <(grep -rnE '#include "[a-z_]+/' "$dir" || true)
done

io_pattern='#include <(iostream|fstream|cstdio|stdio\.h|filesystem)>|std::(cout|cerr|clog|exit|_Exit|quick_exit|filesystem|ifstream|ofstream|fstream|printf|fopen)\b|(^|[^A-Za-z0-9_.>:])(printf|fprintf|fopen|puts|exit|_Exit|quick_exit)\('
if grep -rnE "$io_pattern" src --include='*.cpp' --include='*.h' | grep -vE '^src/(runtime|app)/'; then
  echo "I/O or a process exit outside src/runtime/ and src/app/ (above): write through the unit"
  echo "table, and end the run by throwing ProgramStop (runtime/stop.h)"
  status=1
fi

# One of each small kit: the 1-based slot() of blocks/block_support.h, pi and its multiples of
# util/angles.h, the line capacity of blocks/lincom.h. A local copy elsewhere is a breach.
kit_copies=$(
  grep -rnE '^\s*(inline )?(static )?(constexpr )?(std::size_t|auto|int) slot\(|(const )?auto slot = \[' \
       src --include='*.cpp' --include='*.h' | grep -v '^src/blocks/block_support\.h:'
  grep -rnE '(^|[^0-9.])(3\.14159(2[67][0-9]*|3)|6\.28318[0-9]*|1\.570796[0-9]*|0\.785398[0-9]*)f|std::numbers::pi|M_PI\b' \
       src --include='*.cpp' --include='*.h' | grep -v '^src/util/angles\.h:'
  grep -rnE 'constexpr (int|std::int32_t|std::size_t) [a-z_]*(lines|line_types|line_capacity|type_capacity)[a-z_]* = 150;' \
       src --include='*.cpp' --include='*.h' | grep -v '^src/blocks/'
)
if [[ -n "$kit_copies" ]]; then
  echo "$kit_copies"
  echo "small kit: use slot() (blocks/block_support.h), the pi constants (util/angles.h) and"
  echo "lincom_lines / lincom_types (blocks/lincom.h) instead of the local copies above"
  status=1
fi

# The rest of the kit, each with its one home:
# - degrees per radian, radians per degree (a literal 57.29..., 0.01745..., or 180 and pi in
#   one expression): util/angles.h. PHASE (util/bessel_gamma.cpp) writes its own 57.29577 on
#   purpose, and says why;
# - 2 pi as a local constant: two_pi_single of util/angles.h;
# - SIMTYP 14 or 17, the tension-leg platform or the spar: tension_leg_or_spar of
#   util/program_types.h;
# - the count line of an offset page: count_line of editor/offset_page_support.h;
# - a list-directed integer or real (I12, G15.9 or G16.9 as a function's result, or a function
#   named list_...int... or list_...real...): list_directed_int, list_directed_real and
#   list_directed_real_g15 of runtime/edit_descriptors.h.
sources=(src --include='*.cpp' --include='*.h')
# Comment lines may name the values.
last_copies=$({
  grep -rnE '(^|[^0-9.])(57\.29[0-9]*|0?\.01745[0-9]*)|180(\.0*)?f? */ *pi|pi(_single)? */ *180' \
       "${sources[@]}" | grep -v '^src/util/angles\.h:' |
    grep -vE '^src/util/bessel_gamma\.cpp:[0-9]+: +return std::atan2\(C\.imag\(\), C\.real\(\)\) \* 57\.29577f;$'
  grep -rnE '(const|constexpr) [a-z_:]+ [A-Za-z_]*(two_?pi|TWO_?PI)[A-Za-z_]* *=|= *2(\.0*)?f? *\* *pi_single *;' \
       "${sources[@]}" | grep -v '^src/util/angles\.h:'
  grep -rnE 'SIMTYP *(==|!=) *1[47] *(\|\||&&) *[A-Za-z_.]*SIMTYP *(==|!=) *1[47]' \
       "${sources[@]}" | grep -v '^src/util/program_types\.h:'
  grep -rnE 'std::string count_line\(' "${sources[@]}" |
    grep -vE '^src/editor/offset_page_support\.(h|cpp):'
  grep -rnE 'return I\([^;]*, 12\);|[^A-Z]G\([^;]*, 1[56], 9\)|std::string list_[a-z_]*(int|real)[a-z_0-9]*\(' \
       "${sources[@]}" | grep -vE '^src/runtime/edit_descriptors\.(h|cpp):'
} | grep -vE '^[^:]+:[0-9]+: *//')
if [[ -n "$last_copies" ]]; then
  echo "$last_copies"
  echo "small kit: use degrees_per_radian and two_pi_single (util/angles.h), tension_leg_or_spar"
  echo "(util/program_types.h), count_line (editor/offset_page_support.h) and the list-directed"
  echo "formatters (runtime/edit_descriptors.h) instead of the local copies above"
  status=1
fi

# One crossing from a 1-based count to a 0-based place: slot(i), or col_major for a flat
# position in an array of the program's bounds (blocks/block_support.h). A written-out
# static_cast<std::size_t>(i - 1) elsewhere is a breach. src/runtime/ lies below blocks/ and
# cannot reach slot(): its one crossing, the output cursor's column, stays written out.
crossings=$(grep -rnE 'static_cast<(std::)?size_t>\([^;]*-[[:space:]]*1[[:space:]]*\)' "${sources[@]}" |
  grep -vE '^src/(blocks/block_support\.h|runtime/)' | grep -vE '^[^:]+:[0-9]+: *//')
if [[ -n "$crossings" ]]; then
  echo "$crossings"
  echo "crossing: write slot(i) (or col_major) from blocks/block_support.h for the place of a"
  echo "1-based count, not static_cast<std::size_t>(i - 1)"
  status=1
fi

# The tree is laid out by clang-format 14: another version lays some lines out otherwise, so
# the check names the version it found. Without clang-format the check fails, unless
# LINTAR_SKIP_CLANG_CHECKS=1 asks to skip it (for someone who wants only the tests; .ci/run
# never sets it).
formatter=${CLANG_FORMAT:-$(command -v clang-format-14 || command -v clang-format || true)}
if [[ "${LINTAR_SKIP_CLANG_CHECKS:-0}" == 1 ]]; then
  echo "formatting: skipped (LINTAR_SKIP_CLANG_CHECKS=1)"
elif [[ -z "$formatter" ]] || ! command -v "$formatter" >/dev/null; then
  echo "formatting: clang-format (version 14) not found: install it (see the README's set-up"
  echo "line), or set LINTAR_SKIP_CLANG_CHECKS=1 to skip this check"
  status=1
else
  version=$("$formatter" --version | sed -nE 's/.*version ([0-9]+)\..*/\1/p')
  unformatted=$(find src tests bench \( -name '*.cpp' -o -name '*.h' \) -print0 |
                xargs -0 "$formatter" --dry-run --Werror 2>&1 | grep -E '^[^ ].*: (error|warning)' || true)
  if [[ -n "$unformatted" ]]; then
    echo "$unformatted"
    echo "formatting: run $formatter -i on the files above"
    if [[ "$version" != 14 ]]; then
      echo "formatting: $formatter is version ${version:-unknown}; the tree is laid out with version 14"
    fi
    status=1
  fi
fi
exit $status
