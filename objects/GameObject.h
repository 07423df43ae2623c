#pragma once

#include <cassert>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "objects/Component.h"

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
    Component* GetComponent(std::string_view name) const;
    // Keeps `components` sorted by type name.
    void AddComponent(std::unique_ptr<Component> component);
    void Initialize();
    void SendMessage(Message* message);
    // Deletion at the end of the frame; the object stays alive until then.
    void Destroy();

    // The component of class T, found by the class's own type name.
    template <class T>
    T* Get() const {
        return As<T>(GetComponent(T::kTypeName));
    }
    // The component named `name` seen as a T (a base of its class, or the
    // class itself), for callers that hold the name as data.
    template <class T>
    T* GetAs(const std::string& name) const {
        return As<T>(GetComponent(name));
    }

    GameObject* next = nullptr;
    GameObject* prev = nullptr;
    Level* level = nullptr;
    std::vector<std::unique_ptr<Component>> components;
    std::int32_t id = 0;

private:
    // Debug builds check that a name and a class were not paired wrongly
    // (a data-registered creator of another class under the same name).
    template <class T>
    static T* As(Component* component) {
        assert(component == nullptr || dynamic_cast<T*>(component) != nullptr);
        return static_cast<T*>(component);
    }
};
