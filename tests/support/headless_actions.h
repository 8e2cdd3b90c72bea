// The scripted user's actions for a dialog run inside the test process: each
// is queued with the headless driver and played by the modal loop, as the
// lines of a --ui-script are.
#ifndef KELVANE_TESTS_SUPPORT_HEADLESS_ACTIONS_H
#define KELVANE_TESTS_SUPPORT_HEADLESS_ACTIONS_H

#include <functional>
#include <string>
#include <vector>

#include "platform/headless.h"

namespace actions {

namespace headless = platform::headless;
using Action = std::function<std::string()>;

inline Action click(int id) {
    return [id] { return headless::click(id); };
}
inline Action type(int id, const std::string& text) {
    return [id, text] { return headless::type(id, text); };
}
inline Action choose(int id, int entry) {
    return [id, entry] { return headless::choose(id, entry); };
}
inline Action key(headless::Key pressed) {
    return [pressed] { return headless::key(pressed); };
}
inline Action enter() {
    return actions::key(headless::Key::Enter);
}
inline Action close() {
    return [] { return headless::close(); };
}
inline Action answerBox(int buttonId) {
    return [buttonId] {
        headless::answerBox(buttonId);
        return std::string();
    };
}
inline Action answerFile(const std::string& path) {
    return [path] {
        headless::answerFile(path);
        return std::string();
    };
}

// Forgets what an earlier run left and queues the actions in order.
inline void queue(const std::vector<Action>& list) {
    headless::reset();
    int line = 1;
    for (const Action& action : list) headless::queueAction(line++, action);
}

// How many message boxes shown since the last reset began with
// "CAPTION: TEXT-PREFIX"; every box for "".
inline int boxesShown(const std::string& prefix = "") {
    int n = 0;
    for (const std::string& box : headless::messageBoxesShown())
        n += box.compare(0, prefix.size(), prefix) == 0;
    return n;
}

}  // namespace actions

#endif
