#pragma once

#include <string>

class DataReader;
class GameObject;
class Message;

// Base of every component: one aspect of a game object, known by the name
// of its class.
class Component {
public:
    explicit Component(std::string name) : typeName(std::move(name)) {}
    virtual ~Component() = default;
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    virtual void Initialize() {}
    // Reads the component's data block up to and including its "end".
    virtual void Serialize(DataReader& in) = 0;
    virtual void SendMessage(Message* /*message*/) {}
    virtual void Update(float /*dt*/) {}

    std::string typeName;
    Component* next = nullptr;
    Component* prev = nullptr;
    GameObject* owner = nullptr;
};

using ComponentCreator = Component* (*)();

// The creator of a component class: a new instance with its defaults.
template <class T>
Component* CreateComponent() {
    return new T();
}
