#include "settings/AppContext.h"

#include "res/Product.h"

CString GetVersionText() { return PANOREL_VERSION_TEXT; }

CString GetVendorHost() { return PANOREL_VENDOR_HOST; }
