// Who the program is: its version and its vendor's addresses. Included by the
// resource script and by the code, so both always agree.
#pragma once

#define PANOREL_VERSION_TEXT "1.01"
#define PANOREL_VERSION_BINARY 1, 0, 1, 0
// A reserved example domain: no server of ours answers there.
#define PANOREL_VENDOR_HOST "www.panorel.example"
#define PANOREL_VENDOR_SITE "http://" PANOREL_VENDOR_HOST "/"
#define PANOREL_VENDOR_MAIL "support@panorel.example"
