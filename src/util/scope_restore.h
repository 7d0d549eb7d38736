// util/scope_restore.h: a guard that puts a word back as it found it when its scope ends.
#pragma once

#include <utility>

namespace lintar {

// ScopeRestore: saves the value of `word` when made and writes it back when destroyed, so that
// a word changed for a call is restored however the scope is left (a return, a stop thrown
// through it). Not copied or moved: one guard, one word, one scope.
//     const ScopeRestore keep_heading(EQUILB.VESANG());
//     EQUILB.VESANG() += DELANG;   // put back at the closing brace
template <class T> class ScopeRestore {
public:
    explicit ScopeRestore(T& word) : word_(word), saved_(word) {}
    ~ScopeRestore() { word_ = std::move(saved_); }
    ScopeRestore(const ScopeRestore&) = delete;
    ScopeRestore& operator=(const ScopeRestore&) = delete;

    // The value the word had when the guard was made.
    const T& saved() const { return saved_; }

private:
    T& word_;
    T saved_;
};

} // namespace lintar
