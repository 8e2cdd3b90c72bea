// trk: creates, inspects and copies track files from scripts.
//   trk new [--size XxY] [--maps N] [--billboards N] [--borders N] [--meshes N] FILE
//   trk info FILE
//   trk copy [--salvage] IN OUT
//   trk check FILE [--json]
//   trk render FILE OUT.png [--size WxH] [--view start|top|X,Y,Z,HEADING]
// Errors print one line on stderr and exit 1; usage errors exit 2.
#include <cstdio>
#include <cstring>
#include <string>

#include "track_check.h"
#include "track_document.h"
#include "trk_render.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

const char kUsage[] =
    "usage: trk new [--size XxY] [--maps N] [--billboards N] [--borders N] [--meshes N] FILE\n"
    "       trk info FILE\n"
    "       trk copy [--salvage] IN OUT\n"
    "       trk check FILE [--json]\n"
    "       trk render FILE OUT.png [--size WxH] [--view start|top|X,Y,Z,HEADING]\n"
    "new writes a track with every slot unused (defaults: 10x10, 5 maps, 5 billboards,\n"
    "20 borders, 1 mesh); info prints a track's header, counts and file names;\n"
    "copy loads a track and saves it again; with --salvage a track that ends early\n"
    "is copied as far as its records are whole, the rest left empty; check lists what\n"
    "would surprise a player (exit 1 if anything); render draws the track as the\n"
    "Preview does into a PNG.\n";

int usageError(const std::string& message) {
    std::fprintf(stderr, "trk: %s (see trk --help)\n", message.c_str());
    return kExitUsage;
}

// "N of M cells and R of S records are complete" for the file last read.
std::string completeness(const TrackDocument& doc) {
    const TrackDamage& whole = doc.lastDamage();
    char text[160];
    std::snprintf(text, sizeof text, "%u of %u cells and %llu of %llu records are complete",
                  unsigned(whole.completeCells()), unsigned(whole.cellCount),
                  static_cast<unsigned long long>(whole.completeRecords()),
                  static_cast<unsigned long long>(whole.recordCount));
    return text;
}

int failed(const char* path, const TrackDocument& doc) {
    if (doc.lastError() == TrackError::Truncated)
        std::fprintf(stderr, "trk: %s: %s: %s\n", path, doc.lastErrorText(),
                     completeness(doc).c_str());
    else
        std::fprintf(stderr, "trk: %s: %s\n", path, doc.lastErrorText());
    return kExitFailed;
}

// Decimal digits only, at most 32 bits; `end` is where parsing must stop.
bool parseNumber(const char* text, const char* end, DWORD* value) {
    if (text == end) return false;
    unsigned long long v = 0;
    for (const char* p = text; p != end; ++p) {
        if (*p < '0' || *p > '9') return false;
        v = v * 10 + unsigned(*p - '0');
        if (v > 0xFFFFFFFFull) return false;
    }
    *value = DWORD(v);
    return true;
}

bool parseSize(const char* text, DWORD* x, DWORD* y) {
    const char* cross = std::strchr(text, 'x');
    return cross && parseNumber(text, cross, x) &&
           parseNumber(cross + 1, cross + std::strlen(cross), y);
}

struct NewOptions {
    DWORD sizeX = 10, sizeY = 10, maps = 5, billboards = 5, borders = 20, meshes = 1;
    const char* path = nullptr;
};

// Fills options from the arguments after "new"; an empty string on success,
// else the usage complaint.
std::string parseNewOptions(int argc, char** argv, NewOptions* options) {
    const struct {
        const char* name;
        DWORD* value;
    } counts[] = {{"--maps", &options->maps},
                  {"--billboards", &options->billboards},
                  {"--borders", &options->borders},
                  {"--meshes", &options->meshes}};
    for (int k = 2; k < argc; ++k) {
        const char* arg = argv[k];
        bool isOption = arg[0] == '-' && arg[1] != '\0';
        if (!isOption) {
            if (options->path) return "new takes one FILE";
            options->path = arg;
            continue;
        }
        DWORD* count = nullptr;
        for (const auto& known : counts)
            if (std::strcmp(arg, known.name) == 0) count = known.value;
        bool isSize = std::strcmp(arg, "--size") == 0;
        if (!count && !isSize) return std::string("unknown option ") + arg;
        if (k + 1 >= argc) return std::string(arg) + " needs a value";
        const char* value = argv[++k];
        if (isSize && !parseSize(value, &options->sizeX, &options->sizeY))
            return std::string("--size wants XxY, got '") + value + "'";
        if (count && !parseNumber(value, value + std::strlen(value), count))
            return std::string(arg) + " wants a number, got '" + value + "'";
    }
    return options->path ? "" : "new needs a FILE";
}

int runNew(int argc, char** argv) {
    NewOptions o;
    std::string complaint = parseNewOptions(argc, argv, &o);
    if (!complaint.empty()) return usageError(complaint);
    TrackDocument doc;
    if (!doc.createTrack(o.sizeX, o.sizeY, o.maps, o.billboards, o.borders, o.meshes) ||
        !doc.saveTrack(o.path))
        return failed(o.path, doc);
    return kExitOk;
}

template <typename Record>
DWORD slotsInUse(const Record* records, DWORD count) {
    DWORD used = 0;
    for (DWORD k = 0; k < count; ++k) used += records[k].empty == kSlotUsed;
    return used;
}

// Record words are DWORD, which is unsigned long in the Windows headers and
// unsigned int in the stand-in's; printf's %u wants the latter on both.
unsigned u(DWORD value) {
    return static_cast<unsigned>(value);
}

void printCounts(const TrackDocument& doc) {
    const TrackHeader& h = doc.header;
    std::printf("magic: %s\n", printableName(h.magic, sizeof h.magic).c_str());
    std::printf("size: %u x %u\n", u(h.sizeX), u(h.sizeY));
    std::printf("fields: %u (%u in use)\n", u(h.fieldCount),
                u(slotsInUse(doc.fields, h.fieldCount)));
    std::printf("maps: %u (%u in use)\n", u(h.mapCount), u(slotsInUse(doc.maps, h.mapCount)));
    std::printf("billboards: %u (%u in use)\n", u(h.billboardCount),
                u(slotsInUse(doc.billboards, h.billboardCount)));
    std::printf("borders: %u (%u in use)\n", u(h.borderCount),
                u(slotsInUse(doc.borders, h.borderCount)));
    std::printf("meshes: %u (%u in use)\n", u(h.meshCount), u(slotsInUse(doc.meshes, h.meshCount)));
    std::printf("border map: %u\n", u(h.borderMap));
    std::printf("background map: %u\n", u(h.backgroundMap));
}

void printNames(const TrackDocument& doc) {
    for (DWORD k = 0; k < doc.header.mapCount; ++k)
        if (doc.maps[k].empty == kSlotUsed)
            std::printf("map %u: %s\n", u(k),
                        printableName(doc.maps[k].fileName, kMapNameSize).c_str());
    for (DWORD k = 0; k < doc.header.meshCount; ++k)
        if (doc.meshes[k].empty == kSlotUsed)
            std::printf("mesh %u: %s\n", u(k),
                        printableName(doc.meshes[k].fileName, kMeshNameSize).c_str());
}

int runInfo(int argc, char** argv) {
    if (argc != 3) return usageError("info takes one FILE");
    TrackDocument doc;
    if (!doc.loadTrack(argv[2])) return failed(argv[2], doc);
    printCounts(doc);
    printNames(doc);
    return kExitOk;
}

// A salvaged copy says on stderr how much of the input was whole.
int runCopy(int argc, char** argv) {
    const bool salvage = argc > 2 && std::strcmp(argv[2], "--salvage") == 0;
    const int first = salvage ? 3 : 2;
    if (argc != first + 2) return usageError("copy takes [--salvage] IN and OUT");
    const char* in = argv[first];
    const char* out = argv[first + 1];
    TrackDocument doc;
    if (!(salvage ? doc.salvageTrack(in) : doc.loadTrack(in))) return failed(in, doc);
    if (!doc.lastDamage().isComplete())
        std::fprintf(stderr, "trk: %s: ends early: %s; the rest is left empty\n", in,
                     completeness(doc).c_str());
    if (!doc.saveTrack(out)) return failed(out, doc);
    return kExitOk;
}

// A JSON string: quotes and backslashes escaped, control characters (a path
// may hold them) as \u00XX.
std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned char>(c));
            out += escaped;
            continue;
        }
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

void printProblemsAsJson(const char* path, const std::vector<TrackProblem>& problems) {
    std::printf("{\"file\": %s, \"problems\": [", jsonString(path).c_str());
    for (size_t k = 0; k < problems.size(); ++k)
        std::printf("%s\n  {\"kind\": %s, \"message\": %s}", k ? "," : "",
                    jsonString(problems[k].kind).c_str(),
                    jsonString(problems[k].message).c_str());
    std::printf("%s]}\n", problems.empty() ? "" : "\n");
}

int runCheck(int argc, char** argv) {
    const char* path = nullptr;
    bool json = false;
    for (int k = 2; k < argc; ++k) {
        if (std::strcmp(argv[k], "--json") == 0) {
            json = true;
        } else if (argv[k][0] == '-' && argv[k][1] != '\0') {
            return usageError(std::string("unknown option ") + argv[k]);
        } else if (path) {
            return usageError("check takes one FILE");
        } else {
            path = argv[k];
        }
    }
    if (!path) return usageError("check needs a FILE");
    TrackDocument doc;
    if (!doc.loadTrack(path)) return failed(path, doc);
    std::vector<TrackProblem> problems = checkTrack(doc, trackFolder(path).c_str());
    if (json) {
        printProblemsAsJson(path, problems);
    } else {
        for (const TrackProblem& problem : problems) std::printf("%s\n", problem.message.c_str());
    }
    return problems.empty() ? kExitOk : kExitFailed;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usageError("missing command");
    const std::string command = argv[1];
    if (command == "--help" || command == "-h") {
        std::fputs(kUsage, stdout);
        return kExitOk;
    }
    if (command == "new") return runNew(argc, argv);
    if (command == "info") return runInfo(argc, argv);
    if (command == "copy") return runCopy(argc, argv);
    if (command == "check") return runCheck(argc, argv);
    if (command == "render") return runRender(argc, argv);
    return usageError("unknown command '" + command + "'");
}
