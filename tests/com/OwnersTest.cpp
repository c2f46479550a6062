// The RAII owners: BSTR, VARIANT, SAFEARRAY, handles, critical sections, and the HRESULT helpers.
#include <gtest/gtest.h>

#include <process.h>

#include "com/CriticalSection.h"
#include "com/HResult.h"
#include "com/UniqueBstr.h"
#include "com/UniqueHandle.h"
#include "com/UniqueSafeArray.h"
#include "com/UniqueVariant.h"

using namespace tolv::com;

namespace {

HRESULT FailsAt(int step, int* reached)
{
    *reached = 0;
    RETURN_IF_FAILED(step == 1 ? E_ACCESSDENIED : S_OK);
    *reached = 1;
    RETURN_HR_IF(E_INVALIDARG, step == 2);
    *reached = 2;
    RETURN_HR_IF_NULL(E_POINTER, step == 3 ? nullptr : reached);
    *reached = 3;
    SetLastError(ERROR_FILE_NOT_FOUND);
    RETURN_LAST_ERROR_IF(step == 4);
    *reached = 4;
    return S_FALSE;
}

}  // namespace

TEST(HResultHelpers, ReturnEarlyWithTheFailureAndGoOnOtherwise)
{
    int reached = -1;
    EXPECT_EQ(E_ACCESSDENIED, FailsAt(1, &reached));
    EXPECT_EQ(0, reached);
    EXPECT_EQ(E_INVALIDARG, FailsAt(2, &reached));
    EXPECT_EQ(1, reached);
    EXPECT_EQ(E_POINTER, FailsAt(3, &reached));
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), FailsAt(4, &reached));
    EXPECT_EQ(S_FALSE, FailsAt(0, &reached));
    EXPECT_EQ(4, reached);
}

TEST(HResultHelpers, LastErrorOfZeroIsStillAFailure)
{
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(E_FAIL, HResultFromLastError());
    SetLastError(ERROR_ACCESS_DENIED);
    EXPECT_EQ(E_ACCESSDENIED, HResultFromLastError());
}

TEST(UniqueBstr, OwnsCopiesAndConvertsText)
{
    unique_bstr wide(L"phone");
    EXPECT_EQ(5u, wide.length());
    EXPECT_STREQ(L"phone", wide.c_str());

    unique_bstr narrow("memory card");
    EXPECT_STREQ(L"memory card", narrow.c_str());
    EXPECT_EQ(11u, narrow.length());

    BSTR copy = wide.copy();
    ASSERT_NE(nullptr, copy);
    EXPECT_NE(wide.get(), copy);
    EXPECT_STREQ(L"phone", copy);
    SysFreeString(copy);

    unique_bstr empty;
    EXPECT_TRUE(empty.empty());
    EXPECT_STREQ(L"", empty.c_str());
    BSTR out = reinterpret_cast<BSTR>(1);
    EXPECT_EQ(S_OK, empty.copy_to(&out));
    EXPECT_EQ(nullptr, out);
}

TEST(UniqueBstr, PutReleaseResetAndMoveKeepOneOwner)
{
    unique_bstr value(L"first");
    // put() frees the old string before handing out the slot.
    BSTR* slot = value.put();
    EXPECT_EQ(nullptr, *slot);
    *slot = SysAllocString(L"second");
    EXPECT_STREQ(L"second", value.c_str());

    unique_bstr moved(std::move(value));
    EXPECT_EQ(nullptr, value.get());
    EXPECT_STREQ(L"second", moved.c_str());

    BSTR released = moved.release();
    EXPECT_EQ(nullptr, moved.get());
    moved.reset(released);
    moved.reset(moved.get());  // resetting to itself must not free it
    EXPECT_STREQ(L"second", moved.c_str());

    moved = unique_bstr(L"third");
    EXPECT_STREQ(L"third", moved.c_str());
}

TEST(UniqueVariant, CopiesDeeplyAndClearsOnReset)
{
    unique_variant text;
    ASSERT_EQ(S_OK, text.set_string(L"Kivlink"));
    unique_variant copy;
    ASSERT_EQ(S_OK, copy.copy_from(*text.get()));
    ASSERT_EQ(VT_BSTR, copy.type());
    EXPECT_NE(text.get()->bstrVal, copy.get()->bstrVal);
    EXPECT_STREQ(L"Kivlink", copy.get()->bstrVal);

    VARIANT raw;
    ASSERT_EQ(S_OK, copy.copy_to(&raw));
    copy.reset();
    EXPECT_EQ(VT_EMPTY, copy.type());
    EXPECT_STREQ(L"Kivlink", raw.bstrVal);
    copy.attach(raw);
    EXPECT_EQ(VT_EMPTY, raw.vt);
    EXPECT_STREQ(L"Kivlink", copy.get()->bstrVal);

    unique_variant moved(std::move(copy));
    EXPECT_EQ(VT_EMPTY, copy.type());
    EXPECT_EQ(VT_BSTR, moved.type());
    moved.set_long(42);
    EXPECT_EQ(VT_I4, moved.type());
    EXPECT_EQ(42, moved.get()->lVal);
    moved.set_bool(true);
    EXPECT_EQ(VARIANT_TRUE, moved.get()->boolVal);
}

TEST(UniqueSafeArray, CreatesCountsLocksAndMoves)
{
    unique_safearray array;
    EXPECT_EQ(0u, array.count());
    ASSERT_EQ(S_OK, array.create_vector(VT_I4, 3));
    EXPECT_EQ(3u, array.count());
    EXPECT_EQ(VT_I4, array.element_type());
    {
        safearray_lock lock(array.get());
        ASSERT_EQ(S_OK, lock.result());
        lock.data<LONG>()[2] = 7;
        // While the data is locked the array cannot be destroyed behind the lock's back.
        EXPECT_EQ(DISP_E_ARRAYISLOCKED, SafeArrayDestroy(array.get()));
    }
    LONG index = 2;
    LONG value = 0;
    ASSERT_EQ(S_OK, SafeArrayGetElement(array.get(), &index, &value));
    EXPECT_EQ(7, value);

    unique_safearray moved(std::move(array));
    EXPECT_FALSE(array);
    EXPECT_EQ(3u, moved.count());
    EXPECT_EQ(E_INVALIDARG, safearray_lock(nullptr).result());
}

TEST(UniqueHandle, TreatsNullAndInvalidAsEmptyAndClosesOnce)
{
    EXPECT_FALSE(unique_handle().valid());
    EXPECT_FALSE(unique_handle(INVALID_HANDLE_VALUE).valid());

    HANDLE raw = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    unique_handle owner(raw);
    unique_handle moved(std::move(owner));
    EXPECT_FALSE(owner.valid());
    EXPECT_EQ(raw, moved.get());
    moved.reset();
    DWORD flags = 0;
    EXPECT_FALSE(GetHandleInformation(raw, &flags));

    HANDLE kept = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    unique_handle releasing(kept);
    EXPECT_EQ(kept, releasing.release());
    EXPECT_TRUE(GetHandleInformation(kept, &flags));
    CloseHandle(kept);
}

// A search handle is not a kernel handle: closing it with CloseHandle would leave the search
// open, so its owner must end it with FindClose and treat only INVALID_HANDLE_VALUE as failure.
TEST(UniqueFindHandle, EndsTheSearchItOwnsAndKeepsOneOwner)
{
    wchar_t system[MAX_PATH];
    ASSERT_NE(GetSystemDirectoryW(system, MAX_PATH), 0u);
    WIN32_FIND_DATAW found;
    unique_find_handle missing(FindFirstFileW(L"C:\\no-such-folder-here\\*", &found));
    EXPECT_FALSE(missing);

    unique_find_handle search(FindFirstFileW((std::wstring(system) + L"\\*").c_str(), &found));
    ASSERT_TRUE(search);
    const HANDLE raw = search.get();
    unique_find_handle moved(std::move(search));
    EXPECT_FALSE(search);
    EXPECT_EQ(raw, moved.get());
    EXPECT_TRUE(FindNextFileW(moved.get(), &found));
    moved.reset();
    EXPECT_FALSE(moved);
}

TEST(UniqueEventAndSemaphore, SignalWaitAndCountAsCreated)
{
    unique_event manual;
    ASSERT_EQ(S_OK, manual.create(true, false));
    EXPECT_FALSE(manual.is_signaled());
    EXPECT_TRUE(manual.set());
    EXPECT_TRUE(manual.wait(0) && manual.wait(0));
    EXPECT_TRUE(manual.reset());
    EXPECT_FALSE(manual.is_signaled());
    unique_event automatic;
    ASSERT_EQ(S_OK, automatic.create(false, true));
    EXPECT_TRUE(automatic.wait(0));
    EXPECT_FALSE(automatic.wait(0));

    unique_semaphore semaphore;
    ASSERT_EQ(S_OK, semaphore.create(0, 2));
    LONG previous = -1;
    EXPECT_TRUE(semaphore.release(2, &previous));
    EXPECT_EQ(0, previous);
    EXPECT_FALSE(semaphore.release(1));  // past the maximum
    EXPECT_TRUE(semaphore.wait(0));
    EXPECT_TRUE(semaphore.release(1, &previous));
    EXPECT_EQ(1, previous);
    EXPECT_EQ(E_INVALIDARG, unique_semaphore().create(3, 2));
}

namespace {

struct TryLockResult {
    critical_section* section;
    bool acquired;
};

unsigned __stdcall TryLockFromOtherThread(void* argument)
{
    auto* result = static_cast<TryLockResult*>(argument);
    result->acquired = result->section->try_lock();
    if (result->acquired) {
        result->section->unlock();
    }
    return 0;
}

bool OtherThreadCanLock(critical_section& section)
{
    TryLockResult result{&section, false};
    unique_handle thread(
        reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &TryLockFromOtherThread, &result, 0, nullptr)));
    EXPECT_TRUE(thread.valid());
    WaitForSingleObject(thread.get(), INFINITE);
    return result.acquired;
}

}  // namespace

TEST(CriticalSection, AutoLockHoldsOnlyForItsScope)
{
    critical_section section;
    {
        auto_lock lock(section);
        EXPECT_FALSE(OtherThreadCanLock(section));
    }
    EXPECT_TRUE(OtherThreadCanLock(section));
}
