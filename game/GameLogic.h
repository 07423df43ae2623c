#pragma once

#include <cstdint>
#include <map>
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
    // Where an object was killed; the end screen that its departure brings
    // up keeps that place in view.
    void NoteDeath(std::int32_t objectId, Vec2 place);
    // What is left to win: the announced non-players, less those whose
    // deletion is already requested (killed this frame, or replaced by a
    // reload), so that the number never jumps while the game flow's own
    // count catches up at the end of the frame.
    std::int32_t LeftToWin() const;

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
    // `keepClear` (if any) is a place the end-screen text must not cover.
    void ShowEndScreen(const std::string& image, const Vec2* keepClear);
    void HandleKey(std::int32_t key, Message* message);
    // Takes the noted place of a departing object; false if none was noted.
    bool TakeDeathPlace(std::int32_t objectId, Vec2& place);

    std::map<std::int32_t, Vec2> deathPlaces_;
    // Ids of the announced non-players alive now, in id order.
    std::set<std::int32_t> opponents_;
};

extern GameLogic* gGameLogic;
