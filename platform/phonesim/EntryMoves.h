// Renaming and moving files and folders inside one phone.
#pragma once

#include "platform/phonesim/PhonePath.h"
#include "platform/phonesim/SimPhone.h"

namespace phonesim {

// Moves the entry at `from` to `to` (another name, folder or drive of the same phone). The
// target's folder must exist and the target must not, unless it is the same entry under
// another letter case.
HRESULT MoveEntry(CSimPhone& phone, const PhonePath& from, const PhonePath& to, bool folder);

}  // namespace phonesim
