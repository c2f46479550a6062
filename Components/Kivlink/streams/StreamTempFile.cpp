#include "StreamTempFile.h"

#include "transfer/TemporaryFiles.h"

#include "trace/TraceResult.h"

TOLV_TRACE_UNIT("StreamTempFile");

CKivStreamTempFile::~CKivStreamTempFile()
{
    // A file still open elsewhere stays; the garbage collection takes it later.
    if (!DeleteTempFile(m_path.c_str()))
        tolv::trace::Warning(TOLV_HERE);
}
