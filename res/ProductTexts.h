// The texts of res/Product.h as the program's strings, for code that builds
// titles and addresses from them. (Product.h itself stays plain macros: the
// resource script includes it too.)
#pragma once

#include "framework/String.h"
#include "res/Product.h"

// The program's version, "1.01".
inline CString GetVersionText() { return PANOREL_VERSION_TEXT; }
// The vendor's web host, as used in the main title and the news address.
inline CString GetVendorHost() { return PANOREL_VENDOR_HOST; }
