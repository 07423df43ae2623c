#include "objects/GameObject.h"

#include "game/Level.h"
#include "objects/Component.h"
#include "objects/Factory.h"
#include "physics/Body.h"

namespace {
// Byte order: the first differing byte decides, compared unsigned.
bool NameLess(std::string_view a, std::string_view b) { return a.compare(b) < 0; }
}  // namespace

GameObject::~GameObject() {
    // Components are deleted while the object is still in its level, so that
    // their destructors can leave the level's lists. The array is taken out
    // first: a destructor that looks up a sibling finds nothing rather than
    // a component that is already gone.
    std::vector<std::unique_ptr<Component>> dying;
    dying.swap(components);
    for (std::unique_ptr<Component>& component : dying) {
        component.reset();
    }
    if (level != nullptr) {
        level->objects.Remove(this);
        level = nullptr;
    }
}

Component* GameObject::GetComponent(std::string_view name) const {
    std::size_t lo = 0;
    std::size_t hi = components.size();
    while (lo < hi) {
        const std::size_t mid = (lo + hi) / 2;
        if (NameLess(components[mid]->typeName, name)) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    if (lo >= components.size() || std::string_view(components[lo]->typeName) != name) {
        return nullptr;
    }
    return components[lo].get();
}

void GameObject::AddComponent(std::unique_ptr<Component> component) {
    component->owner = this;
    // Room for a usual object's components at once rather than growing
    // through every size on the way.
    if (components.capacity() == 0) {
        components.reserve(8);
    }
    auto it = components.begin();
    while (it != components.end() && NameLess((*it)->typeName, component->typeName)) {
        ++it;
    }
    components.insert(it, std::move(component));
}

void GameObject::Initialize() {
    // Indexing: an Initialize never adds components, but must not be able to
    // invalidate the walk if it did.
    for (std::size_t i = 0; i < components.size(); ++i) {
        components[i]->Initialize();
    }
}

void GameObject::SendMessage(Message* message) {
    for (std::size_t i = 0; i < components.size(); ++i) {
        components[i]->SendMessage(message);
    }
}

void GameObject::Destroy() {
    if (gFactory != nullptr) {
        gFactory->pendingDestroy.emplace(id, this);
    }
    if (Body* body = Get<Body>()) {
        body->resolve = false;
    }
}
