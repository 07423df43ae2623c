#pragma once

#include <cstdint>
#include <string>
#include <vector>

class Component;
class Level;
class Message;

// An object id plus the components that make it what it is. Created, placed
// and deleted only through the factory.
class GameObject {
public:
    GameObject() = default;
    ~GameObject();
    GameObject(const GameObject&) = delete;
    GameObject& operator=(const GameObject&) = delete;

    // The component named exactly `name` (byte order); with duplicates, the
    // one added last.
    Component* GetComponent(const std::string& name) const;
    // Takes ownership and keeps `components` sorted by type name.
    void AddComponent(Component* component);
    void Initialize();
    void SendMessage(Message* message);
    // Deletion at the end of the frame; the object stays alive until then.
    void Destroy();

    template <class T>
    T* Get(const std::string& name) const {
        return static_cast<T*>(GetComponent(name));
    }

    GameObject* next = nullptr;
    GameObject* prev = nullptr;
    Level* level = nullptr;
    std::vector<Component*> components;
    std::int32_t id = 0;
};
