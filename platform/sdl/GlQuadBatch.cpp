#include "platform/sdl/GlQuadBatch.h"

#include <cmath>
#include <cstring>

// This file is compiled without contracting multiplies and adds: each sum
// below must round step by step as OpenGL's own does.

Matrix GlQuadBatch::ClipTransform(const Matrix& modelView, const Matrix& projection) {
    // OpenGL multiplies the projection by the model-view itself; each
    // element is the sum of four products taken in index order.
    Matrix result;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            const float* row = modelView.m[i];
            result.m[i][j] = row[0] * projection.m[0][j] + row[1] * projection.m[1][j] + row[2] * projection.m[2][j] +
                             row[3] * projection.m[3][j];
        }
    }
    return result;
}

bool GlQuadBatch::Add(D3DPRIMITIVETYPE type, std::uint32_t vertices, const std::uint8_t* base, std::uint32_t stride,
                      int texcoord, const Matrix& clipTransform) {
    if ((type != D3DPT_TRIANGLEFAN && type != D3DPT_TRIANGLELIST) || vertices < 3) {
        return false;
    }
    const auto& m = clipTransform.m;
    scratch_.resize(static_cast<std::size_t>(vertices) * kFloatsPerVertex);
    for (std::uint32_t i = 0; i < vertices; ++i) {
        const std::uint8_t* vertex = base + static_cast<std::size_t>(i) * stride;
        float position[3];
        std::memcpy(position, vertex, sizeof(position));
        for (float c : position) {
            if (c != 0.0f && c != 1.0f && c != -1.0f) {
                return false;
            }
        }
        float* out = &scratch_[static_cast<std::size_t>(i) * kFloatsPerVertex];
        const float x = position[0];
        const float y = position[1];
        const float z = position[2];
        for (int j = 0; j < 4; ++j) {
            // The pipeline's product of (x, y, z, 1) with a column, added
            // up from the first term as OpenGL does (a scene of long turned
            // sprites with corners on the screen tells the orders apart).
            out[j] = x * m[0][j] + y * m[1][j] + z * m[2][j] + m[3][j];
            if (!std::isfinite(out[j])) {
                return false;
            }
        }
        if (texcoord >= 0) {
            std::memcpy(out + 4, vertex + texcoord, 2 * sizeof(float));
        } else {
            out[4] = 0.0f;
            out[5] = 0.0f;
        }
    }
    const auto append = [this](std::uint32_t index) {
        const float* from = &scratch_[static_cast<std::size_t>(index) * kFloatsPerVertex];
        data_.insert(data_.end(), from, from + kFloatsPerVertex);
    };
    if (type == D3DPT_TRIANGLELIST) {
        for (std::uint32_t i = 0; i + 2 < vertices; i += 3) {
            append(i);
            append(i + 1);
            append(i + 2);
        }
    } else {
        // A fan's triangles, each with its vertices in the order OpenGL
        // takes them from the fan.
        for (std::uint32_t i = 1; i + 1 < vertices; ++i) {
            append(0);
            append(i);
            append(i + 1);
        }
    }
    return true;
}

void GlQuadBatch::Draw(bool textured) {
    if (data_.empty()) {
        return;
    }
    constexpr GLsizei kStride = static_cast<GLsizei>(kFloatsPerVertex * sizeof(float));
    glVertexPointer(4, GL_FLOAT, kStride, data_.data());
    if (textured) {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, kStride, data_.data() + 4);
    } else {
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(data_.size() / kFloatsPerVertex));
    data_.clear();
}
