// libKestoList.so: the in-process server's entry points.
#include <controls/list/ListModule.h>

#include <automation/Activation.h>
#include <automation/ComObject.h>

KESTO_CONTROL_SERVER(kesto::controls::kestoListModule)
