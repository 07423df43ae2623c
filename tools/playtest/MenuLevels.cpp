#include "MenuLevels.h"

#include <algorithm>

#include "components/Clickable.h"
#include "core/Messages.h"
#include "harness/HeadlessGame.h"
#include "objects/Factory.h"
#include "objects/GameObject.h"

std::vector<std::string> MenuLevels(const std::string& dataRoot) {
    std::vector<std::string> levels;
    HeadlessGame game({dataRoot, 1});
    if (!game.Start() || !game.Frame(16)) {
        return levels;
    }
    for (const auto& [id, object] : gFactory->objects) {
        auto* clickable = object->Get<Clickable>();
        if (clickable == nullptr || clickable->message == nullptr) {
            continue;
        }
        const Message& message = *clickable->message;
        if (message.id != MsgSwitchLevel && message.id != MsgLoadLevel) {
            continue;
        }
        const std::string& file = static_cast<const LevelMessage&>(message).fileName;
        if (std::find(levels.begin(), levels.end(), file) == levels.end()) {
            levels.push_back(file);
        }
    }
    return levels;
}
