// Feeds arbitrary bytes through the game's data readers on the headless
// engine with every component creator registered: as an archetype file, as a
// level file and as level commands, then runs a few frames of the whole game
// over whatever came out of them.
//
// Input layout: up to three parts separated by NUL bytes (archetype, level,
// commands); a missing part is the whole input again, so a plain data file
// is tried in all three roles.

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzArchetypes.h"
#include "FuzzInput.h"
#include "core/Core.h"
#include "core/Messages.h"
#include "game/GameLogic.h"
#include "game/Level.h"
#include "game/LevelCommand.h"
#include "harness/HeadlessGame.h"
#include "harness/TempData.h"
#include "objects/DataReader.h"
#include "objects/Factory.h"
#include "objects/GameObject.h"

namespace fs = std::filesystem;

namespace {

class FuzzEngine {
public:
    // The data in memory where there is such a place: every input writes
    // its files anew.
    FuzzEngine() : data_(fs::is_directory("/dev/shm") ? "/dev/shm" : ""), game_(HeadlessGame::Config{data_.Root()}) {
        // The shipped archetypes too, so that the shipped levels used as
        // seeds find what they name.
        std::error_code error;
        fs::copy(SourceRoot() + "Data/Archetypes", data_.Root() + "Data/Archetypes",
                 fs::copy_options::overwrite_existing, error);
        for (const auto& archetype : kFuzzArchetypes) {
            data_.Archetype(archetype[0], archetype[1]);
        }
        data_.Level("menu.lvl", "");
        data_.Level("gameend.lvl", "text.txt end");
        if (!game_.Start()) {
            std::abort();
        }
        Reset();
    }

    void Run(std::string_view archetype, std::string_view level, std::string_view commands) {
        std::srand(1);
        data_.Archetype("fuzz.txt", std::string(archetype));
        data_.Level("fuzz.lvl", std::string(level));
        data_.Archetype("fuzz.lvl", std::string(level));  // a level that names itself

        Broadcast(LevelMessage(MsgLoadLevel, "fuzz.lvl"));
        if (GameObject* object = gFactory->CreateObject("fuzz.txt")) {
            if (gGameLogic->levels.head != nullptr) {
                Factory::PlaceInLevel(*object, *gGameLogic->levels.head);
            }
        }

        std::istringstream stream{std::string(commands)};
        DataReader in(stream);
        for (int i = 0; i < 4 && in.Good(); ++i) {
            std::unique_ptr<Message> command = ParseLevelCommand(in);
            if (command != nullptr) {
                gCore->BroadcastMessage(command.get());
            } else {
                std::string skipped;
                in.ReadWord(skipped);
            }
        }

        game_.platform.MouseMove(640, 512);
        game_.platform.LeftDown();
        game_.platform.RightDown();
        Frame();
        game_.platform.KeyDown('L');
        game_.platform.LeftUp();
        Frame();
        Frame();
        Reset();
    }

private:
    void Broadcast(LevelMessage message) { gCore->BroadcastMessage(&message); }

    void Frame() {
        gCore->running = true;
        game_.Frame(16);
    }

    // Back to an engine without levels or objects; the departures this
    // causes must start no end screen.
    void Reset() {
        for (int round = 0; round < 8; ++round) {
            gGameLogic->inPlay = false;
            gGameLogic->doomedLevels.clear();
            while (gGameLogic->levels.head != nullptr) {
                delete gGameLogic->levels.head;
            }
            gFactory->DestroyAllObjects();
            if (gGameLogic->levels.head == nullptr && gFactory->objects.empty()) {
                break;
            }
        }
        gGameLogic->playerId = 0;
        gGameLogic->nonPlayerCount = 0;
        gGameLogic->mousePosition = {};
        gCore->running = true;
        gCore->paused = false;
        gCore->zeroTimeFrames = 0;
        // The recording device keeps every call; nothing here reads them.
        game_.platform.Log().Clear();
    }

    TempData data_;  // removed after the engine is gone
    HeadlessGame game_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    // File names are taken verbatim below Data/; ".." would let an input
    // name any file of the machine (an endless device, say) as a data file.
    if (input.find("..") != std::string_view::npos) {
        return 0;
    }
    static FuzzEngine engine;
    const std::vector<std::string_view> parts = SplitFuzzInput(input);
    const std::string_view archetype = parts[0];
    const std::string_view level = parts.size() > 1 ? parts[1] : input;
    const std::string_view commands = parts.size() > 2 ? parts[2] : input;
    engine.Run(archetype, level, commands);
    return 0;
}
