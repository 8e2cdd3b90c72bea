/*
 * <windows.h> of the stand-in: the subset of the Windows SDK that the two
 * programs call, with the SDK's names, types and numeric values. Split like
 * the SDK into the headers below so each part of the layer owns one.
 */
#ifndef KELVANE_PLATFORM_WINDOWS_H
#define KELVANE_PLATFORM_WINDOWS_H

#include "windef.h"
#include "winerror.h"
#include "winbase.h"
#include "winuser.h"

#endif
