// `trk render FILE.trk OUT.png [--size WxH] [--view start|top|X,Y,Z,HEADING]`.
#ifndef KELVANE_DOCUMENT_TRK_RENDER_H
#define KELVANE_DOCUMENT_TRK_RENDER_H

#include <string>

// The exit status of the command; argv[1] is "render".
int runRender(int argc, char** argv);

// The folder a track's maps and meshes are looked up in, as Load finds it:
// the part before the last separator, "." for a bare file name.
std::string trackFolder(const std::string& path);

#endif
