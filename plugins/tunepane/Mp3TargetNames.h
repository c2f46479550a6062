#pragma once
// The names the files get on the phone, where they all land in one folder: the first of equal
// names (letter case aside) keeps its name, the later ones get "(1)", "(2)", ... after the
// part before the first dot ("Song(1).mp3", "a(1).b.mp3").
#include "plugins/tunepane/Mp3TransferRecord.h"

namespace tolv::tunepane {

// Fills every entry's empty target name.
void AssignTargetNames(Mp3TransferList& list);

}  // namespace tolv::tunepane
