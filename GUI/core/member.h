#ifndef MEMBER_H
#define MEMBER_H

#include <QList>
#include <QString>

#include <memory>

// One member type ("M-TYPE"): its number, category, label and the parameter
// arrays of the analysis program's element input for that category.
// Every record owns the hysteresis arrays, frameIC and frameDEG; only the
// arrays of its own category exist, the getters of the others return null.
class Member
{
public:
    enum Category { FRAME = 0, SPRING = 1, WALL = 2, DAMPER = 3, MULTISPRING = 4, REINFORCED = 5 };

    Member(int id, int type);
    // A copy of source's values under a new number and the default label.
    Member(int id, const Member &source);
    ~Member();

    // Whole copies, number and label included: the model keeps records by value.
    Member(const Member &other);
    Member &operator=(const Member &other);

    // Every value equal, bit for bit (-0 included).
    // The number is not compared: it follows from the record's place in the list.
    bool sameValues(const Member &other) const;

    // Caption of a category code ("FRAME", "SPRING", "STRUCTURAL-WALL", ...); empty if unknown.
    static QString categoryCaption(int type);

    int getID() const { return ID; }
    void setID(int id) { ID = id; }
    int getType() const { return type; }
    void setType(int t) { type = t; }
    QString getLabel() const { return label; }
    void setLabel(const QString &l) { label = l; }

    // Hysteresis arrays (every category).
    double *getTakeda() { return takeda; }
    double *getSina() { return sina; }
    double *getmSina() { return mSina; }
    double *getmBilinear() { return mBilinear; }
    double *getihyst56() { return ihyst56; }
    double *getihyst57() { return ihyst57; }
    double *getihyst5A() { return ihyst5A; }
    int *getihyst5B() { return ihyst5B; }
    double *getihyst63() { return ihyst63; }
    double *getihyst35() { return ihyst35; }
    double *getihyst39() { return ihyst39; }
    int *getihyst53A() { return ihyst53A; }
    double *getihyst53B() { return ihyst53B; }
    double (*getihyst54())[8] { return ihyst54; }     // [kind 0..2][0..7]
    double (*getihyst33A())[12] { return ihyst33A; }  // [kind 0..2][0..11]
    int *getihyst33B() { return ihyst33B; }

    const double *getTakeda() const { return takeda; }
    const double *getSina() const { return sina; }
    const double *getmSina() const { return mSina; }
    const double *getmBilinear() const { return mBilinear; }
    const double *getihyst56() const { return ihyst56; }
    const double *getihyst57() const { return ihyst57; }
    const double *getihyst5A() const { return ihyst5A; }
    const int *getihyst5B() const { return ihyst5B; }
    const double *getihyst63() const { return ihyst63; }
    const double *getihyst35() const { return ihyst35; }
    const double *getihyst39() const { return ihyst39; }
    const int *getihyst53A() const { return ihyst53A; }
    const double *getihyst53B() const { return ihyst53B; }
    const double (*getihyst54() const)[8] { return ihyst54; }
    const double (*getihyst33A() const)[12] { return ihyst33A; }
    const int *getihyst33B() const { return ihyst33B; }

    int getTakKKK() const { return takKKK; }
    void setTakKKK(int v) { takKKK = v; }
    int getihyst56IOP() const { return ihyst56IOP; }
    void setihyst56IOP(int v) { ihyst56IOP = v; }
    int getihyst57IOP() const { return ihyst57IOP; }
    void setihyst57IOP(int v) { ihyst57IOP = v; }

    // Shared arrays.
    double *getFrameIC() { return frameIC; }
    double *getFrameDeg() { return frameDEG; }
    const double *getFrameIC() const { return frameIC; }
    const double *getFrameDeg() const { return frameDEG; }

    // FRAME.
    int *getFrameA() { return frame ? frame->A : nullptr; }
    double *getFrameB() { return frame ? frame->B : nullptr; }
    double *getFrameC() { return frame ? frame->C : nullptr; }
    double *getFrameE() { return frame ? frame->E : nullptr; }
    double *getFrameF() { return frame ? frame->F : nullptr; }
    double *getFrameG() { return frame ? frame->G : nullptr; }
    double *getFrameG2() { return frame ? frame->G2 : nullptr; }
    double *getFrameH() { return frame ? frame->H : nullptr; }
    double *getFrameH2() { return frame ? frame->H2 : nullptr; }
    double *getFrameI() { return frame ? frame->I : nullptr; }
    double *getFrameI2() { return frame ? frame->I2 : nullptr; }
    double *getFrameII() { return frame ? frame->II : nullptr; }
    double *getFrameII2() { return frame ? frame->II2 : nullptr; }
    double *getFrameJ() { return frame ? frame->J : nullptr; }
    double *getFrameK() { return frame ? frame->K : nullptr; }
    const int *getFrameA() const { return frame ? frame->A : nullptr; }
    const double *getFrameB() const { return frame ? frame->B : nullptr; }
    const double *getFrameC() const { return frame ? frame->C : nullptr; }
    const double *getFrameE() const { return frame ? frame->E : nullptr; }
    const double *getFrameF() const { return frame ? frame->F : nullptr; }
    const double *getFrameG() const { return frame ? frame->G : nullptr; }
    const double *getFrameG2() const { return frame ? frame->G2 : nullptr; }
    const double *getFrameH() const { return frame ? frame->H : nullptr; }
    const double *getFrameH2() const { return frame ? frame->H2 : nullptr; }
    const double *getFrameI() const { return frame ? frame->I : nullptr; }
    const double *getFrameI2() const { return frame ? frame->I2 : nullptr; }
    const double *getFrameII() const { return frame ? frame->II : nullptr; }
    const double *getFrameII2() const { return frame ? frame->II2 : nullptr; }
    const double *getFrameJ() const { return frame ? frame->J : nullptr; }
    const double *getFrameK() const { return frame ? frame->K : nullptr; }
    int getFrameIType() const { return frame ? frame->A[0] : 0; }
    int getFrameJIDO() const { return frameJIDO; }
    void setFrameJIDO(int v) { frameJIDO = v; }
    int getFrameIOP() const { return frameIOP; }
    void setFrameIOP(int v) { frameIOP = v; }
    int getFrameIEnd() const { return frameIEND; }
    void setFrameIEnd(int v) { frameIEND = v; }

    // SPRING.
    int *getSpringA1() { return spring ? spring->A1 : nullptr; }
    double *getSpringA2() { return spring ? spring->A2 : nullptr; }
    double *getSpringC() { return spring ? spring->C : nullptr; }
    double *getSpringD() { return spring ? spring->D : nullptr; }
    double *getSpringE() { return spring ? spring->E : nullptr; }
    double *getSpringF() { return spring ? spring->F : nullptr; }
    double *getSpringG() { return spring ? spring->G : nullptr; }
    const int *getSpringA1() const { return spring ? spring->A1 : nullptr; }
    const double *getSpringA2() const { return spring ? spring->A2 : nullptr; }
    const double *getSpringC() const { return spring ? spring->C : nullptr; }
    const double *getSpringD() const { return spring ? spring->D : nullptr; }
    const double *getSpringE() const { return spring ? spring->E : nullptr; }
    const double *getSpringF() const { return spring ? spring->F : nullptr; }
    const double *getSpringG() const { return spring ? spring->G : nullptr; }

    // WALL.
    int *getWallA1() { return wall ? wall->A1 : nullptr; }
    double *getWallA2() { return wall ? wall->A2 : nullptr; }
    double *getWallB() { return wall ? wall->B : nullptr; }
    double *getWallD() { return wall ? wall->D : nullptr; }
    QList<double> *getWallXI() { return wall ? &wall->XI : nullptr; }
    QList<double> *getWallASI() { return wall ? &wall->ASI : nullptr; }
    QList<double> *getWallACI() { return wall ? &wall->ACI : nullptr; }
    const int *getWallA1() const { return wall ? wall->A1 : nullptr; }
    const double *getWallA2() const { return wall ? wall->A2 : nullptr; }
    const double *getWallB() const { return wall ? wall->B : nullptr; }
    const double *getWallD() const { return wall ? wall->D : nullptr; }
    const QList<double> *getWallXI() const { return wall ? &wall->XI : nullptr; }
    const QList<double> *getWallASI() const { return wall ? &wall->ASI : nullptr; }
    const QList<double> *getWallACI() const { return wall ? &wall->ACI : nullptr; }

    // DAMPER.
    int *getDamperA1() { return damper ? damper->A1 : nullptr; }
    double *getDamperA2() { return damper ? damper->A2 : nullptr; }
    double *getDamperB() { return damper ? damper->B : nullptr; }
    const int *getDamperA1() const { return damper ? damper->A1 : nullptr; }
    const double *getDamperA2() const { return damper ? damper->A2 : nullptr; }
    const double *getDamperB() const { return damper ? damper->B : nullptr; }

    // MULTISPRING.
    int *getMultiSpringA1() { return multi ? multi->A1 : nullptr; }
    double *getMultiSpringA2() { return multi ? multi->A2 : nullptr; }
    int *getMultiSpringB1() { return multi ? multi->B1 : nullptr; }
    double *getMultiSpringB2() { return multi ? multi->B2 : nullptr; }
    double *getMultiSpringKLOS() { return multi ? multi->KLOS : nullptr; }
    const int *getMultiSpringA1() const { return multi ? multi->A1 : nullptr; }
    const double *getMultiSpringA2() const { return multi ? multi->A2 : nullptr; }
    const int *getMultiSpringB1() const { return multi ? multi->B1 : nullptr; }
    const double *getMultiSpringB2() const { return multi ? multi->B2 : nullptr; }
    const double *getMultiSpringKLOS() const { return multi ? multi->KLOS : nullptr; }

    // REINFORCED.
    int *getReinforcedA1() { return reinforced ? reinforced->A1 : nullptr; }
    double *getReinforcedA2() { return reinforced ? reinforced->A2 : nullptr; }
    double *getReinforcedB() { return reinforced ? reinforced->B : nullptr; }
    double *getReinforcedC() { return reinforced ? reinforced->C : nullptr; }
    const int *getReinforcedA1() const { return reinforced ? reinforced->A1 : nullptr; }
    const double *getReinforcedA2() const { return reinforced ? reinforced->A2 : nullptr; }
    const double *getReinforcedB() const { return reinforced ? reinforced->B : nullptr; }
    const double *getReinforcedC() const { return reinforced ? reinforced->C : nullptr; }

    // Allocation and reset of the groups. create* leaves values at zero;
    // set*NullProperties writes the group's defaults.
    void createFrame();
    void deleteFrame();
    void createSpring();
    void deleteSpring();
    void createWall();
    void deleteWall();
    void createDamper();
    void deleteDamper();
    void createMultiSpring();
    void deleteMultiSpring();
    void createReinforced();
    void deleteReinforced();
    void createLaws();
    void deleteLaws();
    void setFrameNullProperties();
    void setSpringNullProperties();
    void setWallNullProperties();
    void setDamperNullProperties();
    void setMultiSpringNullProperties();
    void setReinforcedNullProperties();
    void setLawsNullProperties();

    // SPRING options written directly by the dialog and the writers.
    int springI = 0;    // yield surface type 3: shear strength degradation option I
    int springIOP = 0;  // yield surface type 5: friction option IOP

private:
    struct FrameArrays {
        int A[9];
        double B[10], C[9], F[10], G[7], G2[7], H[7], H2[7], I[6], I2[6], II[8], II2[8];
        double E[6], J[11], K[5];
    };
    struct SpringArrays {
        int A1[6];
        double A2[11], C[6], D[10], E[14], F[9], G[2];
    };
    struct WallArrays {
        int A1[4];
        double A2[5], B[9], D[11];
        QList<double> XI, ASI, ACI;
    };
    struct DamperArrays {
        int A1[2];
        double A2[12], B[6];
    };
    struct MultiSpringArrays {
        int A1[4];
        double A2[4];
        int B1[2];
        double B2[8], KLOS[5];
    };
    struct ReinforcedArrays {
        int A1[3];
        double A2[6], B[11], C[6];
    };

    void createCategory();
    void copyValues(const Member &source);

    int ID = 0;
    int type = 0;
    QString label;

    double takeda[3];
    int takKKK = 2;
    double sina[5];
    double mSina[3];
    double mBilinear[2];
    double ihyst56[11];
    double ihyst57[9];
    double ihyst5A[5];
    int ihyst5B[2];
    double ihyst63[2];
    int ihyst56IOP = 0;
    int ihyst57IOP = 0;
    double ihyst35[3];
    double ihyst39[4];
    int ihyst53A[2];
    double ihyst53B[8];
    double ihyst33A[3][12];
    int ihyst33B[3];
    double ihyst54[3][8];
    double frameDEG[5];
    double frameIC[3];

    int frameJIDO = 0;
    int frameIOP = 0;
    int frameIEND = 0;

    std::unique_ptr<FrameArrays> frame;
    std::unique_ptr<SpringArrays> spring;
    std::unique_ptr<WallArrays> wall;
    std::unique_ptr<DamperArrays> damper;
    std::unique_ptr<MultiSpringArrays> multi;
    std::unique_ptr<ReinforcedArrays> reinforced;
};

#endif // MEMBER_H
