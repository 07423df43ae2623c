#include "LevelStart.h"

#include <filesystem>

#include "LevelRun.h"
#include "core/Core.h"
#include "core/Messages.h"
#include "game/GameLogic.h"
#include "harness/HeadlessGame.h"
#include "harness/Scene.h"
#include "objects/DataObserver.h"
#include "objects/Factory.h"

namespace {
// The first archetype a level names that is not there: the game skips it
// silently (and reads the rest of its entry as further names), which would
// make a level whose player is missing look like a page without one.
class MissingArchetype : public DataObserver {
public:
    explicit MissingArchetype(std::string folder) : folder_(std::move(folder)) {}

    void OnFileReference(const DataPosition& /*where*/, FileKind kind, const std::string& name) override {
        if (kind == FileKind::Archetype && first.empty() && !std::filesystem::is_regular_file(folder_ + name)) {
            first = name;
        }
    }

    std::string first;

private:
    std::string folder_;
};
}  // namespace

LevelStart LevelStart::Open(HeadlessGame& game, const std::string& dataRoot, const std::string& level, unsigned hz,
                            std::uint32_t& frame) {
    LevelStart start;
    frame = 0;
    if (!game.Start() || !game.Frame(FrameLength(frame++, hz))) {
        start.why = "the game does not start";
        return start;
    }
    MissingArchetype missing(dataRoot + "Data/Archetypes/");
    gFactory->SetDataObserver(&missing);
    // As the menu button does it.
    LevelMessage open(MsgSwitchLevel, level);
    gCore->BroadcastMessage(&open);
    const bool running = game.Frames(2, 0);
    gFactory->SetDataObserver(nullptr);
    if (!running) {
        start.why = "the game quit while the level opened";
    } else if (!missing.first.empty()) {
        start.why = "missing archetype " + missing.first;
    } else if (scene::Player() == nullptr) {
        start.outcome = Outcome::NoPlayer;
        start.why = "no player";
    } else {
        start.outcome = Outcome::Playing;
    }
    return start;
}
