#pragma once

#include <SDL_opengl.h>

#include <cstdint>
#include <vector>

#include "core/Matrix.h"
#include "platform/RenderDevice.h"

// Triangles of consecutive draws that share every state but the world
// transform, gathered to reach OpenGL as one draw. Their positions are
// taken to clip space here, bit for bit as OpenGL's fixed-function pipeline
// would have computed them, and drawn through identity matrices, which
// leave them untouched: the picture is the one separate draws give.
class GlQuadBatch {
public:
    // The matrix OpenGL multiplies vertices by for this model-view and
    // projection (row-vector convention), rounded as it rounds it.
    static Matrix ClipTransform(const Matrix& modelView, const Matrix& projection);

    // Appends the triangles of a fan or list of `vertices` vertices read
    // at `base` (xyz floats, then texture coordinates at `texcoord`, or
    // none when negative). Adds nothing and returns false for a draw whose
    // clip positions would not come out exact: another primitive type, a
    // coordinate other than 0 or +-1 (only those make every product of the
    // transform exact, whether or not the pipeline fuses multiply and add),
    // or a non-finite result.
    bool Add(D3DPRIMITIVETYPE type, std::uint32_t vertices, const std::uint8_t* base, std::uint32_t stride,
             int texcoord, const Matrix& clipTransform);

    bool Empty() const { return data_.empty(); }
    std::size_t Triangles() const { return data_.size() / (kFloatsPerVertex * 3); }

    // Draws the gathered triangles with the client arrays (the vertex
    // array, and the texture coordinates when `textured`) and empties the
    // batch. The caller loads identity matrices first.
    void Draw(bool textured);
    void Clear() { data_.clear(); }

private:
    static constexpr std::size_t kFloatsPerVertex = 6;  // x y z w u v

    std::vector<float> data_;
    std::vector<float> scratch_;
};
