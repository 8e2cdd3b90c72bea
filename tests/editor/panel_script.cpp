#include "panel_script.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include <stb/stb_image.h>

#include "track_document.h"

std::string newTrackLines(int sizeX, int sizeY, int maps, int billboards, int borders, int meshes) {
    auto type = [](int id, int value) {
        return "type " + std::to_string(id) + " " + std::to_string(value) + "\n";
    };
    return "click 1007\n" + type(1010, sizeX) + type(1011, sizeY) + type(1014, maps) +
           type(1015, billboards) + type(1016, borders) + type(1017, meshes) + "key Enter\n";
}

std::string saveTrackLines(const TempFolder& folder, const std::string& name) {
    return "answer-file " + folder.path(name) + "\nclick 1009\n";
}

std::string loadTrackLines(const std::string& path) {
    return "answer-file " + path + "\nclick 1008\n";
}

std::string snapshotLines(const TempFolder& folder, const std::string& name) {
    return "snapshot Preview " + folder.path(name) + "\n";
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
    int channels = 0;
    unsigned char* pixels = stbi_load_from_memory(
        reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<int>(bytes.size()),
        &picture->width, &picture->height, &channels, 4);
    if (!pixels) return false;
    picture->rgba.assign(pixels, pixels + size_t(picture->width) * picture->height * 4);
    stbi_image_free(pixels);
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

namespace {
// Software GL is deterministic here; the slack covers another Mesa.
const int kChannelTolerance = 12;
const double kAllowedDiffering = 0.01;
}  // namespace

// The snapshot against its golden picture; writes the golden when asked.
void expectLikeGolden(const std::string& snapshot, const std::string& golden) {
    std::string goldenPath = std::string(KELVANE_EDITOR_GOLDEN) + "/" + golden;
    const char* write = std::getenv("KELVANE_WRITE_GOLDEN");
    if (write && std::string(write) == "1") {
        std::string copy = "cp '" + snapshot + "' '" + goldenPath + "'";
        ASSERT_EQ(std::system(copy.c_str()), 0);
    }
    Picture shown, expected;
    ASSERT_TRUE(loadPicture(snapshot, &shown)) << snapshot;
    ASSERT_TRUE(loadPicture(goldenPath, &expected)) << goldenPath;
    EXPECT_LE(differingFraction(shown, expected, kChannelTolerance), kAllowedDiffering);
}

