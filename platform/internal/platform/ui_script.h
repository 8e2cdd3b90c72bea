// The scripted user's file format: one action a line, parsed into the
// headless driver's queue. Blank lines and lines starting with '#' are
// skipped; a line that cannot be carried out fails when it is reached.
#ifndef KELVANE_PLATFORM_UI_SCRIPT_H
#define KELVANE_PLATFORM_UI_SCRIPT_H

#include <string>

namespace platform {

// Queues every action of the script text; returns how many were queued.
int queueUiScript(const std::string& text);

}  // namespace platform

#endif
