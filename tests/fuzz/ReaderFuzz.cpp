// Feeds arbitrary bytes through the data readers alone, from memory: as an
// archetype file, as a level file and as level commands, read by the
// factory into components and placed objects, on an engine that was started
// once and runs no frames. Each input also reads its archetype part with
// random reads through the token reader and through a plain stream, which
// must agree on every value, failure and position.
//
// Input layout as for the whole-engine target: up to three parts separated
// by NUL bytes (archetype, level, commands); a missing part is the whole
// input again.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <istream>
#include <locale>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzArchetypes.h"
#include "FuzzInput.h"
#include "core/Application.h"
#include "core/Messages.h"
#include "game/GameLogic.h"
#include "game/Level.h"
#include "game/LevelCommand.h"
#include "graphics/Graphics.h"
#include "objects/DataReader.h"
#include "objects/Factory.h"
#include "objects/FileDataSource.h"
#include "objects/GameObject.h"
#include "objects/MemoryDataSource.h"
#include "platform/headless/HeadlessPlatform.h"

namespace {

// A data root below a file: no image a sprite names can exist under it, and
// no ".." climbs out of it, so nothing but memory is ever read.
constexpr const char* kRoot = "/dev/null/";

std::string Archetype(std::string_view name) { return std::string(kRoot) + "Data/Archetypes/" + std::string(name); }

// Reading a data file as one stream, token by token: the reference the token
// reader must agree with.
class StreamReader {
public:
    explicit StreamReader(std::string_view text) : in_(std::string(text)) {
        in_.imbue(std::locale::classic());
        in_ >> std::boolalpha;
    }
    bool ReadWord(std::string& word) { return Read(word); }
    bool ReadFloat(float& value) { return Read(value); }
    bool ReadInt(std::int32_t& value) { return Read(value); }
    bool ReadBool(bool& value) { return Read(value); }
    std::int64_t LastOffset() const { return lastOffset_; }
    bool Failed() const { return failed_; }

private:
    template <class T>
    bool Read(T& value) {
        if (!in_.good() || !(in_ >> std::ws).good()) {
            return false;
        }
        lastOffset_ = static_cast<std::int64_t>(in_.tellg());
        T parsed{};
        if (!(in_ >> parsed)) {
            failed_ = true;
            return false;
        }
        value = parsed;
        return true;
    }

    std::istringstream in_;
    std::int64_t lastOffset_ = -1;
    bool failed_ = false;
};

// Mixed reads of `text` through both readers; any disagreement is a crash.
void CompareReaders(std::shared_ptr<const DataText> text, std::uint32_t seed) {
    StreamReader stream(text->Bytes());
    DataReader tokens(std::move(text));
    std::uint32_t state = seed | 1u;
    for (int step = 0; step < 4096; ++step) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        bool gotTokens = false;
        bool gotStream = false;
        bool same = true;
        switch (state % 4) {
        case 0: {
            std::string a = "?";
            std::string b = "?";
            gotTokens = tokens.ReadWord(a);
            gotStream = stream.ReadWord(b);
            same = a == b;
            break;
        }
        case 1: {
            float a = -1.5f;
            float b = -1.5f;
            gotTokens = tokens.ReadFloat(a);
            gotStream = stream.ReadFloat(b);
            same = std::memcmp(&a, &b, sizeof a) == 0;
            break;
        }
        case 2: {
            std::int32_t a = -7;
            std::int32_t b = -7;
            gotTokens = tokens.ReadInt(a);
            gotStream = stream.ReadInt(b);
            same = a == b;
            break;
        }
        default: {
            bool a = true;
            bool b = true;
            gotTokens = tokens.ReadBool(a);
            gotStream = stream.ReadBool(b);
            same = a == b;
            break;
        }
        }
        if (gotTokens != gotStream || !same || tokens.ValueFailed() != stream.Failed() ||
            tokens.LastPosition().offset != stream.LastOffset()) {
            std::abort();
        }
        if (!gotTokens) {
            return;
        }
    }
}

class ReaderEngine {
public:
    ReaderEngine() {
        Application::Options options;
        options.seed = 1;
        options.dataRoot = kRoot;
        app_.emplace(platform_, options);
        if (!app_->Startup()) {
            std::abort();
        }
        for (const auto& archetype : kFuzzArchetypes) {
            files_.Set(Archetype(archetype[0]), archetype[1]);
        }
        // The shipped archetypes, so that the shipped levels used as seeds
        // find what they name.
        std::error_code error;
        for (const auto& entry :
             std::filesystem::directory_iterator(std::string(VELMOR_SOURCE_DIR) + "/Data/Archetypes", error)) {
            files_.Set(Archetype(entry.path().filename().string()), FileDataSource().Open(entry.path().string()));
        }
        gFactory->SetDataSource(&files_);
        // The shipped images once, from the real data root: the graphics
        // keep what they loaded, so a sprite of a shipped archetype finds its
        // image without a file being opened, while a name made up by an
        // input still fails under the root below a file.
        const std::string images = std::string(VELMOR_SOURCE_DIR) + "/Data/Images";
        gGraphics->SetDataRoot(std::string(VELMOR_SOURCE_DIR) + "/");
        for (const auto& entry : std::filesystem::directory_iterator(images, error)) {
            gGraphics->LoadTexture(entry.path().filename().string());
        }
        gGraphics->SetDataRoot(kRoot);
        Reset();
    }
    ~ReaderEngine() {
        gFactory->SetDataSource(nullptr);
        app_->Shutdown();
    }

    using Text = std::shared_ptr<const DataText>;

    void Run(const Text& archetype, const Text& level, const Text& commands) {
        std::srand(1);
        files_.Set(Archetype("fuzz.txt"), archetype);
        files_.Set(std::string(kRoot) + "Data/Levels/fuzz.lvl", level);
        files_.Set(Archetype("fuzz.lvl"), level);  // a level that names itself
        {
            Level loaded("fuzz.lvl");
            loaded.Load();
            if (GameObject* object = gFactory->CreateObject("fuzz.txt")) {
                Factory::PlaceInLevel(*object, loaded);
            }
            DataReader in(commands);
            for (int i = 0; i < 8 && in.Good(); ++i) {
                if (ParseLevelCommand(in) == nullptr) {
                    std::string skipped;
                    in.ReadWord(skipped);
                }
            }
        }
        Reset();
    }

private:
    // Back to an engine without objects, numbering from 1 again; the
    // departures this causes must start no end screen.
    void Reset() {
        gGameLogic->inPlay = false;
        gFactory->DestroyAllObjects();
        gFactory->nextId = 1;
        gGameLogic->playerId = 0;
        gGameLogic->nonPlayerCount = 0;
        platform_.Log().Clear();
    }

    HeadlessPlatform platform_;
    std::optional<Application> app_;
    MemoryDataSource files_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    static ReaderEngine engine;
    const std::vector<std::string_view> parts = SplitFuzzInput(input);
    // A part that is the whole input again is split into tokens only once.
    ReaderEngine::Text whole;
    const auto text = [&](std::size_t index) {
        if (parts.size() > 1 && index < parts.size()) {
            return std::make_shared<const DataText>(std::string(parts[index]));
        }
        if (whole == nullptr) {
            whole = std::make_shared<const DataText>(std::string(input));
        }
        return whole;
    };
    const ReaderEngine::Text archetype = text(0);
    engine.Run(archetype, text(1), text(2));
    CompareReaders(archetype, static_cast<std::uint32_t>(size) * 2654435761u);
    return 0;
}
