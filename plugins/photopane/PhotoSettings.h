#pragma once
// The photo download's settings: what the page edits and stores per user, and what a job reads
// again before it starts.
#include <string>

namespace tolv::photopane {

struct PhotoSettings {
    std::wstring pcFolder;  // receives the photos
    std::wstring phoneFolder;  // drive included ("E:\Images"); empty: the default of the drive found
    // The two choices are the indexes of the page's radio buttons, hence 1 for the second one.
    int pcOverwrite = 0;  // 0: files on the PC are overwritten, 1: they stay
    int keepOnDevice = 0;  // 0: the originals stay on the phone, 1: they are deleted
};

}  // namespace tolv::photopane
