// Feeds arbitrary bytes through the game's data readers on the headless
// engine with every component creator registered: as an archetype file, as a
// level file and as level commands, then runs a few frames of the whole game
// over whatever came out of them.
//
// Input layout: up to three parts separated by NUL bytes (archetype, level,
// commands); a missing part is the whole input again, so a plain data file
// is tried in all three roles.

#include <stdlib.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzArchetypes.h"
#include "FuzzInput.h"
#include "core/Application.h"
#include "core/Core.h"
#include "core/Messages.h"
#include "game/GameLogic.h"
#include "game/Level.h"
#include "game/LevelCommand.h"
#include "objects/DataReader.h"
#include "objects/Factory.h"
#include "objects/GameObject.h"
#include "platform/headless/HeadlessPlatform.h"

namespace fs = std::filesystem;

namespace {

std::string MakeTempRoot() {
    // Memory-backed where there is such a place: every input writes its
    // files anew.
    std::error_code error;
    const fs::path base = fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string pattern = (base / "velmor-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        std::abort();
    }
    return pattern + "/";
}

void WriteFile(const std::string& path, std::string_view content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
}

class FuzzEngine {
public:
    FuzzEngine() : root_(MakeTempRoot()) {
        fs::create_directories(root_ + "Data/Archetypes");
        fs::create_directories(root_ + "Data/Levels");
        fs::create_directories(root_ + "Data/Images");
        // The shipped archetypes too, so that the shipped levels used as
        // seeds find what they name.
        std::error_code error;
        fs::copy(std::string(VELMOR_SOURCE_DIR) + "/Data/Archetypes", root_ + "Data/Archetypes",
                 fs::copy_options::overwrite_existing, error);
        for (const auto& archetype : kFuzzArchetypes) {
            WriteFile(root_ + "Data/Archetypes/" + archetype[0], archetype[1]);
        }
        WriteFile(root_ + "Data/Levels/menu.lvl", "");
        WriteFile(root_ + "Data/Levels/gameend.lvl", "text.txt end");
        Application::Options options;
        options.seed = 1;
        options.dataRoot = root_;
        app_.emplace(platform_, options);
        if (!app_->Startup()) {
            std::abort();
        }
        Reset();
    }
    ~FuzzEngine() {
        app_->Shutdown();
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    void Run(std::string_view archetype, std::string_view level, std::string_view commands) {
        std::srand(1);
        WriteFile(root_ + "Data/Archetypes/fuzz.txt", archetype);
        WriteFile(root_ + "Data/Levels/fuzz.lvl", level);
        WriteFile(root_ + "Data/Archetypes/fuzz.lvl", level);  // a level that names itself

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

        platform_.MouseMove(640, 512);
        platform_.LeftDown();
        platform_.RightDown();
        Frame();
        platform_.KeyDown('L');
        platform_.LeftUp();
        Frame();
        Frame();
        Reset();
    }

private:
    void Broadcast(LevelMessage message) { gCore->BroadcastMessage(&message); }

    void Frame() {
        platform_.Advance(16);
        gCore->running = true;
        app_->RunFrame();
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
        platform_.Log().Clear();
    }

    std::string root_;
    HeadlessPlatform platform_;
    std::optional<Application> app_;
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
