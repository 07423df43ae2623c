#pragma once

#include <cstdint>
#include <string>

#include "core/Vec2.h"

class Body;

enum MessageId : std::int32_t {
    MsgQuit = 0,
    MsgKey = 1,
    MsgMouseButton = 2,
    MsgMouseMove = 3,
    MsgCollision = 4,
    MsgLoadLevel = 5,
    MsgSwitchLevel = 6,
    MsgPlayerId = 7,
    MsgObjectId = 8,
    MsgSwimming = 9,
    MsgPause = 10,
    MsgResume = 11,
};

// Base of every message. Receivers switch on `id` and treat the message as
// the class the id implies; nobody keeps a message beyond its delivery.
class Message {
public:
    explicit Message(MessageId messageId) : id(messageId) {}
    virtual ~Message() = default;

    MessageId id;
};

class KeyMessage : public Message {
public:
    explicit KeyMessage(std::int32_t virtualKey) : Message(MsgKey), key(virtualKey) {}

    std::int32_t key;
};

class MouseButtonMessage : public Message {
public:
    MouseButtonMessage(bool isLeft, bool isPressed, Vec2 mousePosition)
        : Message(MsgMouseButton), left(isLeft), pressed(isPressed), position(mousePosition) {}

    bool left;
    bool pressed;
    Vec2 position;
};

class MouseMoveMessage : public Message {
public:
    explicit MouseMoveMessage(Vec2 mousePosition) : Message(MsgMouseMove), position(mousePosition) {}

    Vec2 position;
};

class CollisionMessage : public Message {
public:
    explicit CollisionMessage(Body* otherBody) : Message(MsgCollision), other(otherBody) {}

    Body* other;
};

class LevelMessage : public Message {
public:
    LevelMessage(MessageId messageId, std::string levelFile) : Message(messageId), fileName(std::move(levelFile)) {}

    std::string fileName;
};

class IDMessage : public Message {
public:
    IDMessage(MessageId messageId, std::int32_t announcedId, bool isAlive)
        : Message(messageId), objectId(announcedId), alive(isAlive) {}

    std::int32_t objectId;
    bool alive;
};

class SwimmingMessage : public Message {
public:
    explicit SwimmingMessage(Vec2 swimmerPosition) : Message(MsgSwimming), position(swimmerPosition) {}

    Vec2 position;
};
