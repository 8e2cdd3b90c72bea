#include "trk_render.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "track_document.h"
#include "track_picture.h"

namespace {

const int kExitFailed = 1;
const int kExitUsage = 2;
const int kMaxSide = 8192;

int usage(const std::string& message) {
    std::fprintf(stderr, "trk: %s (see trk --help)\n", message.c_str());
    return kExitUsage;
}

bool parseSide(const char* text, const char* end, int* side) {
    if (text == end || end - text > 5) return false;
    int value = 0;
    for (const char* p = text; p != end; ++p) {
        if (*p < '0' || *p > '9') return false;
        value = value * 10 + (*p - '0');
    }
    *side = value;
    return value > 0 && value <= kMaxSide;
}

bool parsePictureSize(const char* text, PictureRequest* request) {
    const char* cross = std::strchr(text, 'x');
    return cross && parseSide(text, cross, &request->width) &&
           parseSide(cross + 1, cross + std::strlen(cross), &request->height);
}

// X,Y,Z,HEADING: the eye in track units and the heading in degrees, 0
// looking along +X, 90 along +Z.
bool parseCamera(const char* text, Camera* camera) {
    double values[4];
    const char* p = text;
    for (int k = 0; k < 4; ++k) {
        char* end = nullptr;
        values[k] = std::strtod(p, &end);
        if (end == p || !std::isfinite(values[k])) return false;
        if (*end != (k < 3 ? ',' : '\0')) return false;
        p = end + 1;
    }
    camera->eyeX = float(values[0]);
    camera->eyeY = float(values[1]);
    camera->eyeZ = float(values[2]);
    camera->heading = float(values[3] * 3.14159265358979 / 180.0);
    camera->moveStep = 10.0f;
    return true;
}

bool parseView(const char* text, PictureRequest* request) {
    if (std::strcmp(text, "start") == 0) {
        request->view = PictureView::Start;
    } else if (std::strcmp(text, "top") == 0) {
        request->view = PictureView::Top;
    } else {
        request->view = PictureView::Camera;
        return parseCamera(text, &request->camera);
    }
    return true;
}

// Fills the request and the two paths; an empty string, else the complaint.
std::string parseRenderArguments(int argc, char** argv, PictureRequest* request,
                                 const char** paths) {
    int named = 0;
    for (int k = 2; k < argc; ++k) {
        const char* arg = argv[k];
        bool isSize = std::strcmp(arg, "--size") == 0;
        bool isView = std::strcmp(arg, "--view") == 0;
        if (arg[0] != '-' || arg[1] == '\0') {
            if (named == 2) return "render takes FILE.trk and OUT.png";
            paths[named++] = arg;
            continue;
        }
        if (!isSize && !isView) return std::string("unknown option ") + arg;
        if (k + 1 >= argc) return std::string(arg) + " needs a value";
        const char* value = argv[++k];
        if (isSize && !parsePictureSize(value, request))
            return std::string("--size wants WxH up to 8192, got '") + value + "'";
        if (isView && !parseView(value, request))
            return std::string("--view wants start, top or X,Y,Z,HEADING, got '") + value + "'";
    }
    return named == 2 ? "" : "render takes FILE.trk and OUT.png";
}

}  // namespace

std::string trackFolder(const std::string& path) {
    size_t slash = path.find_last_of("\\/");
    if (slash == std::string::npos) return ".";
    return slash == 0 ? path.substr(0, 1) : path.substr(0, slash);
}

int runRender(int argc, char** argv) {
    PictureRequest request;
    const char* paths[2] = {nullptr, nullptr};
    std::string complaint = parseRenderArguments(argc, argv, &request, paths);
    if (!complaint.empty()) return usage(complaint);
    TrackDocument doc;
    if (!doc.loadTrack(paths[0])) {
        std::fprintf(stderr, "trk: %s: %s\n", paths[0], doc.lastErrorText());
        return kExitFailed;
    }
    std::string failure = drawTrackPicture(doc, trackFolder(paths[0]).c_str(), request, paths[1]);
    if (!failure.empty()) {
        std::fprintf(stderr, "trk: %s: %s\n", paths[1], failure.c_str());
        return kExitFailed;
    }
    return 0;
}
