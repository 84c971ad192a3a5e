// Typefaces for font tests: a fontconfig configuration that makes an installed
// font answer to another family name, so that the driver's preference list
// finds "installed" faces on any machine.
#pragma once

#include <string>
#include <vector>

namespace testsupport {

struct FaceAlias {
    std::string requested;  // the family asked for, e.g. "Lucida Console"
    std::string installed;  // the installed family that answers it
    double minimumPixelSize = 0;  // requests of smaller cells find no such face
};

//! Points fontconfig at a configuration with these aliases on top of the
//! system's. Call before the process first uses a font.
void installFaceAliases(const std::vector<FaceAlias>& aliases);

}  // namespace testsupport
