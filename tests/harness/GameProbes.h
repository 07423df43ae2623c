#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "components/Cursor.h"
#include "components/LevelListLink.h"
#include "harness/MessageRecorder.h"
#include "objects/Component.h"

class Level;

// Log shared by the probes of one test: "update <tag>", "mouse <tag>",
// "cursor <tag>", "dtor <tag>".
struct GameLog {
    static inline std::vector<std::string> events;
    static inline std::map<std::int32_t, std::function<void(Component&)>> onUpdate;
    static inline std::map<std::int32_t, std::function<void(Component&)>> onDestroy;
    static void Reset() {
        events.clear();
        onUpdate.clear();
        onDestroy.clear();
    }
};

// Joins its level's update list ("bool mouse false", the default) or its
// mouse listeners ("bool mouse true") and logs what it receives. Reads
// "int tag N".
class ListProbe : public Component {
public:
    static constexpr const char* kTypeName = "ListProbe";

    ListProbe() : Component(kTypeName) {}
    ~ListProbe() override;

    void Initialize() override;
    void Serialize(DataReader& in) override;
    void Update(float dt) override;
    void SendMessage(Message* message) override;

    std::int32_t tag = 0;
    bool mouse = false;
    Level* joined = nullptr;

private:
    LevelListLink link_;
};

// A cursor that logs the mouse-button messages the game logic hands it.
class ProbeCursor : public Cursor {
public:
    static constexpr const char* kTypeName = "ProbeCursor";

    ProbeCursor() : Cursor(kTypeName) {}
    void Serialize(DataReader& in) override;
    void SendMessage(Message* message) override;

    std::int32_t tag = 0;
};

// Registers the probes with the running factory.
void RegisterGameProbes();
// Inserts a recorder right behind the game logic, so that it sees the state
// the game logic's update left; the core owns it.
MessageRecorder& InstallFrameWatch();
