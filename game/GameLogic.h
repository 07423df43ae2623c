#pragma once

#include <cstdint>
#include <set>
#include <string>

#include "core/System.h"
#include "core/Vec2.h"
#include "game/Level.h"
#include "objects/IntrusiveList.h"

class Cursor;

// Runs the game's flow: owns the live levels, carries out level commands,
// keeps the mouse position and the current cursor, and decides when the
// game is lost or won.
class GameLogic : public System {
public:
    GameLogic();
    ~GameLogic() override;

    void Update(float dt) override;
    void Initialize() override;
    void SendMessage(Message* message) override;
    virtual void LoadLevels();

    // Takes a level out of `levels` (the level destructor's second step).
    void UnlinkLevel(Level* level);

    std::int32_t playerId = 0;
    Cursor* cursor = nullptr;
    IntrusiveList<Level> levels;
    std::set<Level*> doomedLevels;
    Vec2 mousePosition;
    std::int32_t nonPlayerCount = 0;
    bool inPlay = false;

private:
    void DoomAllLevels();
    Level* PushLevelAtHead(const std::string& fileName);
    Level* AppendLevelAtTail(const std::string& fileName);
    void BroadcastPause();
    void ShowEndScreen(const std::string& image);
    void HandleKey(std::int32_t key, Message* message);
};

extern GameLogic* gGameLogic;
