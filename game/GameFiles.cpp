#include "game/GameFiles.h"

#include "components/Hazards.h"
#include "components/Projectiles.h"
#include "graphics/Sprite.h"
#include "physics/Body.h"
#include "physics/Position.h"

const std::vector<GameFiles::File>& GameFiles::All() {
    static const std::vector<File> files = {
        {FileKind::Archetype, kEndText, {Position::kTypeName, Sprite::kTypeName}},
        {FileKind::Archetype, kSnowball, {Body::kTypeName, Position::kTypeName, Snowball::kTypeName}},
        {FileKind::Archetype, kFireball, {Body::kTypeName, Fireball::kTypeName, Position::kTypeName}},
        {FileKind::Archetype, kHole, {Body::kTypeName, Hole::kTypeName, Position::kTypeName}},
        {FileKind::Level, kMenuLevel, {}},
        {FileKind::Level, kEndLevel, {}},
        {FileKind::Image, kCursorImage, {}},
        {FileKind::Image, kFireCursorImage, {}},
        {FileKind::Image, kSnowCursorImage, {}},
        {FileKind::Image, kBothCursorImage, {}},
        {FileKind::Image, kGameOverImage, {}},
        {FileKind::Image, kYouWinImage, {}},
    };
    return files;
}
