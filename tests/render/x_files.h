// Small .x files written by the tests: one frame holding one mesh of three
// triangles, each with its own material.
#ifndef KELVANE_TESTS_RENDER_X_FILES_H
#define KELVANE_TESTS_RENDER_X_FILES_H

#include <string>

struct XMaterial {
    float diffuse[4];
    float power;
    float specular[3];
    float emissive[3];
    std::string texture;  // empty: the material names no texture
};

// The three materials both writers use: red with "red.tga", green with
// "green.tga", blue with no texture.
const XMaterial* threeMaterials();

void writeTextX(const std::string& path);
void writeBinaryX(const std::string& path);

#endif
