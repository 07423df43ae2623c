#include "objects/Factory.h"

#include <memory>

#include "game/Level.h"
#include "objects/DataObserver.h"
#include "objects/DataReader.h"
#include "objects/DataSource.h"
#include "objects/GameObject.h"

Factory* gFactory = nullptr;

Factory::Factory() { gFactory = this; }

Factory::~Factory() {
    DestroyAllObjects();
    if (gFactory == this) {
        gFactory = nullptr;
    }
}

void Factory::RegisterCreator(const std::string& name, ComponentCreator creator) { creators[name] = creator; }

Component* Factory::CreateComponent(const std::string& name) const {
    auto it = creators.find(name);
    return it == creators.end() ? nullptr : it->second();
}

bool Factory::ReadComponents(DataReader& in, GameObject& object, bool rereadOwn) {
    std::string name;
    while (in.ReadWord(name)) {
        if (IsEnd(name)) {
            return true;
        }
        if (Component* own = rereadOwn ? object.GetComponent(name) : nullptr) {
            own->Serialize(in);
        } else if (Component* created = CreateComponent(name)) {
            std::unique_ptr<Component> owned(created);
            owned->Serialize(in);
            object.AddComponent(std::move(owned));
        } else if (in.Observer() != nullptr) {
            in.Observer()->OnUnknownComponent(in.LastPosition(), name);
        }
    }
    return false;
}

GameObject* Factory::ReadArchetype(DataReader& in) {
    auto object = std::make_unique<GameObject>();
    // Looking past the end changes nothing that was read; the file is closed
    // right after.
    std::string word;
    if (ReadComponents(in, *object, false) && in.Observer() != nullptr && in.ReadWord(word)) {
        in.Observer()->OnUnreadRest(in.LastPosition(), word);
    }
    object->id = nextId++;
    GameObject* created = object.get();
    objects[created->id] = std::move(object);
    return created;
}

GameObject* Factory::CreateObject(const std::string& archetypeFile) {
    std::string path = dataFolder_ + "Archetypes/" + archetypeFile;
    // Only a file is an archetype: a directory (".", "..", "") or a device
    // named in a level costs no id and is never read.
    std::shared_ptr<const DataText> text = source_->Open(path);
    if (text == nullptr) {
        return nullptr;
    }
    DataReader in(std::move(text), std::move(path), observer_);
    return ReadArchetype(in);
}

void Factory::PlaceInLevel(GameObject& object, Level& level) {
    level.objects.PushBack(&object);
    object.level = &level;
    object.Initialize();
}

void Factory::LoadLevelFile(Level& level, const std::string& levelFile) {
    std::string path = dataFolder_ + "Levels/" + levelFile;
    std::shared_ptr<const DataText> text = source_->Open(path);
    if (text == nullptr) {
        return;
    }
    DataReader in(std::move(text), std::move(path), observer_);
    std::string name;
    while (in.ReadWord(name)) {
        while (!IsEnd(name)) {
            const DataPosition entryStart = in.LastPosition();
            if (observer_ != nullptr) {
                observer_->OnFileReference(entryStart, FileKind::Archetype, name);
            }
            GameObject* object = CreateObject(name);
            if (object == nullptr) {
                break;
            }
            // Until it is placed, the object belongs to nobody but the
            // factory's map, which DestroyAllObjects also covers; a cut-off
            // entry still places what was read.
            if (!ReadComponents(in, *object, true) && observer_ != nullptr && !in.ValueFailed()) {
                observer_->OnUnterminated(entryStart, "object entry " + name);
            }
            PlaceInLevel(*object, level);
            if (!in.ReadWord(name)) {
                break;
            }
        }
    }
}

GameObject* Factory::GetObjectById(std::int32_t id) const {
    auto it = objects.find(id);
    return it == objects.end() ? nullptr : it->second.get();
}

void Factory::DeleteObject(GameObject* object) {
    // Out of the id map first: while its components are torn down, the
    // object can no longer be found and half-destroyed state is never seen.
    const std::int32_t id = object->id;
    auto it = objects.find(id);
    std::unique_ptr<GameObject> owned = std::move(it->second);
    objects.erase(it);
    owned.reset();
    // A destructor may have asked for the dying object again; ids are never
    // reused, so the request can only be that object's.
    pendingDestroy.erase(id);
}

void Factory::Update(float /*dt*/) {
    // Destructors may request more deletions (or create objects whose
    // deletion is requested); those are carried out in further rounds of
    // this same update, so the set is empty when the frame ends.
    while (!pendingDestroy.empty()) {
        std::map<std::int32_t, GameObject*> batch;
        batch.swap(pendingDestroy);
        for (const auto& [id, object] : batch) {
            // Only the factory's own objects are deleted, each once: the id
            // map is asked before the pointer is used.
            auto it = objects.find(id);
            if (it != objects.end() && it->second.get() == object) {
                DeleteObject(object);
            }
        }
    }
}

void Factory::DestroyAllObjects() {
    // Ascending id order; objects created by destructors get higher ids and
    // are deleted in turn.
    while (!objects.empty()) {
        GameObject* object = objects.begin()->second.get();
        DeleteObject(object);
    }
    pendingDestroy.clear();
}
