#include "components/GameplayCreators.h"

#include "components/Clickable.h"
#include "components/Controllable.h"
#include "components/Cursor.h"
#include "components/Hazards.h"
#include "components/IDAnnouncer.h"
#include "components/MouseTargeting.h"
#include "components/ObjectThrower.h"
#include "components/Projectiles.h"
#include "components/Swimming.h"
#include "objects/Factory.h"

void RegisterGameplayCreators(Factory& factory) {
    factory.RegisterCreator("Controllable", &CreateComponent<Controllable>);
    factory.RegisterCreator("Clickable", &CreateComponent<Clickable>);
    factory.RegisterCreator("IDAnnouncer", &CreateComponent<IDAnnouncer>);
    factory.RegisterCreator("Water", &CreateComponent<Water>);
    factory.RegisterCreator("Swimmer", &CreateComponent<Swimmer>);
    factory.RegisterCreator("Killable", &CreateComponent<Killable>);
    factory.RegisterCreator("Deadly", &CreateComponent<Deadly>);
    factory.RegisterCreator("Hole", &CreateComponent<Hole>);
    factory.RegisterCreator("Fireball", &CreateComponent<Fireball>);
    factory.RegisterCreator("ObjectThrower", &CreateComponent<ObjectThrower>);
    factory.RegisterCreator("Cursor", &CreateComponent<Cursor>);
    factory.RegisterCreator("MouseTargeting", &CreateComponent<MouseTargeting>);
    factory.RegisterCreator("Snowball", &CreateComponent<Snowball>);
}
