#include "member.h"

#include <algorithm>
#include <cstring>

namespace {
template <typename T, size_t N>
void fill(T (&array)[N], T value)
{
    std::fill(std::begin(array), std::end(array), value);
}
} // namespace

Member::Member(int id, int t)
    : ID(id), type(t), label(QStringLiteral("MTYPE") + QString::number(id))
{
    createLaws();
    setLawsNullProperties();
    fill(frameIC, 0.0);
    fill(frameDEG, 0.0);
    createCategory();
    switch (type) {
    case FRAME: setFrameNullProperties(); break;
    case SPRING: setSpringNullProperties(); break;
    case WALL: setWallNullProperties(); break;
    case DAMPER: setDamperNullProperties(); break;
    case MULTISPRING: setMultiSpringNullProperties(); break;
    case REINFORCED: setReinforcedNullProperties(); break;
    default: break;
    }
}

Member::Member(int id, const Member &s)
    : ID(id), type(s.type), label(QStringLiteral("MTYPE") + QString::number(id))
{
    copyValues(s);
}

Member::Member(const Member &other) : ID(other.ID), type(other.type), label(other.label)
{
    copyValues(other);
}

Member &Member::operator=(const Member &other)
{
    if (this != &other) {
        ID = other.ID;
        type = other.type;
        label = other.label;
        copyValues(other);
    }
    return *this;
}

void Member::copyValues(const Member &s)
{
    springI = s.springI;
    springIOP = s.springIOP;
    // The hysteresis and shared arrays are plain members: copy them whole.
    std::memcpy(takeda, s.takeda, sizeof takeda);
    takKKK = s.takKKK;
    std::memcpy(sina, s.sina, sizeof sina);
    std::memcpy(mSina, s.mSina, sizeof mSina);
    std::memcpy(mBilinear, s.mBilinear, sizeof mBilinear);
    std::memcpy(ihyst56, s.ihyst56, sizeof ihyst56);
    std::memcpy(ihyst57, s.ihyst57, sizeof ihyst57);
    std::memcpy(ihyst5A, s.ihyst5A, sizeof ihyst5A);
    std::memcpy(ihyst5B, s.ihyst5B, sizeof ihyst5B);
    std::memcpy(ihyst63, s.ihyst63, sizeof ihyst63);
    ihyst56IOP = s.ihyst56IOP;
    ihyst57IOP = s.ihyst57IOP;
    std::memcpy(ihyst35, s.ihyst35, sizeof ihyst35);
    std::memcpy(ihyst39, s.ihyst39, sizeof ihyst39);
    std::memcpy(ihyst53A, s.ihyst53A, sizeof ihyst53A);
    std::memcpy(ihyst53B, s.ihyst53B, sizeof ihyst53B);
    std::memcpy(ihyst33A, s.ihyst33A, sizeof ihyst33A);
    std::memcpy(ihyst33B, s.ihyst33B, sizeof ihyst33B);
    std::memcpy(ihyst54, s.ihyst54, sizeof ihyst54);
    std::memcpy(frameDEG, s.frameDEG, sizeof frameDEG);
    std::memcpy(frameIC, s.frameIC, sizeof frameIC);
    frameJIDO = s.frameJIDO;
    frameIOP = s.frameIOP;
    frameIEND = s.frameIEND;

    // Category arrays: deep copies, so the two records share no storage.
    frame = s.frame ? std::make_unique<FrameArrays>(*s.frame) : nullptr;
    spring = s.spring ? std::make_unique<SpringArrays>(*s.spring) : nullptr;
    wall = s.wall ? std::make_unique<WallArrays>(*s.wall) : nullptr;
    damper = s.damper ? std::make_unique<DamperArrays>(*s.damper) : nullptr;
    multi = s.multi ? std::make_unique<MultiSpringArrays>(*s.multi) : nullptr;
    reinforced = s.reinforced ? std::make_unique<ReinforcedArrays>(*s.reinforced) : nullptr;
}

namespace {
template <typename T, size_t N>
bool same(const T (&x)[N], const T (&y)[N])
{
    return std::memcmp(x, y, sizeof x) == 0;
}

bool same(const QList<double> &x, const QList<double> &y)
{
    return x.size() == y.size() && (x.isEmpty() || std::memcmp(x.constData(), y.constData(), sizeof(double) * size_t(x.size())) == 0);
}

// Both absent, or both present with equal fields.
template <typename T, typename F>
bool sameGroup(const std::unique_ptr<T> &x, const std::unique_ptr<T> &y, F equal)
{
    if (!x || !y)
        return !x && !y;
    return equal(*x, *y);
}
} // namespace

bool Member::sameValues(const Member &o) const
{
    if (type != o.type || label != o.label || springI != o.springI || springIOP != o.springIOP
        || takKKK != o.takKKK || ihyst56IOP != o.ihyst56IOP || ihyst57IOP != o.ihyst57IOP
        || frameJIDO != o.frameJIDO || frameIOP != o.frameIOP || frameIEND != o.frameIEND)
        return false;
    if (!same(takeda, o.takeda) || !same(sina, o.sina) || !same(mSina, o.mSina) || !same(mBilinear, o.mBilinear)
        || !same(ihyst56, o.ihyst56) || !same(ihyst57, o.ihyst57) || !same(ihyst5A, o.ihyst5A)
        || !same(ihyst5B, o.ihyst5B) || !same(ihyst63, o.ihyst63) || !same(ihyst35, o.ihyst35)
        || !same(ihyst39, o.ihyst39) || !same(ihyst53A, o.ihyst53A) || !same(ihyst53B, o.ihyst53B)
        || !same(ihyst33A, o.ihyst33A) || !same(ihyst33B, o.ihyst33B) || !same(ihyst54, o.ihyst54)
        || !same(frameDEG, o.frameDEG) || !same(frameIC, o.frameIC))
        return false;
    return sameGroup(frame, o.frame, [](const FrameArrays &x, const FrameArrays &y) {
               return same(x.A, y.A) && same(x.B, y.B) && same(x.C, y.C) && same(x.F, y.F) && same(x.G, y.G)
                      && same(x.G2, y.G2) && same(x.H, y.H) && same(x.H2, y.H2) && same(x.I, y.I)
                      && same(x.I2, y.I2) && same(x.II, y.II) && same(x.II2, y.II2) && same(x.E, y.E)
                      && same(x.J, y.J) && same(x.K, y.K);
           })
           && sameGroup(spring, o.spring, [](const SpringArrays &x, const SpringArrays &y) {
                  return same(x.A1, y.A1) && same(x.A2, y.A2) && same(x.C, y.C) && same(x.D, y.D)
                         && same(x.E, y.E) && same(x.F, y.F) && same(x.G, y.G);
              })
           && sameGroup(wall, o.wall, [](const WallArrays &x, const WallArrays &y) {
                  return same(x.A1, y.A1) && same(x.A2, y.A2) && same(x.B, y.B) && same(x.D, y.D)
                         && same(x.XI, y.XI) && same(x.ASI, y.ASI) && same(x.ACI, y.ACI);
              })
           && sameGroup(damper, o.damper, [](const DamperArrays &x, const DamperArrays &y) {
                  return same(x.A1, y.A1) && same(x.A2, y.A2) && same(x.B, y.B);
              })
           && sameGroup(multi, o.multi, [](const MultiSpringArrays &x, const MultiSpringArrays &y) {
                  return same(x.A1, y.A1) && same(x.A2, y.A2) && same(x.B1, y.B1) && same(x.B2, y.B2)
                         && same(x.KLOS, y.KLOS);
              })
           && sameGroup(reinforced, o.reinforced, [](const ReinforcedArrays &x, const ReinforcedArrays &y) {
                  return same(x.A1, y.A1) && same(x.A2, y.A2) && same(x.B, y.B) && same(x.C, y.C);
              });
}

Member::~Member() = default;

QString Member::categoryCaption(int t)
{
    switch (t) {
    case FRAME: return QStringLiteral("FRAME");
    case SPRING: return QStringLiteral("SPRING");
    case WALL: return QStringLiteral("STRUCTURAL-WALL");
    case DAMPER: return QStringLiteral("DAMPER");
    case MULTISPRING: return QStringLiteral("MULTI-SPRING");
    case REINFORCED: return QStringLiteral("REINFORCED CONCRETE PLASTIC-HINGE SPRING");
    default: return QString();
    }
}

void Member::createCategory()
{
    switch (type) {
    case FRAME: createFrame(); break;
    case SPRING: createSpring(); break;
    case WALL: createWall(); break;
    case DAMPER: createDamper(); break;
    case MULTISPRING: createMultiSpring(); break;
    case REINFORCED: createReinforced(); break;
    default: break;
    }
}

// Value-initialised groups start at zero.
void Member::createFrame() { frame = std::make_unique<FrameArrays>(); }
void Member::deleteFrame() { frame.reset(); }
void Member::createSpring() { spring = std::make_unique<SpringArrays>(); }
void Member::deleteSpring() { spring.reset(); }
void Member::createWall() { wall = std::make_unique<WallArrays>(); }
void Member::deleteWall() { wall.reset(); }
void Member::createDamper() { damper = std::make_unique<DamperArrays>(); }
void Member::deleteDamper() { damper.reset(); }
void Member::createMultiSpring() { multi = std::make_unique<MultiSpringArrays>(); }
void Member::deleteMultiSpring() { multi.reset(); }
void Member::createReinforced() { reinforced = std::make_unique<ReinforcedArrays>(); }
void Member::deleteReinforced() { reinforced.reset(); }

// The hysteresis arrays live inside the record; creating them only clears them.
void Member::createLaws()
{
    fill(takeda, 0.0);
    fill(sina, 0.0);
    fill(mSina, 0.0);
    fill(mBilinear, 0.0);
    fill(ihyst56, 0.0);
    fill(ihyst57, 0.0);
    fill(ihyst5A, 0.0);
    fill(ihyst5B, 0);
    fill(ihyst63, 0.0);
    fill(ihyst35, 0.0);
    fill(ihyst39, 0.0);
    fill(ihyst53A, 0);
    fill(ihyst53B, 0.0);
    for (auto &row : ihyst33A)
        fill(row, 0.0);
    fill(ihyst33B, 0);
    for (auto &row : ihyst54)
        fill(row, 0.0);
}

void Member::deleteLaws()
{
    createLaws();
}

void Member::setLawsNullProperties()
{
    createLaws();
    takeda[2] = 1.0;
    takKKK = 2;
    ihyst56IOP = 0;
    ihyst57IOP = 0;
    ihyst39[3] = 1.0;
    ihyst53A[0] = 1;
    ihyst53A[1] = 1;
    const double b53[8] = {1.0, 10.0, 1.5, 100.0, 1.375, 55.0, 0.0, 0.0};
    std::copy(std::begin(b53), std::end(b53), ihyst53B);
    const double row54[8] = {0.0025, 0.005, 2.0, 0.2, 1.0, 1.0, 1.0, 0.0};
    for (auto &row : ihyst54)
        std::copy(std::begin(row54), std::end(row54), row);
}

void Member::setFrameNullProperties()
{
    if (!frame)
        return;
    *frame = FrameArrays();
    frame->A[0] = 1;
    frameJIDO = 0;
    frameIOP = 0;
    frameIEND = 0;
}

void Member::setSpringNullProperties()
{
    if (!spring)
        return;
    *spring = SpringArrays();
    spring->A1[0] = 1;
    springI = 0;
    springIOP = 0;
}

void Member::setWallNullProperties()
{
    if (!wall)
        return;
    *wall = WallArrays();
    wall->A1[0] = 2;
    wall->A1[1] = 3;
    wall->XI = {0.0, 0.0, 0.0};
    wall->ASI = {0.0, 0.0, 0.0};
    wall->ACI = {0.0, 0.0, 0.0};
}

void Member::setDamperNullProperties()
{
    if (!damper)
        return;
    *damper = DamperArrays();
    damper->A2[5] = 1.0;
}

void Member::setMultiSpringNullProperties()
{
    if (!multi)
        return;
    *multi = MultiSpringArrays();
}

void Member::setReinforcedNullProperties()
{
    if (!reinforced)
        return;
    *reinforced = ReinforcedArrays();
}
