#include "PortRouter.h"

#include "platform/smrouter/SmRouterController.h"

CPortRouterSession::CPortRouterSession() : m_status(InitSMRouterContoller()) {}

CPortRouterSession::~CPortRouterSession()
{
    if (m_status >= 0)
        FinishSMRouterContoller();
}
