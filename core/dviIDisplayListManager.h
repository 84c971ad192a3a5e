// The allocator of OpenGL display-list names: reserved names 1..R handed out
// once, dynamic names above R made and freed with segments.
#pragma once

#include <cstdint>

class dviIDisplayListManager {
public:
    //! Deletes every list 1..highest id, the reserved ones included.
    virtual ~dviIDisplayListManager() = default;
    //! count consecutive new names into names; 2 when none could be made.
    virtual int AllocateDisplayListIds(int count, uint32_t* names) = 0;
    //! The next reserved name (1, 2, ... in call order); 2 once all R are handed out.
    virtual int AllocateReservedDisplayListId(uint32_t* name) = 0;
    //! glEndList, then the OpenGL error check. Leaves no list open.
    virtual int CloseDisplayList() = 0;
    //! Deletes each dynamic name; reserved names are reported and kept. Always 0.
    virtual int DeleteDisplayList(int count, const uint32_t* names) = 0;
    //! Deletes every dynamic name R+1..highest id in one call.
    virtual int DeleteAllViewportDisplayLists() = 0;
    //! glNewList(name, GL_COMPILE).
    virtual int OpenDisplayList(uint32_t name) = 0;
};
