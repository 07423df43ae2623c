#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/Messages.h"
#include "core/System.h"
#include "core/Vec2.h"

// What a recorder kept of one message: its id and the fields of the kinds
// tests compare (the rest stay zero).
struct HeardMessage {
    MessageId id;
    std::int32_t objectId = 0;  // IDMessage
    bool alive = false;         // IDMessage
    std::int32_t key = 0;       // KeyMessage
    Vec2 position{};            // MouseMoveMessage, MouseButtonMessage
    bool left = false;          // MouseButtonMessage
    bool pressed = false;       // MouseButtonMessage
    bool operator==(const HeardMessage&) const = default;
};

// What recorders saw, in order. Kept apart from the recorders so that it
// outlives the core, whose teardown still broadcasts.
struct MessageLog {
    std::vector<HeardMessage> messages;
    std::vector<float> updates;  // the dt of every Update
    // Named recorders sharing the log: "update <name>" and
    // "message <name> <id> paused=<0|1> zero=<n>", to see delivery order.
    std::vector<std::string> events;

    int Count(MessageId id) const;
    std::vector<MessageId> Ids() const;
    std::vector<std::int32_t> Keys() const;  // of the key messages
    std::vector<Vec2> Positions() const;     // of the mouse messages
};

// A system that records what the core hands it and can act from inside its
// update or its message handling.
class MessageRecorder : public System {
public:
    // OrderOnly: only the named events, so that several recorders can share
    // one log while one of them keeps the contents.
    enum class Keeps { Everything, OrderOnly };

    explicit MessageRecorder(std::shared_ptr<MessageLog> log = std::make_shared<MessageLog>(), std::string name = "",
                             Keeps keeps = Keeps::Everything)
        : log(std::move(log)), name_(std::move(name)), keeps_(keeps) {}

    void Update(float dt) override;
    void SendMessage(Message* message) override;

    std::shared_ptr<MessageLog> log;
    std::function<void()> onUpdate;
    std::function<void(Message&)> onMessage;

private:
    std::string name_;
    Keeps keeps_;
};
