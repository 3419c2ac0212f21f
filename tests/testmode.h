#ifndef TESTMODE_H
#define TESTMODE_H

// Included in every test program: its settings, recent files and recovery
// files go to Qt's test folders, never to the user's.

#include <QStandardPaths>

namespace {
const bool qtTestMode = (QStandardPaths::setTestModeEnabled(true), true);
}

#endif // TESTMODE_H
