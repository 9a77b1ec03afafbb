// The main of every benchmark program: its benchmarks, then its side-by-side
// pairs with the peers. The exit status says whether every pair gave the same
// output as its peer.
#include <benchmark/benchmark.h>

#include "bench/side_by_side.h"

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return bench::RunPairs() ? 0 : 1;
}
