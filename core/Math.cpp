#include <cmath>

#include "core/Matrix.h"
#include "core/Vec2.h"

Vec2 Vec2Normalize(const Vec2& v) {
    const float length = std::sqrt(v.x * v.x + v.y * v.y);
    if (length == 0.0f || !std::isfinite(length)) {
        return {0.0f, 0.0f};
    }
    const float inverse = 1.0f / length;
    return {v.x * inverse, v.y * inverse};
}

Matrix Identity() {
    Matrix r;
    for (int i = 0; i < 4; ++i) {
        r.m[i][i] = 1.0f;
    }
    return r;
}

Matrix OrthoLH(float width, float height, float zNear, float zFar) {
    Matrix r;
    r.m[0][0] = 2.0f / width;
    r.m[1][1] = 2.0f / height;
    r.m[2][2] = 1.0f / (zFar - zNear);
    r.m[3][2] = zNear / (zNear - zFar);
    r.m[3][3] = 1.0f;
    return r;
}

Matrix Scaling(float sx, float sy, float sz) {
    Matrix r;
    r.m[0][0] = sx;
    r.m[1][1] = sy;
    r.m[2][2] = sz;
    r.m[3][3] = 1.0f;
    return r;
}

Matrix Translation(float tx, float ty, float tz) {
    Matrix r = Identity();
    r.m[3][0] = tx;
    r.m[3][1] = ty;
    r.m[3][2] = tz;
    return r;
}

Matrix RotationZ(float angle) {
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    Matrix r = Identity();
    r.m[0][0] = c;
    r.m[0][1] = s;
    r.m[1][0] = -s;
    r.m[1][1] = c;
    return r;
}

Matrix Multiply(const Matrix& a, const Matrix& b) {
    Matrix r;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) {
                sum += a.m[i][k] * b.m[k][j];
            }
            r.m[i][j] = sum;
        }
    }
    return r;
}

Vec4 TransformPoint(const Matrix& t, float x, float y, float z) {
    return {x * t.m[0][0] + y * t.m[1][0] + z * t.m[2][0] + t.m[3][0],
            x * t.m[0][1] + y * t.m[1][1] + z * t.m[2][1] + t.m[3][1],
            x * t.m[0][2] + y * t.m[1][2] + z * t.m[2][2] + t.m[3][2],
            x * t.m[0][3] + y * t.m[1][3] + z * t.m[2][3] + t.m[3][3]};
}
