// An EnvironmentServer stand-in registered inside the test process, so that the language
// reader's paths (answer, failing call, failing creation, missing interface) can be driven.
#pragma once

#include <windows.h>

struct FakeEnvironmentBehaviour {
    short language = 1031;
    HRESULT answer = S_OK;
    HRESULT creation = S_OK;
    bool offersInterface = true;
    DWORD callDelayMs = 0;
};

class CFakeEnvironmentServerRegistration {
public:
    explicit CFakeEnvironmentServerRegistration(const FakeEnvironmentBehaviour& behaviour);
    ~CFakeEnvironmentServerRegistration();
    CFakeEnvironmentServerRegistration(const CFakeEnvironmentServerRegistration&) = delete;
    CFakeEnvironmentServerRegistration& operator=(const CFakeEnvironmentServerRegistration&) = delete;

    HRESULT Result() const { return m_result; }
    void SetBehaviour(const FakeEnvironmentBehaviour& behaviour);
    LONG Creations() const;
    LONG LanguageCalls() const;
    // Objects created and not yet released.
    LONG LiveObjects() const;

private:
    HRESULT m_result = E_FAIL;
    DWORD m_cookie = 0;
};
