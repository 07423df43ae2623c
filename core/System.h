#pragma once

class Message;

// One of the five long-lived systems that the core updates every frame.
class System {
public:
    virtual ~System() = default;
    virtual void Update(float dt) = 0;
    virtual void Initialize() {}
    virtual void SendMessage(Message* /*message*/) {}
};
