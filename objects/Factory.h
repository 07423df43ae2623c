#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>

#include "core/System.h"
#include "objects/Component.h"
#include "objects/FileDataSource.h"

class DataObserver;
class DataReader;
class DataSource;
class GameObject;
class Level;

// Owns every game object: builds objects from archetype files and levels
// from level files, hands out ids, and deletes objects at the end of the
// frame.
class Factory : public System {
public:
    Factory();
    ~Factory() override;

    void Update(float dt) override;

    void RegisterCreator(const std::string& name, ComponentCreator creator);
    // Registers component class T under its type name.
    template <class T>
    void Register() {
        RegisterCreator(T::kTypeName, &::CreateComponent<T>);
    }
    // A new, unplaced and uninitialized object from the data folder's
    // "Archetypes/" + archetypeFile; null when there is no such file.
    GameObject* CreateObject(const std::string& archetypeFile);
    // Appends the objects of the data folder's "Levels/" + levelFile to `level`.
    void LoadLevelFile(Level& level, const std::string& levelFile);
    GameObject* GetObjectById(std::int32_t id) const;
    void DestroyAllObjects();

    // Places a created object into a level and initializes it.
    static void PlaceInLevel(GameObject& object, Level& level);

    // The data folder, with a trailing separator ("Data/" by default, below
    // the working directory); the game sets the one it found.
    void SetDataFolder(std::string folder) { dataFolder_ = std::move(folder); }
    // The directory that holds "Data/"; tools and tests point it elsewhere.
    void SetDataRoot(const std::string& root) { SetDataFolder(root + "Data/"); }
    // Receives what every data file read skips or fails on (the data checker).
    void SetDataObserver(DataObserver* observer) { observer_ = observer; }
    // Where archetype and level files are read from; null means the files
    // on disk. The source must outlive its use here.
    void SetDataSource(DataSource* source) { source_ = source != nullptr ? source : &files_; }
    const FileDataSource& Files() const { return files_; }
    bool HasCreator(const std::string& name) const { return creators.count(name) != 0; }

    std::int32_t nextId = 1;
    std::unordered_map<std::string, ComponentCreator> creators;
    std::map<std::int32_t, std::unique_ptr<GameObject>> objects;
    // The objects whose deletion was requested this frame, by id: they are
    // deleted in creation order, so what their destructors announce (who
    // died first) never depends on where the allocator put them.
    std::map<std::int32_t, GameObject*> pendingDestroy;

private:
    Component* CreateComponent(const std::string& name) const;
    GameObject* ReadArchetype(DataReader& in);
    // Reads component blocks into `object` up to the "end" that closes them
    // (false when the stream ended first). A block for a component the
    // object has is read by that component when `rereadOwn` (a level
    // entry's overrides); otherwise a registered name adds a component.
    bool ReadComponents(DataReader& in, GameObject& object, bool rereadOwn);
    void DeleteObject(GameObject* object);

    std::string dataFolder_ = "Data/";
    DataObserver* observer_ = nullptr;
    FileDataSource files_;
    DataSource* source_ = &files_;
};

extern Factory* gFactory;
