// Writes the demo track's maps and its arch mesh into a folder:
//   make_demo_assets OUTPUT_FOLDER
// The output is committed in examples/demo/, so the demo works without
// building this program; run it again after changing a picture.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "arch_mesh.h"
#include "image_writer.h"
#include "textures.h"

namespace {

bool report(bool ok, const std::string& path) {
    if (!ok) std::fprintf(stderr, "make_demo_assets: %s: %s\n", path.c_str(), std::strerror(errno));
    return ok;
}

bool writeText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    return static_cast<bool>(out.flush());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_demo_assets OUTPUT_FOLDER\n");
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/";
    using namespace demo;
    bool ok = report(writeBmp24(dir + "grass.bmp", grassTexture()), dir + "grass.bmp");
    ok &= report(writeBmp24(dir + "road.bmp", asphaltTexture(true)), dir + "road.bmp");
    ok &= report(writeBmp24(dir + "asphalt.bmp", asphaltTexture(false)), dir + "asphalt.bmp");
    ok &= report(writeBmp24(dir + "kerb.bmp", kerbTexture()), dir + "kerb.bmp");
    ok &= report(writeBmp24(dir + "stone.bmp", stoneWallTexture()), dir + "stone.bmp");
    ok &= report(writeBmp24(dir + "sky.bmp", skyTexture()), dir + "sky.bmp");
    ok &= report(writeTga32(dir + "tree.tga", treeTexture()), dir + "tree.tga");
    ok &= report(writeBmp24(dir + "chequer.bmp", chequerTexture()), dir + "chequer.bmp");
    ok &= report(writeText(dir + "arch.x", archMeshText("chequer.bmp")), dir + "arch.x");
    return ok ? 0 : 1;
}
