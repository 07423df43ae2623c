#pragma once

#include <cstdint>
#include <vector>

#include "platform/RenderDevice.h"

// A vertex buffer in client memory: the device draws from it with client
// vertex arrays, so it needs no OpenGL object and no context to release.
class GlVertexBuffer : public VertexBuffer {
public:
    GlVertexBuffer(std::uint32_t length, std::uint32_t fvf) : data_(length), fvf_(fvf) {}
    void Release() override { delete this; }

    // A size of 0 locks from `offset` to the end, as Direct3D does.
    HRESULT Lock(std::uint32_t offset, std::uint32_t size, void** data, std::uint32_t /*flags*/) override {
        if (data == nullptr) {
            return D3DERR_INVALIDCALL;
        }
        *data = nullptr;
        if (offset > data_.size() || size > data_.size() - offset) {
            return D3DERR_INVALIDCALL;
        }
        *data = data_.data() + offset;
        return D3D_OK;
    }
    HRESULT Unlock() override { return D3D_OK; }

    const std::uint8_t* Data() const { return data_.data(); }
    std::size_t Size() const { return data_.size(); }
    std::uint32_t Fvf() const { return fvf_; }

private:
    ~GlVertexBuffer() override = default;

    std::vector<std::uint8_t> data_;
    std::uint32_t fvf_;
};
