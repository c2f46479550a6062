// A failing stream method leaves the code's text as the thread's error object for IStream
// and traces it once; a succeeding one leaves the error object alone.
#include "StreamTestFiles.h"

#include "tests/support/TraceCapture.h"

#include "Components/Kivlink/streams/CreateKivFileStream.h"

#include "com/ErrorInfo.h"
#include "trace/TraceResult.h"

#include <algorithm>

namespace {

const std::string kPropagated = "KivSTREAM: PropagateError";

class StreamErrors : public StreamTest {
protected:
    void SetUp() override
    {
        StreamTest::SetUp();
        SetErrorInfo(0, nullptr);
        capture.Clear();
    }

    size_t Propagations() const
    {
        const std::vector<std::string> texts = capture.Texts("KivlinkStreamTest");
        return static_cast<size_t>(std::count(texts.begin(), texts.end(), kPropagated));
    }

    CTraceCapture capture;
    CTolvTrace trace{"KivlinkStreamTest", 3, true};
    tolv::trace::thread_trace_scope traceScope{&trace};
};

std::wstring SystemText(HRESULT hr)
{
    wchar_t buffer[260] = {};
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                        static_cast<DWORD>(hr), 0, buffer, 260, nullptr);
    return std::wstring(buffer, length);
}

}  // namespace

TEST_F(StreamErrors, AFailureLeavesTheCodesTextAsErrorObject)
{
    LARGE_INTEGER none{};
    ASSERT_EQ(stream->Seek(none, 3, nullptr), E_INVALIDARG);
    tolv::com::ErrorDetails details;
    ASSERT_EQ(tolv::com::TakeErrorInfoFrom(stream.get(), IID_IStream, details), S_OK);
    ASSERT_FALSE(SystemText(E_INVALIDARG).empty());
    EXPECT_EQ(std::wstring(details.description.get()), SystemText(E_INVALIDARG));
    // A Win32 code names no interface.
    EXPECT_TRUE(InlineIsEqualGUID(details.iid, GUID_NULL));
}

TEST_F(StreamErrors, AnUnsupportedMethodTellsWhyToo)
{
    ASSERT_EQ(stream->Commit(STGC_DEFAULT), E_NOTIMPL);
    tolv::com::com_ptr<IErrorInfo> error;
    ASSERT_EQ(GetErrorInfo(0, error.put()), S_OK);
    tolv::com::unique_bstr description;
    ASSERT_EQ(error->GetDescription(description.put()), S_OK);
    EXPECT_EQ(std::wstring(description.get()), SystemText(E_NOTIMPL));
}

TEST_F(StreamErrors, ASuccessLeavesNoErrorObject)
{
    char buffer[10];
    ASSERT_EQ(stream->Read(buffer, sizeof buffer, nullptr), S_OK);
    tolv::com::com_ptr<IErrorInfo> error;
    EXPECT_EQ(GetErrorInfo(0, error.put()), S_FALSE);
    EXPECT_EQ(Propagations(), 0u);
}

TEST_F(StreamErrors, EachFailureIsTracedOnce)
{
    ASSERT_EQ(stream->SetSize(ULARGE_INTEGER{}), E_NOTIMPL);
    EXPECT_EQ(Propagations(), 1u);

    // A copy whose target refuses passes its failure on once, not once per layer.
    WriteBytes(folder / L"KivCD34.tmp.xxx", "target");
    tolv::com::com_ptr<IStream> readOnly;
    ASSERT_EQ(CreateKivFileStream(CKivString((folder / L"KivCD34.tmp.xxx").c_str()), readOnly.put()), S_OK);
    capture.Clear();
    ASSERT_EQ(stream->CopyTo(readOnly.get(), Bytes(~0ull), nullptr, nullptr), E_NOTIMPL);
    EXPECT_EQ(Propagations(), 2u);  // the target's Write and our CopyTo
}

TEST_F(StreamErrors, DeclaresErrorObjectsForIStreamOnly)
{
    const auto support = stream.try_query<ISupportErrorInfo>();
    ASSERT_TRUE(support);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IStream), S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_ISequentialStream), S_FALSE);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IUnknown), S_FALSE);
}
