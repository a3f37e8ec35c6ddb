// libKestoQuery.so: the in-process server's entry points.
#include <controls/query/QueryModule.h>

#include <automation/Activation.h>
#include <automation/ComObject.h>

KESTO_CONTROL_SERVER(kesto::controls::kestoQueryModule)
