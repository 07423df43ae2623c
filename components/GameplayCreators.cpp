#include "components/GameplayCreators.h"

#include "components/Clickable.h"
#include "components/Controllable.h"
#include "components/Cursor.h"
#include "components/Hazards.h"
#include "components/IDAnnouncer.h"
#include "components/MouseTargeting.h"
#include "components/ObjectThrower.h"
#include "components/ProgressText.h"
#include "components/Projectiles.h"
#include "components/Swimming.h"
#include "objects/Factory.h"

void RegisterGameplayCreators(Factory& factory) {
    factory.Register<Controllable>();
    factory.Register<Clickable>();
    factory.Register<IDAnnouncer>();
    factory.Register<Water>();
    factory.Register<Swimmer>();
    factory.Register<Killable>();
    factory.Register<Deadly>();
    factory.Register<Hole>();
    factory.Register<Fireball>();
    factory.Register<ObjectThrower>();
    factory.Register<Cursor>();
    factory.Register<MouseTargeting>();
    factory.Register<Snowball>();
    factory.Register<ProgressText>();
}
