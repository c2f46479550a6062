#pragma once
// The job's own boxes (beside the failure messages of Mp3ErrorMessages.h): warnings without an
// owner window, system-modal, in the user's language. Shown on the calling thread.
class IModuleResource;

namespace tolv::tunepane {

// "No MP3s have been found", captioned "Your PC".
void ShowNoMp3Found(IModuleResource& texts);
// Not every selected file fits into the phone's memory; captioned "Your Phone - MP3".
void ShowLowMemory(IModuleResource& texts);

}  // namespace tolv::tunepane
