/* platform_api.h - the switch platform's interfaces that this library uses.
 *
 * On the switch they come from the platform's own library; elsewhere the
 * stand-in in platform_standin/ provides them.  A host process that defines
 * them itself takes precedence over either.
 */
#ifndef STATSCL_PLATFORM_API_H
#define STATSCL_PLATFORM_API_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The platform's logger: flag 1 for the null-name line, 0 for the others.
 * Its result is passed through to the caller unchanged. */
int app_log(int flag, const char *text);

/* The platform's shared text buffer, at least 1024 bytes. */
extern char _tmpbuf[];

/* The platform's conversion of an interface index, host to network and back. */
uint32_t hton_if_index(uint32_t if_index);
uint32_t ntoh_if_index(uint32_t if_index);

#ifdef __cplusplus
}
#endif

#endif /* STATSCL_PLATFORM_API_H */
