#ifndef PROJECTFILEFORMAT_H
#define PROJECTFILEFORMAT_H

// Words of the project file that its writer and its reader must agree on.

#include <QLatin1String>

namespace ProjectFileFormat {

constexpr QLatin1String kNone("None");
constexpr QLatin1String kNullName("NULL!NULL");

} // namespace ProjectFileFormat

#endif // PROJECTFILEFORMAT_H
