#include "render/Transform.h"

#include <numbers>

Transform::Transform() : m_m{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, m_t{} {}

Transform Transform::Scale(const Vec3& s) {
    Transform t;
    t.m_m[0][0] = s.x;
    t.m_m[1][1] = s.y;
    t.m_m[2][2] = s.z;
    return t;
}

Transform Transform::RotateDegrees(const Vec3& angles) {
    const double k = std::numbers::pi / 180.0;
    const double cx = std::cos(angles.x * k), sx = std::sin(angles.x * k);
    const double cy = std::cos(angles.y * k), sy = std::sin(angles.y * k);
    const double cz = std::cos(angles.z * k), sz = std::sin(angles.z * k);
    Transform rx, ry, rz;
    rx.m_m[1][1] = cx;
    rx.m_m[1][2] = -sx;
    rx.m_m[2][1] = sx;
    rx.m_m[2][2] = cx;
    ry.m_m[0][0] = cy;
    ry.m_m[0][2] = sy;
    ry.m_m[2][0] = -sy;
    ry.m_m[2][2] = cy;
    rz.m_m[0][0] = cz;
    rz.m_m[0][1] = -sz;
    rz.m_m[1][0] = sz;
    rz.m_m[1][1] = cz;
    return rz * ry * rx;
}

Transform Transform::Translate(const Vec3& v) {
    Transform t;
    t.m_t = v;
    return t;
}

Transform Transform::Compose(const Vec3& scale, const Vec3& rotateDegrees, const Vec3& translate) {
    return Translate(translate) * RotateDegrees(rotateDegrees) * Scale(scale);
}

Transform Transform::operator*(const Transform& o) const {
    Transform r;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            r.m_m[i][j] =
                m_m[i][0] * o.m_m[0][j] + m_m[i][1] * o.m_m[1][j] + m_m[i][2] * o.m_m[2][j];
    r.m_t = Point(o.m_t);
    return r;
}

Vec3 Transform::Point(const Vec3& p) const {
    return Direction(p) + m_t;
}

Vec3 Transform::Direction(const Vec3& d) const {
    return {m_m[0][0] * d.x + m_m[0][1] * d.y + m_m[0][2] * d.z,
            m_m[1][0] * d.x + m_m[1][1] * d.y + m_m[1][2] * d.z,
            m_m[2][0] * d.x + m_m[2][1] * d.y + m_m[2][2] * d.z};
}

Vec3 Transform::NormalFromLocal(const Vec3& n) const {
    // Called on the world-to-local transform: its transpose maps local normals to world.
    return {m_m[0][0] * n.x + m_m[1][0] * n.y + m_m[2][0] * n.z,
            m_m[0][1] * n.x + m_m[1][1] * n.y + m_m[2][1] * n.z,
            m_m[0][2] * n.x + m_m[1][2] * n.y + m_m[2][2] * n.z};
}

Transform Transform::Inverse() const {
    const auto& m = m_m;
    const double det = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                       m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                       m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    const double inv = det != 0.0 ? 1.0 / det : 0.0;
    Transform r;
    r.m_m[0][0] = (m[1][1] * m[2][2] - m[1][2] * m[2][1]) * inv;
    r.m_m[0][1] = (m[0][2] * m[2][1] - m[0][1] * m[2][2]) * inv;
    r.m_m[0][2] = (m[0][1] * m[1][2] - m[0][2] * m[1][1]) * inv;
    r.m_m[1][0] = (m[1][2] * m[2][0] - m[1][0] * m[2][2]) * inv;
    r.m_m[1][1] = (m[0][0] * m[2][2] - m[0][2] * m[2][0]) * inv;
    r.m_m[1][2] = (m[0][2] * m[1][0] - m[0][0] * m[1][2]) * inv;
    r.m_m[2][0] = (m[1][0] * m[2][1] - m[1][1] * m[2][0]) * inv;
    r.m_m[2][1] = (m[0][1] * m[2][0] - m[0][0] * m[2][1]) * inv;
    r.m_m[2][2] = (m[0][0] * m[1][1] - m[0][1] * m[1][0]) * inv;
    r.m_t = -r.Direction(m_t);
    return r;
}

double Transform::MaxStretch() const {
    // The Frobenius norm bounds the largest singular value from above.
    double sum = 0.0;
    for (const auto& row : m_m)
        for (double v : row) sum += v * v;
    return std::sqrt(sum);
}
