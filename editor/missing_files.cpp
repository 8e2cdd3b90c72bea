#include "missing_files.h"

#include <algorithm>

#include "message_caption.h"

namespace {

// Names come from track and .x files and may hold any byte: control bytes
// would break the message's lines.
std::string shownName(const std::string& name) {
    std::string shown;
    for (char c : name) shown += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
    return shown;
}

}  // namespace

std::string missingFilesText(const ResourceReport& report) {
    std::string text = "These files could not be loaded:";
    const size_t shown = std::min(report.entries.size(), kMissingFilesShown);
    for (size_t k = 0; k < shown; ++k) {
        const ResourceReport::Entry& entry = report.entries[k];
        text += "\n" + shownName(entry.name) + ": " + resourceFailureText(entry.reason);
    }
    if (report.entries.size() > shown)
        text += "\nand " + std::to_string(report.entries.size() - shown) + " more.";
    return text;
}

void reportMissingFiles(HWND dialog, const ResourceReport& report) {
    if (report.empty()) return;
    MessageBoxA(dialog, missingFilesText(report).c_str(), kMessageCaption, MB_OK | MB_ICONWARNING);
}
