#pragma once
// A running change-notification service in this process, with sinks that log their calls and
// stand-ins for the two workers whose models a cache broadcast empties.
#include "RecordingNotifySink.h"

#include "tests/kivlink_core/FakeServerServices.h"
#include "tests/kivlink_model/RecordingWorker.h"
#include "tests/support/TraceCapture.h"

#include "core/KivNotificationHandler.h"

#include "com/ComInit.h"
#include "trace/TolvTrace.h"
#include "trace/TraceResult.h"

#include <gtest/gtest.h>

class NotificationFixture : public testing::Test {
protected:
    // Longer than any delivery can take here: what has not arrived by then never does.
    static constexpr DWORD SETTLE_MS = 3 * CKivNotificationHandler::HOLD_TIME_MS;

    void SetUp() override { ASSERT_EQ(handler.Start(), S_OK); }

    long Register(const wchar_t* path, IUnknown* sink)
    {
        long token = 0;
        EXPECT_EQ(handler.AddChangeNotification(path, sink, &token), S_OK);
        return token;
    }
    tolv::com::com_ptr<IUnknown> Sink(const std::wstring& name, HRESULT answer = S_OK)
    {
        return MakeSink(log, name, answer);
    }
    std::vector<std::wstring> SinksCalled(const std::vector<SinkCall>& calls)
    {
        std::vector<std::wstring> names;
        for (const SinkCall& call : calls)
            names.push_back(call.sink);
        return names;
    }

    tolv::com::com_init apartment{COINIT_MULTITHREADED};
    CTraceCapture traces;
    FakeServerServices services;
    CTolvTrace trace{"KivlinkNotifyTest", 3, true};
    // The test thread stands for worker 4, whose failure lines go to its own trace.
    tolv::trace::thread_trace_scope workerTrace{&trace};
    CallLog log;
    CKivNotificationHandler handler{services, &trace};
};
