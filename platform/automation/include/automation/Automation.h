// Everything of the automation stand-in in one include.
#pragma once

#include <automation/Activation.h>
#include <automation/Bstr.h>
#include <automation/ComObject.h>
#include <automation/ComPtr.h>
#include <automation/Dispatch.h>
#include <automation/DispatchException.h>
#include <automation/DispatchTable.h>
#include <automation/Interfaces.h>
#include <automation/OleString.h>
#include <automation/Picture.h>
#include <automation/Stream.h>
#include <automation/Types.h>
#include <automation/Variant.h>
#include <automation/VariantData.h>
