// Screenshots for GUI tests: what the test display shows, kept as a file in the build tree's
// artefacts folder next to the test's results.
#pragma once

#include <string>

// The path of `fileName` in the build tree's "artefacts" folder (made when missing).
std::wstring ArtefactPath(const wchar_t* fileName);

// The whole test display, as the X server shows it, taken by ImageMagick's `import -window
// root` (Wine runs Unix programs too); the file's extension picks the format. Wine's own screen
// device context does not see the other windows' pixels, so GDI cannot take it. False on failure.
bool SaveScreenImage(const std::wstring& path);
