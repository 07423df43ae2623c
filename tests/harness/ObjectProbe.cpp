#include "harness/ObjectProbe.h"

#include "game/Level.h"
#include "objects/BlockReader.h"
#include "objects/GameObject.h"
#include "physics/Body.h"
#include "physics/Position.h"

Probe::~Probe() {
    log.push_back("dtor " + typeName + " " + std::to_string(tag));
    auto hook = onDestroy.find(tag);
    if (hook != onDestroy.end()) {
        // Copied: the hook may replace itself in the map.
        std::function<void(Probe&)> run = hook->second;
        run(*this);
    }
}

void Probe::Initialize() {
    ownerId = owner != nullptr ? owner->id : 0;
    log.push_back("init " + typeName + " " + std::to_string(tag));
}

void Probe::Serialize(DataReader& in) { BlockReader(typeName).Int("tag", tag).Read(in); }

FactoryFixture::FactoryFixture() {
    Probe::log.clear();
    Probe::onDestroy.clear();
    factory = std::make_unique<Factory>();
    factory->SetDataRoot(data.Root());
    factory->Register<Position>();
    factory->Register<Body>();
    factory->Register<Probe>();
    level = std::make_unique<Level>("test.lvl");
}

FactoryFixture::~FactoryFixture() {
    // Hooks are for the test body only; teardown deletes quietly.
    Probe::onDestroy.clear();
    level.reset();
    factory.reset();
}

GameObject* FactoryFixture::Spawn(const std::string& archetype) {
    GameObject* object = factory->CreateObject(archetype);
    if (object != nullptr) {
        Factory::PlaceInLevel(*object, *level);
    }
    return object;
}

std::vector<std::int32_t> FactoryFixture::LiveIds() const {
    std::vector<std::int32_t> ids;
    for (const auto& [id, object] : factory->objects) {
        ids.push_back(id);
    }
    return ids;
}
