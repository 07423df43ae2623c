#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/Core.h"
#include "core/Messages.h"
#include "core/System.h"

// What one probe system saw, in order: "update <name> <dt>" and
// "message <name> <id> paused=<0|1> zero=<n>".
struct ProbeLog {
    std::vector<std::string> events;
    std::vector<float> updates;
    std::vector<MessageId> messages;
    std::vector<std::int32_t> keys;
    std::vector<Vec2> positions;
    int Count(MessageId id) const {
        int n = 0;
        for (MessageId seen : messages) {
            n += seen == id ? 1 : 0;
        }
        return n;
    }
};

// A system that records what the core hands it and can act from inside its
// update or message handling, to test delivery order and re-entrancy.
class ProbeSystem : public System {
public:
    ProbeSystem(std::string name, std::shared_ptr<ProbeLog> log) : name_(std::move(name)), log_(std::move(log)) {}

    void Update(float dt) override {
        log_->events.push_back("update " + name_);
        if (name_ == "first") {
            log_->updates.push_back(dt);
        }
        if (onUpdate) {
            onUpdate();
        }
    }

    void SendMessage(Message* message) override {
        std::string event = "message " + name_ + " " + std::to_string(message->id);
        if (gCore != nullptr) {
            event += std::string(" paused=") + (gCore->paused ? "1" : "0") +
                     " zero=" + std::to_string(gCore->zeroTimeFrames);
        }
        log_->events.push_back(event);
        if (name_ == "first") {
            log_->messages.push_back(message->id);
            if (message->id == MsgKey) {
                log_->keys.push_back(static_cast<KeyMessage*>(message)->key);
            } else if (message->id == MsgMouseMove) {
                log_->positions.push_back(static_cast<MouseMoveMessage*>(message)->position);
            } else if (message->id == MsgMouseButton) {
                log_->positions.push_back(static_cast<MouseButtonMessage*>(message)->position);
            }
        }
        if (onMessage) {
            onMessage(*message);
        }
    }

    std::function<void()> onUpdate;
    std::function<void(Message&)> onMessage;

private:
    std::string name_;
    std::shared_ptr<ProbeLog> log_;
};
