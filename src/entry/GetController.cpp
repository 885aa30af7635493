#include "entry/DLLBTCtrller.h"

extern "C" vondrel::TDLLBaseController* GetController() {
    using namespace vondrel;
    if (!DLLControllerClass)
        throw Exception("KMB DLL Internal Error :\rNot Assign \"DLLControllerClass\" varible");
    return DLLControllerClass();
}
