#pragma once

#include <cstdint>

#include "objects/Component.h"

class DeathLedger;

// Put on a counted object by the playtest tool, never read from data:
// reports every deadly object it collides with to the ledger.
class DeathWitness : public Component {
public:
    explicit DeathWitness(DeathLedger& ledger) : Component("DeathWitness"), ledger_(ledger) {}

    // Nothing to read: the witness only exists in the tool.
    void Serialize(DataReader& /*in*/) override {}
    void SendMessage(Message* message) override;

private:
    DeathLedger& ledger_;
};
