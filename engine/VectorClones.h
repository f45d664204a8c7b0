#pragma once

// Marks a row loop to be compiled twice, for the AVX2 units of most x86-64 machines and
// for the baseline, the loader choosing once per run where the system allows it (ELF's
// indirect functions). AVX2 without FMA rounds each operation as SSE2 does, and the
// build forbids contraction, so both give the same bits. Clang (the fuzzing build) names a
// cloned function defined in one file differently from its callers in others, so it
// builds the baseline alone.
#if defined(__x86_64__) && defined(__linux__) && defined(__GNUC__) && !defined(__clang__)
#define SLANTER_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define SLANTER_VECTOR_CLONES
#endif
