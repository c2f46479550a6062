#pragma once
// A handler with a recording main thread and a file worker that keeps its post steps; the
// test's own threads play the file worker's waits and the notification thread.
#include "PostStepWorker.h"
#include "SilentCallback.h"
#include "tests/kivlink_core/FakeServerServices.h"

#include "Components/Kivlink/operations/KivlinkNotificationHandler.h"

#include "KivlinkLib.h"

#include <gtest/gtest.h>

#include <memory>

class OperationsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_liveBefore = CKivlinkNotification::LiveCount();
        ASSERT_EQ(S_OK, fileWorker.Start());
        handler = std::make_unique<CKivlinkNotificationHandler>(services, &fileWorker);
    }

    void TearDown() override
    {
        handler.reset();
        EXPECT_EQ(m_liveBefore, CKivlinkNotification::LiveCount()) << "notifications leaked";
    }

    // The record a COM method would have posted for a copy to the phone, turned into its
    // post-step record.
    CRequestData CopyToPhone(long flags, IKivlinkActionEventsCallback* client)
    {
        CRequestData record(REQ_COPY_FROM_PC);
        record.m_firstStringArg = L"D:\\Music\\song.mp3";
        record.m_secondStringArg = L"E:\\Sounds\\";
        record.m_firstIntegerArg = flags;
        record.m_Callback = client;
        record.m_Response = &record;
        record.m_OutArg[OUT_TEXT] = &m_outText;
        record.m_typ = REQ_COPY_FROM_PC_POST_STEP;
        return record;
    }

    CKivlinkNotificationPtr Register(long flags, long requestId, IKivlinkActionEventsCallback* client = nullptr)
    {
        CKivlinkNotificationPtr notification;
        EXPECT_EQ(S_OK, handler->AddSymbianNotification(notification, aidCopyFromPC, L"D:\\Music\\song.mp3",
                                                        CopyToPhone(flags, client)));
        if (notification && requestId != 0)
            notification->SetRequestId(requestId);
        return notification;
    }

    static CRequestData Event(long type, long requestId, long second = 0, long third = 0,
                              VARIANT_BOOL* response = nullptr)
    {
        CRequestData record(type);
        record.m_firstIntegerArg = requestId;
        record.m_secondIntegerArg = second;
        record.m_thirdIntegerArg = third;
        record.m_OutArg[OUT_BOOL] = response;
        return record;
    }

    FakeServerServices services;
    PostStepWorker fileWorker{services};
    SilentCallback client;
    std::unique_ptr<CKivlinkNotificationHandler> handler;

private:
    LONG m_liveBefore = 0;
    BSTR m_outText = nullptr;
};
