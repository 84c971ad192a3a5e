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
    double maximumPixelSize = 1000;  // requests of larger cells find no such face
};

//! Points fontconfig at a configuration with these aliases on top of the
//! system's, where the real fonts of the driver's preferred typefaces are
//! hidden, so a test sees the faces it declares and no others. Call before the
//! process first uses a font.
void installFaceAliases(const std::vector<FaceAlias>& aliases);

}  // namespace testsupport
