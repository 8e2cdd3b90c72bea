// The resource compiler: rc_compiler INPUT.rc OUTPUT.cpp. Included headers
// and icon files are looked up beside the .rc file. On any error it prints
// "file:line: reason", writes nothing and exits 1, which stops the build.
#include <stdio.h>

#include <fstream>
#include <sstream>

#include "rc_script.h"

namespace {

bool readWhole(const std::string& path, std::string* text) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    std::stringstream buffer;
    buffer << file.rdbuf();
    *text = buffer.str();
    return true;
}

std::string folderOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool readIcons(const rc::Script& script, const std::string& folder,
               std::map<int, std::vector<unsigned char>>* bytes) {
    for (const rc::IconEntry& icon : script.icons) {
        std::string text;
        if (!readWhole(folder + icon.fileName, &text)) {
            fprintf(stderr, "%s:%d: cannot read icon file %s\n", icon.rcFile.c_str(), icon.line,
                    icon.fileName.c_str());
            return false;
        }
        (*bytes)[icon.id].assign(text.begin(), text.end());
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: rc_compiler INPUT.rc OUTPUT.cpp\n");
        return 2;
    }
    std::string input = argv[1], folder = folderOf(input), text;
    if (!readWhole(input, &text)) {
        fprintf(stderr, "%s:0: cannot read the file\n", input.c_str());
        return 1;
    }
    rc::IncludeReader include = [&folder](const std::string& name, std::string* contents,
                                          std::string* path) {
        *path = folder + name;
        return readWhole(*path, contents);
    };
    rc::Script script;
    rc::Error error;
    std::map<int, std::vector<unsigned char>> icons;
    if (!rc::compileScript(input, text, include, &script, &error)) {
        fprintf(stderr, "%s\n", error.text().c_str());
        return 1;
    }
    if (!readIcons(script, folder, &icons)) return 1;
    std::string name = input.substr(folder.size());
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out << rc::writeTables(script, icons, name);
    if (!out) {
        fprintf(stderr, "%s:0: cannot write %s\n", input.c_str(), argv[2]);
        return 1;
    }
    return 0;
}
