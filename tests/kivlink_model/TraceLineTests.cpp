// The model's trace lines as the trace file gets them: lookups that miss, the path walk, the
// invalidations and the drive size warnings.
#include "ModelFixture.h"

#include "Components/Kivlink/model/SymbianDeviceDrive.h"

#include "tests/support/TraceCapture.h"

#include "KivlinkLib.h"

namespace {

class ModelTrace : public ModelFixture {
protected:
    // Released while captured: their last lines would otherwise go to a file.
    void TearDown() override
    {
        deviceHolder = CFileDescription();
        trace.reset();
    }
    bool Wrote(const std::string& text) const { return capture.Wrote(text, "KivlinkModelTest"); }

    CTraceCapture capture;
};

}  // namespace

TEST_F(ModelTrace, MissesNameWhatWasNotFoundAndWhere)
{
    CFileDescription entry;
    EXPECT_EQ(device->GetFile(L"C:\\Images\\none.jpg", entry), KIV_E_FILENOTFOUND);
    EXPECT_TRUE(Wrote("E_STATE: File none.jpg not found."));
    EXPECT_FALSE(Wrote("File none.jpg not found - cash content released."));
    EXPECT_EQ(device->GetFile(L"C:\\Images\\other.jpg", entry), KIV_E_FILENOTFOUND);
    EXPECT_TRUE(Wrote("File other.jpg not found - cash content released."));
    EXPECT_TRUE(Wrote("GetFile: File other.jpg not found - Free cash content."));
    EXPECT_TRUE(Wrote("E_STATE: File other.jpg not found in Images."));
    EXPECT_EQ(device->GetDirectory(L"C:\\Nothing\\", entry), KIV_E_FOLDERNOTFOUND);
    EXPECT_TRUE(Wrote("E_STATE: Folder Nothing not found."));
    EXPECT_TRUE(Wrote("Enter GetDirectory"));
    EXPECT_TRUE(Wrote("Exit GetDirectory"));
    EXPECT_EQ(device->GetDrive(L"F:", entry), KIV_E_DRIVENOTFOUND);
    EXPECT_TRUE(Wrote("E_STATE: Drive F: not found"));
}

TEST_F(ModelTrace, InvalidationsAndOversizedDrivesAreTraced)
{
    phone->drives[0]->capacityHigh = 1;
    phone->drives[0]->freeLow = static_cast<long>(0x80000000);
    CFileDescription drive;
    long bytes = 0;
    ASSERT_EQ(device->GetDrive(L"C:", drive), S_OK);
    ASSERT_EQ(drive.Drive()->GetCapacity(bytes), S_OK);
    ASSERT_EQ(drive.Drive()->GetFreeBytes(bytes), S_OK);
    EXPECT_TRUE(Wrote("WARNING: Double long integer for drive capacity value exceeds maximum range"));
    EXPECT_TRUE(Wrote("WARNING: Double long integer  value for free space exceeds maximum range"));
    long size = 0;
    ASSERT_EQ(drive.GetSize(size), S_OK);
    EXPECT_EQ(size, 0);
    bool warned = false;
    for (const std::string& text : capture.Texts("KivlinkModelTest"))
        warned = warned || text.find("WARNING [CFileDescription ") != std::string::npos;
    EXPECT_TRUE(warned);

    ASSERT_EQ(device->OnInvalidateAll(), S_OK);
    EXPECT_TRUE(Wrote(">>>OnInvalidateAll() ..."));
    EXPECT_TRUE(Wrote("<<<OnInvalidateAll() - hr=0x00000000"));
}
