#ifndef PROJECTDATA_H
#define PROJECTDATA_H

// Plain model data shared by the file writers and the project reader.
// QtCore only: no widget may be included here or by the writers.

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class Member;

struct NodeData {
    int id = 0;
    double x = 0.0;
    double y = 0.0;
    int nf1 = 0, nf2 = 0, nf3 = 0;
    int kup1 = 0, kup2 = 0, kup3 = 0;
    int iout = 0;
};

struct BarData {
    int id = 0;
    int mTypeId = 0;   // 0 = no member type
    int source = 0;    // node id of end 1 (clicked first)
    int dest = 0;      // node id of end 2
    int node3 = 0, node4 = 0;
    int iout = 0;
};

struct ProjectData {
    ProjectData();
    ~ProjectData();
    ProjectData(const ProjectData &) = delete;
    ProjectData &operator=(const ProjectData &) = delete;
    ProjectData(ProjectData &&) noexcept;
    ProjectData &operator=(ProjectData &&) noexcept;

    // Control options: a (11 ints), b (14 ints), c (10 doubles), d (3 ints), e (8 doubles).
    int a[11];
    int b[14];
    double c[10];
    int d[3];
    double e[8];
    QList<double> dampList;      // modal damping, used while ICTYPE (a[4]) is 4
    bool controlSeted = false;

    // Grid lines as typed (the grid dialog keeps them sorted after an accepted edit).
    QStringList XLines, YLines;
    int nodesIOut = 0;
    int elementsIOut = 0;

    // Drift: "None" or the 1-based X line number as text.
    QString drift = QStringLiteral("None");
    bool kup1AutomaticallyTo0 = false;   // flag that belongs to "None"
    bool kup1Automatically = true;       // flag that belongs to a column (the dialog starts checked)
    bool driftSeted = false;
    QStringList driftIds;                // derived: one node id per Y line

    QList<NodeData> nodes;               // position k holds node k + 1
    QList<BarData> bars;                 // position k holds member k + 1

    // Member types in list order (ID = position + 1). Not owned unless the
    // records were created by the reader, which keeps them in ownedMembers.
    QList<Member *> memberTypes;
    std::vector<std::unique_ptr<Member>> ownedMembers;

    QList<double> fx, fy, fm;            // loads
    QList<double> wx, wy, wd;            // weights
    bool shapeEnabled = false;           // the SHAPE command is enabled (IPVERT < 0)
    QList<double> shapeFx, shapeFy, shapeFm;
    double alpha = 0.0;
    bool showAlpha = false;              // ALPHA is active (IPANAL 6, 8 or 9): SHAPE header carries it

    int quakeA[2];
    double quakeB[6];
    QString quakeFile;
    bool quakeSeted = false;

    // Number of grid intersections (nodes a redraw creates).
    int gridNodeCount() const;
    // Category code of member type mTypeId, or -1 for none or out of range.
    int memberCategory(int mTypeId) const;
};

namespace ModelCore {

// Grid line texts as numbers, ascending; text that is not a number becomes 0.
QList<double> sortLines(const QStringList &lines);

// Nodes of a fresh grid: row by row from the lowest Y line, left to right;
// the lowest row fully fixed; iout = nodesIOut.
QList<NodeData> buildNodes(const QStringList &XLines, const QStringList &YLines, int nodesIOut);

// Ids of the nodes in the 1-based column of every row, lowest row first;
// empty for "None" or a column outside the grid.
QStringList driftIds(const QString &drift, int nX, int nY);

// The control options a first grid sets from its number of Y lines: M and
// MODE2 = storeys, MODE1 = 1, C1 = C2 = 2.0 (b and c as in ProjectData).
void setGridDefaults(int yLines, int *b, double *c);

// Empty when the model can be generated, else the "You must set…." text.
QString completenessMessage(const ProjectData &data);

// Rebuilds what opening a project derives instead of reading: nodes' ids and
// coordinates (keeping the node values already in data.nodes by position),
// drift ids and the counts b[0], b[1], b[2], b[10].
void rebuildDerived(ProjectData &data);

} // namespace ModelCore

#endif // PROJECTDATA_H
