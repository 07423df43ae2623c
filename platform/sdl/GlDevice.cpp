#include "platform/sdl/GlDevice.h"

#include <cstdlib>
#include <cstring>

#include "platform/ImageFile.h"
#include "platform/sdl/GlContext.h"
#include "platform/sdl/GlFont.h"
#include "platform/sdl/GlTexture.h"
#include "platform/sdl/GlVertexBuffer.h"

namespace {
struct D3DRECT {
    std::int32_t x1, y1, x2, y2;
};

// Direct3D clips 0 <= z <= w, OpenGL -w <= z <= w: after the projection,
// z' = 2z - w, so the same depths are clipped and the window depth is z/w.
Matrix DepthRemap() {
    Matrix remap = Identity();
    remap.m[2][2] = 2.0f;
    remap.m[3][2] = -1.0f;
    return remap;
}

// Direct3D 9 puts pixel centres on integer screen coordinates, OpenGL half
// a pixel further right and down. Moving every position right and down by
// just under half a pixel of the back buffer gives Direct3D 9's coverage and
// texel sampling; the 1/128 short of a half keeps an edge on a whole pixel
// off OpenGL's pixel centres, so that the top and left edges are the ones
// that include it, as in Direct3D's fill rule, whichever rule OpenGL's
// rasteriser applies to the upward y of its framebuffer.
Matrix PixelCentreShift(std::uint32_t width, std::uint32_t height) {
    constexpr float kShift = 63.0f / 128.0f;
    Matrix shift = Identity();
    // Clip space spans two units per viewport side; the offset is scaled by
    // w, so it is the same number of pixels after the perspective division.
    shift.m[3][0] = 2.0f * kShift / static_cast<float>(width);
    shift.m[3][1] = -2.0f * kShift / static_cast<float>(height);
    return shift;
}

GLenum BlendFactor(std::uint32_t blend) {
    switch (blend) {
    case D3DBLEND_ZERO: return GL_ZERO;
    case D3DBLEND_ONE: return GL_ONE;
    case D3DBLEND_SRCCOLOR: return GL_SRC_COLOR;
    case D3DBLEND_INVSRCCOLOR: return GL_ONE_MINUS_SRC_COLOR;
    case D3DBLEND_SRCALPHA: return GL_SRC_ALPHA;
    case D3DBLEND_INVSRCALPHA: return GL_ONE_MINUS_SRC_ALPHA;
    case D3DBLEND_DESTALPHA: return GL_DST_ALPHA;
    case D3DBLEND_INVDESTALPHA: return GL_ONE_MINUS_DST_ALPHA;
    case D3DBLEND_DESTCOLOR: return GL_DST_COLOR;
    case D3DBLEND_INVDESTCOLOR: return GL_ONE_MINUS_DST_COLOR;
    case D3DBLEND_SRCALPHASAT: return GL_SRC_ALPHA_SATURATE;
    default: return GL_INVALID_ENUM;
    }
}

bool PrimitiveShape(D3DPRIMITIVETYPE type, std::uint32_t count, GLenum& mode, std::uint32_t& vertices) {
    switch (type) {
    case D3DPT_POINTLIST:
        mode = GL_POINTS;
        vertices = count;
        return true;
    case D3DPT_LINELIST:
        mode = GL_LINES;
        vertices = count * 2;
        return true;
    case D3DPT_LINESTRIP:
        mode = GL_LINE_STRIP;
        vertices = count + 1;
        return true;
    case D3DPT_TRIANGLELIST:
        mode = GL_TRIANGLES;
        vertices = count * 3;
        return true;
    case D3DPT_TRIANGLESTRIP:
        mode = GL_TRIANGLE_STRIP;
        vertices = count + 2;
        return true;
    case D3DPT_TRIANGLEFAN:
        mode = GL_TRIANGLE_FAN;
        vertices = count + 2;
        return true;
    }
    return false;
}

void ColorToGl(D3DCOLOR color) {
    glColor4ub(static_cast<GLubyte>(color >> 16), static_cast<GLubyte>(color >> 8), static_cast<GLubyte>(color),
               static_cast<GLubyte>(color >> 24));
}

void DrainErrors() {
    for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i) {
    }
}
}  // namespace

GlDevice* GlDevice::Create(std::shared_ptr<GlContext> context, std::uint32_t width, std::uint32_t height,
                           bool depthBuffer, std::uint32_t presentInterval) {
    if (!context || width == 0 || height == 0 || width > 16384 || height > 16384) {
        return nullptr;
    }
    context->MakeCurrent();
    auto* device = new GlDevice(std::move(context), width, height, depthBuffer);
    if (!device->CreateFramebuffer()) {
        device->Release();
        return nullptr;
    }
    device->SetPresentInterval(presentInterval);
    const char* batching = std::getenv("VELMOR_GL_BATCHING");
    device->batching_ = batching == nullptr || std::strcmp(batching, "0") != 0;
    device->ApplyDefaultState();
    return device;
}

GlDevice::GlDevice(std::shared_ptr<GlContext> context, std::uint32_t width, std::uint32_t height, bool depthBuffer)
    : context_(std::move(context)),
      link_(std::make_shared<GlDevice*>(this)),
      width_(width),
      height_(height),
      hasDepth_(depthBuffer),
      world_(Identity()),
      view_(Identity()),
      projection_(Identity()),
      clipTransform_(Identity()) {}

GlDevice::~GlDevice() {
    // Draws still gathered have no Present left to show them.
    batch_.Clear();
    *link_ = nullptr;
    context_->MakeCurrent();
    if (context_->BindFramebuffer != nullptr) {
        context_->BindFramebuffer(GL_FRAMEBUFFER, 0);
    }
    if (framebuffer_ != 0) context_->DeleteFramebuffers(1, &framebuffer_);
    if (colorBuffer_ != 0) context_->DeleteRenderbuffers(1, &colorBuffer_);
    if (depthBuffer_ != 0) context_->DeleteRenderbuffers(1, &depthBuffer_);
    if (textTexture_ != 0) glDeleteTextures(1, &textTexture_);
    DrainErrors();
}

bool GlDevice::CreateFramebuffer() {
    const GlContext& gl = *context_;
    gl.GenFramebuffers(1, &framebuffer_);
    gl.BindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    gl.GenRenderbuffers(1, &colorBuffer_);
    gl.BindRenderbuffer(GL_RENDERBUFFER, colorBuffer_);
    gl.RenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, static_cast<GLsizei>(width_), static_cast<GLsizei>(height_));
    gl.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colorBuffer_);
    if (hasDepth_) {
        gl.GenRenderbuffers(1, &depthBuffer_);
        gl.BindRenderbuffer(GL_RENDERBUFFER, depthBuffer_);
        gl.RenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, static_cast<GLsizei>(width_),
                               static_cast<GLsizei>(height_));
        gl.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depthBuffer_);
    }
    gl.BindRenderbuffer(GL_RENDERBUFFER, 0);
    const bool complete = gl.CheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    DrainErrors();
    return complete;
}

void GlDevice::ApplyDefaultState() {
    glViewport(0, 0, static_cast<GLsizei>(width_), static_cast<GLsizei>(height_));
    glDisable(GL_SCISSOR_TEST);
    glDisable(GL_DITHER);
    glDisable(GL_LIGHTING);
    glDisable(GL_ALPHA_TEST);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_TRUE);
    glDepthRange(0.0, 1.0);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glFrontFace(GL_CCW);
    glEnableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glColor4ub(255, 255, 255, 255);
    zEnable_ = hasDepth_;
    ApplyDepth();
    ApplyBlend();
    ApplyCull();
    ApplyTexture();
    transformsDirty_ = true;
    DrainErrors();
}

void GlDevice::ApplyDepth() const {
    if (zEnable_) {
        glEnable(GL_DEPTH_TEST);
    } else {
        glDisable(GL_DEPTH_TEST);
    }
}

void GlDevice::ApplyBlend() const {
    if (blendEnable_) {
        glEnable(GL_BLEND);
    } else {
        glDisable(GL_BLEND);
    }
    glBlendFunc(BlendFactor(srcBlend_), BlendFactor(destBlend_));
}

void GlDevice::ApplyCull() const {
    // Direct3D culls by the winding seen on the screen; the back buffer is
    // not flipped, so OpenGL sees the same winding.
    if (cullMode_ == D3DCULL_CW || cullMode_ == D3DCULL_CCW) {
        glEnable(GL_CULL_FACE);
        glCullFace(cullMode_ == D3DCULL_CCW ? GL_FRONT : GL_BACK);
    } else {
        glDisable(GL_CULL_FACE);
    }
}

void GlDevice::ApplyTexture() const {
    if (texture_ != nullptr) {
        glBindTexture(GL_TEXTURE_2D, texture_->Name());
        glEnable(GL_TEXTURE_2D);
    } else {
        glBindTexture(GL_TEXTURE_2D, 0);
        glDisable(GL_TEXTURE_2D);
    }
}

Matrix GlDevice::FullProjection() const {
    return Multiply(Multiply(projection_, DepthRemap()), PixelCentreShift(width_, height_));
}

void GlDevice::UploadTransforms() {
    if (!transformsDirty_) {
        return;
    }
    const Matrix projection = FullProjection();
    const Matrix modelView = Multiply(world_, view_);
    // A row-vector matrix stored row by row is the column-major transpose
    // that OpenGL expects: it loads as is.
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(&projection.m[0][0]);
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(&modelView.m[0][0]);
    transformsDirty_ = false;
}

void GlDevice::Flush() {
    if (batch_.Empty()) {
        return;
    }
    // The batch holds clip-space positions: identity matrices pass them on
    // exactly.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    transformsDirty_ = true;
    // Gathered vertices carry no colour, so they are opaque white, and a
    // texel modulated by white is the texel: replacing gives the same
    // pixels and spares the rasteriser the colour in its per-pixel work.
    if (batchTextured_) {
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    }
    batch_.Draw(batchTextured_);
    if (batchTextured_) {
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    }
    ++openGlDraws_;
}

void GlDevice::SetPresentInterval(std::uint32_t presentInterval) {
    // D3DPRESENT_INTERVAL_DEFAULT and _ONE wait for the vertical blank;
    // where the driver does not, the pacer waits as long.
    paced_ = presentInterval != D3DPRESENT_INTERVAL_IMMEDIATE;
    SDL_GL_SetSwapInterval(paced_ ? 1 : 0);
}

std::int64_t GlDevice::RefreshInterval() const {
    SDL_DisplayMode mode{};
    const int display = SDL_GetWindowDisplayIndex(context_->Window());
    const int hertz = display >= 0 && SDL_GetCurrentDisplayMode(display, &mode) == 0 ? mode.refresh_rate : 0;
    return PresentPacer::RefreshInterval(hertz);
}

void GlDevice::SetBatching(bool on) {
    Flush();
    batching_ = on;
}

HRESULT GlDevice::Clear(std::uint32_t count, const void* rects, std::uint32_t flags, D3DCOLOR color, float z,
                        std::uint32_t /*stencil*/) {
    Flush();
    if ((flags & (D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL)) == 0 ||
        ((flags & D3DCLEAR_ZBUFFER) != 0 && !hasDepth_) || (flags & D3DCLEAR_STENCIL) != 0) {
        return D3DERR_INVALIDCALL;
    }
    GLbitfield mask = 0;
    if ((flags & D3DCLEAR_TARGET) != 0) {
        glClearColor(static_cast<float>((color >> 16) & 0xFF) / 255.0f,
                     static_cast<float>((color >> 8) & 0xFF) / 255.0f, static_cast<float>(color & 0xFF) / 255.0f,
                     static_cast<float>((color >> 24) & 0xFF) / 255.0f);
        mask |= GL_COLOR_BUFFER_BIT;
    }
    if ((flags & D3DCLEAR_ZBUFFER) != 0) {
        glClearDepth(z < 0.0f ? 0.0 : (z > 1.0f ? 1.0 : static_cast<double>(z)));
        mask |= GL_DEPTH_BUFFER_BIT;
    }
    if (count == 0 || rects == nullptr) {
        glClear(mask);
        return D3D_OK;
    }
    // Rectangles are in back-buffer pixels from the top-left corner.
    glEnable(GL_SCISSOR_TEST);
    const auto* list = static_cast<const D3DRECT*>(rects);
    for (std::uint32_t i = 0; i < count; ++i) {
        const D3DRECT& r = list[i];
        if (r.x2 <= r.x1 || r.y2 <= r.y1) {
            continue;
        }
        glScissor(r.x1, static_cast<GLint>(height_) - r.y2, r.x2 - r.x1, r.y2 - r.y1);
        glClear(mask);
    }
    glDisable(GL_SCISSOR_TEST);
    return D3D_OK;
}

HRESULT GlDevice::BeginScene() {
    Flush();
    if (inScene_) {
        return D3DERR_INVALIDCALL;
    }
    inScene_ = true;
    return D3D_OK;
}

HRESULT GlDevice::EndScene() {
    Flush();
    if (!inScene_) {
        return D3DERR_INVALIDCALL;
    }
    inScene_ = false;
    return D3D_OK;
}

HRESULT GlDevice::Present(const void* /*sourceRect*/, const void* /*destRect*/, WindowHandle /*overrideWindow*/,
                          const void* /*dirtyRegion*/) {
    Flush();
    const GlContext& gl = *context_;
    int drawWidth = 0;
    int drawHeight = 0;
    SDL_GL_GetDrawableSize(gl.Window(), &drawWidth, &drawHeight);
    if (drawWidth > 0 && drawHeight > 0) {
        gl.BindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
        gl.BindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
        const bool sameSize =
            static_cast<std::uint32_t>(drawWidth) == width_ && static_cast<std::uint32_t>(drawHeight) == height_;
        gl.BlitFramebuffer(0, 0, static_cast<GLint>(width_), static_cast<GLint>(height_), 0, 0, drawWidth, drawHeight,
                           GL_COLOR_BUFFER_BIT, sameSize ? GL_NEAREST : GL_LINEAR);
        pacer_.BeforeSwap();
        SDL_GL_SwapWindow(gl.Window());
        gl.BindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    } else {
        pacer_.BeforeSwap();
    }
    // Also without a window to show it on: a minimised game does not spin.
    if (paced_) {
        pacer_.AfterSwap(RefreshInterval());
    }
    // Presentation failures are not reported: there is no device reset.
    DrainErrors();
    return D3D_OK;
}

HRESULT GlDevice::GetViewport(D3DVIEWPORT9* viewport) {
    if (viewport == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *viewport = D3DVIEWPORT9{};
    viewport->Width = width_;
    viewport->Height = height_;
    return D3D_OK;
}

HRESULT GlDevice::SetTransform(D3DTRANSFORMSTATETYPE state, const Matrix* matrix) {
    if (matrix == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    switch (state) {
    case D3DTS_WORLD: world_ = *matrix; break;
    case D3DTS_VIEW:
        Flush();
        view_ = *matrix;
        break;
    case D3DTS_PROJECTION:
        Flush();
        projection_ = *matrix;
        break;
    default: return D3DERR_INVALIDCALL;
    }
    transformsDirty_ = true;
    clipTransformDirty_ = true;
    return D3D_OK;
}

HRESULT GlDevice::SetVertexShader(void* shader) {
    // Only the fixed-function pipeline exists here.
    return shader == nullptr ? D3D_OK : D3DERR_INVALIDCALL;
}

HRESULT GlDevice::SetFVF(std::uint32_t fvf) {
    Layout layout;
    if (!LayoutForFvf(fvf, layout)) {
        return D3DERR_INVALIDCALL;
    }
    if (fvf != fvf_) {
        Flush();
        fvf_ = fvf;
    }
    return D3D_OK;
}

HRESULT GlDevice::SetRenderState(D3DRENDERSTATETYPE state, std::uint32_t value) {
    Flush();
    switch (state) {
    case D3DRS_ZENABLE:
        // D3DZB_TRUE; D3DZB_USEW (2) is taken as plain z-buffering.
        zEnable_ = value != 0 && hasDepth_;
        ApplyDepth();
        return D3D_OK;
    case D3DRS_ALPHABLENDENABLE:
        blendEnable_ = value != 0;
        ApplyBlend();
        return D3D_OK;
    case D3DRS_SRCBLEND:
    case D3DRS_DESTBLEND:
        if (BlendFactor(value) == GL_INVALID_ENUM) {
            return D3DERR_INVALIDCALL;
        }
        (state == D3DRS_SRCBLEND ? srcBlend_ : destBlend_) = value;
        ApplyBlend();
        return D3D_OK;
    case D3DRS_CULLMODE:
        if (value < 1 || value > 3) {
            return D3DERR_INVALIDCALL;
        }
        cullMode_ = value;
        ApplyCull();
        return D3D_OK;
    case D3DRS_LIGHTING:
        // Vertices carry no normals and no lights are ever set; the flag is
        // kept for completeness and unlit drawing is what every caller wants.
        lighting_ = value != 0;
        return D3D_OK;
    }
    return D3DERR_INVALIDCALL;
}

HRESULT GlDevice::SetTextureStageState(std::uint32_t stage, D3DTEXTURESTAGESTATETYPE type, std::uint32_t value) {
    // Stage 0 multiplies texture and diffuse colour and alpha, which is
    // OpenGL's GL_MODULATE; that is the only combination offered.
    if (stage != 0 || type != D3DTSS_ALPHAOP || value != D3DTOP_MODULATE) {
        return D3DERR_INVALIDCALL;
    }
    Flush();
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    return D3D_OK;
}

HRESULT GlDevice::SetTexture(std::uint32_t stage, Texture* texture) {
    if (stage != 0) {
        return D3DERR_INVALIDCALL;
    }
    const auto* glTexture = dynamic_cast<const GlTexture*>(texture);
    if (texture != nullptr && glTexture == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    if (glTexture != texture_) {
        Flush();
        texture_ = glTexture;
        ApplyTexture();
    }
    return D3D_OK;
}

void GlDevice::ForgetTexture(const GlTexture* texture) {
    if (texture_ == texture) {
        Flush();
        texture_ = nullptr;
        ApplyTexture();
    }
}

HRESULT GlDevice::CreateVertexBuffer(std::uint32_t length, std::uint32_t /*usage*/, std::uint32_t fvf,
                                     std::uint32_t /*pool*/, VertexBuffer** buffer, void* /*sharedHandle*/) {
    if (buffer == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *buffer = nullptr;
    if (length == 0 || length > (64U << 20)) {
        return D3DERR_INVALIDCALL;
    }
    *buffer = new GlVertexBuffer(length, fvf);
    return D3D_OK;
}

HRESULT GlDevice::SetStreamSource(std::uint32_t stream, VertexBuffer* buffer, std::uint32_t offset,
                                  std::uint32_t stride) {
    if (stream != 0) {
        return D3DERR_INVALIDCALL;
    }
    auto* glBuffer = dynamic_cast<GlVertexBuffer*>(buffer);
    if (buffer != nullptr && glBuffer == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    if (glBuffer != stream_ || offset != streamOffset_ || stride != streamStride_) {
        Flush();
    }
    stream_ = glBuffer;
    streamOffset_ = offset;
    streamStride_ = stride;
    return D3D_OK;
}

bool GlDevice::LayoutForFvf(std::uint32_t fvf, Layout& layout) {
    // Untransformed xyz positions only: the pipeline always transforms.
    if ((fvf & D3DFVF_POSITION_MASK) != D3DFVF_XYZ) {
        return false;
    }
    std::uint32_t offset = 12;
    if ((fvf & D3DFVF_NORMAL) != 0) offset += 12;
    if ((fvf & D3DFVF_DIFFUSE) != 0) {
        layout.diffuse = static_cast<int>(offset);
        offset += 4;
    }
    if ((fvf & D3DFVF_SPECULAR) != 0) offset += 4;
    const std::uint32_t textures = (fvf & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT;
    if (textures > 8) {
        return false;
    }
    if (textures > 0) {
        // Texture coordinate sets are two floats each (no size bits set).
        if ((fvf & 0xFFFF0000U) != 0) {
            return false;
        }
        layout.texcoord = static_cast<int>(offset);
        offset += 8 * textures;
    }
    layout.size = offset;
    return true;
}

HRESULT GlDevice::DrawVertices(D3DPRIMITIVETYPE type, std::uint32_t vertices, const std::uint8_t* base,
                               std::uint32_t stride, const Layout& layout) {
    GLenum mode = 0;
    std::uint32_t unused = 0;
    PrimitiveShape(type, 0, mode, unused);
    UploadTransforms();
    const auto glStride = static_cast<GLsizei>(stride);
    glVertexPointer(3, GL_FLOAT, glStride, base);
    if (layout.texcoord >= 0 && texture_ != nullptr) {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, glStride, base + layout.texcoord);
    } else {
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    if (layout.diffuse >= 0) {
        // A8R8G8B8 words to R, G, B, A bytes.
        colorScratch_.resize(static_cast<std::size_t>(vertices) * 4);
        for (std::uint32_t i = 0; i < vertices; ++i) {
            D3DCOLOR color = 0;
            std::memcpy(&color, base + static_cast<std::size_t>(i) * stride + layout.diffuse, sizeof(color));
            colorScratch_[i * 4 + 0] = static_cast<std::uint8_t>(color >> 16);
            colorScratch_[i * 4 + 1] = static_cast<std::uint8_t>(color >> 8);
            colorScratch_[i * 4 + 2] = static_cast<std::uint8_t>(color);
            colorScratch_[i * 4 + 3] = static_cast<std::uint8_t>(color >> 24);
        }
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(4, GL_UNSIGNED_BYTE, 0, colorScratch_.data());
    } else {
        // Vertices without a colour are opaque white.
        glDisableClientState(GL_COLOR_ARRAY);
        glColor4ub(255, 255, 255, 255);
    }
    glDrawArrays(mode, 0, static_cast<GLsizei>(vertices));
    ++openGlDraws_;
    if (layout.diffuse >= 0) {
        glDisableClientState(GL_COLOR_ARRAY);
        glColor4ub(255, 255, 255, 255);
    }
    return D3D_OK;
}

HRESULT GlDevice::DrawPrimitive(D3DPRIMITIVETYPE type, std::uint32_t startVertex, std::uint32_t primitiveCount) {
    GLenum mode = 0;
    std::uint32_t vertices = 0;
    Layout layout;
    if (stream_ == nullptr || primitiveCount == 0 || !PrimitiveShape(type, primitiveCount, mode, vertices) ||
        !LayoutForFvf(fvf_, layout)) {
        return D3DERR_INVALIDCALL;
    }
    const std::uint32_t stride = streamStride_ != 0 ? streamStride_ : layout.size;
    if (stride < layout.size) {
        return D3DERR_INVALIDCALL;
    }
    // Every vertex read must lie inside the buffer.
    const std::uint64_t last = static_cast<std::uint64_t>(streamOffset_) +
                               (static_cast<std::uint64_t>(startVertex) + vertices - 1) * stride + layout.size;
    if (last > stream_->Size()) {
        return D3DERR_INVALIDCALL;
    }
    const std::uint8_t* base =
        stream_->Data() + streamOffset_ + static_cast<std::size_t>(startVertex) * static_cast<std::size_t>(stride);
    if (batching_ && layout.diffuse < 0) {
        if (clipTransformDirty_) {
            clipTransform_ = GlQuadBatch::ClipTransform(Multiply(world_, view_), FullProjection());
            clipTransformDirty_ = false;
        }
        const bool textured = layout.texcoord >= 0 && texture_ != nullptr;
        if (batch_.Empty()) {
            batchTextured_ = textured;
        }
        if (textured == batchTextured_ &&
            batch_.Add(type, vertices, base, stride, textured ? layout.texcoord : -1, clipTransform_)) {
            return D3D_OK;
        }
    }
    Flush();
    return DrawVertices(type, vertices, base, stride, layout);
}

HRESULT GlDevice::DrawPrimitiveUP(D3DPRIMITIVETYPE type, std::uint32_t primitiveCount, const void* data,
                                  std::uint32_t stride) {
    GLenum mode = 0;
    std::uint32_t vertices = 0;
    Layout layout;
    if (data == nullptr || primitiveCount == 0 || !PrimitiveShape(type, primitiveCount, mode, vertices) ||
        !LayoutForFvf(fvf_, layout) || stride < layout.size) {
        return D3DERR_INVALIDCALL;
    }
    Flush();
    // As in Direct3D, a user-pointer draw leaves stream 0 unbound.
    stream_ = nullptr;
    streamOffset_ = 0;
    streamStride_ = 0;
    return DrawVertices(type, vertices, static_cast<const std::uint8_t*>(data), stride, layout);
}

HRESULT GlDevice::CreateTextureFromFileExA(const char* path, std::uint32_t width, std::uint32_t height,
                                           std::uint32_t /*mipLevels*/, std::uint32_t /*usage*/,
                                           std::uint32_t /*format*/, std::uint32_t /*pool*/, std::uint32_t /*filter*/,
                                           std::uint32_t /*mipFilter*/, D3DCOLOR colorKey, D3DXIMAGE_INFO* sourceInfo,
                                           void* /*palette*/, Texture** texture) {
    if (texture == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *texture = nullptr;
    if (path == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    Flush();
    Image image;
    if (!LoadImageFile(path, image)) {
        return D3DXERR_INVALIDDATA;
    }
    // Sizes taken from the file are rounded up to powers of two; the image
    // is never scaled, so it sits in the top-left corner.
    const auto fromFile = [](std::uint32_t v) { return v == 0 || v == D3DX_DEFAULT || v == D3DX_DEFAULT_NONPOW2; };
    const std::uint32_t texWidth = NextPowerOfTwo(fromFile(width) ? image.width : width);
    const std::uint32_t texHeight = NextPowerOfTwo(fromFile(height) ? image.height : height);
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    if (texWidth > static_cast<std::uint32_t>(maxSize) || texHeight > static_cast<std::uint32_t>(maxSize)) {
        return E_OUTOFMEMORY;
    }
    const std::vector<std::uint8_t> texels = PlaceInTexture(image, texWidth, texHeight, colorKey);

    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    // Point sampling, one level, wrapping addresses: the Direct3D defaults.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, static_cast<GLsizei>(texWidth), static_cast<GLsizei>(texHeight), 0,
                 GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    const bool failed = glGetError() != GL_NO_ERROR;
    DrainErrors();
    ApplyTexture();
    if (failed) {
        glDeleteTextures(1, &name);
        return E_OUTOFMEMORY;
    }
    if (sourceInfo != nullptr) {
        sourceInfo->Width = image.width;
        sourceInfo->Height = image.height;
        sourceInfo->Depth = 1;
        sourceInfo->MipLevels = 1;
        sourceInfo->Format = D3DFMT_A8R8G8B8;
    }
    *texture = new GlTexture(context_, link_, name, texWidth, texHeight);
    return D3D_OK;
}

HRESULT GlDevice::CreateFontA(int height, std::uint32_t /*width*/, std::uint32_t weight, std::uint32_t /*mipLevels*/,
                              bool italic, std::uint32_t /*charSet*/, std::uint32_t /*outputPrecision*/,
                              std::uint32_t /*quality*/, std::uint32_t /*pitchAndFamily*/, const char* faceName,
                              Font** font) {
    if (font == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *font = GlFont::Create(link_, height, weight, italic, faceName != nullptr ? faceName : "");
    return *font != nullptr ? D3D_OK : D3DXERR_INVALIDDATA;
}

std::vector<std::uint32_t> GlDevice::ReadBackBuffer() {
    Flush();
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width_) * height_);
    context_->BindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
    glReadPixels(0, 0, static_cast<GLsizei>(width_), static_cast<GLsizei>(height_), GL_BGRA, GL_UNSIGNED_BYTE,
                 pixels.data());
    // OpenGL's rows run bottom to top.
    for (std::uint32_t row = 0; row < height_ / 2; ++row) {
        std::uint32_t* top = &pixels[static_cast<std::size_t>(row) * width_];
        std::uint32_t* bottom = &pixels[static_cast<std::size_t>(height_ - 1 - row) * width_];
        for (std::uint32_t x = 0; x < width_; ++x) {
            std::swap(top[x], bottom[x]);
        }
    }
    return pixels;
}

std::string GlDevice::RendererName() const {
    const auto* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    return renderer != nullptr ? renderer : "";
}

void GlDevice::DrawScreenImage(const std::uint8_t* rgba, int width, int height, int x, int y, D3DCOLOR color) {
    if (rgba == nullptr || width <= 0 || height <= 0) {
        return;
    }
    Flush();
    if (textTexture_ == 0) {
        glGenTextures(1, &textTexture_);
        glBindTexture(GL_TEXTURE_2D, textTexture_);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    } else {
        glBindTexture(GL_TEXTURE_2D, textTexture_);
    }
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    glEnable(GL_TEXTURE_2D);

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, static_cast<double>(width_), static_cast<double>(height_), 0.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    const auto left = static_cast<float>(x);
    const auto top = static_cast<float>(y);
    const auto right = static_cast<float>(x + width);
    const auto bottom = static_cast<float>(y + height);
    const float positions[] = {left, top, 0.0f, right, top, 0.0f, right, bottom, 0.0f, left, bottom, 0.0f};
    const float texcoords[] = {0.0f, 0.0f, 1.0f, 0.0f, 1.0f, 1.0f, 0.0f, 1.0f};
    glDisableClientState(GL_COLOR_ARRAY);
    ColorToGl(color);
    glVertexPointer(3, GL_FLOAT, 0, positions);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, 0, texcoords);
    glDrawArrays(GL_TRIANGLE_FAN, 0, 4);
    ++openGlDraws_;
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glColor4ub(255, 255, 255, 255);

    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    ApplyDepth();
    ApplyCull();
    ApplyBlend();
    ApplyTexture();
}
