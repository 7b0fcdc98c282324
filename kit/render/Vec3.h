#pragma once
#include <cmath>

// A point or direction in 3D, in double precision so renders do not depend on the
// compiler's choice of float contraction more than necessary.
struct Vec3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    Vec3 operator+(const Vec3& o) const { return {x + o.x, y + o.y, z + o.z}; }
    Vec3 operator-(const Vec3& o) const { return {x - o.x, y - o.y, z - o.z}; }
    Vec3 operator-() const { return {-x, -y, -z}; }
    Vec3 operator*(double s) const { return {x * s, y * s, z * s}; }
    Vec3 operator/(double s) const { return {x / s, y / s, z / s}; }
    Vec3& operator+=(const Vec3& o) {
        x += o.x;
        y += o.y;
        z += o.z;
        return *this;
    }
    double operator[](int axis) const { return axis == 0 ? x : (axis == 1 ? y : z); }
};

inline double Dot(const Vec3& a, const Vec3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

inline Vec3 Cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

inline double Length(const Vec3& v) {
    return std::sqrt(Dot(v, v));
}

inline Vec3 Normalize(const Vec3& v) {
    const double len = Length(v);
    return len > 0.0 ? v / len : Vec3{0.0, 1.0, 0.0};
}

// A ray: origin plus t times direction.
struct Ray {
    Vec3 origin;
    Vec3 dir;
    Vec3 At(double t) const { return origin + dir * t; }
};
