#!/usr/bin/env bash
# Whether src/ and tests/ compile with clang as well as with g++: a syntax-only pass of clang++
# over every source file, run by .ci/run. The standard headers, and GoogleTest's for the tests,
# are parsed once into a precompiled header each, so the pass costs a fraction of a build.
# Fails when clang++ is not installed, unless LINTAR_SKIP_CLANG_CHECKS=1 asks to skip it (for
# someone who wants only the tests; .ci/run never sets it). Prints each error and exits 1 when
# there is any.
set -uo pipefail
cd "$(dirname "$0")/.."
if [[ "${LINTAR_SKIP_CLANG_CHECKS:-0}" == 1 ]]; then
  echo "clang check: skipped (LINTAR_SKIP_CLANG_CHECKS=1)"
  exit 0
fi
compiler=${CLANGXX:-$(command -v clang++-14 || command -v clang++ || echo clang++)}
if ! command -v "$compiler" >/dev/null; then
  echo "clang check: $compiler not found: install clang (see the README's set-up line), or set"
  echo "LINTAR_SKIP_CLANG_CHECKS=1 to skip this check"
  exit 1
fi
jobs=$(nproc 2>/dev/null || echo 2)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The flags of the build: the library sees src/, the tests tests/ before src/ (as CMake orders
# them) and the test folders' names, which a syntax check never uses.
common=(-std=c++20 -ffp-contract=off -Wall -Wextra -Werror)
std_flags=("${common[@]}" -Isrc)
test_flags=("${common[@]}" -Itests -Isrc -DGTEST_HAS_PTHREAD=1 -DLINTAR_BIN_DIR='""'
            -DLINTAR_E2E_DIR='""' -DLINTAR_SOURCE_DIR='""' -DLINTAR_TEST_DATA_DIR='""')

std_headers=(algorithm array bit charconv chrono cmath complex cstddef cstdint cstring
             filesystem fstream functional initializer_list iostream limits map memory numbers
             optional random span sstream string string_view system_error tuple utility vector)
for h in "${std_headers[@]}"; do echo "#include <$h>"; done >"$work/std.h"
{ cat "$work/std.h"; echo "#include <gtest/gtest.h>"; } >"$work/test.h"
status=0
check() { # folder, header set (std or test)
  local -n flags="$2_flags"
  if ! "$compiler" "${flags[@]}" -x c++-header "$work/$2.h" -o "$work/$2.pch"; then
    echo "clang check: the precompiled header of $2.h does not build"
    status=1
    return
  fi
  find "$1" -name '*.cpp' -print0 |
    xargs -0 -P "$jobs" -n 8 "$compiler" "${flags[@]}" -fsyntax-only -include-pch "$work/$2.pch" \
          2>"$work/$2.errors" || status=1
  cat "$work/$2.errors"
}
check src std
check tests test
if ((status != 0)); then
  echo "clang check: the files above do not compile with $compiler"
fi
exit $status
