#pragma once

#include "core/System.h"
#include "objects/Component.h"
#include "objects/IntrusiveList.h"

// Drives the AI components: updates each once per frame and passes player
// announcements and swimming notices on to them.
class AIController : public System {
public:
    AIController();
    ~AIController() override;

    void Initialize() override;
    void Update(float dt) override;
    void SendMessage(Message* message) override;

    void RegisterAI(Component& component);
    void UnregisterAI(Component& component);

    IntrusiveList<Component> aiComponents;
};

extern AIController* gAIController;
