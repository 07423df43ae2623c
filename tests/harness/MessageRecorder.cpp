#include "harness/MessageRecorder.h"

#include <algorithm>

#include "core/Core.h"

namespace {
HeardMessage Heard(const Message& message) {
    HeardMessage heard{message.id};
    if (message.id == MsgPlayerId || message.id == MsgObjectId) {
        const auto& announcement = static_cast<const IDMessage&>(message);
        heard.objectId = announcement.objectId;
        heard.alive = announcement.alive;
    } else if (message.id == MsgKey) {
        heard.key = static_cast<const KeyMessage&>(message).key;
    } else if (message.id == MsgMouseMove) {
        heard.position = static_cast<const MouseMoveMessage&>(message).position;
    } else if (message.id == MsgMouseButton) {
        const auto& button = static_cast<const MouseButtonMessage&>(message);
        heard.position = button.position;
        heard.left = button.left;
        heard.pressed = button.pressed;
    }
    return heard;
}
}  // namespace

int MessageLog::Count(MessageId id) const {
    return static_cast<int>(
        std::count_if(messages.begin(), messages.end(), [id](const HeardMessage& heard) { return heard.id == id; }));
}

std::vector<MessageId> MessageLog::Ids() const {
    std::vector<MessageId> ids;
    for (const HeardMessage& heard : messages) {
        ids.push_back(heard.id);
    }
    return ids;
}

std::vector<std::int32_t> MessageLog::Keys() const {
    std::vector<std::int32_t> keys;
    for (const HeardMessage& heard : messages) {
        if (heard.id == MsgKey) {
            keys.push_back(heard.key);
        }
    }
    return keys;
}

std::vector<Vec2> MessageLog::Positions() const {
    std::vector<Vec2> positions;
    for (const HeardMessage& heard : messages) {
        if (heard.id == MsgMouseMove || heard.id == MsgMouseButton) {
            positions.push_back(heard.position);
        }
    }
    return positions;
}

void MessageRecorder::Update(float dt) {
    if (!name_.empty()) {
        log->events.push_back("update " + name_);
    }
    if (keeps_ == Keeps::Everything) {
        log->updates.push_back(dt);
    }
    if (onUpdate) {
        onUpdate();
    }
}

void MessageRecorder::SendMessage(Message* message) {
    if (!name_.empty()) {
        std::string event = "message " + name_ + " " + std::to_string(message->id);
        if (gCore != nullptr) {
            event += std::string(" paused=") + (gCore->paused ? "1" : "0") +
                     " zero=" + std::to_string(gCore->zeroTimeFrames);
        }
        log->events.push_back(event);
    }
    if (keeps_ == Keeps::Everything) {
        log->messages.push_back(Heard(*message));
    }
    if (onMessage) {
        onMessage(*message);
    }
}
