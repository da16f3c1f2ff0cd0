#pragma once
// What a fuzz target holds true for every input: a broken invariant prints what broke
// and aborts, which libFuzzer (and the corpus replay) reports as a failing input.

#include <cstdio>
#include <cstdlib>

#define EXIGIR(condicion)                                                                                              \
    do {                                                                                                               \
        if (!(condicion)) {                                                                                            \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condicion);                     \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)
