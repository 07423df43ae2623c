#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/Matrix.h"
#include "platform/RenderDevice.h"

// Everything the recording device was asked to do, in order.
struct DrawLog {
    struct Call {
        std::string name;                   // "Clear", "SetTransform", "DrawPrimitive", ...
        std::vector<std::uint32_t> args;    // integer arguments in call order
        Matrix matrix;                      // SetTransform
        const Texture* texture = nullptr;   // SetTexture
        std::vector<DebugVertex> vertices;  // DrawPrimitiveUP
        std::string text;                   // DrawTextA, texture paths
        WinRect rect;                       // DrawTextA
        std::uint32_t color = 0;            // DrawTextA, Clear
        std::uint32_t frame = 0;            // number of Present calls before this one
    };

    std::vector<Call> calls;
    std::uint32_t presents = 0;
    // Texture files that were read (successful or not), in order.
    std::vector<std::string> textureLoads;
    std::int32_t liveTextures = 0;

    void Clear() {
        calls.clear();
        textureLoads.clear();
    }
    std::vector<const Call*> Find(const std::string& name) const {
        std::vector<const Call*> found;
        for (const Call& call : calls) {
            if (call.name == name) {
                found.push_back(&call);
            }
        }
        return found;
    }
};
