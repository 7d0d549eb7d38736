#!/usr/bin/env bash
# The house rules that a compiler does not check, run by .ci/run:
# 1. Layering: a folder under src/ includes only folders on a lower level (and itself).
# 2. Console and file I/O (streams, C stdio, std::filesystem, std::exit) only in src/runtime/
#    and src/app/: every other folder talks through the unit table.
# 3. One of each small kit: no local copy of slot(), pi or the line capacity.
# 4. Formatting: every source file as the committed .clang-format lays it out.
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

io_pattern='#include <(iostream|fstream|cstdio|stdio\.h|filesystem)>|std::(cout|cerr|clog|exit|filesystem|ifstream|ofstream|fstream|printf|fopen)\b|\b(printf|fprintf|fopen|puts)\('
if grep -rnE "$io_pattern" src --include='*.cpp' --include='*.h' | grep -vE '^src/(runtime|app)/'; then
  echo "I/O outside src/runtime/ and src/app/ (above): write through the unit table"
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

if command -v clang-format >/dev/null; then
  unformatted=$(find src tests bench \( -name '*.cpp' -o -name '*.h' \) -print0 |
                xargs -0 clang-format --dry-run --Werror 2>&1 | grep -E '^[^ ].*: (error|warning)' || true)
  if [[ -n "$unformatted" ]]; then
    echo "$unformatted"
    echo "formatting: run clang-format -i on the files above"
    status=1
  fi
else
  echo "formatting: clang-format not found, not checked"
fi
exit $status
