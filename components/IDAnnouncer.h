#pragma once

#include "objects/Component.h"

// Announces its object's arrival (from Initialize) and departure (from the
// destructor) to every system.
class IDAnnouncer : public Component {
public:
    static constexpr const char* kTypeName = "IDAnnouncer";

    IDAnnouncer() : Component(kTypeName) {}
    ~IDAnnouncer() override;

    void Initialize() override;
    void Serialize(DataReader& in) override;

    bool player = false;

private:
    void Announce(bool alive);

    bool announced_ = false;
};
