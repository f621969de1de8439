// Turns the text of one sample estimate into its ".sei" file, priced with the generated sample
// masters:
//   MakeSampleEstimates <sample data folder> <program folder> <estimate text> <estimate file>
// The sample data folder is the output of MakeSampleMasters; the program folder is where the program
// that opens the sample keeps データ格納 (the header names its masters as a new estimate there
// does; an empty argument names none). Nothing is written when the text has an error or a price is
// missing.
#include <cstdio>
#include <exception>

#include "estimate/sampledata/SampleEstimates.h"
#include "master/sampledata/SampleText.h"
#include "platform/FileUtil.h"

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr,
                     "usage: MakeSampleEstimates <sample data folder> <program folder> <estimate text> "
                     "<estimate file>\n");
        return 2;
    }
    const std::string source = argv[3];
    const std::string target = argv[4];
    try {
        auto masters = LoadGeneratedSampleMasters(argv[1]);
        std::string text, error;
        if (vemo::ReadWholeFile(source, vemo::kDataFileLimit, text, &error) != vemo::ReadResult::read)
            throw SampleTextError(source, 0, "cannot be read: " + error);
        auto doc = ParseSampleEstimate(text, source, *masters, SampleProgramPathsOf(argv[2]));
        for (const std::string& message : PriceSampleEstimate(*doc, *masters)) {
            std::fprintf(stderr, "%s: the calculation reports: %s\n", source.c_str(), message.c_str());
            return 1;
        }
        if (!doc->SaveFile(target)) {
            std::fprintf(stderr, "MakeSampleEstimates: %s cannot be written\n", target.c_str());
            return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
