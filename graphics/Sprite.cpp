#include "graphics/Sprite.h"

#include "core/Matrix.h"
#include "graphics/Graphics.h"
#include "objects/BlockReader.h"
#include "objects/GameObject.h"
#include "physics/Position.h"
#include "platform/RenderDevice.h"

Sprite::~Sprite() {
    if (inDrawList_ && gGraphics != nullptr) {
        gGraphics->RemoveSprite(*this);
    }
}

void Sprite::Serialize(DataReader& in) {
    BlockReader(kTypeName).FileName("name", name, FileKind::Image).Float("sort", sort).Read(in);
}

void Sprite::Initialize() {
    position = owner != nullptr ? owner->Get<Position>() : nullptr;
    // Without a Position there is no depth to take; the sprite keeps its key
    // and stays in the list but draws nothing.
    if (sort == -1.0f && position != nullptr) {
        sort = position->depth;
    }
    if (gGraphics != nullptr) {
        if (!inDrawList_) {
            gGraphics->AddSprite(*this);
        }
        texture = gGraphics->LoadTexture(name);
    }
}

void Sprite::Draw(RenderDevice& device) {
    if (position == nullptr) {
        return;
    }
    D3DVIEWPORT9 viewport;
    device.GetViewport(&viewport);
    const float halfW = static_cast<float>(viewport.Width) * 0.5f;
    const float halfH = static_cast<float>(viewport.Height) * 0.5f;
    const float x = position->position.x;
    const float y = position->position.y;
    const float sx = position->size.x;
    const float sy = position->size.y;
    const float d = position->depth;
    const float r = position->rotation;
    const Matrix s = Scaling(2.0f * sx, 2.0f * sy, 1.0f);
    Matrix world;
    if (r == 0.0f) {
        world = Multiply(s, Translation(x - sx - halfW, sy - y + halfH, d));
    } else {
        const Matrix t = Translation(x - halfW, halfH - y, d);
        const Matrix k = Translation(-sx, sy, 0.0f);
        world = Multiply(Multiply(Multiply(s, k), RotationZ(r)), t);
    }
    device.SetTransform(D3DTS_WORLD, &world);
    device.SetTexture(0, texture);
    device.DrawPrimitive(D3DPT_TRIANGLEFAN, 0, 2);
}
