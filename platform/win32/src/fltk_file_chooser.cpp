// The file dialogs on FLTK's native chooser, made to read as Windows shows
// them: each filter description exactly once (the chooser appends
// "(pattern)" to every name, so a description that already ends in its own
// pattern gives that part to the chooser instead), one "All files" entry
// (the chooser always adds its own last, so the request's is left out and
// its index then means the chooser's), the dialog opening on the
// request's filter, in the proposed file's folder (the current folder for a
// bare name, as Windows does) with the proposed name typed in.
#include "fltk_file_chooser.h"

#include <locale.h>
#include <unistd.h>

#include <FL/Fl_Native_File_Chooser.H>

namespace win32 {
namespace {

bool matchesEverything(const std::string& pattern) {
    return pattern == "*.*" || pattern == "*";
}

std::string chooserFilter(const std::vector<std::pair<std::string, std::string>>& filters) {
    std::string filter;
    for (const auto& pair : filters) {
        if (matchesEverything(pair.second)) continue;
        std::string name = pair.first;
        const std::string shown = "(" + pair.second + ")";
        if (name.size() > shown.size() &&
            name.compare(name.size() - shown.size(), shown.size(), shown) == 0)
            name.erase(name.size() - shown.size());
        filter += name + "\t" + pair.second + "\n";
    }
    return filter;
}

std::string currentFolder() {
    char buffer[4096];
    return getcwd(buffer, sizeof buffer) ? std::string(buffer) : std::string(".");
}

// The folder to open in and the name to propose.
void startingPlace(const FileRequest& request, std::string* folder, std::string* name) {
    const std::string& path = request.initialPath;
    size_t slash = path.find_last_of("/\\");
    *name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (slash != std::string::npos)
        *folder = path.substr(0, slash + 1);
    else
        *folder = request.initialFolder.empty() ? currentFolder() : request.initialFolder;
    if (!folder->empty() && (*folder)[0] != '/') *folder = currentFolder() + "/" + *folder;
}

// The chooser's index of the request's filter (1-based, 0 for the first);
// an "All files" filter is the chooser's own, after all the others.
int startingFilter(const FileRequest& request) {
    size_t wanted = request.filterIndex > 0 ? size_t(request.filterIndex - 1) : 0;
    int before = 0, kept = 0;
    for (size_t k = 0; k < request.filters.size(); ++k) {
        if (matchesEverything(request.filters[k].second)) continue;
        before += k < wanted;
        ++kept;
    }
    bool everything = wanted < request.filters.size() &&
                      matchesEverything(request.filters[wanted].second);
    return everything ? kept : (wanted < request.filters.size() ? before : 0);
}

}  // namespace

bool runFltkFileChooser(const FileRequest& request, std::string* path) {
    Fl_Native_File_Chooser chooser(request.save ? Fl_Native_File_Chooser::BROWSE_SAVE_FILE
                                                : Fl_Native_File_Chooser::BROWSE_FILE);
    const std::string filter = chooserFilter(request.filters);
    std::string folder, name;
    startingPlace(request, &folder, &name);
    chooser.title(request.title.c_str());
    chooser.filter(filter.c_str());
    chooser.filter_value(startingFilter(request));
    chooser.directory(folder.c_str());
    if (!name.empty()) chooser.preset_file(name.c_str());
    int result = chooser.show();
    // A toolkit behind the chooser may switch the locale; numbers keep '.'.
    setlocale(LC_NUMERIC, "C");
    if (result != 0 || !chooser.filename()) return false;
    *path = chooser.filename();
    return true;
}

}  // namespace win32
