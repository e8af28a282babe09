#include "host/UT/UT_Matrix3.h"
#include "host/UT/UT_Matrix4.h"

#include "tests/support/VantrelExpect.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using vantrel_test::expectNear;

namespace
{
const float thePi = 3.14159265f;
} // namespace

TEST(UT_Matrix4Test, RowVectorsAndAppendPrependOrder)
{
    // Translation sits in the last row, which is also element 12..14 of the
    // flat array handed to OpenGL.
    UT_Matrix4 m(1.0f);
    m.translate(1, 2, 3);
    EXPECT_EQ(m(3, 0), 1.0f);
    EXPECT_EQ(m.data()[13], 2.0f);
    expectNear(UT_Vector3(0, 0, 0) * m, UT_Vector3(1, 2, 3));

    // translate then rotate: the rotation acts after the translation.
    UT_Matrix4 tr(1.0f);
    tr.translate(1, 0, 0);
    tr.rotate(UT_Axis3::ZAXIS, thePi / 2);
    expectNear(UT_Vector3(0, 0, 0) * tr, UT_Vector3(0, 1, 0));

    // leftMult puts the rotation before the translation.
    UT_Matrix4 rot(1.0f);
    rot.rotate(UT_Axis3::ZAXIS, thePi / 2);
    UT_Matrix4 pre(1.0f);
    pre.translate(1, 0, 0);
    pre.leftMult(rot);
    expectNear(UT_Vector3(1, 0, 0) * pre, UT_Vector3(1, 1, 0));

    // *= appends too: (T *= R) equals translate-then-rotate above.
    UT_Matrix4 t2(1.0f);
    t2.translate(1, 0, 0);
    t2 *= rot;
    EXPECT_TRUE(t2.isEqual(tr));

    // Right-handed rotations: x turns toward y about z, y toward z about x,
    // z toward x about y. Rotating about a vector matches rotating about the
    // same axis, and an unnormalized axis is normalized when asked.
    const UT_Axis3::axis axes[3] = {UT_Axis3::XAXIS, UT_Axis3::YAXIS, UT_Axis3::ZAXIS};
    for (int i = 0; i < 3; ++i)
    {
        UT_Vector3 v(0, 0, 0), from(0, 0, 0), to(0, 0, 0);
        v[i] = 3.0f;
        from[(i + 1) % 3] = to[(i + 2) % 3] = 1.0f;
        UT_Matrix4 a(1.0f), b(1.0f);
        a.rotate(axes[i], thePi / 2);
        expectNear(from * a, to);
        a.identity();
        a.translate(0.5f, -1, 2);
        b = a;
        a.rotate(axes[i], 0.7f);
        b.rotate(v, 0.7f, 1);
        EXPECT_TRUE(a.isEqual(b, 1e-6f)) << "axis " << i;
    }

    // Matrix3 follows the same conventions and widens to the 4x4 with no
    // translation.
    UT_Matrix3 m3(1.0f);
    m3.rotate(UT_Axis3::ZAXIS, thePi / 2);
    UT_Matrix4 wide(1.0f);
    wide = m3;
    EXPECT_TRUE(wide.isEqual(rot));
    expectNear(UT_Vector3(1, 0, 0) * m3, UT_Vector3(0, 1, 0));
}

TEST(UT_Matrix4Test, InvertAndDeterminant)
{
    UT_Matrix4 m(1.0f);
    m.scale(2, 3, -4);
    m.rotate(UT_Axis3::YAXIS, 0.3f);
    m.translate(5, 6, 7);
    EXPECT_NEAR(m.determinant3(), -24.0f, 1e-4f);
    EXPECT_NEAR(m.determinant(), -24.0f, 1e-4f);

    UT_Matrix4 inv;
    ASSERT_EQ(m.invert(inv), 0);
    EXPECT_TRUE((m * inv).isIdentity(1e-5f));

    // Singular input: nonzero result, output untouched, in place too.
    UT_Matrix4 flat(1.0f);
    flat.scale(1, 0, 1);
    UT_Matrix4 out(7.0f);
    EXPECT_NE(flat.invert(out), 0);
    EXPECT_EQ(out, UT_Matrix4(7.0f));
    UT_Matrix4 copy = flat;
    EXPECT_NE(copy.invert(0.0f), 0);
    EXPECT_EQ(copy, flat);

    // A NaN or infinite entry is not invertible and the determinant carries
    // the IEEE value rather than crashing.
    UT_Matrix4 bad(1.0f);
    bad(1, 1) = NAN;
    EXPECT_NE(bad.invert(out), 0);
    EXPECT_TRUE(std::isnan(bad.determinant3()));
    bad(1, 1) = INFINITY;
    EXPECT_NE(bad.invert(out), 0);

    // A tolerance rejects nearly singular matrices.
    UT_Matrix4 tiny(1e-4f);
    EXPECT_EQ(UT_Matrix4(tiny).invert(0.0f), 0);
    EXPECT_NE(UT_Matrix4(tiny).invert(1e-3f), 0);

    // Double precision and conversions both ways.
    UT_DMatrix4 d(m);
    UT_DMatrix4 dinv;
    ASSERT_EQ(d.invert(dinv), 0);
    EXPECT_TRUE((d * dinv).isIdentity(1e-9));
    UT_Matrix4 back;
    back = d;
    EXPECT_EQ(back, m);

    UT_Matrix3 m3(m);
    UT_Matrix3 m3inv;
    ASSERT_EQ(m3.invert(m3inv), 0);
    EXPECT_TRUE((m3 * m3inv).isIdentity(1e-5f));
    EXPECT_NE(UT_Matrix3(0.0f).invert(m3inv), 0);
}

TEST(UT_Matrix4Test, ExplodeThenXformGivesTheMatrixBack)
{
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> angle(-170, 170), pos(-10, 10), scl(0.2f, 3);
    const UT_Vector3 pivots[2] = {UT_Vector3(0, 0, 0), UT_Vector3(1, -2, 0.5f)};

    for (int rst = 0; rst < 6; ++rst)
        for (int xyz = 0; xyz < 6; ++xyz)
            for (int trial = 0; trial < 8; ++trial)
            {
                UT_XformOrder order;
                order.reorder(rst, xyz);
                const UT_Vector3 &piv = pivots[trial & 1];
                float sgn = (trial % 4 == 3) ? -1.0f : 1.0f; // some mirroring
                UT_Matrix4 m(1.0f);
                m.xform(order, pos(rng), pos(rng), pos(rng),
                        angle(rng), angle(rng), angle(rng),
                        sgn * scl(rng), scl(rng), scl(rng),
                        piv.x(), piv.y(), piv.z(), 0);

                UT_Vector3 r, s, t;
                ASSERT_EQ(m.explode(order, r, s, t, piv, nullptr), 0);
                const float toDeg = 180.0f / thePi;
                UT_Matrix4 rebuilt(1.0f);
                rebuilt.xform(order, t.x(), t.y(), t.z(),
                              r.x() * toDeg, r.y() * toDeg, r.z() * toDeg,
                              s.x(), s.y(), s.z(), piv.x(), piv.y(), piv.z(), 0);
                EXPECT_TRUE(rebuilt.isEqual(m, 1e-3f))
                    << "rst " << rst << " xyz " << xyz << " trial " << trial;
            }

    // Gimbal lock: a 90 degree middle rotation still round-trips.
    UT_XformOrder order(UT_XformOrder::SRT, UT_XformOrder::XYZ);
    UT_DMatrix4 g(1.0);
    g.xform(order, 0, 0, 0, 30, 90, 20, 1, 1, 1);
    UT_Vector3 r, s, t;
    ASSERT_EQ(g.explode(order, r, s, t), 0);
    UT_DMatrix4 g2(1.0);
    g2.xform(order, t.x(), t.y(), t.z(), r.x() * 180 / M_PI, r.y() * 180 / M_PI,
             r.z() * 180 / M_PI, s.x(), s.y(), s.z());
    EXPECT_TRUE(g2.isEqual(g, 1e-5));

    // The rotation comes out in radians; reverse undoes the transform.
    UT_Matrix4 one(1.0f);
    one.xform(order, 1, 2, 3, 0, 45, 0, 2, 2, 2);
    ASSERT_EQ(one.explode(order, r, s, t), 0);
    EXPECT_NEAR(r.y(), thePi / 4, 1e-5f);
    one.xform(order, 1, 2, 3, 0, 45, 0, 2, 2, 2, 1);
    EXPECT_TRUE(one.isIdentity(1e-5f));

    // A zero scale cannot be exploded.
    UT_Matrix4 flat(1.0f);
    flat.scale(1, 0, 1);
    EXPECT_NE(flat.explode(order, r, s, t), 0);
}

TEST(UT_Matrix4Test, PrependFormsAndHomogeneousProducts)
{
    // Each pre* form equals leftMult of the matching built matrix.
    UT_Matrix4 base(1.0f);
    base.rotate(UT_Axis3::XAXIS, 0.4f);
    base.translate(1, -2, 3);
    base.scale(2, 1, 0.5f);

    UT_Matrix4 t(1.0f), r(1.0f), s(1.0f);
    t.translate(4, 5, 6);
    r.rotate(UT_Axis3::YAXIS, -0.9f);
    s.scale(3, -1, 2);
    UT_Matrix4 pre[3] = {base, base, base}, built[3] = {base, base, base};
    pre[0].pretranslate(4, 5, 6);
    pre[1].prerotate(UT_Axis3::YAXIS, -0.9f);
    pre[2].prescale(3, -1, 2);
    for (int i = 0; i < 3; ++i)
    {
        built[i].leftMult(i == 0 ? t : i == 1 ? r : s);
        EXPECT_TRUE(pre[i].isEqual(built[i], 1e-5f)) << "form " << i;
    }

    // translate on a matrix with a projective column still appends.
    UT_Matrix4 proj(1.0f);
    proj(2, 3) = -1.0f;
    proj(3, 3) = 0.0f;
    UT_Matrix4 viaMult = proj * t;
    proj.translate(4, 5, 6);
    EXPECT_TRUE(proj.isEqual(viaMult));
    EXPECT_NEAR(proj.determinant(), viaMult.determinant(), 1e-5f);

    // A point keeps the translation, a direction does not; the 4-vector
    // form carries w through.
    UT_Vector3 p(1, 0, 0), d(1, 0, 0);
    p *= t;
    d.multiply3(t);
    expectNear(p, UT_Vector3(5, 5, 6));
    expectNear(d, UT_Vector3(1, 0, 0));
    UT_Vector4 h = UT_Vector4(0, 0, -2, 1) * viaMult;
    EXPECT_FLOAT_EQ(h.w(), 2.0f);

    // Reverse with a pivot appends the exact inverse.
    UT_XformOrder order(UT_XformOrder::TRS, UT_XformOrder::ZXY);
    UT_DMatrix4 m(1.0);
    m.xform(order, 1, 2, 3, 10, 20, 30, 2, 3, 4, 0.5, 0.5, 0.5, 0);
    m.xform(order, 1, 2, 3, 10, 20, 30, 2, 3, 4, 0.5, 0.5, 0.5, 1);
    EXPECT_TRUE(m.isIdentity(1e-9));

    // Shears are reported as zero rather than left unset.
    UT_Vector3 rr, ss, tt, sh(7, 7, 7);
    EXPECT_EQ(UT_Matrix4(2.0f).explode(order, rr, ss, tt, &sh), 0);
    expectNear(sh, UT_Vector3(0, 0, 0));
    expectNear(ss, UT_Vector3(2, 2, 2));
}

TEST(UT_Matrix4Test, OrderCodesNameTheSequenceStepsActOnAPoint)
{
    // SRT scales, then rotates, then translates; TRS the other way round.
    UT_Matrix4 srt(1.0f), trs(1.0f);
    srt.xform(UT_XformOrder(UT_XformOrder::SRT), 1, 0, 0, 0, 0, 90, 2, 2, 2);
    trs.xform(UT_XformOrder(UT_XformOrder::TRS), 1, 0, 0, 0, 0, 90, 2, 2, 2);
    expectNear(UT_Vector3(1, 0, 0) * srt, UT_Vector3(1, 2, 0), 1e-5f);
    expectNear(UT_Vector3(1, 0, 0) * trs, UT_Vector3(0, 4, 0), 1e-5f);

    // XYZ turns about x first; ZYX about z first.
    UT_Matrix4 xyz(1.0f), zyx(1.0f), byHand(1.0f);
    xyz.xform(UT_XformOrder(UT_XformOrder::SRT, UT_XformOrder::XYZ), 0, 0, 0, 90, 0, 90, 1, 1, 1);
    zyx.xform(UT_XformOrder(UT_XformOrder::SRT, UT_XformOrder::ZYX), 0, 0, 0, 90, 0, 90, 1, 1, 1);
    byHand.rotate(UT_Axis3::XAXIS, thePi / 2);
    byHand.rotate(UT_Axis3::ZAXIS, thePi / 2);
    EXPECT_TRUE(xyz.isEqual(byHand, 1e-6f));
    EXPECT_FALSE(zyx.isEqual(byHand, 1e-3f));

    // Codes outside the enumerations fall back to SRT / XYZ.
    UT_XformOrder order;
    order.reorder(1, 5);
    EXPECT_EQ(order, UT_XformOrder(UT_XformOrder::STR, UT_XformOrder::ZYX));
    order.reorder(-1, 99);
    EXPECT_EQ(order, UT_XformOrder());
}
