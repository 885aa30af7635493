#include "dmReportCounter.h"

#include "platform/ClassFactory.h"
#include "platform/SysUtils.h"

// The class factory creates the server object through this export when a client asks
// for the class by name.
extern "C" vondrel::Dispatch* VondrelCreateObject(const char* className) {
    if (!className || !vondrel::SameText(vondrel::Trim(className), vondrel::kServerClassName))
        return nullptr;
    try {
        return new vondrel::TdmReportCounter();
    } catch (...) {
        return nullptr;
    }
}
