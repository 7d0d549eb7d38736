// runtime/assert.cpp: the report of a broken invariant.
#include "runtime/assert.h"

#include <cstdio>
#include <cstdlib>

namespace lintar {

void assertion_failed(const char* condition, const char* what, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: assertion failed: %s (%s)\n", file, line, condition, what);
    std::abort();
}

} // namespace lintar
