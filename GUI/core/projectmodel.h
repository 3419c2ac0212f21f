#ifndef PROJECTMODEL_H
#define PROJECTMODEL_H

// The whole model as copyable values, and the one object that holds it.
// Qt Core only: the window, its dialogs and items are views of this.

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

#include "projectdata.h"

class Member;

// Stable identity of a node, member or member type. Never reused within a
// model; the numbers shown and written follow from the records' order.
using ModelKey = quint32;

struct NodeRecord {
    ModelKey key = 0;
    double x = 0.0, y = 0.0;
    int nf1 = 0, nf2 = 0, nf3 = 0;
    int kup1 = 0, kup2 = 0, kup3 = 0;   // node numbers (or the negative input codes)
    int iout = 0;
    bool operator==(const NodeRecord &o) const;
    bool operator!=(const NodeRecord &o) const { return !(*this == o); }
};

struct MemberRecord {
    ModelKey key = 0;
    ModelKey type = 0;                   // member type key; 0 = none
    ModelKey source = 0, dest = 0;       // node keys of end 1 (clicked first) and end 2
    int node3 = 0, node4 = 0;            // node numbers
    int iout = 0;
    bool operator==(const MemberRecord &o) const;
    bool operator!=(const MemberRecord &o) const { return !(*this == o); }
};

// A member type's values are shared between copies of the model and replaced
// whole when they change, so copying a model never copies the arrays.
struct MemberTypeRecord {
    ModelKey key = 0;
    std::shared_ptr<const Member> values;
};

struct GridSettings {
    QStringList XLines, YLines, XIds, YIds;
    int nodesIOut = 0;
    int elementsIOut = 0;
    bool operator==(const GridSettings &o) const;
};

struct ControlSettings {
    ControlSettings();
    int a[11];
    int b[14];   // b[0], b[1], b[2] and b[10] are counts, set when written
    double c[10];
    int d[3];
    double e[8];
    QList<double> dampList;
    bool seted = false;
    bool operator==(const ControlSettings &o) const;
    bool operator!=(const ControlSettings &o) const { return !(*this == o); }
};

struct DriftSettings {
    QString drift = QStringLiteral("None");
    bool kup1AutomaticallyTo0 = false;
    bool kup1Automatically = true;
    bool seted = false;
    bool operator==(const DriftSettings &o) const;
    bool operator!=(const DriftSettings &o) const { return !(*this == o); }
};

// Three values per node row: WX, WY, WD or FX, FY, FM.
struct NodeValues {
    QList<double> first, second, third;
    bool operator==(const NodeValues &o) const;
    bool operator!=(const NodeValues &o) const { return !(*this == o); }
};

struct ShapeSettings {
    QList<double> fx, fy, fm;
    double alpha = 2.0;
    bool operator==(const ShapeSettings &o) const;
    bool operator!=(const ShapeSettings &o) const { return !(*this == o); }
};

struct QuakeSettings {
    int a[2] = {0, 0};
    double b[6] = {0, 0, 0, 0, 0, 0};
    QString file;
    bool seted = false;
    bool operator==(const QuakeSettings &o) const;
    bool operator!=(const QuakeSettings &o) const { return !(*this == o); }
};

struct ModelData {
    GridSettings grid;
    ControlSettings control;
    DriftSettings drift;
    QList<NodeRecord> nodes;            // row by row from the lowest Y line
    QList<MemberRecord> members;        // in drawing order
    QList<MemberTypeRecord> types;      // in list order
    NodeValues weights, loads;
    ShapeSettings shape;
    QuakeSettings quake;
    // A grid was drawn or a project opened: the model's settings can then be edited.
    bool begun = false;
    ModelKey nextKey = 1;
};

class ProjectModel : public QObject
{
    Q_OBJECT
public:
    enum Section { Grid, Control, Drift, Weights, Loads, Shape, Quake };
    Q_ENUM(Section)

    explicit ProjectModel(QObject *parent = nullptr);
    ~ProjectModel() override;

    const ModelData &data() const { return d; }
    const QList<NodeRecord> &nodes() const { return d.nodes; }
    const QList<MemberRecord> &members() const { return d.members; }
    const QList<MemberTypeRecord> &types() const { return d.types; }
    const GridSettings &grid() const { return d.grid; }
    const ControlSettings &control() const { return d.control; }
    const DriftSettings &drift() const { return d.drift; }
    const NodeValues &weights() const { return d.weights; }
    const NodeValues &loads() const { return d.loads; }
    const ShapeSettings &shape() const { return d.shape; }
    const QuakeSettings &quake() const { return d.quake; }

    // Places in the lists (from 0), or -1 for a key that is not there.
    int nodeIndex(ModelKey key) const;
    int memberIndex(ModelKey key) const;
    int typeIndex(ModelKey key) const;
    // Numbers as shown and written (from 1); 0 for none.
    int nodeNumber(ModelKey key) const { return nodeIndex(key) + 1; }
    int memberNumber(ModelKey key) const { return memberIndex(key) + 1; }
    int typeNumber(ModelKey key) const { return typeIndex(key) + 1; }
    ModelKey nodeKey(int number) const;
    ModelKey typeKey(int number) const;
    const NodeRecord *node(ModelKey key) const;
    const MemberRecord *member(ModelKey key) const;
    const Member *memberType(ModelKey key) const;
    // Category code of the member's type; -1 for none.
    int category(const MemberRecord &m) const;
    // The member joining the two nodes either way round, or 0.
    ModelKey memberBetween(ModelKey a, ModelKey b) const;

    // Quick draw: the segments between adjacent grid nodes whose two nodes lie in
    // the box (model coordinates, edges included) and that no member along the same
    // grid line covers, as (source, dest) node keys: columns bottom to top, beams
    // left to right; storey by storey, the columns below a level before its beams.
    enum SegmentKind { Columns = 1, Beams = 2, ColumnsAndBeams = Columns | Beams };
    QList<QPair<ModelKey, ModelKey>> freeSegments(double xMin, double yMin, double xMax, double yMax,
                                                  int kinds) const;

    bool shapeEnabled() const { return d.control.a[5] < 0; }
    bool alphaActive() const;

    // A key for a record a command is about to add; a command takes it once
    // so that its redo adds the same record again.
    ModelKey newKey() { return d.nextKey++; }

    // The model as the file writers see it: numbers in place of keys, counts filled in.
    ProjectData projectData() const;
    // One node or member as projectData() gives it, by its place (from 0).
    NodeData nodeData(int index) const;
    BarData barData(int index) const { return barData(index, typeNumber(d.members.at(index).type)); }
    // A model made from a project just read (takes the reader's records).
    static ModelData fromProjectData(ProjectData &data);
    // The model with its first grid: a node at every intersection and no members;
    // with gridDefaults, the control options a first grid sets from its storeys.
    static ModelData withGrid(const ModelData &data, const GridSettings &grid, bool gridDefaults);
    // The model on an edited grid; members are split at the nodes of added lines they
    // pass over (see gridSplit). xFrom[i] (yFrom[i]) is, for the i-th new X (Y)
    // line in ascending order, the place of the old line it continues in the old
    // ascending order, or -1 for a new line. Nodes of kept lines keep their key
    // and values; members, values and references follow their nodes.
    static ModelData withEditedGrid(const ModelData &data, const GridSettings &grid, const QList<int> &xFrom,
                                    const QList<int> &yFrom);
    // What an edit of the grid deletes: members, removed nodes that carry data,
    // and references of kept items that become 0.
    struct GridRemoval {
        int members = 0, nodes = 0, references = 0;
    };
    static GridRemoval gridRemoval(const ModelData &data, const QList<int> &xFrom, const QList<int> &yFrom);

    // What an edit of the grid splits: the members passing over nodes of added
    // lines, and those lines by their number (from 1) in the new grid.
    struct GridSplit {
        int members = 0;
        QList<int> xLines, yLines;
    };
    static GridSplit gridSplit(const ModelData &data, const GridSettings &grid, const QList<int> &xFrom,
                               const QList<int> &yFrom);

    // Changes, for commands only: nothing else writes the model.
    void resetData(const ModelData &data);
    void setNodes(const QList<NodeRecord> &records);
    // Inserts records at the given final places, ascending.
    void insertMembers(const QList<QPair<int, MemberRecord>> &records);
    void removeMembers(const QList<ModelKey> &keys);
    void setMembers(const QList<MemberRecord> &records);
    void insertType(int index, const MemberTypeRecord &record);
    void removeType(ModelKey key);
    void setType(const MemberTypeRecord &record);
    void setGrid(const GridSettings &value);
    void setControl(const ControlSettings &value);
    void setDrift(const DriftSettings &value);
    void setWeights(const NodeValues &value);
    void setLoads(const NodeValues &value);
    void setShape(const ShapeSettings &value);
    void setQuake(const QuakeSettings &value);

signals:
    // The whole model changed (opened, or a whole-model step done or undone).
    void modelReset();
    void nodesChanged(const QList<ModelKey> &keys);
    void membersInserted(const QList<ModelKey> &keys);
    // After the removal: the keys no longer resolve.
    void membersRemoved(const QList<ModelKey> &keys);
    void membersChanged(const QList<ModelKey> &keys);
    // A type added, removed or changed; the type numbers may have moved.
    void typesChanged();
    void settingsChanged(ProjectModel::Section section);

private:
    BarData barData(int index, int typeNumber) const;
    static void appendNodes(ModelData &m, const QList<NodeData> &nodes);
    void indexNodes();
    void indexMembers() const;

    ModelData d;
    QHash<ModelKey, int> nodeAt;
    mutable QHash<ModelKey, int> memberAt;   // rebuilt on demand after an insert or removal
    mutable bool memberIndexStale = false;
};

#endif // PROJECTMODEL_H
