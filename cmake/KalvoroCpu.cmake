# The instructions of the processor that builds the program. The engine's move generation, flips and counts
# are shifts, masks and bit scans; with POPCNT, BMI1/BMI2 and LZCNT the compiler turns them into single
# instructions, which made the exact solver about a fifth faster on the endgame test positions, and with
# AVX2 the move mask and the turned discs are found in all directions at once (Bitboard.h), which made it
# about a fifth faster again. Whoever builds runs the program on the same machine (`make run`), so the checks
# ask the processor itself, and each group of flags is used only when it has every one of its instructions;
# values do not change, only their speed. Turn the option off to build for a processor without them.
option(KALVORO_BIT_INSTRUCTIONS "Use the building processor's POPCNT, BMI1/BMI2, LZCNT and AVX2 instructions when it has them" ON)

set(KALVORO_BIT_INSTRUCTION_FLAGS -mpopcnt -mbmi -mbmi2 -mlzcnt)
set(KALVORO_VECTOR_INSTRUCTION_FLAGS -mavx2)

if(KALVORO_BIT_INSTRUCTIONS AND CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|amd64)$")
    include(CheckCXXSourceRuns)
    list(JOIN KALVORO_BIT_INSTRUCTION_FLAGS " " CMAKE_REQUIRED_FLAGS)
    check_cxx_source_runs([[
        #include <cpuid.h>
        int main()
        {
            unsigned a, b, c, d;
            if (!__get_cpuid(1, &a, &b, &c, &d) || !(c & bit_POPCNT)) return 1;
            if (!__get_cpuid_count(7, 0, &a, &b, &c, &d) || !(b & bit_BMI) || !(b & bit_BMI2)) return 1;
            if (!__get_cpuid(0x80000001, &a, &b, &c, &d) || !(c & bit_LZCNT)) return 1;
            return 0;
        }
    ]] KALVORO_CPU_HAS_BIT_INSTRUCTIONS)
    # The vector registers must also be saved by the operating system, which the compiler's own check covers.
    list(JOIN KALVORO_VECTOR_INSTRUCTION_FLAGS " " CMAKE_REQUIRED_FLAGS)
    check_cxx_source_runs([[
        int main()
        {
            __builtin_cpu_init();
            return __builtin_cpu_supports("avx2") ? 0 : 1;
        }
    ]] KALVORO_CPU_HAS_VECTOR_INSTRUCTIONS)
    unset(CMAKE_REQUIRED_FLAGS)
    if(KALVORO_CPU_HAS_BIT_INSTRUCTIONS)
        add_compile_options(${KALVORO_BIT_INSTRUCTION_FLAGS})
        if(KALVORO_CPU_HAS_VECTOR_INSTRUCTIONS)
            add_compile_options(${KALVORO_VECTOR_INSTRUCTION_FLAGS})
        endif()
    endif()
endif()
