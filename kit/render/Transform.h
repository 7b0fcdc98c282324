#pragma once
#include "render/Vec3.h"

// An affine transform: a 3 × 3 linear part and a translation. Objects are placed by
// scale, then rotation about x, y and z (degrees), then translation.
class Transform {
  public:
    Transform();  // identity

    static Transform Scale(const Vec3& s);
    static Transform RotateDegrees(const Vec3& angles);
    static Transform Translate(const Vec3& t);
    // Scale, then rotate, then translate.
    static Transform Compose(const Vec3& scale, const Vec3& rotateDegrees, const Vec3& translate);

    // this after other: (A * B)(p) = A(B(p)).
    Transform operator*(const Transform& other) const;

    Vec3 Point(const Vec3& p) const;
    Vec3 Direction(const Vec3& d) const;
    // The normal transform: inverse-transposed linear part, for use with Inverse().
    Vec3 NormalFromLocal(const Vec3& n) const;
    Transform Inverse() const;
    // Largest factor by which the transform stretches any direction (bounded above).
    double MaxStretch() const;

  private:
    double m_m[3][3];
    Vec3 m_t;
};
