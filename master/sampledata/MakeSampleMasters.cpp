// Turns the text sources of the sample master data into the binary master files:
//   MakeSampleMasters <source folder> <output folder>
// The output folder receives データ格納/… and 初期データ/データ格納/… as the program expects them
// beside its executable. Nothing is written when a source has an error.
#include <cstdio>
#include <exception>

#include "master/sampledata/SampleMasters.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: MakeSampleMasters <source folder> <output folder>\n");
        return 2;
    }
    try {
        SampleMasterSet set = LoadSampleMasters(argv[1]);
        std::string error;
        if (!WriteSampleMasterFiles(BuildSampleMasterFiles(set), argv[2], &error)) {
            std::fprintf(stderr, "MakeSampleMasters: %s\n", error.c_str());
            return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
