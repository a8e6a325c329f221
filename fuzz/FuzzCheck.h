#pragma once

// Stops a fuzz run on a broken promise, so libFuzzer keeps the input that broke it.
inline void check(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}
