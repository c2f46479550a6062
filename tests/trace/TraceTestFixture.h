// Every trace test runs against its own settings and its own temporary folder.
#pragma once
#include "tests/trace/FileContents.h"
#include "tests/trace/TempFolder.h"
#include "tests/trace/TraceLines.h"
#include "tests/trace/TraceSettingsGuard.h"

#include <gtest/gtest.h>
#include <regex>
#include <string>

namespace tolv::trace::testing {

class TraceTest : public ::testing::Test {
protected:
    // Tracing on, files in the test's folder, the given size limit (0 = none).
    void TraceIntoFolder(DWORD sizeLimitInKb = 0)
    {
        settings.SetDword("TraceInfoFlag", 1);
        settings.SetString("TraceInfoPath", folder.Path() + "\\");
        settings.SetDword("TraceFileSizeLimitInKb", sizeLimitInKb);
    }

    std::string TraceFile(const std::string& name) const { return folder / (name + ".txt"); }
    std::string PreviousFile(const std::string& name) const { return folder / (name + ".tmp"); }

    // Writes size bytes of filler lines to path, replacing it.
    static void FillFile(const std::string& path, size_t size)
    {
        FILE* file = std::fopen(path.c_str(), "wb");
        ASSERT_NE(file, nullptr) << path;
        std::string line(99, 'f');
        line += '\n';
        for (size_t written = 0; written < size; written += line.size())
            std::fwrite(line.data(), 1, std::min(line.size(), size - written), file);
        std::fclose(file);
    }

    CTraceSettingsGuard settings;
    CTempFolder folder;
};

}  // namespace tolv::trace::testing
