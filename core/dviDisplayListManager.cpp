#include "dviDisplayListManager.h"

#include "dderr.h"

#include <GL/gl.h>

dviDisplayListManager::dviDisplayListManager(uint32_t reservedCount)
    : highestId_(reservedCount), reservedCount_(reservedCount) {
    if (glGenLists(static_cast<GLsizei>(reservedCount)) != 1) {
        dderrorSet("dviDisplayListManager::dviDisplayListManager", 1, ddzError, nullptr, __LINE__,
                   "Reserve display lists dont start at 1!!");
    }
}

dviDisplayListManager::~dviDisplayListManager() {
    DeleteRangeDisplayLists(1, highestId_);
    highestId_ = 0;
}

int dviDisplayListManager::AllocateDisplayListIds(int count, uint32_t* names) {
    const GLuint first = count > 0 ? glGenLists(count) : 0;  // OpenGL refuses a count below 1
    names[0] = first;
    if (first == 0) {
        dderrorSet("dviDisplayListManager::AllocateDisplayListIds", 1, ddzError, nullptr, __LINE__,
                   "Unable to allocate display lists");
        return ddzError;
    }
    for (int i = 1; i < count; ++i) names[i] = first + static_cast<uint32_t>(i);
    if (names[count - 1] > highestId_) highestId_ = names[count - 1];
    return ddzOk;
}

int dviDisplayListManager::AllocateReservedDisplayListId(uint32_t* name) {
    ++reservedHandedOut_;  // stays counted on failure: once exhausted, always exhausted
    if (reservedHandedOut_ > reservedCount_) {
        dderrorSet("dviDisplayListManager::AllocateReservedDisplayListId", 1, ddzError, nullptr, __LINE__,
                   "Exceeding maximum number of reserved display lists");
        return ddzError;
    }
    *name = reservedHandedOut_;
    return ddzOk;
}

int dviDisplayListManager::CloseDisplayList() {
    glEndList();
    dderrCheckOGLError();
    return ddzOk;
}

int dviDisplayListManager::DeleteDisplayList(int count, const uint32_t* names) {
    for (int i = 0; i < count; ++i) {
        if (names[i] <= reservedCount_) {
            dderrorSet("dviDisplayListManager::DeleteDisplayList", 1, ddzError, nullptr, __LINE__,
                       "Trying to delete reserved display list");
            continue;
        }
        glDeleteLists(names[i], 1);
        if (highestId_ == names[i]) --highestId_;
    }
    return ddzOk;
}

int dviDisplayListManager::DeleteRangeDisplayLists(uint32_t first, uint32_t last) {
    if (first > last) {
        dderrorSet("dviDisplayListManager::DeleteRangeDisplayLists", 1, ddzError, nullptr, __LINE__,
                   "Invalid display list range");
        return ddzOk;  // an empty range has nothing to delete
    }
    glDeleteLists(first, static_cast<GLsizei>(last - first + 1));
    if (last >= highestId_) highestId_ = first - 1;
    return ddzOk;
}

int dviDisplayListManager::DeleteAllViewportDisplayLists() {
    if (highestId_ > reservedCount_) DeleteRangeDisplayLists(reservedCount_ + 1, highestId_);
    return ddzOk;
}

int dviDisplayListManager::OpenDisplayList(uint32_t name) {
    glNewList(name, GL_COMPILE);
    return ddzOk;
}
