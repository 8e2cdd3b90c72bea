#include "panel_script.h"

#include <cstdlib>

#include "image_decode.h"
#include "track_document.h"

UiScript newTrackLines(int sizeX, int sizeY, int maps, int billboards, int borders, int meshes) {
    return UiScript()
        .click(IDC_TRACK_NEW)
        .type(IDC_NEW_XSIZE, sizeX)
        .type(IDC_NEW_YSIZE, sizeY)
        .type(IDC_NEW_MAPS, maps)
        .type(IDC_NEW_BILLBOARDS, billboards)
        .type(IDC_NEW_BORDERS, borders)
        .type(IDC_NEW_MESHES, meshes)
        .key("Enter");
}

UiScript saveTrackLines(const TempFolder& folder, const std::string& name) {
    return UiScript().answerFile(folder.path(name)).click(IDC_TRACK_SAVE);
}

UiScript loadTrackLines(const std::string& path) {
    return UiScript().answerFile(path).click(IDC_TRACK_LOAD);
}

UiScript snapshotLines(const TempFolder& folder, const std::string& name) {
    return UiScript().snapshot("Preview", folder.path(name));
}

std::string testDataPath(const std::string& name) {
    return std::string(KELVANE_EDITOR_TEST_DATA) + "/" + name;
}

bool copyTestData(const TempFolder& folder) {
    std::string command =
        "cp '" + std::string(KELVANE_EDITOR_TEST_DATA) + "'/* '" + folder.dir() + "'";
    return std::system(command.c_str()) == 0;
}

std::string savedBytes(TrackDocument& document, const TempFolder& folder) {
    std::string path = folder.path("reference.trk");
    document.saveTrack(path.c_str());
    return readFileBytes(path);
}

bool loadPicture(const std::string& pngPath, Picture* picture) {
    std::string bytes = readFileBytes(pngPath);
    imaging::DecodedImage image;
    if (imaging::decodeImage(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(),
                             &image) != nullptr)
        return false;
    picture->width = image.width;
    picture->height = image.height;
    picture->rgba = std::move(image.rgba);
    return true;
}

double differingFraction(const Picture& a, const Picture& b, int tolerance) {
    if (a.width != b.width || a.height != b.height || a.rgba.empty() ||
        a.rgba.size() != b.rgba.size())
        return 1.0;
    size_t differing = 0;
    for (size_t p = 0; p < a.rgba.size(); p += 4) {
        for (size_t c = 0; c < 4; ++c) {
            if (std::abs(int(a.rgba[p + c]) - int(b.rgba[p + c])) > tolerance) {
                ++differing;
                break;
            }
        }
    }
    return double(differing) / double(a.rgba.size() / 4);
}
