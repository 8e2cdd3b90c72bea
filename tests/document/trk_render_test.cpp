// `trk render` draws the demo offscreen as the Preview does; its pictures are
// compared with ones looked at and kept under golden/
// (KELVANE_WRITE_GOLDEN=1 writes them anew).
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "image_decode.h"

#include "temp_folder.h"

namespace {

// Software GL is deterministic here; the slack covers another Mesa.
const int kChannelTolerance = 12;
const double kAllowedDiffering = 0.01;

struct Picture {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
};

bool loadPicture(const std::string& path, Picture* picture) {
    std::string bytes = TempFolder::read(path);
    imaging::DecodedImage image;
    if (imaging::decodeImage(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(),
                             &image) != nullptr)
        return false;
    picture->width = image.width;
    picture->height = image.height;
    picture->rgb.clear();
    for (size_t p = 0; p + 3 < image.rgba.size(); p += 4)
        picture->rgb.insert(picture->rgb.end(), &image.rgba[p], &image.rgba[p] + 3);
    return true;
}

double differingFraction(const Picture& a, const Picture& b) {
    if (a.width != b.width || a.height != b.height || a.rgb.empty()) return 1.0;
    size_t differing = 0;
    for (size_t p = 0; p < a.rgb.size(); p += 3)
        for (int c = 0; c < 3; ++c)
            if (std::abs(a.rgb[p + c] - b.rgb[p + c]) > kChannelTolerance) {
                ++differing;
                break;
            }
    return double(differing) / double(a.rgb.size() / 3);
}

class TrkRenderTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.ok()); }

    int render(const std::string& args) {
        const std::string command = std::string("LIBGL_ALWAYS_SOFTWARE=1 DISPLAY= '") +
                                    TRK_PROGRAM + "' render " + args + " >'" +
                                    folder.path("out") + "' 2>'" + folder.path("err") + "'";
        int status = std::system(command.c_str());
        err = TempFolder::read(folder.path("err"));
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string demo() const { return std::string("'") + KELVANE_DEMO_FOLDER + "/demo.trk'"; }

    void expectLikeGolden(const std::string& name) {
        std::string golden = std::string(KELVANE_DOCUMENT_GOLDEN) + "/" + name;
        const char* write = std::getenv("KELVANE_WRITE_GOLDEN");
        if (write && std::string(write) == "1") {
            ASSERT_EQ(std::system(("cp '" + folder.path(name) + "' '" + golden + "'").c_str()), 0);
        }
        Picture made, expected;
        ASSERT_TRUE(loadPicture(folder.path(name), &made)) << name;
        ASSERT_TRUE(loadPicture(golden, &expected)) << golden;
        EXPECT_LE(differingFraction(made, expected), kAllowedDiffering) << name;
    }

    TempFolder folder;
    std::string err;
};

TEST_F(TrkRenderTest, StartViewWithoutADisplay) {
    ASSERT_EQ(render(demo() + " '" + folder.path("start.png") + "'"), 0) << err;
    Picture made;
    ASSERT_TRUE(loadPicture(folder.path("start.png"), &made));
    EXPECT_EQ(made.width, 640);
    EXPECT_EQ(made.height, 480);
    expectLikeGolden("start.png");
}

// Straight down on the whole track, the Preview's top view.
TEST_F(TrkRenderTest, TopViewFitsTheWholeTrack) {
    ASSERT_EQ(render(demo() + " '" + folder.path("top.png") + "' --view top --size 480x360"), 0)
        << err;
    expectLikeGolden("top.png");
}

TEST_F(TrkRenderTest, CameraGivenAndSize) {
    ASSERT_EQ(render(demo() + " '" + folder.path("camera.png") +
                     "' --size 400x300 --view 1200,600,-600,90"),
              0)
        << err;
    expectLikeGolden("camera.png");
}

TEST_F(TrkRenderTest, BadArgumentsAndFiles) {
    std::string out = " '" + folder.path("x.png") + "'";
    EXPECT_EQ(render(demo() + out + " --size 0x10"), 2);
    EXPECT_EQ(render(demo() + out + " --size 9000x10"), 2);
    EXPECT_EQ(render(demo() + out + " --view 1,2,3"), 2);
    EXPECT_EQ(render(demo() + out + " --view side"), 2);
    EXPECT_EQ(render(demo()), 2);
    EXPECT_EQ(render("'" + folder.path("none.trk") + "'" + out), 1);
    EXPECT_NE(err.find("none.trk: cannot open"), std::string::npos) << err;
    EXPECT_EQ(render(demo() + " '" + folder.path("no/such/folder.png") + "'"), 1);
    EXPECT_NE(err.find("cannot write"), std::string::npos) << err;
}

}  // namespace
