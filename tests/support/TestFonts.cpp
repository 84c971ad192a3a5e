#include "support/TestFonts.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

namespace testsupport {
namespace {
char configPath[] = "/tmp/vistrel-fonts-XXXXXX.conf";
void removeConfig() { unlink(configPath); }
}  // namespace

void installFaceAliases(const std::vector<FaceAlias>& aliases) {
    char* path = configPath;
    const int fd = mkstemps(path, 5);
    if (fd < 0) return;
    close(fd);
    std::atexit(removeConfig);
    std::ofstream conf(path);
    conf << "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n<fontconfig>\n"
         << "  <include ignore_missing=\"yes\">/etc/fonts/fonts.conf</include>\n"
         << "  <selectfont><rejectfont>\n";
    for (const char* family : {"Lucida Console", "Courier New", "Arial", "Verdana", "Tahoma", "Trebuchet MS"}) {
        conf << "    <pattern><patelt name=\"family\"><string>" << family << "</string></patelt></pattern>\n";
    }
    conf << "  </rejectfont></selectfont>\n";
    for (const FaceAlias& a : aliases) {
        // Asked for the alias: look for the installed family ...
        conf << "  <match target=\"pattern\">\n"
             << "    <test name=\"family\"><string>" << a.requested << "</string></test>\n"
             << "    <test name=\"pixelsize\" compare=\"less_eq\"><double>" << a.maximumPixelSize << "</double></test>\n"
             << "    <edit name=\"family\" mode=\"prepend\" binding=\"strong\"><string>" << a.installed
             << "</string></edit>\n  </match>\n"
             // ... and let the font it found carry the alias as its first name.
             << "  <match target=\"font\">\n"
             << "    <test target=\"pattern\" name=\"family\"><string>" << a.requested << "</string></test>\n"
             << "    <test target=\"pattern\" name=\"pixelsize\" compare=\"less_eq\"><double>" << a.maximumPixelSize
             << "</double></test>\n"
             << "    <test name=\"family\"><string>" << a.installed << "</string></test>\n"
             << "    <edit name=\"family\" mode=\"prepend\"><string>" << a.requested << "</string></edit>\n"
             << "  </match>\n";
    }
    conf << "</fontconfig>\n";
    conf.close();
    setenv("FONTCONFIG_FILE", path, 1);
}

}  // namespace testsupport
