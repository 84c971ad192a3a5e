// Which workstation and graphics board this is: the vital product data of the
// BIOS (read through an optional physical-memory library) and the renderer string.
#pragma once

struct ddzSystemVendorInfo {
    char model[8] = "UNKNOWN";
    char systemSerial[8] = "UNKNOWN";
    char boardSerial[12] = "UNKNOWN";
    char build[10] = "UNKNOWN";
    char name[13] = "UNKNOWN";
    const char* openGlMake = nullptr;
    const char* openGlModel = nullptr;
    int systemType = 0;    // 1: a model of the table
    int graphicsType = 0;  // 1: the renderer is a "Fire GL" board
};

ddzSystemVendorInfo& ddzVendorInfo();
//! Reads the vital product data record; 1 when one was read.
int GetPVD(char* model, char* systemSerial, char* boardSerial, char* build, char* name, int* systemType);
//! Fills the vendor record (once, for the vertex-array decision).
void FillSystemVendorInfo();
//! Interprets a 46-byte record; 1 when it is one (byte 3 '0').
int ddzParseVPD(const unsigned char* record, char* model, char* systemSerial, char* boardSerial, char* build, char* name,
                int* systemType);
