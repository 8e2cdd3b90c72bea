// The resource compiler on arbitrary .rc text, with one include file it can
// find; whatever parses is also written out as tables.
#include <stddef.h>
#include <stdint.h>

#include <string>

#include "rc_script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    rc::IncludeReader include = [](const std::string& name, std::string* contents,
                                   std::string* path) {
        if (name != "ids.h") return false;
        *contents =
            "#ifndef IDS_H\n#define IDS_H\n#define IDD_MAIN 101\n#define IDC_STATIC (-1)\n#endif\n";
        *path = name;
        return true;
    };
    rc::Script script;
    rc::Error error;
    if (!rc::compileScript("fuzz.rc", text, include, &script, &error)) return 0;
    std::map<int, std::vector<unsigned char>> icons;
    for (const rc::IconEntry& icon : script.icons) icons[icon.id] = {0, 0, 1, 0};
    rc::writeTables(script, icons, "fuzz.rc");
    return 0;
}
