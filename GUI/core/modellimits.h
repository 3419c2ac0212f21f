#ifndef MODELLIMITS_H
#define MODELLIMITS_H

// The largest model either file may describe. The project reader and the
// analysis file importer refuse the same counts, so a project that opens
// and generates imports back; the importer's file size is derived from the
// project's below.

#include "member.h"

#include <QtGlobal>

namespace ModelLimits {

// One node per grid intersection; a million is far beyond any frame drawn
// by hand, and a bogus pair of line counts must not allocate billions.
constexpr int kMaxNodes = 1000000;

// A member from a node to each of its eight neighbours on the grid, each
// member counted at both its ends: four per node.
constexpr int kMaxMembers = 4 * kMaxNodes;

// Every member type record carries all hysteresis arrays, some thirty times
// the size of its shortest block in the file; keep bogus counts bounded.
constexpr int kMaxMemberTypes = 100000;

// SHAPE rows go over the nodes once per load component.
constexpr int kMaxShapeRows = 16 * kMaxNodes;

// Modal damping values: at most one mode per degree of freedom.
constexpr int kMaxModes = 3 * kMaxNodes;

// Segments of a numerical wall section (NIP); the wall page offers 3 to 20.
constexpr int kMaxWallSegments = 20;

// The segment rows a member type's record holds: NIP of a numerical wall section.
inline int wallSegments(const Member &m)
{
    const int *a1 = m.getType() == Member::WALL ? m.getWallA1() : nullptr;
    return a1 && a1[2] == 1 ? a1[1] : 0;
}

// Even the largest grid gives a project of some tens of megabytes; anything
// far beyond that is refused before it is read into memory.
constexpr qint64 kMaxProjectFileSize = 256 * 1024 * 1024;

// The analysis file holds every field of the project with the same text,
// and adds at most, in bytes:
//  - to each node: its number, X and Y (7 digits, two 13-character reals,
//    three tabs),
constexpr int kNodeGrowth = 7 + 2 * 13 + 3;
//  - to each WEIGHTS, LOADS, SHAPE row and each damping value: its number and a tab,
constexpr int kRowGrowth = 8 + 1;
//  - to each node of the DRIFT line: its number and a tab,
//  - to each member type: the category word for its digit, the comment
//    of each line and the numbers of its wall segments,
constexpr int kTypeGrowth = 4096;
//  - and headings and control line comments of a few kilobytes.
constexpr qint64 kFixedGrowth = 64 * 1024;

constexpr qint64 kMaxAnalysisFileSize = kMaxProjectFileSize + qint64(kMaxNodes) * kNodeGrowth
                                        + (2 * qint64(kMaxNodes) + kMaxShapeRows + kMaxModes) * kRowGrowth
                                        + qint64(kMaxNodes) * kRowGrowth
                                        + qint64(kMaxMemberTypes) * kTypeGrowth + kFixedGrowth;

} // namespace ModelLimits

#endif // MODELLIMITS_H
