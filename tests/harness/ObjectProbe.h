#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "harness/TempData.h"
#include "objects/Component.h"
#include "objects/Factory.h"

class Level;

// A component that logs its life ("init <name> <tag>", "dtor <name> <tag>")
// and runs the hook registered for its tag from its destructor, so that
// tests can act while the factory deletes. It reads "int tag N".
class Probe : public Component {
public:
    static constexpr const char* kTypeName = "Probe";

    explicit Probe(std::string name = kTypeName) : Component(std::move(name)) {}
    ~Probe() override;

    void Initialize() override;
    void Serialize(DataReader& in) override;

    std::int32_t tag = 0;
    std::int32_t ownerId = 0;  // copied in Initialize; the owner is not read in the destructor hook's caller

    static inline std::vector<std::string> log;
    static inline std::map<std::int32_t, std::function<void(Probe&)>> onDestroy;
};

// A factory over a temporary data set with Position, Body and Probe
// registered, and a level that is in no game-logic list.
class FactoryFixture {
public:
    FactoryFixture();
    ~FactoryFixture();

    // A fresh object of that archetype, placed in `level` and initialized.
    GameObject* Spawn(const std::string& archetype);
    std::vector<std::int32_t> LiveIds() const;

    TempData data;
    std::unique_ptr<Factory> factory;
    std::unique_ptr<Level> level;
};
