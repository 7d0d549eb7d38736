// util/scope_restore.h: the scope guard that puts a block word back when a scope ends, by
// return, by the end of its block or by a stop thrown through it.
#pragma once

#include <algorithm>
#include <iterator>
#include <type_traits>

namespace lintar {

// ScopeRestore keeps the value of a word (a scalar, a struct or a fixed array such as a block's
// *_words) when it is made and writes it back when it goes out of scope, so that a routine that
// changes the word for a call below it cannot leave it changed, whichever way it ends. Not
// copied or moved: one guard, one word, one scope.
//     const ScopeRestore keep_unit(TPCM.IUNIT);
//     TPCM.IUNIT = 21;
//     BUYDYN(...);            // TPCM.IUNIT is put back after the call, or when it stops
// Guards declared together put their words back in the reverse order of their declarations.
template <class T> class ScopeRestore {
public:
    explicit ScopeRestore(T& word) : word_(word) { copy(word, saved_.value); }
    ~ScopeRestore() { copy(saved_.value, word_); }
    ScopeRestore(const ScopeRestore&) = delete;
    ScopeRestore& operator=(const ScopeRestore&) = delete;

    // The value the word had when the guard was made.
    const T& saved() const { return saved_.value; }

private:
    static void copy(const T& from, T& to) {
        if constexpr (std::is_array_v<T>)
            std::copy(std::begin(from), std::end(from), std::begin(to));
        else
            to = from;
    }

    T& word_;
    struct {
        T value;
    } saved_{};
};

} // namespace lintar
