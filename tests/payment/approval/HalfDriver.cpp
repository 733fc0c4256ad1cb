// A broken approval driver for the loader test: ApprovalCash is missing.
#include "payment/approval/ApprovalDriverApi.h"

extern "C" __attribute__((visibility("default"))) int32_t ApprovalCard(
    int32_t, int32_t, const char*, const char*, const char*, int32_t, int32_t, const char*, int32_t, int32_t, int32_t,
    const char*, const char*, const char*, int32_t, int32_t, int32_t, char*, int32_t, char*, int32_t, char*, int32_t,
    char*, int32_t, char*, int32_t, char*, int32_t, int32_t*, char*, int32_t, char*, int32_t, char*, int32_t)
{
    return 0;
}
