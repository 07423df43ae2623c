#pragma once

// Row-vector 4 x 4 matrix with the conventions of the fixed-function pipeline:
// a point p is transformed as p * M, and A * B applies A first.
struct Matrix {
    float m[4][4] = {};

    bool operator==(const Matrix& o) const = default;
};

Matrix Identity();
Matrix OrthoLH(float width, float height, float zNear, float zFar);
Matrix Scaling(float sx, float sy, float sz);
Matrix Translation(float tx, float ty, float tz);
Matrix RotationZ(float angle);
Matrix Multiply(const Matrix& a, const Matrix& b);

// Transforms the point (x, y, z, 1); returns x, y, z, w.
struct Vec4 {
    float x, y, z, w;
};
Vec4 TransformPoint(const Matrix& matrix, float x, float y, float z);
