#pragma once

// Two 32-bit floats: positions, half extents, velocities and forces in the
// 1280 x 1024 virtual screen space (y grows downwards).
struct Vec2 {
    float x = 0.0f;
    float y = 0.0f;

    constexpr Vec2() = default;
    constexpr Vec2(float xValue, float yValue) : x(xValue), y(yValue) {}

    constexpr Vec2 operator+(const Vec2& o) const { return {x + o.x, y + o.y}; }
    constexpr Vec2 operator-(const Vec2& o) const { return {x - o.x, y - o.y}; }
    constexpr Vec2 operator-() const { return {-x, -y}; }
    constexpr Vec2 operator*(float s) const { return {x * s, y * s}; }
    constexpr Vec2& operator+=(const Vec2& o) {
        x += o.x;
        y += o.y;
        return *this;
    }
    constexpr Vec2& operator-=(const Vec2& o) {
        x -= o.x;
        y -= o.y;
        return *this;
    }
    constexpr Vec2& operator*=(float s) {
        x *= s;
        y *= s;
        return *this;
    }
    constexpr bool operator==(const Vec2& o) const = default;
};

constexpr Vec2 operator*(float s, const Vec2& v) { return v * s; }

constexpr float Dot(const Vec2& a, const Vec2& b) { return a.x * b.x + a.y * b.y; }

constexpr float LengthSquared(const Vec2& v) { return v.x * v.x + v.y * v.y; }

// Unit vector along v; the zero vector maps to zero instead of NaN.
Vec2 Vec2Normalize(const Vec2& v);
