// The committed image corpus: each file beside ImageMagick's decoding of it
// (NAME.pam, 8-bit RGBA).
#ifndef KELVANE_TESTS_IMAGING_CORPUS_FILES_H
#define KELVANE_TESTS_IMAGING_CORPUS_FILES_H

#include <dirent.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

inline std::vector<uint8_t> corpusBytes(const std::string& name) {
    std::ifstream in(std::string(IMAGING_CORPUS) + "/" + name, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// Every image of the corpus (not the references), sorted.
inline std::vector<std::string> corpusImages() {
    std::vector<std::string> names;
    if (DIR* dir = opendir(IMAGING_CORPUS)) {
        while (dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name[0] != '.' && name.size() > 4 && name.substr(name.size() - 4) != ".pam")
                names.push_back(name);
        }
        closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

struct Reference {
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;
};

// Reads a PAM of depth 4 and maxval 255; false for anything else.
inline bool readPam(const std::vector<uint8_t>& bytes, Reference* out) {
    const std::string text(bytes.begin(), bytes.end());
    const size_t end = text.find("ENDHDR\n");
    if (text.compare(0, 3, "P7\n") != 0 || end == std::string::npos) return false;
    std::istringstream header(text.substr(3, end - 3));
    std::string key;
    int depth = 0, maxval = 0;
    while (header >> key) {
        if (key == "WIDTH")
            header >> out->width;
        else if (key == "HEIGHT")
            header >> out->height;
        else if (key == "DEPTH")
            header >> depth;
        else if (key == "MAXVAL")
            header >> maxval;
        else
            header.ignore(1 << 10, '\n');
    }
    const size_t size = size_t(out->width) * out->height * 4;
    if (depth != 4 || maxval != 255 || bytes.size() - (end + 7) != size) return false;
    out->rgba.assign(bytes.begin() + end + 7, bytes.end());
    return true;
}

#endif
