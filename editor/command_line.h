// The track named on the program's command line, as Windows hands it to
// WinMain: `kelvane FILE.trk` typed at a prompt, or a .trk file dropped on
// the program, which arrives as one path in double quotes.
#ifndef KELVANE_EDITOR_COMMAND_LINE_H
#define KELVANE_EDITOR_COMMAND_LINE_H

#include <string>

// The path the command line names: its text without the spaces around it,
// and without the double quotes when it is quoted. Unquoted, the whole line is
// one path, since a path may hold spaces. False for an empty line.
bool trackPathFromCommandLine(const char* commandLine, std::string* path);

#endif
