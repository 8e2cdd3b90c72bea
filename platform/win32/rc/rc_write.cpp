// Writing the parsed resources as C++ tables that register themselves with
// the window layer when the program starts.
#include <stdio.h>

#include <sstream>

#include "rc_script.h"

namespace rc {
namespace {

// A C string literal; every byte outside printable ASCII as a 3-digit octal
// escape, so no following character can extend it.
std::string literal(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x7F || c == '?') {
            char escape[8];
            snprintf(escape, sizeof escape, "\\%03o", c);
            out += escape;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

void writeDialogItems(std::ostringstream& out, const Dialog& dialog) {
    if (dialog.controls.empty()) return;
    out << "const platform::DialogItemResource items" << dialog.id << "[] = {\n";
    for (const Control& c : dialog.controls) {
        out << "    {" << literal(c.className) << ", " << literal(c.text) << ", 0x" << std::hex
            << c.style << "u, 0x" << c.exStyle << "u, " << std::dec << c.x << ", " << c.y << ", "
            << c.cx << ", " << c.cy << ", " << c.id << "},\n";
    }
    out << "};\n";
}

void writeDialogs(std::ostringstream& out, const Script& script) {
    for (const Dialog& dialog : script.dialogs) writeDialogItems(out, dialog);
    if (script.dialogs.empty()) return;
    out << "const platform::DialogResource dialogs[] = {\n";
    for (const Dialog& d : script.dialogs) {
        out << "    {" << d.id << ", 0x" << std::hex << d.style << "u, 0x" << d.exStyle << "u, "
            << std::dec << d.x << ", " << d.y << ", " << d.cx << ", " << d.cy << ", "
            << literal(d.caption) << ", " << (d.hasFont ? literal(d.fontFace) : "nullptr") << ", "
            << d.fontPointSize << ", ";
        if (d.controls.empty())
            out << "nullptr, 0},\n";
        else
            out << "items" << d.id << ", " << d.controls.size() << "},\n";
    }
    out << "};\n";
}

void writeIcons(std::ostringstream& out, const Script& script,
                const std::map<int, std::vector<unsigned char>>& bytes) {
    for (const IconEntry& icon : script.icons) {
        out << "const unsigned char icon" << icon.id << "[] = {";
        const std::vector<unsigned char>& data = bytes.at(icon.id);
        for (size_t i = 0; i < data.size(); ++i)
            out << (i % 16 ? " " : "\n    ") << static_cast<int>(data[i]) << ",";
        out << "\n};\n";
    }
    if (script.icons.empty()) return;
    out << "const platform::IconResource icons[] = {\n";
    for (const IconEntry& icon : script.icons)
        out << "    {" << icon.id << ", icon" << icon.id << ", sizeof icon" << icon.id << "},\n";
    out << "};\n";
}

void writeAccelerators(std::ostringstream& out, const Script& script) {
    for (const AcceleratorTable& table : script.accelerators) {
        if (table.entries.empty()) continue;
        out << "const platform::AcceleratorEntryResource accelerators" << table.id << "[] = {\n";
        for (const Accelerator& a : table.entries)
            out << "    {" << int(a.flags) << ", " << a.key << ", " << a.command << "},\n";
        out << "};\n";
    }
    if (script.accelerators.empty()) return;
    out << "const platform::AcceleratorResource acceleratorTables[] = {\n";
    for (const AcceleratorTable& table : script.accelerators) {
        out << "    {" << table.id << ", ";
        if (table.entries.empty())
            out << "nullptr, 0},\n";
        else
            out << "accelerators" << table.id << ", " << table.entries.size() << "},\n";
    }
    out << "};\n";
}

}  // namespace

std::string writeTables(const Script& script,
                        const std::map<int, std::vector<unsigned char>>& iconBytes,
                        const std::string& sourceName) {
    std::ostringstream out;
    out << "// Generated from " << sourceName
        << " by the resource compiler; edit the .rc file instead.\n"
        << "#include \"platform/resource_table.h\"\n\nnamespace {\n\n";
    writeDialogs(out, script);
    writeIcons(out, script, iconBytes);
    writeAccelerators(out, script);
    out << "const platform::ResourceTable table = {"
        << (script.dialogs.empty() ? "nullptr" : "dialogs") << ", " << script.dialogs.size() << ", "
        << (script.icons.empty() ? "nullptr" : "icons") << ", " << script.icons.size() << ", "
        << (script.accelerators.empty() ? "nullptr" : "acceleratorTables") << ", "
        << script.accelerators.size() << "};\n"
        << "[[maybe_unused]] const bool registered = platform::registerResources(&table);\n\n}  // "
           "namespace\n";
    return out.str();
}

}  // namespace rc
