// runtime/assert.h: LINTAR_ASSERT, the check of an invariant of our own code.
// Values from files or the keyboard are input: they are checked, never asserted.
#pragma once

namespace lintar {
[[noreturn]] void assertion_failed(const char* condition, const char* what, const char* file,
                                   int line);
} // namespace lintar

#ifdef NDEBUG
#define LINTAR_ASSERT(condition, what) ((void)0)
#else
#define LINTAR_ASSERT(condition, what)                                                             \
    ((condition) ? (void)0 : ::lintar::assertion_failed(#condition, what, __FILE__, __LINE__))
#endif
