// Makes sample estimates laid beside a program name that program's master data (its データ格納), so
// that they open there without a question:
//   PlaceSampleEstimates <program folder> <estimate file>...
// The program folder is the one the program will run from (at a staged install, the final one).
#include <cstdio>

#include "estimate/sampledata/SampleEstimates.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: PlaceSampleEstimates <program folder> <estimate file>...\n");
        return 2;
    }
    const SampleProgramPaths paths = SampleProgramPathsOf(argv[1]);
    int failed = 0;
    for (int i = 2; i < argc; ++i) {
        switch (PlaceSampleEstimate(argv[i], paths)) {
            case SamplePlacing::placed:
            case SamplePlacing::alreadyThere:
                break;
            case SamplePlacing::unreadable:
                std::fprintf(stderr, "PlaceSampleEstimates: %s is not an estimate that can be read\n", argv[i]);
                failed = 1;
                break;
            case SamplePlacing::unwritable:
                std::fprintf(stderr, "PlaceSampleEstimates: %s cannot be written\n", argv[i]);
                failed = 1;
                break;
        }
    }
    return failed;
}
