// Copies between PC and phone through IKivVolume2.
#include "VolumeFixture.h"

#include <oleauto.h>
