// The scripted user's mouse and keyboard lines, parsed into driver calls:
// `mouse down|move|up X Y [left|right] [shift] [ctrl]`, `wheel X Y DELTA`,
// `keydown KEY [REPEAT]` and `keyup KEY`.
#ifndef KELVANE_WIN32_UI_SCRIPT_POINTER_H
#define KELVANE_WIN32_UI_SCRIPT_POINTER_H

#include <functional>
#include <string>

namespace platform {

using ScriptAction = std::function<std::string()>;

// Each takes the words after the action's name; a line that cannot be
// parsed gives an action that fails with the reason.
ScriptAction mouseScriptAction(const std::string& args);
ScriptAction wheelScriptAction(const std::string& args);
ScriptAction keyDownScriptAction(const std::string& args);
ScriptAction keyUpScriptAction(const std::string& args);

}  // namespace platform

#endif
