// blocks/block_support.h: what every global data block uses: 1-based column-major indexing,
// typed views of storage, logical words and character fields.
#pragma once

#include "runtime/assert.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>

namespace lintar {

// slot: the place in a local 0-based vector or span of the 1-based index i that the program
// counts with (a line, a wave grid row, a matrix row), so that code reads `x[slot(i)]`. The one
// crossing from a count to a place: tools/check_house.sh flags one written out elsewhere.
constexpr std::size_t slot(int i) {
    LINTAR_ASSERT(i >= 1, "1-based index below 1");
    return static_cast<std::size_t>(i - 1);
}
// The program counts in int: a std::size_t or 64-bit count is already a place, or would be
// narrowed unseen.
template <class T> std::size_t slot(T) = delete;

// Flat position of element (i) of an array with bounds (n1), counting from 1.
inline std::size_t col_major(int i, [[maybe_unused]] int n1) {
    LINTAR_ASSERT(i >= 1 && i <= n1, "array index out of its bounds");
    return static_cast<std::size_t>(i - 1);
}

// Flat position of element (i, j) of an array with bounds (n1, n2), first index fastest.
inline std::size_t col_major(int i, int n1, int j, [[maybe_unused]] int n2) {
    LINTAR_ASSERT(j >= 1 && j <= n2, "array index out of its bounds");
    return col_major(i, n1) + static_cast<std::size_t>(n1) * static_cast<std::size_t>(j - 1);
}

// Flat position of element (i, j, k) of an array with bounds (n1, n2, n3), first index fastest.
inline std::size_t col_major(int i, int n1, int j, int n2, int k, [[maybe_unused]] int n3) {
    LINTAR_ASSERT(k >= 1 && k <= n3, "array index out of its bounds");
    return col_major(i, n1, j, n2) + static_cast<std::size_t>(n1) * static_cast<std::size_t>(n2) *
                                         static_cast<std::size_t>(k - 1);
}

// Flat position of element (i, j, k, l) of an array with bounds (n1, n2, n3, n4).
inline std::size_t col_major(int i, int n1, int j, int n2, int k, int n3, int l,
                             [[maybe_unused]] int n4) {
    LINTAR_ASSERT(l >= 1 && l <= n4, "array index out of its bounds");
    return col_major(i, n1, j, n2, k, n3) +
           static_cast<std::size_t>(n1) * static_cast<std::size_t>(n2) *
               static_cast<std::size_t>(n3) * static_cast<std::size_t>(l - 1);
}

// Checks the index of a one-element array whose word is stored as a scalar member.
inline void check_index([[maybe_unused]] int i, [[maybe_unused]] int n) {
    LINTAR_ASSERT(i >= 1 && i <= n, "array index out of its bounds");
}

// Reads the bytes at `bytes` as a value of type T (a copy, so no object is ever reached
// through a pointer of another type).
template <class T> T read_as(const void* bytes) {
    T value{};
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

// A reference to storage of one type seen as another: an int32 view of character words, a
// character view of an integer word, an int32 view of a real word. Reading and assigning copy
// the bytes, so every bit pattern (NaN payloads, odd logicals) passes through unchanged.
template <class T> class TypedRef {
public:
    explicit TypedRef(void* bytes) : bytes_(bytes) {}
    TypedRef(const TypedRef&) = default;

    T get() const { return read_as<T>(bytes_); }
    operator T() const { return get(); }
    TypedRef& operator=(const T& value) {
        std::memcpy(bytes_, &value, sizeof value);
        return *this;
    }
    // Assigning one view to another copies the value, as with a reference.
    TypedRef& operator=(const TypedRef& other) { return *this = other.get(); }

private:
    void* bytes_;
};

// A logical word reads true when it is nonzero.
inline bool is_true(std::int32_t word) {
    return word != 0;
}

// Sets a logical word to 1 or 0, but leaves a word that already reads as `value` as it is:
// a true written as -1 by another build survives a session that did not change it.
inline void set_logical(std::int32_t& word, bool value) {
    if (is_true(word) != value)
        word = value ? 1 : 0;
}

// The text of a character field, trailing blanks included.
template <std::size_t N> std::string_view field_text(std::span<const char, N> field) {
    return std::string_view(field.data(), N);
}
template <std::size_t N> std::string_view field_text(std::span<char, N> field) {
    return std::string_view(field.data(), N);
}

// Stores text in a character field as a character assignment does: cut to the field's length
// or padded with blanks.
template <std::size_t N> void set_field_text(std::span<char, N> field, std::string_view text) {
    const std::size_t n = std::min(N, text.size());
    std::copy_n(text.data(), n, field.data());
    std::fill(field.data() + n, field.data() + N, ' ');
}

} // namespace lintar
