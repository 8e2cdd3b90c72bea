// trk check's findings on whatever loadTrack accepts: every line must be
// made without reading past a record or a name, and say something.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "track_check.h"
#include "track_document.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/fuzz_trk_check_" + std::to_string(getpid()) + ".trk";
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    }
    TrackDocument doc;
    if (!doc.loadTrack(path.c_str())) return 0;
    // A folder that does not exist: every named file is missing, so every
    // name is composed and reported.
    for (const TrackProblem& problem : checkTrack(doc, "/nonexistent-kelvane-folder"))
        if (problem.kind.empty() || problem.message.empty()) std::abort();
    return 0;
}
